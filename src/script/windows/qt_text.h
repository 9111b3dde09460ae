#pragma once
// cp1251 program text <-> QString, at the window boundary only.
#include <QString>
#include <string>

#include "base/cp1251.h"

namespace script::windows {

inline QString toQt(const std::string& cp1251) { return QString::fromStdString(base::cp1251ToUtf8(cp1251)); }
inline std::string fromQt(const QString& s) { return base::utf8ToCp1251(s.toStdString()); }

}  // namespace script::windows
