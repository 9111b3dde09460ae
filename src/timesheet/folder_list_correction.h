#pragma once
// The list correction ("Корректировка списков") on a data folder: adds to the
// existing month's table the employees it lacks, refreshes FIO, B_KOD and
// BB_K of the rows it has, deletes the totals row (the timesheet window adds
// it again) and deletes empty cards (LK 0, no name).
#include <string>
#include <vector>

#include "base/status.h"
#include "timesheet/calc_inputs.h"

namespace timesheet {

struct CorrectionReport {
    std::size_t added = 0;
    std::size_t updated = 0;
    std::size_t cardsDeleted = 0;
    std::vector<std::string> notes;
};

// NotFound when the month's table is missing (the caller runs the full
// calculation instead); " База Табель блокирована " (busy) when it cannot
// be opened exclusively, with nothing changed.
base::Result<CorrectionReport> correctListsInFolder(const std::string& dataDir, const Month& month);

}  // namespace timesheet
