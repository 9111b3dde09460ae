#pragma once
// Writing computed rows into a month's timesheet table.
#include <string>
#include <vector>

#include "base/status.h"
#include "db/cursor.h"
#include "timesheet/month_calculation.h"

namespace timesheet {

// Creates the table at `path` (FoxPro variant) with the layout's fields and
// appends the rows; only non-empty values are written.
base::Status writeMonthTable(const std::string& path, const MonthLayout& layout, const std::vector<MonthRow>& rows);

// Stores a row into the current record of `cursor`, which is in edit or
// append state: fields the table lacks are skipped, values equal to the
// stored ones are not written, and a value that does not fit its field is
// not written but listed in `overflows`.
base::Status storeRow(db::Cursor& cursor, const MonthLayout& layout, const MonthRow& row,
                      std::vector<Overflow>& overflows);

// Sums every "R" and "H" column that the table has over the rows other than
// the totals row (LK 99999) and writes the sums into the totals row,
// appending one when there is none. Sums that do not fit are not written
// but listed in `overflows`.
base::Status recomputeTotals(db::Cursor& table, const MonthLayout& layout, std::vector<Overflow>& overflows);

}  // namespace timesheet
