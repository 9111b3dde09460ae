#pragma once
// What the timesheet windows receive from the frame: folders, the accounting
// month, the message service, the command flags and the hooks of other
// subsystems (form runner, personal card, individual timesheet, print).
#include <QFont>
#include <functional>
#include <string>

#include "app/command_dispatcher.h"
#include "base/date.h"
#include "timesheet/calc_inputs.h"
#include "ui/messages.h"

namespace timesheet {

struct TimesheetEnv {
    std::string workFolder;  // "" = the current folder, else ending with "/"
    std::string dataFolder;  // ending with "/"
    Month month;
    base::Date today;
    std::string workstation;
    ui::Messages* messages = nullptr;
    app::CommandDispatcher* commands = nullptr;
    QFont font;
    // Settings store.
    std::function<std::string(const std::string&)> readSetting;
    std::function<void(const std::string&, const std::string&)> writeSetting;
    // The delete confirmation (TFormDelete): true for "Удалить".
    std::function<bool()> confirmDelete;
    // The form runner: runs a script file of the program folder.
    std::function<void(const std::string& path)> runFormFile;
    // Opens the personal card of the card KOD; empty when not provided.
    std::function<void(int64_t kod)> openPersonalCard;
    // The print pipeline (TAB_C.DBF); empty until it exists.
    std::function<void(const std::string& table)> print;
};

}  // namespace timesheet
