#include "ui/interface_font.h"

#include <QApplication>

#include "base/path_resolver.h"
#include "ui/qt_text.h"

namespace ui {

QFont interfaceFont(const std::string& name, int size) {
    QFont font = QApplication::font();
    if (!name.empty() && name != "Default" && name != "MS Sans Serif") font.setFamily(toQ(name));
    if (size > 0) font.setPointSize(size);
    return font;
}

QString nativePath(const std::string& stored) { return QString::fromUtf8(base::resolvePath(stored).c_str()); }

}  // namespace ui
