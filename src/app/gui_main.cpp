#include "app/gui_main.h"

#include <QApplication>
#include <QDate>

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
    frame.showMaximized();
    return application.exec();
}

}  // namespace app
