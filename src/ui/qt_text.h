#pragma once
// cp1251 data text <-> QString, the only crossing between the two.
#include <QString>
#include <string>
#include <string_view>

namespace ui {

QString toQ(std::string_view cp1251);
std::string fromQ(const QString& text);

}  // namespace ui
