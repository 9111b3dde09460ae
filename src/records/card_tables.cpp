#include "records/card_tables.h"

#include <cctype>
#include "base/text_trim.h"

namespace records {

base::Result<std::unique_ptr<db::SqlResult>> rowsOfCard(const RecordsContext& ctx, const std::string& table,
                                                        int64_t code) {
    db::SqlFolder sql(ctx.dataFolder);
    return sql.query("Select * From " + table + " WHERE KOD = :kod", {{"kod", codeText(code)}});
}

base::Result<int64_t> run(const RecordsContext& ctx, const std::string& statement,
                          const std::vector<db::SqlParam>& params) {
    db::SqlFolder sql(ctx.dataFolder);
    return sql.execute(statement, params);
}

base::Status copyFieldsByName(const db::Cursor& from, db::Cursor& to) {
    const auto& fields = from.fields();
    for (int i = 0; i < int(fields.size()); ++i) {
        const int j = to.fieldIndex(fields[i].name);
        if (j < 0) continue;
        if (from.isBlank(i)) {
            if (auto st = to.setBlank(j); !st) return st;
        } else if (auto st = to.setText(j, from.text(i)); !st) {
            return st;
        }
    }
    return base::Status::ok();
}

bool isPlainIdentifier(std::string_view name) {
    if (name.empty()) return false;
    for (char c : name)
        if (!(std::isalnum(static_cast<unsigned char>(c)) || c == '_')) return false;
    return true;
}

std::string codeText(int64_t code) { return std::to_string(code); }

}  // namespace records
