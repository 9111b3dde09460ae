#include "org/timesheet_total.h"
#include "org/unit_choice.h"
#include "org/unit_codes.h"
#include "org/units.h"
#include "org_fixture.h"

using namespace org;
using org_test::cp;
using org_test::OrgData;
using org_test::u8;

namespace {

TEST(UnitCodes, FreeCodeIsTheFirstGapFrom01) {
    struct Case {
        std::vector<std::string> used;
        std::string expected;
    } cases[] = {
        {{}, "01"},
        {{"01", "02", "03", "04", "05"}, "06"},
        {{"01", "03", "04", "05"}, "02"},  // "02" was deleted
        {{"1", "01 "}, "02"},              // stored blanks do not hide a taken code
    };
    for (const Case& c : cases) EXPECT_EQ(proposeFreeCode(c.used), c.expected);
    std::vector<std::string> all;
    for (int n = 1; n <= 99; ++n) all.push_back((n < 10 ? "0" : "") + std::to_string(n));
    EXPECT_EQ(proposeFreeCode(all), "");
}

TEST(UnitCodes, CodesAreTwoCharactersWithoutBlanks) {
    for (const char* good : {"01", "99", "A1"}) EXPECT_TRUE(isValidUnitCode(good)) << good;
    for (const char* bad : {"", "1", "123", " 1", "1 ", "  "}) EXPECT_FALSE(isValidUnitCode(bad)) << bad;
}

TEST(UnitCodes, ListEntriesAreComparedWhole) {
    EXPECT_TRUE(codeInList("01", "01/03/"));
    EXPECT_TRUE(codeInList("03", "01/03/"));
    EXPECT_FALSE(codeInList("02", "01/03/"));
    EXPECT_FALSE(codeInList("1", "01/"));      // a substring search would accept it
    EXPECT_FALSE(codeInList("10", "01/0"));    // nor this one across entries
    EXPECT_FALSE(codeInList("03", "01/03"));   // an unterminated tail is no entry
    EXPECT_TRUE(codeInList("1", "1 /"));
}

TEST(UnitChoice, RestrictionAndChosenGroupsFilterTheDepartments) {
    const std::vector<Unit> all = {{1, "A", "01", "01"}, {2, "B", "02", "02"}, {3, "C", "03", "03"}, {4, "D", "04", "01"}};
    auto codes = [](const std::vector<Unit>& units) {
        std::string s;
        for (const Unit& u : units) s += u.code + " ";
        return s;
    };
    EXPECT_EQ(codes(visibleDepartments(all, "", "")), "01 02 03 04 ");
    EXPECT_EQ(codes(visibleDepartments(all, "01/", "")), "01 04 ");
    EXPECT_EQ(codes(visibleDepartments(all, "", "02/03/")), "02 03 ");
    EXPECT_EQ(codes(visibleDepartments(all, "01/03/", "02/03/")), "03 ");
}

TEST(UnitChoice, NothingMarkedChoosesTheCurrentRow) {
    std::vector<Unit> shown = {{1, cp("Склад "), "06", "03"}, {2, cp("Цех"), "04", "02"}, {3, cp("Касса"), "09", "01"}};
    UnitChoice choice;
    chooseDepartments(choice, chosenUnits(shown, 1));
    EXPECT_EQ(u8(choice.names), "Цех/");
    EXPECT_EQ(choice.codes, "0402/");
    shown[2].marked = shown[0].marked = true;
    chooseDepartments(choice, chosenUnits(shown, 1));
    EXPECT_EQ(u8(choice.names), "Склад/Касса/");  // marked rows, in table order
    EXPECT_EQ(choice.codes, "0603/0901/");
    EXPECT_TRUE(chosenUnits({}, 0).empty());

    const std::vector<Unit> groups = {{1, cp(" Управление "), "01", ""}, {2, cp("Производство"), "02", ""}};
    chooseGroups(choice, chosenUnits(groups, 1));
    EXPECT_EQ(choice.groupCodes, "02/");
    EXPECT_EQ(u8(choice.caption), "Производство");
}

TEST(UnitChoice, Modes) {
    for (const char* m : {"kao", "kag", "d", "pkao", "pkag"}) EXPECT_TRUE(opensCardFile(m)) << m;
    for (const char* m : {"proo", "tao", ""}) EXPECT_FALSE(opensCardFile(m)) << m;
    EXPECT_TRUE(opensTimesheet("tao"));
    EXPECT_TRUE(showsGroupsFirst("kag"));
    EXPECT_FALSE(showsGroupsFirst("kao"));
    EXPECT_EQ(modeAfterGroups("kag"), "kao");
    EXPECT_EQ(modeAfterGroups("pkag"), "pkao");
    EXPECT_EQ(modeAfterGroups("tag"), "tag");
}

class Units : public OrgData {
protected:
    void SetUp() override {
        OrgData::SetUp();
        group("01", "Управление");
        group("02", "Производство");
        department("01", "01", "Администрация");
        department("03", "01", "Отдел кадров");
        department("04", "02", "Цех");
        card(1, "03", "01", "Отдел кадров");
        card(2, "03", "01", "Отдел кадров");
        card(3, "04", "02", "Цех");
        card(4, "01", "01", "Администрация");
    }
    Unit unit(UnitKind kind, const std::string& code) {
        auto units = loadUnits(ctx, kind);
        EXPECT_TRUE(units.isOk());
        for (const Unit& u : *units)
            if (u.code == code) return u;
        ADD_FAILURE() << "no unit " << code;
        return {};
    }
    SaveOutcome edit(const std::string& code, const std::string& name, const std::string& newCode,
                     const std::string& newGroup) {
        return saveUnit(ctx, UnitKind::Department, {unit(UnitKind::Department, code), cp(name), newCode, newGroup});
    }
    std::vector<std::string> cards() { return rows("Select KOD, POD, B_KOD, BB_K From DANN.DBF"); }
};

TEST_F(Units, RenamingADepartmentRewritesExactlyItsCards) {
    msgs.answers = {1};
    EXPECT_EQ(edit("03", "Кадры", "07", "01"), SaveOutcome::Saved);
    EXPECT_EQ(msgs.lines, (std::vector<std::string>{"QUESTION: Вы меняете наименование отдела | Весь отдел будет | переименован"}));
    EXPECT_EQ(cards(), (std::vector<std::string>{"1|Кадры|07|01", "2|Кадры|07|01", "3|Цех|04|02", "4|Администрация|01|01"}));
    EXPECT_EQ(rows("Select POD, B_KOD, BB_K From POD.DBF"),
              (std::vector<std::string>{"Администрация|01|01", "Кадры|07|01", "Цех|04|02"}));
}

TEST_F(Units, MovingADepartmentRewritesTheGroupOfItsCards) {
    msgs.answers = {1};
    EXPECT_EQ(edit("03", "Отдел кадров", "03", "02"), SaveOutcome::Saved);
    EXPECT_EQ(msgs.lines,
              (std::vector<std::string>{"QUESTION: Вы меняете существующий номер группы | Весь отдел будет | перемещен в новую группу"}));
    EXPECT_EQ(cards(), (std::vector<std::string>{"1|Отдел кадров|03|02", "2|Отдел кадров|03|02", "3|Цех|04|02",
                                                 "4|Администрация|01|01"}));
}

TEST_F(Units, MovingAndRecodingInOneEditSelectsTheCardsByTheOldCode) {
    card(5, "08", "01", "Без отдела");  // stray cards under the code typed would have moved
    msgs.answers = {1, 1};
    EXPECT_EQ(edit("03", "Отдел кадров", "09", "02"), SaveOutcome::Saved);
    EXPECT_EQ(cards(), (std::vector<std::string>{"1|Отдел кадров|09|02", "2|Отдел кадров|09|02", "3|Цех|04|02",
                                                 "4|Администрация|01|01", "5|Без отдела|08|01"}));
}

TEST_F(Units, AnsweringNoChangesNothingAndKeepsThePanel) {
    for (std::deque<int> answers : {std::deque<int>{2}, std::deque<int>{1, 2}}) {
        msgs.answers = answers;
        EXPECT_EQ(edit("03", "Кадры", "07", "02"), SaveOutcome::Declined);
    }
    EXPECT_EQ(cards()[0], "1|Отдел кадров|03|01");
    EXPECT_EQ(rows("Select B_KOD, BB_K From POD.DBF WHERE B_KOD = \"03\""), (std::vector<std::string>{"03|01"}));
}

TEST_F(Units, BadAndDuplicateCodesAreRefused) {
    struct Case {
        std::string code, group, message;
    } cases[] = {
        {"04", "01", "SOOB:  Код 04 уже занят  |  другим отделом  | "},
        {"7", "01", "SOOB:  Код должен состоять  |  из двух символов  | \"7\""},
        {"071", "01", "SOOB:  Код должен состоять  |  из двух символов  | \"071\""},
        {"07", "1", "SOOB:  Код группы должен  |  состоять из двух символов  | \"1\""},
        {"07", "05", "SOOB:  Группа 05 не найдена  |  | "},
    };
    for (const Case& c : cases) {
        msgs.lines.clear();
        msgs.answers = {1, 1};
        EXPECT_EQ(edit("03", "Кадры", c.code, c.group), SaveOutcome::Refused) << c.code;
        EXPECT_EQ(msgs.lines, (std::vector<std::string>{c.message})) << c.code;
        msgs.lines.clear();
        EXPECT_EQ(saveUnit(ctx, UnitKind::Department, {std::nullopt, "X", c.code, c.group}), SaveOutcome::Refused);
    }
    card(6, "08", "01", "Без отдела");
    msgs.lines.clear();
    EXPECT_EQ(edit("03", "Отдел кадров", "08", "01"), SaveOutcome::Refused);
    EXPECT_EQ(msgs.lines.at(0), "SOOB:  В картотеке есть сотрудники  |  с кодом отдела 08 |  Смена кода невозможна ");
    EXPECT_EQ(rows("Select B_KOD From POD.DBF"), (std::vector<std::string>{"01", "03", "04"}));
    EXPECT_EQ(cards()[0], "1|Отдел кадров|03|01");
}

TEST_F(Units, AddingAppendsWithTheProposedCode) {
    auto units = loadUnits(ctx, UnitKind::Department);
    ASSERT_TRUE(units.isOk());
    EXPECT_EQ(proposeCode(*units), "02");
    EXPECT_EQ(saveUnit(ctx, UnitKind::Department, {std::nullopt, cp(" Склад "), "02", "02"}), SaveOutcome::Saved);
    EXPECT_EQ(rows("Select POD, B_KOD, BB_K From POD.DBF WHERE B_KOD = \"02\""), (std::vector<std::string>{"Склад|02|02"}));
    EXPECT_EQ(saveUnit(ctx, UnitKind::Department, {std::nullopt, "  ", "05", "02"}), SaveOutcome::Refused);
    EXPECT_EQ(msgs.lines.back(), "SOOB:  Не указано наименование  |  | ");
    EXPECT_TRUE(msgs.lines.size() == 1);
}

TEST_F(Units, AGroupKeepsItsCodeAndRefusesDuplicates) {
    EXPECT_EQ(saveUnit(ctx, UnitKind::Group, {unit(UnitKind::Group, "02"), cp("Цеха"), "09", ""}), SaveOutcome::Saved);
    EXPECT_EQ(rows("Select BPOD, BB_K From BPOD.DBF"), (std::vector<std::string>{"Управление|01", "Цеха|02"}));
    EXPECT_EQ(saveUnit(ctx, UnitKind::Group, {std::nullopt, "X", "01", ""}), SaveOutcome::Refused);
    EXPECT_EQ(msgs.lines.back(), "SOOB:  Код 01 уже занят  |  другой группой  | ");
    EXPECT_EQ(saveUnit(ctx, UnitKind::Group, {std::nullopt, cp("Склады"), "03", ""}), SaveOutcome::Saved);
    EXPECT_EQ(rows("Select BB_K From BPOD.DBF").size(), 3u);
}

TEST_F(Units, DeleteGuards) {
    EXPECT_FALSE(deleteUnit(ctx, UnitKind::Department, unit(UnitKind::Department, "03")));
    EXPECT_EQ(msgs.lines.back(), "SOOB:  В данном отделе  |  есть сотрудники  |  Удаление невозможно! ");
    group("03", "Пустая");
    department("05", "03", "Новый");
    EXPECT_FALSE(deleteUnit(ctx, UnitKind::Group, unit(UnitKind::Group, "03")));
    EXPECT_EQ(msgs.lines.back(), "SOOB:  В данной группе  |  есть отделы  |  Удаление невозможно! ");
    EXPECT_TRUE(deleteUnit(ctx, UnitKind::Department, unit(UnitKind::Department, "05")));
    EXPECT_TRUE(deleteUnit(ctx, UnitKind::Group, unit(UnitKind::Group, "03")));
    // A group whose cards remain although its departments are gone.
    card(7, "06", "02", "Бывший");
    run("DELETE FROM POD.DBF WHERE BB_K = \"02\"");
    EXPECT_FALSE(deleteUnit(ctx, UnitKind::Group, unit(UnitKind::Group, "02")));
    EXPECT_EQ(msgs.lines.back(), "SOOB:  В данном отделе  |  есть сотрудники  |  Удаление невозможно! ");
    EXPECT_EQ(rows("Select B_KOD From POD.DBF"), (std::vector<std::string>{"01", "03"}));
    EXPECT_EQ(rows("Select BB_K From BPOD.DBF"), (std::vector<std::string>{"01", "02"}));
    auto units = loadUnits(ctx, UnitKind::Department);
    EXPECT_EQ(proposeCode(*units), "02");
}

TEST_F(Units, MarksToggleAndOpeningClearsBothTables) {
    const Unit a = unit(UnitKind::Department, "01"), c = unit(UnitKind::Department, "04");
    ASSERT_TRUE(toggleMarks(ctx, UnitKind::Department, {a.recNo, c.recNo}));
    ASSERT_TRUE(toggleMarks(ctx, UnitKind::Group, {unit(UnitKind::Group, "02").recNo}));
    EXPECT_EQ(rows("Select B_KOD, COLOR From POD.DBF"), (std::vector<std::string>{"01|1", "03|", "04|1"}));
    ASSERT_TRUE(toggleMarks(ctx, UnitKind::Department, {a.recNo}));
    EXPECT_EQ(rows("Select B_KOD, COLOR From POD.DBF"), (std::vector<std::string>{"01|", "03|", "04|1"}));
    ASSERT_TRUE(clearAllMarks(ctx));
    EXPECT_EQ(rows("Select COLOR From POD.DBF"), (std::vector<std::string>{"", "", ""}));
    EXPECT_EQ(rows("Select COLOR From BPOD.DBF"), (std::vector<std::string>{"", ""}));
}

}  // namespace

namespace {

TEST_F(OrgData, TimesheetTotalRowTakesTheFirstChosenDepartment) {
    run("CREATE TABLE T1226.DBF (KOD INTEGER, LK INTEGER, FIO CHARACTER(30), B_kod CHARACTER(2), Bb_k CHARACTER(2))");
    run("INSERT INTO T1226.DBF (KOD, LK, FIO, B_kod, Bb_k) VALUES (1, 1001, \"A\", \"03\", \"01\")");
    ASSERT_TRUE(org::prepareTimesheetTotal(data.file("T1226.DBF"), "0402/0301/"));
    EXPECT_EQ(rows("Select KOD, LK, FIO, B_kod, Bb_k From T1226.DBF"),
              (std::vector<std::string>{"1|1001|A|03|01", "99999|99999|итого:|04|02"}));
    ASSERT_TRUE(org::prepareTimesheetTotal(data.file("T1226.DBF"), "07"));  // shorter than three: the group is "07" too
    EXPECT_EQ(rows("Select KOD, B_kod, Bb_k From T1226.DBF"), (std::vector<std::string>{"1|03|01", "99999|07|07"}));
    EXPECT_FALSE(org::prepareTimesheetTotal(data.file("T0127.DBF"), "0402/"));
}

}  // namespace
