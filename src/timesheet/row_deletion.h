#pragma once
// Removing a former employee's row from the month's timesheet: who may be
// removed, and the record the deletion log (Delet.sdc) receives.
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "base/date.h"
#include "timesheet/calc_inputs.h"

namespace timesheet {

// A row may be removed when its card is missing, or is archived or
// dismissed with D_DOL before the first day of the month; otherwise the
// person is still employed in the month.
bool mayRemoveRow(const std::optional<Card>& card, const Month& month);

// " " + FIO + " не уволен ", the refusal.
std::string notDismissedMessage(const std::string& fio);

// "    ====    " + dd.mm of today + "-T" + MMYY + "-" + name-value; of every
// non-empty field whose name does not begin with "D". No line break.
std::string deletionLogRecord(base::Date today, const Month& month,
                              const std::vector<std::pair<std::string, std::string>>& fields);

}  // namespace timesheet
