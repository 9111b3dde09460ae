#include "records/print_table.h"

#include "base/case_tables.h"
#include "db/table.h"
#include "db/table_ops.h"
#include "records/card_tables.h"
#include "base/text_trim.h"

namespace records {

base::Status buildPrintTable(const RecordsContext& ctx, const app::Dictionary& d, db::Cursor& list) {
    db::FieldList fields;
    for (const auto* e : app::cardFields(d)) {
        const int i = list.fieldIndex(e->name());
        if (i >= 0) fields.push_back(list.fields()[i]);
    }
    const std::string path = ctx.work("DANN_C.DBF");
    if (db::tableExists(path))
        if (auto st = db::deleteTable(path); !st) return st;
    if (auto st = db::createTable(path, fields); !st) return st;
    auto opened = db::Table::open(path, db::OpenMode::Exclusive);
    if (!opened) return opened.status();
    db::Table& t = **opened;
    const int nom = t.fieldIndex("NOM");
    int64_t position = 0;
    for (list.first(); !list.eof(); list.next()) {
        if (auto st = t.append(); !st) return st;
        base::Status st = copyFieldsByName(list, t);
        if (st && nom >= 0) st = t.setNumber(nom, double(++position));
        if (!st) {
            t.cancel();
            return st;
        }
        if (auto p = t.post(); !p) return p;
    }
    return t.close();
}

std::vector<PrintColumn> printColumns(const app::Dictionary& d) {
    std::vector<PrintColumn> out;
    for (const auto* e : app::cardFields(d)) out.push_back({e->name(), base::trimBlanks(e->fileC), e->displayWidth()});
    return out;
}

}  // namespace records
