// The card file on a large data folder:
//   records_bench [--cards N]
// builds DANN.DBF (the card's full field list) and NAZN.DBF with N cards and
// times what a user waits for: opening the card file, moving the cursor
// (which queries the card's assignment rows), one incremental search
// keystroke and a column sort. The goal for each is 50 ms.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

#include "app/bootstrap.h"
#include "app/catalogue.h"
#include "app/field_dictionary.h"
#include "base/cp_literal.h"
#include "base/number_format.h"
#include "bench_data.h"
#include "db/sql.h"
#include "db/table.h"
#include "records/assignments.h"
#include "records/card_list.h"
#include "records/card_list_model.h"
#include "ui/recording_messages.h"

namespace {

using Clock = std::chrono::steady_clock;

double msSince(Clock::time_point t0) { return std::chrono::duration<double, std::milli>(Clock::now() - t0).count(); }

[[noreturn]] void fail(const std::string& what) {
    std::fprintf(stderr, "records_bench: %s\n", what.c_str());
    std::exit(1);
}

void fill(const std::string& path, int n, bench::Row (*make)(int, int), const std::vector<bench::Column>& columns,
          int cards) {
    auto t = db::Table::open(path, db::OpenMode::Exclusive);
    if (!t) fail("open " + path);
    for (int i = 1; i <= n; ++i) {
        if (!(*t)->append()) fail("append");
        const auto row = make(i, cards);
        for (size_t c = 0; c < row.size() && c < columns.size(); ++c) {
            if (row[c].empty()) continue;
            const auto& type = columns[c].sqlType;
            if (type == "INTEGER" || type.rfind("FLOAT", 0) == 0) (*t)->setNumber(int(c), *base::parseNumber(row[c]));
            else if (type == "DATE") (*t)->setDate(int(c), *base::Date::parse(row[c]));
            else (*t)->setText(int(c), row[c]);
        }
        if (!(*t)->post()) fail("post");
    }
}

bench::Row card(int i, int) { return bench::makeCard(i); }

void report(const char* what, double ms) {
    std::printf("%-52s %9.2f ms  %s\n", what, ms, ms < 50 ? "ok (goal < 50 ms)" : "SLOW (goal < 50 ms)");
}

}  // namespace

int main(int argc, char** argv) {
    int cards = 20000;
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], "--cards") == 0) cards = std::atoi(argv[i + 1]);
    const std::string folder = (std::filesystem::temp_directory_path() / "kadry-records-bench").string() + "/";
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    db::SqlFolder sql(folder);
    if (!sql.execute(bench::createStatement("DANN.DBF", bench::dannColumns()))) fail("create DANN");
    if (!sql.execute(bench::createStatement("NAZN.DBF", bench::naznColumns()))) fail("create NAZN");
    if (!app::createIfMissing(folder, app::dannSkTable())) fail("create DANN_SK");
    std::printf("building %d cards...\n", cards);
    fill(folder + "DANN.DBF", cards, card, bench::dannColumns(), cards);
    fill(folder + "NAZN.DBF", cards, bench::makeAssignment, bench::naznColumns(), cards);

    ui::RecordingMessages messages;
    records::RecordsContext ctx;
    ctx.workFolder = folder;
    ctx.dataFolder = folder;
    ctx.workstation = "1";
    ctx.messages = &messages;
    auto dict = app::loadDictionary(folder + "DANN_SK.DBF");
    if (!dict) fail("dictionary");

    records::CardListModel model;
    model.setColumns(app::gridColumns(*dict, ""));
    const records::CardListView view{"ka"};
    auto t0 = Clock::now();
    if (!model.open(folder + "DANN.DBF", records::listFilter(view, "", ""), "FIO")) fail("open list");
    report("open the card file (filter, FIO order)", msSince(t0));
    std::printf("  %d rows\n", model.rowCount());

    // Cursor moves: the record change reads the row and queries NAZN by KOD.
    const int moves = 200;
    t0 = Clock::now();
    for (int k = 0; k < moves; ++k) {
        const int row = int((int64_t(k) * 7919) % model.rowCount());
        const int64_t code = model.code(row);
        (void)records::recordCaption(" ВСЕГО - 1 чел."_cp, model.text(row, "LK"), model.text(row, "FIO"));
        if (!records::ensureAssignmentRow(ctx, *dict, code, false)) fail("assignment row");
    }
    report("cursor move (one, average of 200)", msSince(t0) / moves);

    // A search keystroke from the top for a text found late in the list.
    const std::string late = model.text(model.rowCount() - 1, "FIO").substr(0, 3);
    t0 = Clock::now();
    model.prepareSearch("FIO");
    report("entering a column (reads it for the search)", msSince(t0));
    t0 = Clock::now();
    auto found = model.find(0, "FIO", late, true);
    report("incremental search keystroke (match at the end)", msSince(t0));
    if (!found) fail("search");

    t0 = Clock::now();
    if (!model.open(folder + "DANN.DBF", records::listFilter(view, "", ""), "LK")) fail("sort");
    report("sort by a column (reopen ordered by LK)", msSince(t0));
    std::filesystem::remove_all(folder);
    return 0;
}
