#pragma once
// The month's timesheet calculation on a data folder: reads the inputs,
// calculates, and replaces the month's table with the new one.
//
// The layout is built and checked before anything is changed; a month's
// table that another workstation holds stops the run (" База блокирована ")
// before any work; the new table is built beside the old one and replaces
// it in one step, so the folder always holds a whole table for the month.
#include <functional>
#include <string>
#include <vector>

#include "base/status.h"
#include "timesheet/month_calculation.h"

namespace timesheet {

struct FolderCalcOptions {
    std::string dataDir;     // with a trailing "/"
    Month month;
    std::string department;  // B_KOD; empty = all employees
    Progress progress;
    // The hook scripts of the calculation dialog (TABEL_BEGIN.FRM before
    // anything is read, TABEL_END.FRM after a month's table was written).
    std::function<void()> beforeRun;
    std::function<void()> afterRun;
};

struct FolderCalcReport {
    std::string table;          // the month's table name
    std::size_t employees = 0;  // rows other than the totals row
    bool cancelled = false;
    std::vector<std::string> notes;
    std::vector<std::string> lockedCards;  // cards whose mark could not be written: "LK FIO"
};

// " База блокирована " (busy) when the month's table is held elsewhere;
// layout errors as invalid; nothing is changed on any error.
base::Result<FolderCalcReport> calculateMonthInFolder(const FolderCalcOptions& options);

// The single-row recalculation of the card `kod` in the existing month's
// table, in place: values that did not change are not written, fields the
// table lacks are skipped, values that do not fit are reported in the notes
// and not written. The card's MET_T becomes "8"; the totals row is
// recomputed.
base::Result<FolderCalcReport> recalculateRowInFolder(const std::string& dataDir, const Month& month, int64_t kod);

}  // namespace timesheet
