#pragma once
// Result columns as the individual timesheet saves them: over every day of
// the month, with the "+#" and "-#" tokens choosing the days that count.
#include <optional>
#include <string>
#include <vector>

#include "timesheet/calc_inputs.h"
#include "timesheet/day_marks.h"
#include "timesheet/month_layout.h"

namespace timesheet {

// Empties the cells whose text begins with "0" (a typed "0" means no mark).
void dropZeroMarks(DayCells& cells);

// Whether day `day` counts for a formula: without tokens every day; with
// "+#" only holidays and days off; with "-#" only working days (not a
// holiday, weekday number <= weekDays); with both, none.
bool countsForIndividualTimesheet(const ResultColumn& column, const Month& month, const HolidaySet& holidays,
                                  int weekDays, int day);

// The value of every result column (parallel to layout.results): the text
// to store, or nullopt to leave the field as it is (a zero result of an
// empty formula).
std::vector<std::optional<std::string>> individualResults(const MonthLayout& layout, const DayCells& cells,
                                                          const Month& month, const HolidaySet& holidays,
                                                          int weekDays);

}  // namespace timesheet
