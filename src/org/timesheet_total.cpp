#include "org/timesheet_total.h"

#include "base/cp_literal.h"
#include "db/table.h"

namespace org {

using namespace base::literals;

base::Status prepareTimesheetTotal(const std::string& path, const std::string& codes) {
    auto table = db::Table::open(path);
    if (!table) return table.status();
    db::Table& t = **table;
    if (!t.locate("LK", "99999")) {
        base::Status st = t.append();
        if (st) st = t.setText("KOD", "99999");
        if (st) st = t.setText("LK", "99999");
        if (st) st = t.setText("FIO", "итого:"_cp);
        if (st) st = t.post();
        if (!st) return st;
    }
    const std::string department = codes.substr(0, 2);
    const std::string group = codes.size() < 3 ? department : codes.substr(2, 2);
    base::Status st = t.setText("B_kod", department);
    if (st) st = t.setText("Bb_k", group);
    if (st) st = t.post();
    return st;
}

}  // namespace org
