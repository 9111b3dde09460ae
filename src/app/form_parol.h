#pragma once
// TFormParol: the password dialog. The ask mode shows only the main field;
// the set mode (administrator password) also the old and new fields.
#include <QDialog>
#include <optional>
#include <string>

#include "app/ui_context.h"

class QLineEdit;
class QPushButton;
class QLabel;

namespace app {

class TFormParol : public QDialog {
    Q_OBJECT
public:
    explicit TFormParol(const UiContext& ui, QWidget* parent = nullptr);

    // Ask mode: the typed text, or nullopt when left with "  Выход  ".
    static std::optional<std::string> Ask(const UiContext& ui, QWidget* parent = nullptr);

    bool exited() const { return exited_; }
    std::string typed() const;

private:
    void BitBtn1Click();
    void BitBtn2Click();

    QLineEdit* edit1_ = nullptr;
    bool exited_ = true;  // closing the window otherwise counts as leaving
};

}  // namespace app
