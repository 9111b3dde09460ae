#include <gtest/gtest.h>

#include "base/number_format.h"

TEST(NumberFormat, GeneralFormatWithFifteenDigits) {
    struct Case { double v; const char* text; };
    const Case cases[] = {
        {0, "0"}, {-0.0, "0"}, {1, "1"}, {-2.5, "-2.5"}, {0.1 + 0.2, "0.3"},
        {100, "100"}, {1234567.125, "1234567.125"}, {1.0 / 3, "0.333333333333333"},
        {999999999999999, "999999999999999"}, {1e15, "1E15"}, {1e20, "1E20"},
        {1.5e20, "1.5E20"}, {0.00001, "0.00001"}, {0.000001, "1E-6"}, {0.0000015, "1.5E-6"},
        {2.0 / 3 * 1e16, "6.66666666666667E15"}, {12.10, "12.1"},
    };
    for (const Case& c : cases) EXPECT_EQ(base::formatNumber(c.v), c.text) << c.v;
}

TEST(NumberFormat, ParsesPlainDecimalTexts) {
    EXPECT_EQ(base::parseNumber(" 12.5 "), 12.5);
    EXPECT_EQ(base::parseNumber("-3"), -3);
    EXPECT_EQ(base::parseNumber("1E3"), 1000);
    EXPECT_FALSE(base::parseNumber("12,5"));
    EXPECT_FALSE(base::parseNumber("12a"));
    EXPECT_FALSE(base::parseNumber(""));
    EXPECT_FALSE(base::parseNumber("0x10"));
}
