#pragma once
// Business trips, vacations and sick leave laid over the day marks.
#include <vector>

#include "timesheet/calc_inputs.h"
#include "timesheet/day_marks.h"

namespace timesheet {

// Whether an absence row has usable dates: both given and not reversed.
bool hasValidRange(const Absence& a);

// Whether a valid absence row touches the month.
bool overlapsMonth(const Absence& a, const Month& month);

// Lays one absence over the cells of its days in the month that are also
// employed days. Call only for valid rows that overlap the month.
void applyAbsence(DayCells& cells, AbsenceKind kind, const Absence& a, const Month& month,
                  const EmploymentRange& range, const WorkWeek& week, const HolidaySet& holidays);

}  // namespace timesheet
