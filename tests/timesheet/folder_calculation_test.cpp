// The month's calculation on a small data folder: tables made with the
// table engine, the month's table checked through it.
#include <gtest/gtest.h>

#include <cstdlib>
#include <sys/wait.h>

#include "db/table.h"
#include "db/table_ops.h"
#include "support/temp_folder.h"
#include "test_text.h"
#include "timesheet/definitions.h"
#include "timesheet/folder_calculation.h"
#include "timesheet/folder_list_correction.h"

namespace {

using namespace timesheet;
using db::FieldType;
using testing_support::TempFolder;
using timesheet_test::cp;
using timesheet_test::utf;

using Row = std::vector<std::string>;  // utf-8 values in text form, one per field

void makeTable(const std::string& path, const db::FieldList& fields, const std::vector<Row>& rows) {
    ASSERT_TRUE(db::createTable(path, fields).isOk()) << path;
    auto t = db::Table::open(path, db::OpenMode::Exclusive);
    ASSERT_TRUE(t.isOk()) << t.status().message();
    for (const Row& r : rows) {
        ASSERT_TRUE((*t)->append().isOk());
        for (std::size_t i = 0; i < r.size(); ++i)
            if (!r[i].empty()) {
                ASSERT_TRUE((*t)->setText(int(i), cp(r[i])).isOk()) << fields[i].name << "=" << r[i];
            }
        ASSERT_TRUE((*t)->post().isOk());
    }
    ASSERT_TRUE((*t)->close().isOk());
}

db::FieldDef C(const char* n, int w) { return {n, FieldType::Character, w, 0}; }
db::FieldDef N(const char* n) { return {n, FieldType::Numeric, 11, 0}; }
db::FieldDef D(const char* n) { return {n, FieldType::Date, 8, 0}; }

// Field -> value of every live record, values in utf-8.
std::vector<std::map<std::string, std::string>> readAll(const std::string& path) {
    std::vector<std::map<std::string, std::string>> out;
    auto t = db::Table::open(path);
    EXPECT_TRUE(t.isOk()) << t.status().message();
    if (!t) return out;
    for ((*t)->first(); !(*t)->eof(); (*t)->next()) {
        std::map<std::string, std::string> row;
        for (std::size_t i = 0; i < (*t)->fields().size(); ++i) row[(*t)->fields()[i].name] = utf((*t)->text(int(i)));
        out.push_back(row);
    }
    return out;
}

const std::map<std::string, std::string>* rowOfKod(const std::vector<std::map<std::string, std::string>>& rows,
                                                   const std::string& kod) {
    for (const auto& r : rows)
        if (r.at("KOD") == kod) return &r;
    return nullptr;
}

// FORMUL is 60 wide here: the default row "020" is 51 characters long.
void writeDefinitions(const std::string& path, const std::vector<Definition>& defs) {
    std::vector<Row> rows;
    for (const Definition& d : defs)
        rows.push_back({utf(d.tab), utf(d.nameL), utf(d.nameS), d.wid, d.tip, utf(d.formul), d.metka});
    makeTable(path, {C("TAB", 3), C("NAMEL", 25), C("NAMES", 4), C("WID", 2), C("TIP", 1), C("FORMUL", 60), C("METKA", 1)},
              rows);
}

// June 2026 (the 1st is a Monday); holiday on Wednesday the 10th.
class DataFolder : public ::testing::Test {
protected:
    void SetUp() override {
        const db::FieldList dann = {N("KOD"), C("NOM", 5), N("LK"), C("FIO", 25), D("D_DOL"), C("B_KOD", 2), C("BB_K", 2),
                                    C("DWEE", 1), C("DLIT", 2), C("KAL", 2), D("NPD"), C("MET_T", 1), C("METKA", 1)};
        makeTable(dir.file("DANN.DBF"), dann,
                  {
                      {"1", "", "11", "Иванов И.И.", "01.03.2021", "01", "00", "5", "8", "0", "15.01.2020", "*", "R"},
                      {"2", "", "12", "Петров П.П.", "20.06.2026", "02", "00", "5", "8", "", "15.01.2020", "", "Y"},
                      {"3", "", "13", "Сидоров С.С.", "01.03.2021", "01", "00", "5", "8", "1", "10.06.2026", "", "R"},
                      {"4", "", "14", "Архивов А.А.", "01.03.2021", "01", "00", "5", "8", "0", "15.01.2020", "*", "A"},
                      {"5", "", "15", "Уволен Раньше", "10.05.2026", "02", "00", "5", "8", "0", "15.01.2020", "", "Y"},
                  });
        makeTable(dir.file("PRAZ.DBF"), {D("DATA"), C("NAME_P", 25)},
                  {{"10.06.2026", "Праздник"}, {"01.01.2026", "Новый год"}});
        db::FieldList kal = {N("NOM"), C("MET", 2), D("DATA"), C("PRAZ", 1)};
        Row cyclic = {"1", "4", "01.06.2026", ""};
        for (int d = 1; d <= 31; ++d) {
            kal.push_back(C(dayFieldName(d).c_str(), 4));
            cyclic.push_back(d % 4 == 1 || d % 4 == 2 ? "12" : "В#");
        }
        makeTable(dir.file("KAL.DBF"), kal, {cyclic});
        makeTable(dir.file("OTP.DBF"), {N("KOD"), D("DATA1"), D("DATA2"), C("OTPER", 20), C("OTP_P", 4), C("MET_T", 1)},
                  {{"1", "15.06.2026", "21.06.2026", "трудовой", "ОТ", "*"},
                   {"1", "20.07.2026", "25.07.2026", "трудовой", "ОТ", "*"},
                   {"1", "", "03.06.2026", "трудовой", "ОТ", "*"}});
        makeTable(dir.file("BOLL.DBF"), {N("KOD"), D("DATA1"), D("DATA2"), C("MET_T", 1)},
                  {{"2", "01.06.2026", "02.06.2026", "*"}});
        makeTable(dir.file("KOM.DBF"), {N("KOD"), D("DATA1"), D("DATA2"), C("MET_T", 1)},
                  {{"3", "29.06.2026", "05.07.2026", ""}});
        writeDefinitions(dir.file("TAB.DBF"), defaultDefinitions());
    }

    FolderCalcOptions options(const std::string& dept = "") const {
        FolderCalcOptions o;
        o.dataDir = dir.path();
        o.month = {2026, 6};
        o.department = cp(dept);
        return o;
    }

    TempFolder dir;
};

TEST_F(DataFolder, FullCalculationWritesTheMonthsTable) {
    auto report = calculateMonthInFolder(options());
    ASSERT_TRUE(report.isOk()) << utf(report.status().message());
    EXPECT_EQ(report->table, "T0626.DBF");
    EXPECT_EQ(report->employees, 3u);

    const auto rows = readAll(dir.file("T0626.DBF"));
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[0].at("FIO"), "Иванов И.И.");
    EXPECT_EQ(rows[0].at("LK"), "11");
    EXPECT_EQ(rows[0].at("B_KOD"), "01");
    EXPECT_EQ(rows[0].at("D09"), "7");
    EXPECT_EQ(rows[0].at("D10"), "П#");
    EXPECT_EQ(rows[0].at("D15"), "ОТ");
    EXPECT_EQ(rows[0].at("D20"), "ОТ");
    EXPECT_EQ(rows[0].at("D21"), "В#");
    EXPECT_EQ(rows[0].at("D30"), "8");
    EXPECT_EQ(rows[0].count("D31"), 0u);
    EXPECT_EQ(rows[0].at("R002"), "6");
    EXPECT_EQ(rows[0].at("R001"), "16");

    const auto* dismissed = rowOfKod(rows, "2");
    ASSERT_NE(dismissed, nullptr);
    EXPECT_EQ(dismissed->at("D01"), "БЛ");
    EXPECT_EQ(dismissed->at("D20"), "B#");
    EXPECT_EQ(dismissed->at("D21"), "");

    const auto* cyclic = rowOfKod(rows, "3");
    ASSERT_NE(cyclic, nullptr);
    EXPECT_EQ(cyclic->at("D09"), "");
    EXPECT_EQ(cyclic->at("D10"), "12");  // the 10th is cycle day 2 counted from the 1st; holidays ignored
    EXPECT_EQ(cyclic->at("D11"), "В#");
    EXPECT_EQ(cyclic->at("D29"), "КО");
    EXPECT_EQ(cyclic->at("D30"), "КО");

    EXPECT_EQ(rows[3].at("KOD"), "99999");
    EXPECT_EQ(rows[3].at("LK"), "99999");
    EXPECT_EQ(rows[3].at("FIO"), "итого:");
    EXPECT_EQ(rowOfKod(rows, "5"), nullptr);
    EXPECT_EQ(rowOfKod(rows, "4"), nullptr);

    // The marks of the cards and of the absences laid over the month are
    // emptied; an archived card and a vacation of another month keep theirs.
    const auto cards = readAll(dir.file("DANN.DBF"));
    EXPECT_EQ(cards[0].at("MET_T"), "");
    EXPECT_EQ(cards[3].at("MET_T"), "*");
    const auto vacations = readAll(dir.file("OTP.DBF"));
    EXPECT_EQ(vacations[0].at("MET_T"), "");
    EXPECT_EQ(vacations[1].at("MET_T"), "*");
    EXPECT_EQ(vacations[2].at("MET_T"), "*");  // blank start date: skipped
    EXPECT_EQ(readAll(dir.file("BOLL.DBF"))[0].at("MET_T"), "");
    EXPECT_FALSE(db::tableExists(dir.file("~T0626.DBF")));
}

TEST_F(DataFolder, FaultyLayoutLeavesTheOldTableAlone) {
    ASSERT_TRUE(calculateMonthInFolder(options()).isOk());
    std::vector<std::string> hooks;
    FolderCalcOptions o = options();
    o.beforeRun = [&] { hooks.push_back("begin"); };
    o.afterRun = [&] { hooks.push_back("end"); };
    auto defs = defaultDefinitions();
    defs.push_back({"001", "x", "x", "3", "R", "8/", "+"});
    ASSERT_TRUE(db::deleteTable(dir.file("TAB.DBF")).isOk());
    writeDefinitions(dir.file("TAB.DBF"), defs);
    auto report = calculateMonthInFolder(o);
    ASSERT_FALSE(report.isOk());
    EXPECT_NE(utf(report.status().message()).find("R001"), std::string::npos);
    EXPECT_EQ(readAll(dir.file("T0626.DBF")).size(), 4u);
    EXPECT_EQ(hooks, std::vector<std::string>{"begin"});  // no end hook without a new table
}

TEST_F(DataFolder, OldTableHeldElsewhereStopsTheRun) {
    ASSERT_TRUE(calculateMonthInFolder(options()).isOk());
    ASSERT_TRUE(db::deleteTable(dir.file("OTP.DBF")).isOk());
    makeTable(dir.file("OTP.DBF"), {N("KOD"), D("DATA1"), D("DATA2"), C("MET_T", 1)}, {{"1", "01.06.2026", "02.06.2026", "*"}});
    {
        auto held = db::Table::open(dir.file("T0626.DBF"), db::OpenMode::Shared);
        ASSERT_TRUE(held.isOk());
        auto report = calculateMonthInFolder(options());
        ASSERT_FALSE(report.isOk());
        EXPECT_EQ(report.status().message(), cp(" База блокирована "));
    }
    EXPECT_EQ(readAll(dir.file("OTP.DBF"))[0].at("MET_T"), "*");
    EXPECT_EQ(readAll(dir.file("T0626.DBF"))[0].at("D15"), "ОТ");

    // Another workstation is building the month's new table right now.
    ASSERT_TRUE(db::createTable(dir.file("~T0626.DBF"), {N("KOD")}).isOk());
    {
        auto building = db::Table::open(dir.file("~T0626.DBF"), db::OpenMode::Exclusive);
        ASSERT_TRUE(building.isOk());
        auto report = calculateMonthInFolder(options());
        ASSERT_FALSE(report.isOk());
        EXPECT_EQ(report.status().code(), base::Status::Code::Busy);
        EXPECT_NE(utf(report.status().message()).find("на другой станции"), std::string::npos);
    }
    EXPECT_EQ(readAll(dir.file("T0626.DBF"))[0].at("D15"), "ОТ");
}

TEST_F(DataFolder, DepartmentRunKeepsTheOtherDepartmentsRows) {
    ASSERT_TRUE(calculateMonthInFolder(options()).isOk());
    makeTable(dir.file("POD.DBF"), {C("B_KOD", 2), C("POD", 50)}, {{"01", "Первый"}, {"02", "Второй"}});
    EXPECT_EQ(calculateMonthInFolder(options("77")).status().code(), base::Status::Code::NotFound);
    {
        // Employee 1 has moved to department 02 since the last calculation.
        auto t = db::Table::open(dir.file("DANN.DBF"));
        ASSERT_TRUE(t.isOk());
        (*t)->first();
        ASSERT_TRUE((*t)->edit().isOk());
        ASSERT_TRUE((*t)->setText("B_KOD", "02").isOk());
        ASSERT_TRUE((*t)->post().isOk());
    }
    auto report = calculateMonthInFolder(options("02"));
    ASSERT_TRUE(report.isOk()) << utf(report.status().message());
    EXPECT_EQ(report->employees, 3u);
    const auto rows = readAll(dir.file("T0626.DBF"));
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rowOfKod(rows, "1")->at("B_KOD"), "02");
    EXPECT_NE(rowOfKod(rows, "1"), nullptr);
    EXPECT_NE(rowOfKod(rows, "2"), nullptr);
    EXPECT_NE(rowOfKod(rows, "3"), nullptr);
    EXPECT_EQ(rows.back().at("KOD"), "99999");
    EXPECT_FALSE(db::tableExists(dir.file("~T0626.DBF")));
}

TEST_F(DataFolder, MissingCalendarsAndDefinitionsUseTheDefaults) {
    ASSERT_TRUE(db::deleteTable(dir.file("KAL.DBF")).isOk());
    ASSERT_TRUE(db::deleteTable(dir.file("TAB.DBF")).isOk());
    auto report = calculateMonthInFolder(options());
    ASSERT_TRUE(report.isOk()) << utf(report.status().message());
    std::string notes;
    for (const auto& n : report->notes) notes += utf(n) + "\n";
    EXPECT_NE(notes.find("KAL.DBF"), std::string::npos) << notes;
    EXPECT_NE(notes.find("TAB.DBF"), std::string::npos) << notes;
    const auto* cyclic = rowOfKod(readAll(dir.file("T0626.DBF")), "3");
    ASSERT_NE(cyclic, nullptr);
    EXPECT_EQ(cyclic->at("D11"), "8");  // the working week instead of the calendar
}

TEST_F(DataFolder, SingleRowRecalculationInPlace) {
    ASSERT_TRUE(calculateMonthInFolder(options()).isOk());
    {
        auto t = db::Table::open(dir.file("T0626.DBF"));
        ASSERT_TRUE(t.isOk());
        (*t)->first();
        ASSERT_TRUE((*t)->edit().isOk());
        ASSERT_TRUE((*t)->setText("D02", "3").isOk());
        ASSERT_TRUE((*t)->post().isOk());
    }
    // A definition added after the table was built has no field: skipped.
    auto defs = defaultDefinitions();
    defs.push_back({"040", "x", "x", "3", "R", "8/", "+"});
    ASSERT_TRUE(db::deleteTable(dir.file("TAB.DBF")).isOk());
    writeDefinitions(dir.file("TAB.DBF"), defs);
    auto report = recalculateRowInFolder(dir.path(), {2026, 6}, 1);
    ASSERT_TRUE(report.isOk()) << utf(report.status().message());
    const auto rows = readAll(dir.file("T0626.DBF"));
    EXPECT_EQ(rows[0].at("D02"), "8");
    EXPECT_EQ(rows[0].at("R002"), "6");
    EXPECT_EQ(rows[3].at("R002"), "6");  // the totals row recomputed
    EXPECT_EQ(readAll(dir.file("DANN.DBF"))[0].at("MET_T"), "8");
    EXPECT_FALSE(recalculateRowInFolder(dir.path(), {2026, 6}, 77).isOk());
}

TEST_F(DataFolder, CommandLineCalculation) {
    const std::string cmd = std::string(KADRY_BIN) + " timesheet calc --data " + dir.path() + " --month 062026 > " +
                            dir.file("out.txt") + " 2>&1";
    const int rc = std::system(cmd.c_str());
    EXPECT_EQ(WEXITSTATUS(rc), 0) << dir.read("out.txt");
    EXPECT_NE(dir.read("out.txt").find("Расчет закончен"), std::string::npos) << dir.read("out.txt");
    EXPECT_EQ(readAll(dir.file("T0626.DBF")).size(), 4u);

    const std::string dump = std::string(KADRY_BIN) + " db dump " + dir.file("T0626.DBF") + " > " + dir.file("dump.txt");
    EXPECT_EQ(WEXITSTATUS(std::system(dump.c_str())), 0);
    const std::string text = dir.read("dump.txt");
    EXPECT_EQ(text.substr(0, text.find('\n')).find("KOD\tB_KOD\tBB_K\tNOM\tLK\tFIO\tD01\t"), 0u) << text;
    EXPECT_NE(text.find("\tD30\tR001\t"), std::string::npos) << text;
    EXPECT_NE(text.find("99999\t\t\t\t99999\tитого:\t"), std::string::npos) << text;

    const std::string bad = std::string(KADRY_BIN) + " timesheet calc --data " + dir.path() + " --month 132026 > " +
                            dir.file("bad.txt") + " 2>&1";
    EXPECT_NE(WEXITSTATUS(std::system(bad.c_str())), 0);
    EXPECT_NE(dir.read("bad.txt").find("Неверный расчетный месяц"), std::string::npos);

    TempFolder empty;
    const std::string none = std::string(KADRY_BIN) + " timesheet calc --data " + empty.path() + " --month 062026 > " +
                             dir.file("none.txt") + " 2>&1";
    EXPECT_NE(WEXITSTATUS(std::system(none.c_str())), 0);
    EXPECT_NE(dir.read("none.txt").find("нет таблицы сотрудников DANN.DBF"), std::string::npos) << dir.read("none.txt");
    EXPECT_FALSE(db::tableExists(empty.file("T0626.DBF")));
}

}  // namespace

namespace {

TEST_F(DataFolder, ListCorrectionAddsMissingEmployees) {
    ASSERT_TRUE(calculateMonthInFolder(options()).isOk());
    {
        auto t = db::Table::open(dir.file("DANN.DBF"));
        ASSERT_TRUE(t.isOk());
        (*t)->first();
        ASSERT_TRUE((*t)->edit().isOk());
        ASSERT_TRUE((*t)->setText("FIO", cp("Иванов-Новый И.И.")).isOk());
        ASSERT_TRUE((*t)->post().isOk());
        const std::pair<const char*, const char*> added[] = {{"6", "15.06.2026"}, {"7", "01.07.2026"}};
        for (const auto& [kod, npd] : added) {
            ASSERT_TRUE((*t)->append().isOk());
            (*t)->setText("KOD", kod);
            (*t)->setText("LK", std::string("2") + kod);
            (*t)->setText("FIO", cp("Новиков Н.Н."));
            (*t)->setText("METKA", "R");
            (*t)->setText("DWEE", "5");
            (*t)->setText("NPD", npd);
            ASSERT_TRUE((*t)->post().isOk());
        }
        ASSERT_TRUE((*t)->append().isOk());  // an empty card
        (*t)->setText("KOD", "8");
        ASSERT_TRUE((*t)->post().isOk());
    }
    {
        auto held = db::Table::open(dir.file("T0626.DBF"));
        auto report = correctListsInFolder(dir.path(), {2026, 6});
        ASSERT_FALSE(report.isOk());
        EXPECT_EQ(report.status().message(), cp(" База Табель блокирована "));
    }
    auto report = correctListsInFolder(dir.path(), {2026, 6});
    ASSERT_TRUE(report.isOk()) << utf(report.status().message());
    EXPECT_EQ(report->added, 1u);
    EXPECT_EQ(report->updated, 1u);
    EXPECT_EQ(report->cardsDeleted, 1u);
    const auto rows = readAll(dir.file("T0626.DBF"));
    ASSERT_EQ(rows.size(), 4u);  // three employees and the new one; the totals row is gone
    EXPECT_EQ(rowOfKod(rows, "99999"), nullptr);
    EXPECT_EQ(rowOfKod(rows, "1")->at("FIO"), "Иванов-Новый И.И.");
    EXPECT_EQ(rowOfKod(rows, "1")->at("D10"), "П#");  // day cells untouched
    const auto* added = rowOfKod(rows, "6");
    ASSERT_NE(added, nullptr);
    EXPECT_EQ(added->at("R001"), "12");
    EXPECT_EQ(added->at("LK"), "26");
    EXPECT_EQ(added->at("D15"), "");
    EXPECT_EQ(rowOfKod(rows, "7"), nullptr);
    EXPECT_EQ(readAll(dir.file("DANN.DBF")).size(), 7u);
    EXPECT_EQ(correctListsInFolder(dir.path(), {2026, 7}).status().code(), base::Status::Code::NotFound);
}

}  // namespace

namespace {

TEST_F(DataFolder, CardsHeldElsewhereAreReportedAndTheRunGoesOn) {
    // Another workstation takes the card table while the month is being
    // calculated: the month's table is still written, and the cards whose
    // mark could not be emptied are reported.
    std::unique_ptr<db::Table> held;
    FolderCalcOptions o = options();
    o.progress = [&](std::size_t, std::size_t, const Card&) {
        if (!held) {
            auto t = db::Table::open(dir.file("DANN.DBF"), db::OpenMode::Exclusive);
            EXPECT_TRUE(t.isOk()) << utf(t.status().message());
            if (t) held = std::move(*t);
        }
        return true;
    };
    auto report = calculateMonthInFolder(o);
    ASSERT_TRUE(report.isOk()) << utf(report.status().message());
    ASSERT_EQ(report->lockedCards.size(), 1u);
    EXPECT_EQ(utf(report->lockedCards[0]), "11 Иванов И.И.");
    held.reset();
    EXPECT_EQ(readAll(dir.file("T0626.DBF")).size(), 4u);
    EXPECT_EQ(readAll(dir.file("DANN.DBF"))[0].at("MET_T"), "*");
}

}  // namespace

#include "timesheet/folder_inputs.h"
#include "timesheet/monthly_norms.h"

namespace {

TEST_F(DataFolder, MonthlyNormsFromTheDataFoldersHolidays) {
    auto holidays = readHolidaysBetween(dir.path(), base::Date::fromYmd(2026, 1, 1), base::Date::fromYmd(2027, 1, 1));
    ASSERT_TRUE(holidays.isOk());
    const auto norms = monthlyNorms(2026, 5, 8, *holidays);
    EXPECT_EQ(norms[5].days, 21);  // the holiday on Wednesday 10 June
    EXPECT_EQ(norms[5].hours, 167);
    EXPECT_EQ(norms[0].days, 21);  // 1 January 2026, a Thursday; nothing shortened
    EXPECT_EQ(norms[0].hours, 168);
}

}  // namespace

namespace {

void setCardField(const TempFolder& dir, const char* field, const std::string& utf8) {
    auto t = db::Table::open(dir.file("DANN.DBF"));
    ASSERT_TRUE(t.isOk());
    (*t)->first();
    ASSERT_TRUE((*t)->edit().isOk());
    ASSERT_TRUE((*t)->setText(field, cp(utf8)).isOk());
    ASSERT_TRUE((*t)->post().isOk());
}

TEST_F(DataFolder, ValuesThatDoNotFitAreNeverCut) {
    // NOM is 3 characters in the month's table (the default definition).
    setCardField(dir, "NOM", "12");
    ASSERT_TRUE(calculateMonthInFolder(options()).isOk());
    EXPECT_EQ(readAll(dir.file("T0626.DBF"))[0].at("NOM"), "12");

    // In place the field cannot grow: the value is reported, not cut.
    setCardField(dir, "NOM", "12345");
    auto single = recalculateRowInFolder(dir.path(), {2026, 6}, 1);
    ASSERT_TRUE(single.isOk()) << utf(single.status().message());
    std::string notes;
    for (const auto& n : single->notes) notes += utf(n) + "\n";
    EXPECT_NE(notes.find("\"12345\" не помещается в поле NOM"), std::string::npos) << notes;
    EXPECT_EQ(readAll(dir.file("T0626.DBF"))[0].at("NOM"), "12");

    // A new table gets a wider field instead.
    auto full = calculateMonthInFolder(options());
    ASSERT_TRUE(full.isOk());
    notes.clear();
    for (const auto& n : full->notes) notes += utf(n) + "\n";
    EXPECT_NE(notes.find("Поле NOM расширено до 5"), std::string::npos) << notes;
    EXPECT_EQ(readAll(dir.file("T0626.DBF"))[0].at("NOM"), "12345");
}

}  // namespace
