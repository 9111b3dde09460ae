#pragma once
// The monthly norms of a work-duration row (PROD.DBF): working days and
// hours of each month of a year for a week of `weekDays` days of
// `dayHours` hours, one hour less on each working day before a holiday.
#include <array>
#include <vector>

#include "base/date.h"

namespace timesheet {

struct MonthNorm {
    int days = 0;
    int hours = 0;
};

std::array<MonthNorm, 12> monthlyNorms(int year, int weekDays, int dayHours, const std::vector<base::Date>& holidays);

}  // namespace timesheet
