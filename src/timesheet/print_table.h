#pragma once
// The timesheet window's print table TAB_C.DBF: the rows of the current view
// in view order, with the fields of the month's table, the employee rows
// numbered 1, 2, ... in NOM and LK of the totals row emptied. A NOM field
// too narrow for the row count is widened in the print table, never cut.
#include <string>
#include <vector>

#include "base/status.h"
#include "db/table.h"

namespace timesheet {

base::Status writePrintTable(const std::string& path, db::Table& month, const std::vector<int64_t>& recNos);

}  // namespace timesheet
