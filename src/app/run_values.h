#pragma once
// The run-wide values fixed at start-up and read by the rest of the program.
#include <string>

#include "app/startup_checks.h"
#include "base/date.h"

namespace app {

struct RunValues {
    std::string workFolder;  // stored path ending with "/" ("" = current folder)
    std::string dataFolder;  // setting "S%&", with its trailing separator
    std::string fontName = "MS Sans Serif";
    int fontSize = 10;
    AccountingMonth month;
    std::string workstation;       // "!!!" trimmed; "1" main, "" view-only
    std::string groupRestriction;  // "F%&"
    std::string language;          // "", "U", "E"
    std::string sortField;         // "iND"
    std::string vacancies = "0", complexCalendars = "0", salary = "0", settingsLock = "0";
    base::Date today;
    std::string typedPassword;  // what the access password dialog returned
    bool firstActivationPending = false;

    bool viewOnly() const { return workstation.empty(); }
    bool mainWorkstation() const { return workstation == "1"; }
};

}  // namespace app
