// Filter expressions, index keys and conditions over records given as
// vectors of stored field texts.
#include <gtest/gtest.h>

#include "base/cp_literal.h"
#include "db/expr.h"

namespace {

using db::FieldType;

const db::FieldList kFields = {
    {"FIO", FieldType::Character, 10, 0},  {"SUM", FieldType::Numeric, 8, 2},
    {"DATA1", FieldType::Date, 8, 0},      {"OK", FieldType::Logical, 1, 0},
    {"B_KOD", FieldType::Character, 2, 0}, {"KOD", FieldType::Numeric, 11, 0},
};

class Row : public db::RecordView {
public:
    explicit Row(std::vector<std::string> v) : v_(std::move(v)) {}
    std::string_view rawField(int f) const override { return v_[f]; }

private:
    std::vector<std::string> v_;
};

// Stored forms: C padded, N right-aligned, D yyyymmdd.
Row ivanov() { return Row({"Иванов    "_cp, "  100.50", "20240201", "T", "05", "         12"}); }
Row blank() { return Row({"          ", "        ", "        ", " ", "  ", "           "}); }

bool eval(std::string_view text, const Row& row, bool ci = false) {
    auto e = db::Expr::compile(text, kFields, {ci});
    EXPECT_TRUE(e.isOk()) << text << ": " << e.status().message();
    return e.isOk() && e.value()->matches(row);
}

TEST(Expr, ConditionsOverTypedFields) {
    struct Case {
        std::string text;
        bool expected;
    } cases[] = {
        {"FIO = 'Иванов'"_cp, true},
        {"FIO = \"Иванов\""_cp, true},
        {"FIO = 'Иван'"_cp, false},
        {"FIO = 'Ив*'"_cp, true},  // trailing * = starts with
        {"FIO = 'Пе*'"_cp, false},
        {"FIO <> 'Ив*'"_cp, false},
        {"FIO >= 'Ив*'"_cp, true},
        {"FIO = 'Иванов   '"_cp, true},  // trailing blanks ignored
        {"FIO > 'Аб'"_cp, true},
        {"SUM >= 100", true},
        {"SUM = 100.5", true},
        {"SUM < 100.5", false},
        {"SUM <> 7", true},
        {"DATA1 = '01.02.2024'", true},
        {"DATA1 > '31.01.24'", true},
        {"DATA1 < '01.02.2024'", false},
        {"OK = .T.", true},
        {"OK", true},
        {"not OK", false},
        {"KOD = 12", true},
        {"KOD = '12'", true},
        {"(FIO = 'Ив*') and SUM >= 100"_cp, true},
        {"(FIO = 'Пе*') or SUM >= 100"_cp, true},
        {"(FIO = 'Пе*') OR (SUM > 1000 AND KOD = 12)"_cp, false},
        {"NOT (B_KOD = '05')", false},
        {"b_kod = '05' .AND. kod=12", true},
        {"FIO + B_KOD = 'Иванов    05'"_cp, true},
        {"FIO LIKE 'Ив%'"_cp, true},
        {"FIO LIKE 'И_анов'"_cp, true},
        {"FIO LIKE 'ив%'"_cp, false},  // LIKE is case-sensitive
        {"SUM BETWEEN 100 AND 101", true},
        {"DATA1 BETWEEN '01.01.2024' AND '31.01.2024'", false},
    };
    const Row row = ivanov();
    for (const Case& c : cases) EXPECT_EQ(eval(c.text, row), c.expected) << c.text;
}

TEST(Expr, BlankValues) {
    const Row row = blank();
    EXPECT_TRUE(eval("FIO = ''", row));
    EXPECT_TRUE(eval("B_KOD = \"\"", row));
    EXPECT_FALSE(eval("SUM = 0", row));  // a blank number is no number
    EXPECT_TRUE(eval("SUM = ''", row));
    EXPECT_FALSE(eval("DATA1 >= '01.01.2000'", row));
    EXPECT_FALSE(eval("DATA1 < '01.01.2000'", row));
    EXPECT_TRUE(eval("DATA1 = ''", row));
    EXPECT_TRUE(eval("DATA1 <> '01.01.2000'", row));
    EXPECT_FALSE(eval("OK", row));
}

TEST(Expr, CaseInsensitiveOption) {
    const Row row = ivanov();
    EXPECT_FALSE(eval("FIO = 'ИВ*'"_cp, row));
    EXPECT_TRUE(eval("FIO = 'ИВ*'"_cp, row, true));
    EXPECT_TRUE(eval("FIO = 'иванов'"_cp, row, true));
}

TEST(Expr, KeysJoinStoredForms) {
    const Row row = ivanov();
    auto k = db::Expr::compile("B_KOD+FIO", kFields);
    ASSERT_TRUE(k.isOk());
    EXPECT_EQ(k.value()->key(row), "05Иванов    "_cp);
    auto d = db::Expr::compile("DATA1", kFields);
    ASSERT_TRUE(d.isOk());
    EXPECT_EQ(d.value()->key(row), "20240201");
    auto ci = db::Expr::compile("fio", kFields, {true});
    EXPECT_EQ(ci.value()->key(row), "ИВАНОВ    "_cp);
}

TEST(Expr, ErrorsNamePositionAndToken) {
    struct Case {
        std::string text;
        std::string part;
    } cases[] = {
        {"FIO = ", "позиции 7"_cp},
        {"FIO = 'x' and", "позиции 14"_cp},
        {"FIO = 'x' )", "\")\""},
        {"SUM >= ", "позиции 8"_cp},
        {"NAME = 'x'", "\"NAME\""},
        {"SUM >= 'abc'", "не является числом"_cp},
        {"DATA1 = '32.13.2024'", "не является датой"_cp},
        {"FIO = 'open", "Незакрытая строка"_cp},
        {"FIO = # 1", "\"#\""},
        {"(FIO = 'a'", "\")\""},
    };
    for (const Case& c : cases) {
        auto e = db::Expr::compile(c.text, kFields);
        ASSERT_FALSE(e.isOk()) << c.text;
        EXPECT_NE(e.status().message().find(c.part), std::string::npos) << c.text << " -> " << e.status().message();
    }
}

TEST(Expr, DeepNestingOrEndlessChainsAreErrorsNotCrashes) {
    std::string nested(5000, '(');
    nested += "KOD = 1";
    EXPECT_FALSE(db::Expr::compile(nested, kFields).isOk());
    std::string chain = "KOD = 1";
    for (int i = 0; i < 200000; ++i) chain += " and KOD = 1";
    EXPECT_FALSE(db::Expr::compile(chain, kFields).isOk());
    std::string fine = "KOD = 1";
    for (int i = 0; i < 1000; ++i) fine += " or KOD = " + std::to_string(i);
    auto e = db::Expr::compile(fine, kFields);
    ASSERT_TRUE(e.isOk());
    EXPECT_TRUE(e.value()->matches(ivanov()));
}

}  // namespace
