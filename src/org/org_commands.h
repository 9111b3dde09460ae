#pragma once
// The frame's commands of the organisation windows: "Штатное расписание",
// "Отделы", "Группы отделов" and the card file's " ...  по отделам" and
// " ... по группам", which choose departments first.
#include <functional>
#include <optional>
#include <string>

#include "org/org_window_env.h"

class QMdiSubWindow;
class QWidget;

namespace app {
class Tkadr_o;
}

namespace org {

// Entries of other subsystems that the organisation windows open.
struct OrgEntries {
    std::function<void(const UnitChoice&, const std::string& mode)> openCardFile;
    std::function<void(const UnitChoice&)> openTimesheet;
    RuntimeFormOpener openForm;
    std::function<void()> printPositions;
};

class OrgCommands {
public:
    OrgCommands(app::Tkadr_o& frame, OrgEntries entries);

    // Gives the frame's menu commands their handlers (and enables them).
    void install();

    // The department selector in a choice mode ("kao", "kag", "tao"); the
    // timesheet command opens it through here.
    void openChooser(const std::string& mode);
    void openDepartments(bool groups);
    void openStaffing();
    // The personal card's position chooser (SelectorMode 5 while open):
    // the chosen kdol, or nullopt.
    std::optional<std::string> choosePosition(const std::string& currentCode);

    // The environment of a window, from the frame's current values.
    OrgWindowEnv env();
    OrgEntries& entries() { return entries_; }

private:
    void cardFileCommand(const std::string& mode);
    // Puts the choice into the frame's run-wide values for the next window.
    void holdChoice(const UnitChoice& choice);
    void addChild(QWidget* form, const char* name);
    QMdiSubWindow* openChild(const char* name) const;

    app::Tkadr_o& frame_;
    OrgEntries entries_;
    UnitChoice lastChoice_;
};

}  // namespace org
