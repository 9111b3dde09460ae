#include "ui/qt_text.h"

#include "base/cp1251.h"

namespace ui {

QString toQ(std::string_view cp1251) {
    QString out;
    out.reserve(int(cp1251.size()));
    for (unsigned char c : cp1251) out.append(QChar(char16_t(base::cp1251ToUnicode(c))));
    return out;
}

std::string fromQ(const QString& text) {
    std::string out;
    out.reserve(std::size_t(text.size()));
    for (QChar ch : text) out.push_back(base::unicodeToCp1251(ch.unicode()));
    return out;
}

}  // namespace ui
