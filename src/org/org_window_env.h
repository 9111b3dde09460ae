#pragma once
// What the organisation windows get from the frame: the folder context, the
// interface font, the command flags, the settings lock and the entries of
// other subsystems they open (each may be empty until that subsystem exists).
#include <functional>
#include <optional>
#include <string>

#include "app/command_dispatcher.h"
#include "app/ui_context.h"
#include "org/org_context.h"
#include "org/staffing.h"
#include "org/unit_choice.h"

namespace org {

struct OrgWindowEnv {
    OrgContext ctx;
    app::UiContext ui;
    app::CommandDispatcher* commands = nullptr;
    bool settingsLocked = false;         // setting "PV7" = "1": no editing of the lists
    int clientWidth = 800, clientHeight = 600;  // the frame's client area
    std::string timesheetPath;           // the accounting month's timesheet in the data folder

    // The delete confirmation (TFormDelete); true for "Удалить".
    std::function<bool()> confirmDelete;
    // The card file for the chosen departments, in the given opening mode.
    std::function<void(const UnitChoice&, const std::string& mode)> openCardFile;
    // The timesheet window for the chosen department.
    std::function<void(const UnitChoice&)> openTimesheet;
    // The run-time form window, modal.
    RuntimeFormOpener openForm;
    // The print settings dialog for the staffing table (DOL.DBF columns).
    std::function<void()> printPositions;
    // Called when a selector window closes (the frame resets SelectorMode).
    std::function<void()> onSelectorClosed;
};

}  // namespace org
