#pragma once
// What the records operations need of the run: the two folders, the
// workstation number, the accounting month, today, the interface language,
// the vacancy setting and the message service.
#include <string>

#include "base/date.h"
#include "ui/messages.h"

namespace records {

struct RecordsContext {
    std::string workFolder;  // ends with "/" ("" = current folder)
    std::string dataFolder;  // ends with "/"
    std::string workstation;  // "" = view-only
    base::Date firstOfMonth;  // first day of the accounting month
    base::Date today;
    std::string language;          // "", "U", "E"
    bool vacancyAccounting = false;  // setting "PV1" = "1"
    ui::Messages* messages = nullptr;

    bool viewOnly() const { return workstation.empty(); }
    std::string data(const std::string& name) const { return dataFolder + name; }
    std::string work(const std::string& name) const { return workFolder + name; }
};

}  // namespace records
