#include "timesheet/calendar_jumps.h"

#include <algorithm>

namespace timesheet {
namespace {

int firstMonthOf(int month, JumpSpan span) {
    if (span == JumpSpan::Month) return month;
    if (span == JumpSpan::Quarter) return (month - 1) / 3 * 3 + 1;
    return 1;
}

}  // namespace

base::Date startOf(base::Date d, JumpSpan span) { return base::Date::fromYmd(d.year(), firstMonthOf(d.month(), span), 1); }

base::Date endOf(base::Date d, JumpSpan span) {
    const int last = span == JumpSpan::Month ? d.month() : span == JumpSpan::Quarter ? firstMonthOf(d.month(), span) + 2 : 12;
    return base::Date::fromYmd(d.year(), last, base::daysInMonth(d.year(), last));
}

base::Date withMonth(base::Date d, int month) {
    return base::Date::fromYmd(d.year(), month, std::min(d.day(), base::daysInMonth(d.year(), month)));
}

base::Date withYear(base::Date d, int year) {
    return base::Date::fromYmd(year, d.month(), std::min(d.day(), base::daysInMonth(year, d.month())));
}

}  // namespace timesheet
