#include <gtest/gtest.h>

#include "test_text.h"
#include "timesheet/definitions.h"
#include "timesheet/month_layout.h"

namespace {

using namespace timesheet;
using timesheet_test::cp;

const Definition& byTab(const std::vector<Definition>& defs, const std::string& tab) {
    for (const Definition& d : defs)
        if (d.tab == tab) return d;
    throw std::runtime_error("no row " + tab);
}

TEST(Definitions, DefaultRowsKeepLatinAndCyrillicMarksApart) {
    const auto defs = defaultDefinitions();
    ASSERT_EQ(defs.size(), 15u);
    EXPECT_EQ(defs[0].formul, "KOD;N");
    EXPECT_EQ(defs[5].nameS, cp("КО"));
    const Definition& r019 = byTab(defs, "019");
    EXPECT_EQ(r019.nameS, "B#");  // Latin B
    EXPECT_EQ(r019.formul, "B#/" + cp("П#/") + "\xC2#/");
    EXPECT_EQ(r019.wid, "3");
    EXPECT_EQ(r019.tip, "R");
    EXPECT_EQ(byTab(defs, "021").tip, "H");
    EXPECT_EQ(byTab(defs, "021").wid, "8");
}

TEST(Definitions, OnlyRowsInUseCount) {
    auto defs = defaultDefinitions();
    defs[8].metka = " ";
    defs.push_back({"030", "x", "x", "3", "R", "8/", "-"});
    const auto used = definitionsInUse(defs);
    EXPECT_EQ(used.size(), 14u);
    for (const Definition& d : used) EXPECT_NE(d.tab, "003");
}

TEST(Definitions, FormulaNamesMarkAsPlainSubstring) {
    const auto defs = defaultDefinitions();
    const std::string f001 = byTab(defs, "001").formul, f019 = byTab(defs, "019").formul,
                      f020 = byTab(defs, "020").formul;
    EXPECT_TRUE(formulaNamesMark(f019, cp("П#")));
    EXPECT_TRUE(formulaNamesMark(f020, cp("П#")));
    EXPECT_FALSE(formulaNamesMark(f001, cp("П#")));
    EXPECT_TRUE(formulaNamesMark("12/", "2"));   // a plain substring test
    EXPECT_TRUE(formulaNamesMark(f001, "0"));    // "10/" holds "0/"
    EXPECT_TRUE(formulaNamesMark(f020, "0"));
    EXPECT_TRUE(formulaNamesMark(f020, " 8 "));  // the mark is trimmed
    EXPECT_FALSE(formulaNamesMark(f020, ""));    // empty cells never count
    EXPECT_FALSE(formulaNamesMark(f020, cp("ДО")));
    EXPECT_TRUE(formulaNamesMark(f020, "B#"));
    EXPECT_TRUE(formulaNamesMark(f020, "\xC2#"));
    EXPECT_TRUE(holdsMinusHash(f001));
    EXPECT_FALSE(holdsPlusHash(f001));
}

TEST(Definitions, MonthTableName) {
    EXPECT_EQ(monthTableName(3, 2009), "T0309.DBF");
    EXPECT_EQ(monthTableName(12, 2026), "T1226.DBF");
    EXPECT_EQ(dayFieldName(7), "D07");
}

TEST(MonthLayout, FieldsInOrderWithTheMonthsDays) {
    const auto layout = buildMonthLayout(defaultDefinitions(), 28);
    ASSERT_TRUE(layout.isOk()) << layout.status().message();
    const auto fields = layout->fields();
    ASSERT_EQ(fields.size(), 6u + 28u + 9u);
    EXPECT_EQ(fields[0].name, "KOD");
    EXPECT_EQ(fields[0].type, db::FieldType::Numeric);
    EXPECT_EQ(fields[1].name, "B_KOD");
    EXPECT_EQ(fields[1].length, 2);
    EXPECT_EQ(fields[5].name, "FIO");
    EXPECT_EQ(fields[5].length, 25);
    EXPECT_EQ(fields[6].name, "D01");
    EXPECT_EQ(fields[33].name, "D28");
    EXPECT_EQ(fields[33].length, 4);
    EXPECT_EQ(fields[34].name, "R001");
    EXPECT_EQ(fields[34].length, 6);
    EXPECT_EQ(fields.back().name, "H021");
    EXPECT_EQ(fields.back().length, 8);
}

TEST(MonthLayout, FaultyDefinitionsAreRejected) {
    struct Case {
        const char* what;
        Definition extra;
    };
    const Case cases[] = {
        {"result code used twice", {"001", "x", "x", "3", "R", "8/", "+"}},
        {"card field used twice", {"", "x", "x", "5", "D", "FIO;C", "+"}},
        {"card field named like a day field", {"", "x", "x", "4", "D", "D05;C", "+"}},
        {"unknown card type", {"", "x", "x", "4", "D", "POL;X", "+"}},
        {"card field without type", {"", "x", "x", "4", "D", "POL", "+"}},
        {"width not a number", {"040", "x", "x", "ab", "R", "8/", "+"}},
        {"width zero", {"040", "x", "x", "0", "H", "8/", "+"}},
        {"name too long for dBase", {"", "x", "x", "4", "D", "VERYLONGNAME;C", "+"}},
    };
    for (const Case& c : cases) {
        auto defs = defaultDefinitions();
        defs.push_back(c.extra);
        const auto layout = buildMonthLayout(defs, 30);
        EXPECT_FALSE(layout.isOk()) << c.what;
    }
    auto noKod = defaultDefinitions();
    noKod.erase(noKod.begin());
    EXPECT_FALSE(buildMonthLayout(noKod, 30).isOk());
    // Rows of other kinds are ignored.
    auto other = defaultDefinitions();
    other.push_back({"001", "x", "x", "3", "Z", "8/", "+"});
    EXPECT_TRUE(buildMonthLayout(other, 30).isOk());
}

}  // namespace

#include "timesheet/accounting_month.h"

namespace {

TEST(AccountingMonth, StoredAsMonthAndYear) {
    const auto m = timesheet::parseAccountingMonth("032009");
    ASSERT_TRUE(m.has_value());
    EXPECT_EQ(m->month, 3);
    EXPECT_EQ(m->year, 2009);
    EXPECT_EQ(timesheet::storedAccountingMonth(*m), "032009");
    EXPECT_EQ(timesheet::monthTableName(m->month, m->year), "T0309.DBF");
    for (const char* bad : {"", "132009", "002009", "3.2009", " 32009", "03200", "0320099", "ab2009"})
        EXPECT_FALSE(timesheet::parseAccountingMonth(bad).has_value()) << bad;
    EXPECT_EQ(timesheet::accountingMonthPanel(timesheet_test::cp("Расчетный месяц    "), {2016, 2}),
              timesheet_test::cp("Расчетный месяц    ФЕВРАЛЬ  2016"));
    EXPECT_EQ(timesheet::capitalMonthName(12), timesheet_test::cp("ДЕКАБРЬ"));
}

}  // namespace
