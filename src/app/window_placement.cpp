#include "app/window_placement.h"

#include <memory>

#include "base/file_ops.h"
#include "base/number_format.h"
#include "db/sql.h"
#include "db/table.h"
#include "base/text_trim.h"

namespace app {

namespace {

bool findRow(db::Table& t, const std::string& name) {
    for (t.first(); !t.eof(); t.next())
        if (base::trimBlanks(t.text("name")) == name) return true;
    return false;
}

int numberOf(const db::Table& t, const char* field) {
    const int f = t.fieldIndex(field);
    const auto n = f < 0 ? std::nullopt : t.number(f);
    return n ? int(*n) : 0;
}

}  // namespace

Placement defaultPlacement(int clientWidth, int clientHeight) { return {1, 1, clientHeight - 10, clientWidth - 10}; }

std::optional<Placement> loadPlacement(const std::string& workFolder, const std::string& name) {
    if (!base::fileExists(workFolder + "okna.dbf")) return std::nullopt;
    auto opened = db::Table::open(workFolder + "okna.dbf");
    if (!opened || !findRow(**opened, name)) return std::nullopt;
    const db::Table& t = **opened;
    return Placement{numberOf(t, "Top"), numberOf(t, "Left"), numberOf(t, "Height"), numberOf(t, "Width")};
}

base::Status savePlacement(const std::string& workFolder, const std::string& name, const Placement& p) {
    // The table normally comes with the program; a missing one is made so
    // that the user's request is not lost.
    if (!base::fileExists(workFolder + "okna.dbf")) {
        db::SqlFolder sql(workFolder);
        auto r = sql.execute(
            "CREATE TABLE \"okna.dbf\" (name CHARACTER(20), Top INTEGER, Left INTEGER, Height INTEGER, Width INTEGER)");
        if (!r) return r.status();
    }
    auto opened = db::Table::open(workFolder + "okna.dbf");
    if (!opened) return opened.status();
    db::Table& t = **opened;
    base::Status st = findRow(t, name) ? t.edit() : t.append();
    if (!st) return st;
    for (auto [field, value] : {std::pair<const char*, std::string>{"name", name},
                                {"Top", base::formatNumber(p.top)},
                                {"Left", base::formatNumber(p.left)},
                                {"Height", base::formatNumber(p.height)},
                                {"Width", base::formatNumber(p.width)}}) {
        if (st = t.setText(field, value); !st) {
            t.cancel();
            return st;
        }
    }
    if (st = t.post(); !st) return st;
    return t.close();
}

}  // namespace app
