#pragma once
// The list correction of an existing month's table: adds the employees it
// lacks, refreshes the names and department codes of those it has, and
// never touches day cells.
#include <cstdint>
#include <string>
#include <unordered_set>
#include <vector>

#include "timesheet/calc_inputs.h"

namespace timesheet {

struct CorrectionRow {
    std::size_t card = 0;  // index into the cards
    bool append = false;   // the table has no row for the card yet
    std::string r001;      // appended rows: working days of the employed part of the month
};

struct CorrectionPlan {
    std::vector<int64_t> cardsToDelete;  // record numbers of empty cards (LK 0, no name)
    std::vector<CorrectionRow> rows;
};

// Working days from the later of NPD and the first day to the earlier of
// the last day and the dismissal date, both included: Monday to Friday for
// DWEE "5", Monday to Saturday for "6", every day otherwise; holidays are
// not considered.
int correctionWorkingDays(const Month& month, const Card& card);

// The cards are considered with the inclusion test of the full calculation.
CorrectionPlan planListCorrection(const Month& month, const std::vector<Card>& cards,
                                  const std::unordered_set<int64_t>& kodsInTable);

}  // namespace timesheet
