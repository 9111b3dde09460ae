#pragma once
// Result columns counted over a row's day cells, and the totals row.
#include <functional>
#include <string>
#include <vector>

#include "timesheet/day_marks.h"
#include "timesheet/month_layout.h"

namespace timesheet {

// The column's count ("R": 1 per counted day) or sum ("H", "C": the mark's
// numeric value; a named mark that is not a number adds nothing) over days
// first ... last for which `eligible` holds.
double countResult(const ResultColumn& column, const DayCells& cells, int first, int last,
                   const std::function<bool(int day)>& eligible = {});

// The stored text of a result: decimal text when above zero, else empty.
std::string resultText(double value);

// The month calculation's value of every result column over the employed
// days: "+#" columns are left empty.
std::vector<std::string> monthResults(const MonthLayout& layout, const DayCells& cells, int first, int last);

// Totals of the "R" and "H" columns over the given rows' result texts
// (parallel to layout.results); "C" columns stay empty.
std::vector<std::string> totalResults(const MonthLayout& layout,
                                      const std::vector<const std::vector<std::string>*>& rows);

}  // namespace timesheet
