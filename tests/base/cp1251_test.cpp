#include <gtest/gtest.h>

#include "base/cp1251.h"
#include "base/cp_literal.h"

TEST(Cp1251, EveryByteSurvivesARoundTripThroughUtf8) {
    std::string all;
    for (int b = 0; b < 256; ++b) all += char(b);
    EXPECT_EQ(base::utf8ToCp1251(base::cp1251ToUtf8(all)), all);
}

TEST(Cp1251, KnownLettersMapBothWays) {
    struct Case { const char* utf8; unsigned char byte; };
    const Case cases[] = {
        {"А", 0xC0}, {"я", 0xFF}, {"Ё", 0xA8}, {"ё", 0xB8}, {"№", 0xB9},
        {"Ў", 0xA1}, {"ў", 0xA2}, {"«", 0xAB}, {"»", 0xBB}, {"—", 0x97}, {"€", 0x88},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(base::utf8ToCp1251(c.utf8), std::string(1, char(c.byte))) << c.utf8;
        EXPECT_EQ(base::cp1251ToUtf8(std::string(1, char(c.byte))), c.utf8);
    }
}

TEST(Cp1251, CharactersOutsideTheCodePageBecomeQuestionMarks) {
    EXPECT_EQ(base::utf8ToCp1251("Қ漢"), "??");
}

TEST(Cp1251, LiteralIsConvertedAtCompileTime) {
    static_assert(base::kCp1251Literal<"Уволен">.size == 6);
    const std::string& s = "Уволен"_cp;
    EXPECT_EQ(s, base::utf8ToCp1251("Уволен"));
    EXPECT_EQ("B#"_cp, "B#");
}
