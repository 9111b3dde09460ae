#pragma once
// TFormDelete: the delete confirmation. It answers through the command flag
// CmdDelete: a caller may set it to 2 (a column) or 3 (a file) and give the
// object's name; "Удалить" leaves 1, anything else 0.
#include <QDialog>
#include <string>

#include "app/command_dispatcher.h"
#include "app/ui_context.h"

namespace app {

class TFormDelete : public QDialog {
    Q_OBJECT
public:
    TFormDelete(const UiContext& ui, CommandDispatcher& commands, const std::string& objectName,
                QWidget* parent = nullptr);
    // Shows the dialog modally; true when the user chose "Удалить".
    static bool Confirm(const UiContext& ui, CommandDispatcher& commands, const std::string& objectName = {},
                        QWidget* parent = nullptr);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void BitBtn1Click();
    void BitBtn2Click();
    CommandDispatcher& commands_;
};

}  // namespace app
