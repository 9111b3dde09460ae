#include "app/gui_main.h"

#include <QApplication>
#include <QDate>
#include <QScreen>

#include "app/kadr_o.h"

namespace app {

int runGui(int argc, char** argv) {
    QApplication application(argc, argv);
    const QDate now = QDate::currentDate();
    Tkadr_o frame("", base::Date::fromYmd(now.year(), now.month(), now.day()));
    if (!frame.FormCreate()) {
        frame.FormClose();
        return 0;
    }
    // Without a window manager (a bare X server) "maximised" alone keeps the
    // designed size, so the frame is also given the whole screen.
    if (QScreen* screen = QApplication::primaryScreen()) frame.setGeometry(screen->availableGeometry());
    frame.showMaximized();
    return application.exec();
}

}  // namespace app
