#pragma once
// The interface font of the settings ("!S8", "!S9") and the scaling of
// designed widths by size / 10.
#include <QFont>
#include <QString>
#include <string>

namespace ui {

// The font named in the settings; the names of the original platform's
// stock fonts ("Default", "MS Sans Serif") mean the desktop's own font.
QFont interfaceFont(const std::string& name, int size);
// Designed width / 10 (whole-number division first) times the font size.
inline int scaled(int designed, int size) { return designed / 10 * size; }
// A file of a stored path (cp1251) as a native QString path.
QString nativePath(const std::string& stored);

}  // namespace ui
