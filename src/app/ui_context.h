#pragma once
// What the shared dialogs need to know of the run: the working folder (for
// their pictures), the interface font and language, the window-menu
// caption of "Закрыть" (it follows the interface language).
#include <QString>
#include <string>

namespace app {

struct UiContext {
    std::string workFolder;
    std::string fontName = "MS Sans Serif";
    int fontSize = 10;
    std::string language;  // "", "U", "E"
    QString closeCaption = QString::fromUtf8("Закрыть");
};

}  // namespace app
