#include <gtest/gtest.h>

#include "timesheet/monthly_norms.h"

namespace {

using base::Date;
using timesheet::monthlyNorms;

TEST(MonthlyNorms, PlainWeekWithoutHolidays) {
    // June 2026: 30 days, begins on a Monday: 22 weekdays, 26 without Sundays.
    EXPECT_EQ(monthlyNorms(2026, 5, 8, {})[5].days, 22);
    EXPECT_EQ(monthlyNorms(2026, 5, 8, {})[5].hours, 176);
    EXPECT_EQ(monthlyNorms(2026, 6, 7, {})[5].days, 26);
    EXPECT_EQ(monthlyNorms(2026, 7, 8, {})[5].hours, 240);
}

struct NormCase {
    const char* what;
    int weekDays;
    Date holiday;
    int month;  // whose norm is checked
    int days;
    int hours;
};

// 2026: June 1 Monday, June 6 Saturday, June 7 Sunday, July 1 Wednesday.
TEST(MonthlyNorms, ShorteningBeforeHolidays) {
    const NormCase cases[] = {
        {"holiday on the 1st shortens nothing", 5, Date::fromYmd(2026, 6, 1), 6, 21, 168},
        {"holiday on Wednesday the 10th shortens Tuesday", 5, Date::fromYmd(2026, 6, 10), 6, 21, 167},
        {"holiday on a Sunday, 5-day week: nothing", 5, Date::fromYmd(2026, 6, 7), 6, 22, 176},
        {"holiday on a Saturday shortens Friday", 5, Date::fromYmd(2026, 6, 6), 6, 22, 175},
        {"holiday on a Monday: nothing", 5, Date::fromYmd(2026, 6, 8), 6, 21, 168},
        {"7-day week: every holiday after the 1st", 7, Date::fromYmd(2026, 6, 8), 6, 29, 231},
        {"holiday on the 1st of the next month shortens this month", 5, Date::fromYmd(2026, 7, 1), 6, 22, 175},
    };
    for (const NormCase& c : cases) {
        const auto norm = monthlyNorms(2026, c.weekDays, 8, {c.holiday})[std::size_t(c.month - 1)];
        EXPECT_EQ(norm.days, c.days) << c.what;
        EXPECT_EQ(norm.hours, c.hours) << c.what;
    }
}

}  // namespace
