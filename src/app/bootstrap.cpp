#include "app/bootstrap.h"

#include <memory>

#include "base/cp_literal.h"
#include "base/file_ops.h"
#include "db/sql.h"
#include "db/table.h"
#include "db/table_ops.h"

namespace app {

namespace {

base::Status runStatements(const std::string& folder, const std::string& create,
                           const std::vector<std::string>& inserts) {
    db::SqlFolder sql(folder);
    if (auto r = sql.execute(create); !r) return r.status();
    for (const std::string& insert : inserts)
        if (auto r = sql.execute(insert); !r) return r.status();
    return base::Status::ok();
}

std::vector<DictionaryRow> readDictionary(const std::string& path, base::Status& status) {
    std::vector<DictionaryRow> rows;
    auto table = db::Table::open(path);
    if (!table) {
        status = table.status();
        return rows;
    }
    db::Table& t = **table;
    for (t.first(); !t.eof(); t.next())
        rows.push_back({t.text("file_n"), t.text("file_t"), t.text("file_w"), t.text("nazn"), t.text("base")});
    status = base::Status::ok();
    return rows;
}

}  // namespace

base::Status createIfMissing(const std::string& folder, const BuiltinTable& table) {
    if (base::fileExists(folder + table.name)) return base::Status::ok();
    return runStatements(folder, createStatement(table.name, table.fieldList), table.inserts);
}

void CopBas(const Folders& folders, const std::string& name, ui::Messages& messages) {
    const std::string source = folders.data + name;
    const std::string copy = folders.work + name;
    if (base::fileExists(source)) {
        if (!db::copyTable(source, copy)) {
            messages.soob("Ошибка"_cp, "База занята"_cp);
            return;
        }
    }
    if (!base::fileExists(copy)) return;
    if (!db::packTable(copy)) messages.soob("Ошибка"_cp, "База занята"_cp);
}

base::Status createFromDictionary(const Folders& folders, DictionaryTarget target, ui::Messages& messages) {
    CopBas(folders, "DANN_SK.DBF", messages);
    const std::string name = target == DictionaryTarget::Dann ? "DANN.DBF" : "NAZN.DBF";
    if (base::fileExists(folders.data + name)) return base::Status::ok();
    base::Status status;
    const auto rows = readDictionary(folders.work + "DANN_SK.DBF", status);
    if (!status) return status;
    return runStatements(folders.data, createStatement(name, dictionaryFieldList(rows, target)), {});
}

base::Status runBootstrap(const Folders& folders, ui::Messages& messages, const std::function<void()>& seniority) {
    if (auto st = createIfMissing(folders.data, dannSkTable()); !st) return st;
    if (auto st = createFromDictionary(folders, DictionaryTarget::Dann, messages); !st) return st;
    if (seniority) seniority();
    if (auto st = createIfMissing(folders.data, kodIndTable()); !st) return st;
    if (auto st = createFromDictionary(folders, DictionaryTarget::Nazn, messages); !st) return st;
    for (const char* name : {"OTPU.DBF", "DOL.DBF", "POD.DBF", "BPOD.DBF", "INFORG.DBF"}) CopBas(folders, name, messages);
    if (auto st = createIfMissing(folders.data, otchetkTable()); !st) return st;
    for (const char* name : {"KAL.DBF", "PROD.DBF"}) CopBas(folders, name, messages);
    if (auto st = createIfMissing(folders.data, tabTable()); !st) return st;
    if (auto st = createIfMissing(folders.data, telKnTable()); !st) return st;
    if (auto st = createIfMissing(folders.work, tabFilTable()); !st) return st;
    return createIfMissing(folders.work, errorTable());
}

}  // namespace app
