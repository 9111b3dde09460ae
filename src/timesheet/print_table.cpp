#include "timesheet/print_table.h"

#include <algorithm>

#include "db/table_ops.h"
#include "timesheet/month_layout.h"

namespace timesheet {

base::Status writePrintTable(const std::string& path, db::Table& month, const std::vector<int64_t>& recNos) {
    db::FieldList fields = month.fields();
    const int nom = month.fieldIndex("NOM"), lk = month.fieldIndex("LK");
    if (nom >= 0 && fields[nom].type == db::FieldType::Character)
        fields[nom].length = std::max<int>(fields[nom].length, int(std::to_string(recNos.size()).size()));
    if (base::Status s = db::createTable(path, fields, db::TableFlavor::FoxPro, true); !s) return s;
    auto opened = db::Table::open(path, db::OpenMode::Exclusive);
    if (!opened) return opened.status();
    db::Table& out = *opened.value();
    int number = 0;
    for (int64_t rec : recNos) {
        if (!month.goToRecNo(rec)) continue;
        const auto lkValue = lk >= 0 ? month.number(lk) : std::nullopt;
        const bool totals = lkValue && *lkValue == double(kTotalsKod);
        base::Status s = out.append();
        for (int f = 0; s && f < int(fields.size()); ++f) {
            if (f == lk && totals) continue;
            const std::string value = f == nom && !totals ? std::to_string(++number) : month.text(f);
            if (!value.empty()) s = out.setText(f, value);
        }
        if (s) s = out.post();
        if (!s) {
            out.cancel();
            return s;
        }
    }
    return out.close();
}

}  // namespace timesheet
