#pragma once
// The calendar tool's jumps: the first or last day of the month, quarter or
// year of a date, and the moves of its month and year drop-downs.
#include "base/date.h"

namespace timesheet {

enum class JumpSpan { Month, Quarter, Year };

base::Date startOf(base::Date d, JumpSpan span);
base::Date endOf(base::Date d, JumpSpan span);
// The same day in another month of the year, clipped to the month's length.
base::Date withMonth(base::Date d, int month);
// The same day and month in another year (29 February becomes the 28th).
base::Date withYear(base::Date d, int year);

}  // namespace timesheet
