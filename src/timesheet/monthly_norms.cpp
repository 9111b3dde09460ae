#include "timesheet/monthly_norms.h"

#include <unordered_set>

namespace timesheet {

namespace {

// A holiday on a date whose previous day is a working day of the week
// costs one hour of that day.
bool shortensDayBefore(base::Date holiday, int weekDays) {
    const int w = holiday.weekday();
    return weekDays == 7 || (w > 1 && w <= weekDays + 1);
}

}  // namespace

std::array<MonthNorm, 12> monthlyNorms(int year, int weekDays, int dayHours, const std::vector<base::Date>& holidays) {
    std::unordered_set<int32_t> isHoliday;
    for (base::Date h : holidays)
        if (!h.isEmpty()) isHoliday.insert(h.dayNumber());
    const auto holiday = [&](base::Date d) { return isHoliday.count(d.dayNumber()) > 0; };

    std::array<MonthNorm, 12> norms{};
    for (int m = 1; m <= 12; ++m) {
        MonthNorm& norm = norms[std::size_t(m - 1)];
        const base::Date first = base::Date::fromYmd(year, m, 1);
        const int n = base::daysInMonth(year, m);
        for (int d = 1; d <= n; ++d) {
            const base::Date date = first.addDays(d - 1);
            if (!holiday(date)) {
                if (weekDays >= date.weekday()) {
                    ++norm.days;
                    norm.hours += dayHours;
                }
            } else if (d > 1 && shortensDayBefore(date, weekDays)) {
                --norm.hours;
            }
        }
        const base::Date next = first.addDays(n);
        if (holiday(next) && shortensDayBefore(next, weekDays)) --norm.hours;
    }
    return norms;
}

}  // namespace timesheet
