// bench_timesheet [FOLDER]: builds a data folder of 20,000 cards and 600,000
// vacation, sick-leave and trip rows (once; kept in FOLDER, default
// /tmp/kadry-bench-timesheet), then times
//   - one sequential read of DANN, KOM, OTP, BOLL, PRAZ, KAL and TAB
//     through the engine, decoding every field of every record, and
//   - the full calculation of June 2026 (read, calculate, write T0626.DBF,
//     clear the marks),
// and prints both times and their ratio (goal: at most 3), and for
// reference the ratio to a raw scan that decodes nothing.
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <random>
#include <string>

#include "base/cp_literal.h"
#include "db/dbf_values.h"
#include "db/table.h"
#include "db/table_ops.h"
#include "timesheet/definitions.h"
#include "timesheet/folder_calculation.h"
#include "timesheet/folder_inputs.h"
#include "timesheet/month_calculation.h"
#include "timesheet/month_table.h"

namespace {

using db::FieldType;
using Clock = std::chrono::steady_clock;

constexpr int kCards = 20000;
constexpr int kAbsencesPerTable = 200000;

db::FieldDef C(const char* n, int w) { return {n, FieldType::Character, w, 0}; }
db::FieldDef N(const char* n) { return {n, FieldType::Numeric, 11, 0}; }
db::FieldDef D(const char* n) { return {n, FieldType::Date, 8, 0}; }

void check(const base::Status& s, const char* what) {
    if (!s) {
        std::fprintf(stderr, "%s: %s\n", what, base::cp1251ToUtf8(s.message()).c_str());
        std::exit(1);
    }
}

std::unique_ptr<db::Table> create(const std::string& path, const db::FieldList& fields) {
    check(db::createTable(path, fields), path.c_str());
    auto t = db::Table::open(path, db::OpenMode::Exclusive);
    check(t.status(), path.c_str());
    return std::move(*t);
}

void makeCards(const std::string& dir, std::mt19937& rng) {
    auto t = create(dir + "DANN.DBF", {N("KOD"), C("NOM", 5), N("LK"), C("FIO", 25), D("D_DOL"), C("B_KOD", 2),
                                       C("BB_K", 2), C("DWEE", 1), C("DLIT", 2), C("KAL", 2), D("NPD"),
                                       C("MET_T", 1), C("METKA", 1), C("DOL", 40), C("DA1", 60)});
    const base::Date base = base::Date::fromYmd(2015, 1, 1);
    for (int i = 1; i <= kCards; ++i) {
        check(t->append(), "append");
        t->setNumber(0, i);
        t->setNumber(2, 1000 + i);
        t->setText(3, "Сотрудник "_cp + std::to_string(i));
        const bool dismissed = i % 25 == 0;
        t->setDate(4, dismissed ? base::Date::fromYmd(2026, 6, 1 + int(rng() % 30)) : base.addDays(int(rng() % 3000)));
        t->setText(5, std::to_string(10 + i % 40));
        t->setText(6, "00");
        t->setText(7, i % 7 == 0 ? "6" : "5");
        t->setText(8, "8");
        t->setText(9, i % 10 == 0 ? "1" : "0");
        t->setDate(10, i % 50 == 0 ? base::Date::fromYmd(2026, 6, 1 + int(rng() % 30)) : base.addDays(int(rng() % 4000)));
        t->setText(11, i % 100 == 0 ? "*" : "");
        t->setText(12, dismissed ? "Y" : i % 33 == 0 ? "A" : "R");
        t->setText(13, "Инженер"_cp);
        t->setText(14, "г. Город, ул. Улица, д. "_cp + std::to_string(i % 200));
        check(t->post(), "post");
    }
    check(t->close(), "close");
}

void makeAbsences(const std::string& path, bool vacation, std::mt19937& rng) {
    db::FieldList fields = {N("KOD"), D("DATA1"), D("DATA2"), N("KOL_D"), C("MET_T", 1)};
    if (vacation) {
        fields.push_back(C("OTPER", 20));
        fields.push_back(C("OTP_P", 4));
    }
    auto t = create(path, fields);
    const base::Date from = base::Date::fromYmd(2024, 1, 1);
    for (int i = 0; i < kAbsencesPerTable; ++i) {
        check(t->append(), "append");
        const base::Date start = from.addDays(int(rng() % 1000));
        const int days = 1 + int(rng() % 20);
        t->setNumber(0, 1 + int(rng() % kCards));
        t->setDate(1, start);
        t->setDate(2, start.addDays(days - 1));
        t->setNumber(3, days);
        t->setText(4, i % 50 == 0 ? "*" : "");
        if (vacation) {
            t->setText(5, i % 3 == 0 ? "дополнительный"_cp : "трудовой"_cp);
            t->setText(6, i % 3 == 0 ? "ДО"_cp : "ОТ"_cp);
        }
        check(t->post(), "post");
    }
    check(t->close(), "close");
}

void makeReferences(const std::string& dir) {
    auto praz = create(dir + "PRAZ.DBF", {D("DATA"), C("NAME_P", 25)});
    for (int m = 1; m <= 12; ++m) {
        check(praz->append(), "append");
        praz->setDate(0, base::Date::fromYmd(2026, m, 12));
        praz->setText(1, "Праздник"_cp);
        check(praz->post(), "post");
    }
    check(praz->close(), "close");
    db::FieldList kalFields = {N("NOM"), C("MET", 2), D("DATA"), C("PRAZ", 1)};
    for (int d = 1; d <= 31; ++d) kalFields.push_back(C(timesheet::dayFieldName(d).c_str(), 4));
    auto kal = create(dir + "KAL.DBF", kalFields);
    check(kal->append(), "append");
    kal->setNumber(0, 1);
    kal->setText(1, "4");
    kal->setText(3, "*");
    for (int d = 1; d <= 31; ++d) kal->setText(3 + d, d % 4 < 2 ? "12" : "В#"_cp);
    check(kal->post(), "post");
    check(kal->close(), "close");
    auto tab = create(dir + "TAB.DBF", {C("TAB", 3), C("NAMEL", 25), C("NAMES", 4), C("WID", 2), C("TIP", 1),
                                        C("FORMUL", 60), C("METKA", 1)});
    for (const timesheet::Definition& d : timesheet::defaultDefinitions()) {
        check(tab->append(), "append");
        const std::string values[] = {d.tab, d.nameL, d.nameS, d.wid, d.tip, d.formul, d.metka};
        for (int i = 0; i < 7; ++i) tab->setText(i, values[i]);
        check(tab->post(), "post");
    }
    check(tab->close(), "close");
}

void makeFolder(const std::string& dir) {
    std::filesystem::create_directories(dir);
    std::mt19937 rng(2026);
    makeCards(dir, rng);
    makeAbsences(dir + "KOM.DBF", false, rng);
    makeAbsences(dir + "OTP.DBF", true, rng);
    makeAbsences(dir + "BOLL.DBF", false, rng);
    makeReferences(dir);
}

// One pass over a table decoding every field of every record.
std::size_t readTable(const std::string& path) {
    auto t = db::Table::open(path);
    check(t.status(), path.c_str());
    const db::FieldList fields = (*t)->fields();
    std::size_t bytes = 0;
    check((*t)->scan([&](int64_t, const db::RecordView& r) {
        for (std::size_t i = 0; i < fields.size(); ++i) bytes += db::fieldText(fields[i], r.rawField(int(i))).size();
        return true;
    }),
          path.c_str());
    return bytes;
}

// One pass over a table touching every record without decoding it.
std::size_t scanTable(const std::string& path) {
    auto t = db::Table::open(path);
    check(t.status(), path.c_str());
    std::size_t records = 0;
    check((*t)->scan([&](int64_t, const db::RecordView& r) {
        records += r.rawField(0).empty() ? 0 : 1;
        return true;
    }),
          path.c_str());
    return records;
}

double seconds(Clock::time_point from) { return std::chrono::duration<double>(Clock::now() - from).count(); }

}  // namespace

int main(int argc, char** argv) {
    const std::string dir = (argc > 1 ? std::string(argv[1]) : std::string("/tmp/kadry-bench-timesheet")) + "/";
    if (!db::tableExists(dir + "TAB.DBF")) {
        std::printf("building the data folder %s ...\n", dir.c_str());
        const auto t0 = Clock::now();
        makeFolder(dir);
        std::printf("built in %.2f s\n", seconds(t0));
    }
    // Warm the page cache once so both measurements read from memory.
    for (const char* name : {"DANN.DBF", "KOM.DBF", "OTP.DBF", "BOLL.DBF"}) readTable(dir + name);

    const auto r0 = Clock::now();
    std::size_t bytes = 0;
    for (const char* name : {"DANN.DBF", "KOM.DBF", "OTP.DBF", "BOLL.DBF", "PRAZ.DBF", "KAL.DBF", "TAB.DBF"})
        bytes += readTable(dir + name);
    const double read = seconds(r0);

    const auto s0 = Clock::now();
    std::size_t records = 0;
    for (const char* name : {"DANN.DBF", "KOM.DBF", "OTP.DBF", "BOLL.DBF", "PRAZ.DBF", "KAL.DBF", "TAB.DBF"})
        records += scanTable(dir + name);
    const double scan = seconds(s0);

    // Phases of the calculation, for the curious.
    const auto layout = timesheet::buildMonthLayout(timesheet::defaultDefinitions(), 30);
    const auto p0 = Clock::now();
    auto inputs = timesheet::readMonthInputs(dir, {2026, 6}, {}, layout.value());
    check(inputs.status(), "inputs");
    const double readInputs = seconds(p0);
    const auto p1 = Clock::now();
    const auto rows = timesheet::MonthCalculation(layout.value(), inputs.value()).calculateAll();
    const double compute = seconds(p1);
    const auto p2 = Clock::now();
    check(timesheet::writeMonthTable(dir + "~BENCH.DBF", rows.layout, rows.rows), "write");
    const double write = seconds(p2);
    check(db::deleteTable(dir + "~BENCH.DBF"), "delete");

    timesheet::FolderCalcOptions options;
    options.dataDir = dir;
    options.month = {2026, 6};
    const auto c0 = Clock::now();
    auto report = timesheet::calculateMonthInFolder(options);
    const double calc = seconds(c0);
    check(report.status(), "calculation");

    std::printf("sequential read of the tables: %.3f s (%zu bytes of text)\n", read, bytes);
    std::printf("full calculation (%zu employees): %.3f s\n", report->employees, calc);
    std::printf("  of which: reading the inputs %.3f s, calculating %zu rows in memory %.3f s, writing them %.3f s\n",
                readInputs, rows.rows.size(), compute, write);
    std::printf("raw scan of the tables without decoding: %.3f s (%zu records)\n", scan, records);
    std::printf("ratio calculation / read: %.2f (goal <= 3)\n", calc / read);
    std::printf("ratio calculation / raw scan: %.2f\n", calc / scan);
    return 0;
}
