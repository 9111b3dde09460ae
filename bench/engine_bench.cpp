// The table engine against SQLite on the same data, in one run:
//   engine_bench [FOLDER] [--cards N] [--rows N] [--keep]
// (--keep leaves the folder; a kept folder is reused by the next --keep run)
// builds a data folder (DANN.DBF with the card's full field list, NAZN.DBF
// with assignment rows) and an SQLite file with the same rows (KOD indexed),
// times the same work on both and prints the ratios.
#include <sqlite3.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <ctime>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "base/date.h"
#include "base/number_format.h"
#include "bench_data.h"
#include "db/sql.h"
#include "db/table.h"
#include "db/table_ops.h"

namespace {

using Clock = std::chrono::steady_clock;

double msSince(Clock::time_point t0) {
    return std::chrono::duration<double, std::milli>(Clock::now() - t0).count();
}

// Processor time of the process (user + system), which a busy shared
// machine disturbs less than the wall clock.
double cpuMs() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

struct Timing {
    double wall = 1e300, cpu = 1e300;
};

// The best of `times` runs, wall and processor time taken separately.
template <class F>
Timing measure(int times, F&& f) {
    Timing b;
    for (int i = 0; i < times; ++i) {
        const auto t0 = Clock::now();
        const double c0 = cpuMs();
        f();
        b.cpu = std::min(b.cpu, cpuMs() - c0);
        b.wall = std::min(b.wall, msSince(t0));
    }
    return b;
}

[[noreturn]] void fail(const std::string& what) {
    std::fprintf(stderr, "engine_bench: %s\n", what.c_str());
    std::exit(1);
}

void check(const base::Status& st, const char* what) {
    if (!st) fail(std::string(what) + ": " + st.message());
}

// ---- our engine ---------------------------------------------------------------------

void fillRecord(db::Table& t, const bench::Row& row, const std::vector<bench::Column>& columns) {
    for (std::size_t i = 0; i < columns.size(); ++i) {
        const std::string& v = row[i];
        if (v.empty()) continue;
        const std::string& type = columns[i].sqlType;
        if (type == "INTEGER" || type.rfind("FLOAT", 0) == 0) check(t.setNumber(int(i), *base::parseNumber(v)), "set number");
        else if (type == "DATE") check(t.setDate(int(i), *base::Date::parse(v)), "set date");
        else check(t.setText(int(i), v), "set text");
    }
}

void fillTable(const std::string& path, int n, const std::function<bench::Row(int)>& make,
               const std::vector<bench::Column>& columns) {
    auto t = db::Table::open(path, db::OpenMode::Exclusive);
    if (!t) fail("open " + path + ": " + t.status().message());
    for (int i = 1; i <= n; ++i) {
        check(t.value()->append(), "append");
        fillRecord(*t.value(), make(i), columns);
        check(t.value()->post(), "post");
    }
}

// ---- SQLite ---------------------------------------------------------------------------

struct Lite {
    sqlite3* db = nullptr;
    explicit Lite(const std::string& file) {
        if (sqlite3_open(file.c_str(), &db) != SQLITE_OK) fail("sqlite open");
    }
    ~Lite() { sqlite3_close(db); }
    void exec(const std::string& sql) {
        char* err = nullptr;
        if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &err) != SQLITE_OK) fail("sqlite: " + std::string(err));
    }
    sqlite3_stmt* prepare(const std::string& sql) {
        sqlite3_stmt* s = nullptr;
        if (sqlite3_prepare_v2(db, sql.c_str(), -1, &s, nullptr) != SQLITE_OK) fail("sqlite prepare: " + sql);
        return s;
    }
};

std::string liteType(const std::string& t) {
    if (t == "INTEGER") return "INTEGER";
    if (t.rfind("FLOAT", 0) == 0) return "REAL";
    return "TEXT";
}

// Dates as yyyy-mm-dd so that text order is date order.
std::string liteDate(const std::string& v) {
    const auto d = base::Date::parse(v);
    if (!d || d->isEmpty()) return {};
    const std::string s = d->dbfText();
    return s.substr(0, 4) + "-" + s.substr(4, 2) + "-" + s.substr(6, 2);
}

void bindRow(sqlite3_stmt* s, const bench::Row& row, const std::vector<bench::Column>& columns) {
    sqlite3_reset(s);
    for (std::size_t i = 0; i < columns.size(); ++i) {
        const std::string& v = row[i];
        const std::string& type = columns[i].sqlType;
        const int at = int(i) + 1;
        if (v.empty()) sqlite3_bind_null(s, at);
        else if (type == "INTEGER") sqlite3_bind_int64(s, at, std::stoll(v));
        else if (type.rfind("FLOAT", 0) == 0) sqlite3_bind_double(s, at, std::stod(v));
        else if (type == "DATE") sqlite3_bind_text(s, at, liteDate(v).c_str(), -1, SQLITE_TRANSIENT);
        else sqlite3_bind_text(s, at, v.data(), int(v.size()), SQLITE_TRANSIENT);
    }
}

void liteTable(Lite& lite, const std::string& name, int n, const std::function<bench::Row(int)>& make,
               const std::vector<bench::Column>& columns) {
    std::string create = "CREATE TABLE " + name + " (", insert = "INSERT INTO " + name + " VALUES (";
    for (std::size_t i = 0; i < columns.size(); ++i) {
        create += (i ? ", " : "") + columns[i].name + " " + liteType(columns[i].sqlType);
        insert += i ? ", ?" : "?";
    }
    lite.exec(create + ")");
    lite.exec("BEGIN");
    sqlite3_stmt* s = lite.prepare(insert + ")");
    for (int i = 1; i <= n; ++i) {
        bindRow(s, make(i), columns);
        if (sqlite3_step(s) != SQLITE_DONE) fail("sqlite insert");
    }
    sqlite3_finalize(s);
    lite.exec("COMMIT");
}

// Runs a query and reads one column of every row; returns the row count.
int64_t liteQuery(Lite& lite, const std::string& sql, int column) {
    sqlite3_stmt* s = lite.prepare(sql);
    int64_t n = 0;
    std::size_t bytes = 0;
    while (sqlite3_step(s) == SQLITE_ROW) {
        bytes += std::size_t(sqlite3_column_bytes(s, column));
        (void)sqlite3_column_text(s, column);
        ++n;
    }
    sqlite3_finalize(s);
    return n + int64_t(bytes * 0);
}

int64_t ourQuery(db::SqlFolder& sql, const std::string& statement, int column) {
    auto r = sql.query(statement);
    if (!r) fail(statement + ": " + r.status().message());
    int64_t n = 0;
    std::size_t bytes = 0;
    for (r.value()->first(); !r.value()->eof(); r.value()->next()) {
        bytes += r.value()->text(column).size();
        ++n;
    }
    return n + int64_t(bytes * 0);
}

struct Line {
    std::string what;
    Timing ours, lite;
    double goal;  // ours/lite must not exceed this (0: no ratio goal)
    std::string note;
};

}  // namespace

int main(int argc, char** argv) {
    std::string folder;
    int cards = 20000, rows = 400000;
    bool keep = false;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--cards" && i + 1 < argc) cards = std::atoi(argv[++i]);
        else if (a == "--rows" && i + 1 < argc) rows = std::atoi(argv[++i]);
        else if (a == "--keep") keep = true;
        else folder = a;
    }
    if (folder.empty()) folder = (std::filesystem::temp_directory_path() / "kadry-bench").string();
    const bool reuse = keep && std::filesystem::exists(folder + "/DONE");
    if (!reuse) {
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
    }
    folder += "/";
    const std::string liteFile = folder + "bench.sqlite";
    if (reuse) {
        std::filesystem::copy_file(folder + "NAZN.KEEP", folder + "NAZN.DBF", std::filesystem::copy_options::overwrite_existing);
        std::filesystem::copy_file(folder + "lite.KEEP", liteFile, std::filesystem::copy_options::overwrite_existing);
        std::filesystem::remove(liteFile + "-wal");
        std::filesystem::remove(liteFile + "-shm");
    } else {

    std::printf("generating %d cards and %d assignment rows in %s\n", cards, rows, folder.c_str());
    const auto g0 = Clock::now();
    {
        db::SqlFolder sql(folder);
        auto c1 = sql.execute(bench::createStatement("DANN.DBF", bench::dannColumns()));
        if (!c1) fail(c1.status().message());
        auto c2 = sql.execute(bench::createStatement("NAZN.DBF", bench::naznColumns()));
        if (!c2) fail(c2.status().message());
    }
    fillTable(folder + "DANN.DBF", cards, bench::makeCard, bench::dannColumns());
    fillTable(folder + "NAZN.DBF", rows, [cards](int i) { return bench::makeAssignment(i, cards); },
              bench::naznColumns());
    {
        Lite lite(liteFile);
        lite.exec("PRAGMA journal_mode=WAL");
        liteTable(lite, "DANN", cards, bench::makeCard, bench::dannColumns());
        liteTable(lite, "NAZN", rows, [cards](int i) { return bench::makeAssignment(i, cards); }, bench::naznColumns());
        lite.exec("CREATE INDEX NAZN_KOD ON NAZN(KOD)");
        lite.exec("ANALYZE");
    }
    std::printf("generated in %.0f ms\n\n", msSince(g0));
    if (keep) {
        std::filesystem::copy_file(folder + "NAZN.DBF", folder + "NAZN.KEEP");
        std::filesystem::copy_file(liteFile, folder + "lite.KEEP");
        std::ofstream(folder + "DONE") << "generated\n";
    }
    }

    // Let the written data reach the disk and the machine settle, and time
    // tables as a data folder holds them: not written in the last seconds.
    ::sync();
    std::this_thread::sleep_for(std::chrono::milliseconds(2100));

    std::vector<Line> lines;
    const int fio = 6;  // FIO in DANN
    int64_t ourRows = 0, liteRows = 0;

    // 1. open + ordered select
    const Timing oSel = measure(3, [&] {
        db::SqlFolder sql(folder);
        ourRows = ourQuery(sql, "SELECT * FROM DANN.DBF WHERE METKA <> \"A\" ORDER BY FIO", fio);
    });
    const Timing lSel = measure(3, [&] {
        Lite lite(liteFile);
        liteRows = liteQuery(lite, "SELECT * FROM DANN WHERE METKA <> 'A' ORDER BY FIO", fio);
    });
    if (ourRows != liteRows) fail("ordered select: row counts differ");
    lines.push_back({"open + SELECT * FROM DANN WHERE METKA <> \"A\" ORDER BY FIO (" + std::to_string(ourRows) + " rows)",
                     oSel, lSel, 1.0, ""});

    // 2. 1,000 lookups by KOD
    std::vector<int> kods;
    for (int i = 0; i < 1000; ++i) kods.push_back(1 + int((uint64_t(i) * 7919u) % uint64_t(cards)));
    int64_t ourHits = 0, liteHits = 0;
    db::SqlFolder lookups(folder);
    const Timing oLook = measure(1, [&] {
        for (int k : kods) ourHits += ourQuery(lookups, "SELECT * FROM NAZN.DBF WHERE KOD = " + std::to_string(k), 2);
    });
    Lite liteLook(liteFile);
    const Timing lLook = measure(1, [&] {
        for (int k : kods) liteHits += liteQuery(liteLook, "SELECT * FROM NAZN WHERE KOD = " + std::to_string(k), 2);
    });
    if (ourHits != liteHits) fail("lookups: row counts differ");
    lines.push_back({"1,000 x SELECT * FROM NAZN WHERE KOD = n (" + std::to_string(ourHits) + " rows, first builds the hash)",
                     oLook, lLook, 2.0, ""});

    // 3. filtered full scan
    const Timing oScan = measure(3, [&] {
        db::SqlFolder sql(folder);
        ourRows = ourQuery(sql, "SELECT * FROM NAZN.DBF WHERE DOL1 > 9000 AND METKA = \"R\"", 0);
    });
    const Timing lScan = measure(3, [&] {
        liteRows = liteQuery(liteLook, "SELECT * FROM NAZN WHERE DOL1 > 9000 AND METKA = 'R'", 0);
    });
    if (ourRows != liteRows) fail("scan: row counts differ");
    lines.push_back({"SELECT * FROM NAZN WHERE DOL1 > 9000 AND METKA = \"R\" (" + std::to_string(ourRows) + " rows)", oScan,
                     lScan, 1.0, ""});

    // 4. 10,000 appends
    const int appends = 10000;
    Timing oApp, lApp;
    {
        auto t = db::Table::open(folder + "NAZN.DBF");
        if (!t) fail(t.status().message());
        oApp = measure(1, [&] {
            for (int i = 1; i <= appends; ++i) {
                check(t.value()->append(), "append");
                fillRecord(*t.value(), bench::makeAssignment(rows + i, cards), bench::naznColumns());
                check(t.value()->post(), "post");
            }
        });
    }
    {
        std::string insert = "INSERT INTO NAZN VALUES (";
        for (std::size_t i = 0; i < bench::naznColumns().size(); ++i) insert += i ? ", ?" : "?";
        lApp = measure(1, [&] {
        liteLook.exec("BEGIN");
        sqlite3_stmt* s = liteLook.prepare(insert + ")");
        for (int i = 1; i <= appends; ++i) {
            bindRow(s, bench::makeAssignment(rows + i, cards), bench::naznColumns());
            if (sqlite3_step(s) != SQLITE_DONE) fail("sqlite insert");
        }
        sqlite3_finalize(s);
        liteLook.exec("COMMIT");
        });
    }
    lines.push_back({"10,000 appends to NAZN (SQLite: one transaction)", oApp, lApp, 0,
                     std::to_string(int(appends / (oApp.wall / 1000.0))) + "/s wall, " +
                         std::to_string(int(appends / (oApp.cpu / 1000.0))) + "/s cpu (goal >= 50000/s)"});

    // 5. pack after deleting about a twelfth of the rows
    {
        db::SqlFolder sql(folder);
        auto d = sql.execute("DELETE FROM NAZN.DBF WHERE RAZR = 5");
        if (!d) fail(d.status().message());
        liteLook.exec("DELETE FROM NAZN WHERE RAZR = 5");
    }
    const Timing oPack = measure(1, [&] { check(db::packTable(folder + "NAZN.DBF"), "pack"); });
    const Timing lPack = measure(1, [&] { liteLook.exec("VACUUM"); });
    lines.push_back({"pack NAZN (SQLite: VACUUM)", oPack, lPack, 0, ""});

    std::printf("Times in ms, best of the runs; wall clock and processor time (user + system).\n");
    std::printf("Ratio = ours / SQLite by processor time (wall-clock ratio in brackets).\n\n");
    std::printf("%-84s %8s %8s %8s %8s %6s %8s  %s\n", "operation", "ours", "SQLite", "ours", "SQLite", "ratio",
                "(wall)", "goal");
    std::printf("%-84s %8s %8s %8s %8s\n", "", "wall", "wall", "cpu", "cpu");
    bool ok = true;
    for (const Line& l : lines) {
        const double ratio = l.ours.cpu / l.lite.cpu;
        std::string goal = l.note;
        if (l.goal > 0) {
            const bool met = ratio <= l.goal;
            ok = ok && met;
            char buf[64];
            std::snprintf(buf, sizeof buf, "<= %.1f %s", l.goal, met ? "met" : "MISSED");
            goal = buf;
        }
        std::printf("%-84s %8.1f %8.1f %8.1f %8.1f %6.2f (%6.2f)  %s\n", l.what.c_str(), l.ours.wall, l.lite.wall,
                    l.ours.cpu, l.lite.cpu, ratio, l.ours.wall / l.lite.wall, goal.c_str());
    }
    const double rate = appends / (std::min(oApp.wall, oApp.cpu) / 1000.0);
    if (rate < 50000) ok = false;
    std::printf("\n%s\n", ok ? "all goals met" : "some goals missed");
    if (!keep) std::filesystem::remove_all(folder);
    return 0;
}
