#pragma once
// TFormSoob: the three-line message window with a picture (SoobMessage).
#include <QDialog>
#include <string>

#include "app/ui_context.h"

class QLabel;
class QPushButton;

namespace app {

class TFormSoob : public QDialog {
    Q_OBJECT
public:
    TFormSoob(const UiContext& ui, const std::string& line1, const std::string& line2, const std::string& line3,
              const std::string& picture, QWidget* parent = nullptr);

    static void SoobMessage(const UiContext& ui, const std::string& line1, const std::string& line2 = {},
                            const std::string& line3 = {}, const std::string& picture = {},
                            QWidget* parent = nullptr);

private:
    void BitBtn1Click();
};

}  // namespace app
