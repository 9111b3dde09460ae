#pragma once
// The message service of the running program: the message window, a plain
// message box and the question dialog.
#include <QWidget>

#include "app/ui_context.h"
#include "ui/messages.h"

namespace app {

class WindowMessages : public ui::Messages {
public:
    WindowMessages(const UiContext& ui, QWidget* parent) : ui_(ui), parent_(parent) {}
    void soob(const std::string& l1, const std::string& l2, const std::string& l3, const std::string& picture) override;
    void box(const std::string& text) override;
    int question(const std::string& l1, const std::string& l2, const std::string& l3, const std::string& picture) override;

private:
    const UiContext& ui_;
    QWidget* parent_;
};

}  // namespace app
