#include <gtest/gtest.h>

#include "base/date.h"

using base::Date;

TEST(Date, ParsesAndPrintsDayMonthYear) {
    struct Case { const char* in; bool shortYear; const char* out; };
    const Case cases[] = {
        {"01.03.2010", false, "01.03.2010"},
        {"1.3.2010", false, "01.03.2010"},
        {" 29.02.2024 ", false, "29.02.2024"},
        {"01.03.10", true, "01.03.2010"},
        {"01.03.75", true, "01.03.1975"},
        {"", false, ""},
        {"   ", false, ""},
    };
    for (const Case& c : cases) {
        auto d = Date::parse(c.in, c.shortYear);
        ASSERT_TRUE(d.has_value()) << c.in;
        EXPECT_EQ(d->text(), c.out) << c.in;
    }
}

TEST(Date, RejectsTextsThatAreNotDays) {
    for (const char* bad : {"29.02.2023", "31.04.2024", "00.01.2024", "01.13.2024", "01.03.10",
                            "1-3-2024", "01.03.2024x", "abc", "01.03."}) {
        EXPECT_FALSE(Date::parse(bad).has_value()) << bad;
    }
}

TEST(Date, DayNumbersCountFromTheSerialEpoch) {
    EXPECT_EQ(Date::fromYmd(1899, 12, 30).dayNumber(), 0);
    EXPECT_EQ(Date::fromYmd(1900, 1, 1).dayNumber(), 2);
    EXPECT_EQ(Date::fromYmd(2000, 1, 1).dayNumber(), 36526);
    EXPECT_EQ(Date::fromDayNumber(36526).addDays(60).text(), "01.03.2000");
}

TEST(Date, WeekdayStartsOnMonday) {
    EXPECT_EQ(Date::fromYmd(2026, 12, 7).weekday(), 1);   // Monday
    EXPECT_EQ(Date::fromYmd(2026, 12, 13).weekday(), 7);  // Sunday
    EXPECT_EQ(Date::fromYmd(1899, 12, 30).weekday(), 6);
}

TEST(Date, GregorianLeapYears) {
    EXPECT_EQ(base::daysInMonth(1900, 2), 28);
    EXPECT_EQ(base::daysInMonth(2000, 2), 29);
    EXPECT_EQ(base::daysInMonth(2100, 2), 28);
    EXPECT_EQ(base::daysInMonth(2024, 2), 29);
}

TEST(Date, DbfStorageForm) {
    EXPECT_EQ(Date::parseDbf("20100301")->text(), "01.03.2010");
    EXPECT_TRUE(Date::parseDbf("        ")->isEmpty());
    EXPECT_FALSE(Date::parseDbf("2010031").has_value());
    EXPECT_EQ(Date().dbfText(), "        ");
    EXPECT_EQ(Date::fromYmd(2010, 3, 1).dbfText(), "20100301");
}
