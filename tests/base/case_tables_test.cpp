#include <gtest/gtest.h>

#include "base/case_tables.h"
#include "base/cp1251.h"
#include "base/cp_literal.h"

TEST(CaseTables, ProgramAlphabetsLeaveYoAlone) {
    EXPECT_EQ(base::upperProgram("абвгдежзийклмнопрстуфхцчшщьыъэюяabcz"_cp),
              "АБВГДЕЖЗИЙКЛМНОПРСТУФХЦЧШЩЬЫЪЭЮЯABCZ"_cp);
    EXPECT_EQ(base::upperProgram("ёў"_cp), "ёў"_cp);
    EXPECT_EQ(base::lowerProgram("ЁИВАНОВ"_cp), "Ёиванов"_cp);
}

TEST(CaseTables, WholeCodePageCoversEveryPairedLetter) {
    EXPECT_EQ(base::upperAnsi("ёўіїєґђѓљњќћџјѕ"_cp), "ЁЎІЇЄҐЂЃЉЊЌЋЏЈЅ"_cp);
    EXPECT_EQ(base::lowerAnsi("ЁЎІЇЄҐЂЃЉЊЌЋЏЈЅ"_cp), "ёўіїєґђѓљњќћџјѕ"_cp);
    EXPECT_EQ(base::upperAnsi("№ 12 «x»"_cp), "№ 12 «X»"_cp);
}

TEST(CaseTables, EqualsIgnoreCase) {
    EXPECT_TRUE(base::equalsIgnoreCase("nameL", "NAMEL"));
    EXPECT_TRUE(base::equalsIgnoreCase("фио"_cp, "ФИО"_cp));
    EXPECT_FALSE(base::equalsIgnoreCase("osn", "osn1"));
}
