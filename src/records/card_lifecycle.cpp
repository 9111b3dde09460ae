#include "records/card_lifecycle.h"

#include "base/cp_literal.h"
#include "db/table.h"
#include "db/table_ops.h"
#include "records/card_codes.h"
#include "records/card_tables.h"
#include "records/working_copy.h"
#include "base/text_trim.h"

namespace records {

namespace {

const char* const kExtensionTables[] = {"OBRS.DBF", "SPOLS.DBF", "VOEN.DBF"};

std::string departmentName(const RecordsContext& ctx, const std::string& deptCode) {
    if (base::trimBlanks(deptCode).empty()) return {};
    db::SqlFolder sql(ctx.dataFolder);
    auto r = sql.query("Select POD From POD.DBF WHERE B_KOD = :b", {{"b", deptCode}});
    if (!r) return {};
    (*r)->first();
    return (*r)->eof() ? std::string() : (*r)->text(0);
}

// Appends every row of `rows` to the deletion copy table when it exists.
base::Status keepDeletedRows(const RecordsContext& ctx, db::Cursor& rows, const std::string& copyTable) {
    const std::string path = ctx.data(copyTable);
    if (!db::tableExists(path)) return base::Status::ok();
    auto opened = db::Table::open(path);
    if (!opened) return opened.status();
    db::Table& t = **opened;
    const int datep = t.fieldIndex("DATEP"), nm = t.fieldIndex("NM");
    for (rows.first(); !rows.eof(); rows.next()) {
        if (auto st = t.append(); !st) return st;
        base::Status st = copyFieldsByName(rows, t);
        if (st && datep >= 0) st = t.setDate(datep, ctx.today);
        if (st && nm >= 0) st = t.setText(nm, ctx.workstation);
        if (!st) {
            t.cancel();
            return st;
        }
        if (auto p = t.post(); !p) return p;
    }
    return t.close();
}

base::Status setDefaults(const RecordsContext& ctx, const app::Dictionary& d, int64_t code) {
    for (const auto& [field, value] : app::newCardDefaults(d, ctx.firstOfMonth)) {
        if (!isPlainIdentifier(field)) continue;
        auto r = run(ctx, "UPDATE DANN.DBF SET " + field + " = :v WHERE KOD = :kod", {{"v", value}, {"kod", codeText(code)}});
        if (!r) return r.status();
    }
    return base::Status::ok();
}

}  // namespace

base::Status viewOnlyStatus() { return base::Status::invalid("Рабочее место только для просмотра"_cp); }

base::Status ensureExtensionTables(const RecordsContext& ctx) {
    for (const char* name : kExtensionTables) {
        if (db::tableExists(ctx.data(name))) continue;
        if (auto st = db::createTable(ctx.data(name), {{"KOD", db::FieldType::Numeric, 11, 0}}); !st) return st;
    }
    return base::Status::ok();
}

base::Result<int64_t> hireCard(const RecordsContext& ctx, const app::Dictionary& d, CardFileState& state) {
    if (ctx.viewOnly()) return viewOnlyStatus();
    // The extension tables first: a failure must not leave a card without them.
    if (auto st = ensureExtensionTables(ctx); !st) return st;
    auto code = takeNewCode(ctx);
    if (!code) return code.status();
    state.hiring = true;
    const std::string kod = codeText(*code);
    auto ins = run(ctx,
                   "INSERT INTO DANN.DBF (KOD, KNET, B_KOD, BB_K, METKA, LK, POD) VALUES (:kod, :knet, :b, :bb, \"R\", \"0\", :pod)",
                   {{"kod", kod}, {"knet", ctx.workstation}, {"b", state.deptCode}, {"bb", state.groupCode},
                    {"pod", departmentName(ctx, state.deptCode)}});
    if (!ins) return ins.status();
    if (auto st = setDefaults(ctx, d, *code); !st) return st;
    for (const char* name : kExtensionTables) {
        auto r = run(ctx, std::string("INSERT INTO ") + name + " (KOD) VALUES (:kod)", {{"kod", kod}});
        if (!r) return r.status();
    }
    return code;
}

base::Result<int64_t> copyCard(const RecordsContext& ctx, const app::Dictionary& d, CardFileState& state,
                               int64_t source) {
    if (ctx.viewOnly()) return viewOnlyStatus();
    auto code = takeNewCode(ctx);
    if (!code) return code.status();
    state.hiring = true;
    if (auto st = makeWorkingCopy(ctx, d, source); !st) return st;
    {
        auto copy = openWorkingCopy(ctx);
        if (!copy) return copy.status();
        db::Table& c = **copy;
        base::Status st = c.edit();
        if (st) st = c.setText("KOD", codeText(*code));
        if (st) st = c.setText("LK", "0");
        // A copy of a dismissed card is a working card without the mark.
        if (st && c.fieldIndex("METKA") >= 0) st = c.setText("METKA", "R");
        if (st && c.fieldIndex("MET_T") >= 0) st = c.setBlank(c.fieldIndex("MET_T"));
        if (st) st = c.post();
        if (st) st = c.close();
        if (!st) return st;
    }
    const std::string f = ctx.firstOfMonth.text();
    auto ins = run(ctx,
                   "INSERT INTO DANN.DBF (KOD, KNET, B_KOD, BB_K, METKA, LK, D_DOL, NTD, NPD, NSD) VALUES "
                   "(:kod, :knet, :b, :bb, \"R\", \"0\", :f, :f, :f, :f)",
                   {{"kod", codeText(*code)}, {"knet", ctx.workstation}, {"b", state.deptCode}, {"bb", state.groupCode},
                    {"f", f}});
    if (!ins) return ins.status();
    return code;
}

base::Result<CardSummary> readCardSummary(const RecordsContext& ctx, int64_t code) {
    auto r = rowsOfCard(ctx, "DANN.DBF", code);
    if (!r) return r.status();
    db::SqlResult& c = **r;
    c.first();
    if (c.eof()) return base::Status::notFound("Карточка не найдена"_cp);
    auto field = [&](const char* name) { return c.fieldIndex(name) >= 0 ? base::trimBlanks(c.text(name)) : std::string(); };
    return CardSummary{code, field("METKA"), field("LK"), field("FIO"), field("IM"), field("OT"), field("FAM")};
}

RemovalKind classifyRemoval(const CardSummary& card) {
    const bool noNumber = card.lk.empty() || card.lk == "0";
    if (card.metka == "R" && !noNumber && !card.fio.empty()) return RemovalKind::DismissFirst;
    if (noNumber && card.fio.empty()) return RemovalKind::DeleteEmpty;
    return card.metka == "A" ? RemovalKind::AskArchived : RemovalKind::AskDismissed;
}

base::Status deleteEmptyCard(const RecordsContext& ctx, int64_t code) {
    if (ctx.viewOnly()) return viewOnlyStatus();
    auto r = run(ctx, "DELETE FROM DANN.DBF WHERE KOD = :kod", {{"kod", codeText(code)}});
    return r ? base::Status::ok() : r.status();
}

base::Status deleteArchivedCard(const RecordsContext& ctx, int64_t code) {
    if (ctx.viewOnly()) return viewOnlyStatus();
    struct Part { const char* table; const char* copy; };
    const Part parts[] = {{"DANN.DBF", "DELET_D.DBF"}, {"NAZN.DBF", "DELET_N.DBF"}, {"BOLL.DBF", "DELET_B.DBF"},
                          {"OTP.DBF", "DELET_O.DBF"}, {"KOM.DBF", "DELET_K.DBF"}};
    for (const auto& p : parts) {
        if (!db::tableExists(ctx.data(p.table))) continue;
        {
            auto rows = rowsOfCard(ctx, p.table, code);
            if (!rows) return rows.status();
            if (auto st = keepDeletedRows(ctx, **rows, p.copy); !st) return st;
        }
        auto del = run(ctx, std::string("DELETE FROM ") + p.table + " WHERE KOD = :kod", {{"kod", codeText(code)}});
        if (!del) return del.status();
    }
    return base::Status::ok();
}

base::Status moveArchive(const RecordsContext& ctx, const CardSummary& card) {
    if (ctx.viewOnly()) return viewOnlyStatus();
    if (card.metka == "R" && !(card.fio.empty() && card.im.empty() && card.ot.empty() && card.fam.empty())) {
        if (ctx.messages) ctx.messages->soob("До удаления в архив"_cp, "надо сотрудника уволить"_cp);
        return base::Status::invalid("До удаления в архив надо сотрудника уволить"_cp);
    }
    std::string to;
    if (card.metka == "A") to = "Y";
    else if (card.metka == "Y") to = "A";
    else return base::Status::ok();
    auto r = run(ctx, "UPDATE DANN.DBF SET METKA = :m WHERE KOD = :kod", {{"m", to}, {"kod", codeText(card.code)}});
    return r ? base::Status::ok() : r.status();
}

}  // namespace records
