#include "records/working_copy.h"

#include <filesystem>

#include "base/case_tables.h"
#include "base/cp_literal.h"
#include "base/path_resolver.h"
#include "db/table_ops.h"
#include "records/card_tables.h"
#include "base/text_trim.h"

namespace records {

bool workingFolderIsDataFolder(const RecordsContext& ctx) {
    std::error_code ec;
    const std::string work = ctx.workFolder.empty() ? std::string(".") : ctx.workFolder;
    const std::string data = ctx.dataFolder.empty() ? std::string(".") : ctx.dataFolder;
    return std::filesystem::equivalent(work, data, ec);
}

base::Status makeWorkingCopy(const RecordsContext& ctx, const app::Dictionary& d, int64_t code) {
    if (workingFolderIsDataFolder(ctx))
        return base::Status::invalid(" Папка данных совпадает с рабочей папкой "_cp);
    auto card = rowsOfCard(ctx, "DANN.DBF", code);
    if (!card) return card.status();
    db::SqlResult& src = **card;
    src.first();
    if (src.eof()) return base::Status::notFound("Карточка не найдена"_cp);
    db::FieldList fields;
    for (const auto* e : app::cardFields(d)) {
        const int i = src.fieldIndex(e->name());
        if (i >= 0) fields.push_back(src.fields()[i]);
    }
    const std::string path = ctx.work("DANN.DBF");
    if (db::tableExists(path))
        if (auto st = db::deleteTable(path); !st) return st;
    if (auto st = db::createTable(path, fields, db::TableFlavor::FoxPro); !st) return st;
    auto copy = db::Table::open(path, db::OpenMode::Exclusive);
    if (!copy) return copy.status();
    if (auto st = (*copy)->append(); !st) return st;
    if (auto st = copyFieldsByName(src, **copy); !st) return st;
    if (auto st = (*copy)->post(); !st) return st;
    return (*copy)->close();
}

base::Result<std::unique_ptr<db::Table>> openWorkingCopy(const RecordsContext& ctx) {
    auto t = db::Table::open(ctx.work("DANN.DBF"));
    if (t) (*t)->first();
    return t;
}

base::Status storeUserFields(db::Cursor& copy, const app::Dictionary& d, const std::vector<std::string>& values) {
    const auto fields = app::userFields(d);
    if (auto st = copy.edit(); !st) return st;
    for (size_t k = 0; k < fields.size() && k < values.size(); ++k) {
        const int i = copy.fieldIndex(fields[k]->name());
        if (i < 0) continue;
        const std::string type = base::upperAnsi(base::trimBlanks(fields[k]->fileT));
        std::string v = values[k];
        if (type == "N" || type == "F") std::erase(v, ' ');
        auto st = base::trimBlanks(v).empty() ? copy.setBlank(i) : copy.setText(i, v);
        if (!st) {
            copy.cancel();
            return st;
        }
    }
    return copy.post();
}

base::Status writeBack(const RecordsContext& ctx) {
    if (ctx.viewOnly()) return base::Status::ok();
    auto copy = openWorkingCopy(ctx);
    if (!copy) return copy.status();
    db::Table& c = **copy;
    if (c.eof()) return base::Status::ok();
    const auto code = c.number(c.fieldIndex("KOD"));
    if (!code) return base::Status::ok();
    auto card = rowsOfCard(ctx, "DANN.DBF", int64_t(*code));
    if (!card) return card.status();
    db::SqlResult& target = **card;
    target.first();
    if (target.eof()) return base::Status::ok();
    if (auto st = target.edit(); !st) return st;
    if (auto st = copyFieldsByName(c, target); !st) {
        target.cancel();
        return st;
    }
    return target.post();
}

}  // namespace records
