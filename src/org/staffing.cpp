#include "org/staffing.h"

#include "base/cp_literal.h"
#include "base/file_ops.h"
#include "db/sql.h"
#include "db/table.h"
#include "db/table_ops.h"
#include "org/form_values.h"
#include "org/position_counter.h"

namespace org {

using namespace base::literals;

namespace {

struct FieldValue {
    bool blank = true;
    std::string text;
};

void report(const OrgContext& ctx, const std::string& l1, const std::string& l2 = {}, const std::string& l3 = {}) {
    if (ctx.messages) ctx.messages->soob(l1, l2, l3);
}

base::Result<std::unique_ptr<db::Table>> openPositions(const OrgContext& ctx) { return db::Table::open(ctx.data("DOL.DBF")); }

std::vector<FieldValue> readRecord(const db::Table& t) {
    std::vector<FieldValue> values(t.fields().size());
    for (std::size_t i = 0; i < values.size(); ++i)
        if (!t.isBlank(int(i))) values[i] = {false, t.text(int(i))};
    return values;
}

base::Status writeRecord(db::Table& t, const std::vector<FieldValue>& values) {
    for (std::size_t i = 0; i < values.size(); ++i) {
        const base::Status st = values[i].blank ? t.setBlank(int(i)) : t.setText(int(i), values[i].text);
        if (!st) return st;
    }
    return base::Status::ok();
}

bool goToLive(db::Table& t, int64_t recNo) { return t.goToRecNo(recNo) && !t.isDeleted(); }

base::Status gone() { return base::Status::notFound(" Строка справочника не найдена "_cp); }

}  // namespace

base::Result<std::vector<PositionRow>> loadPositions(const OrgContext& ctx) {
    auto table = openPositions(ctx);
    if (!table) return table.status();
    db::Table& t = **table;
    std::array<int, kPositionColumns.size()> index{};
    for (std::size_t c = 0; c < index.size(); ++c) index[c] = t.fieldIndex(kPositionColumns[c]);
    const int color = t.fieldIndex("color");
    std::vector<PositionRow> rows;
    for (t.first(); !t.eof(); t.next()) {
        PositionRow row;
        row.recNo = t.recNo();
        for (std::size_t c = 0; c < index.size(); ++c)
            if (index[c] >= 0) row.cells[c] = t.text(index[c]);
        if (color >= 0) row.color = t.text(color);
        rows.push_back(std::move(row));
    }
    return rows;
}

int findPosition(const std::vector<PositionRow>& rows, const std::string& code) {
    for (std::size_t i = 0; i < rows.size(); ++i)
        if (rows[i].code() == code) return int(i);
    return -1;
}

base::Result<int64_t> addPosition(const OrgContext& ctx) {
    auto table = openPositions(ctx);
    if (!table) return table.status();
    auto code = takePositionCode(ctx);
    if (!code) return code.status();
    db::Table& t = **table;
    base::Status st = t.append();
    if (st) st = t.setText("kdol", *code);
    if (st) st = t.post();
    if (!st) {
        t.cancel();
        return st;
    }
    return t.recNo();
}

base::Result<int64_t> copyPosition(const OrgContext& ctx, int64_t recNo) {
    auto table = openPositions(ctx);
    if (!table) return table.status();
    db::Table& t = **table;
    if (!goToLive(t, recNo)) return gone();
    const std::vector<FieldValue> values = readRecord(t);
    auto code = takePositionCode(ctx);
    if (!code) return code.status();
    base::Status st = t.append();
    if (st) st = writeRecord(t, values);
    if (st) st = t.setText("kdol", *code);
    if (st) st = t.post();
    if (!st) {
        t.cancel();
        return st;
    }
    return t.recNo();
}

base::Result<bool> positionInUse(const OrgContext& ctx, const std::string& code) {
    if (!db::tableExists(ctx.data("DANN.DBF"))) return false;
    db::SqlFolder sql(ctx.dataFolder);
    auto r = sql.query("Select KOD From DANN.DBF WHERE KDOL = :kdol AND METKA = \"R\"", {{"kdol", code}});
    if (!r) return r.status();
    return (*r)->recordCount() > 0;
}

bool deletePosition(const OrgContext& ctx, int64_t recNo, const std::function<bool()>& confirm) {
    auto table = openPositions(ctx);
    if (!table) {
        report(ctx, table.status().message());
        return false;
    }
    db::Table& t = **table;
    if (!goToLive(t, recNo)) return false;
    auto used = positionInUse(ctx, t.text("kdol"));
    if (!used) {
        report(ctx, used.status().message());
        return false;
    }
    if (*used) {
        report(ctx, " Данная должность "_cp, " используется в картотеке сотрудников "_cp, " Удаление невозможно "_cp);
        return false;
    }
    if (confirm && !confirm()) return false;
    if (!goToLive(t, recNo)) return false;
    if (auto st = t.deleteRecord(); !st) {
        report(ctx, st.message());
        return false;
    }
    return true;
}

base::Result<int64_t> movePosition(const OrgContext& ctx, int64_t recNo, bool down) {
    auto table = openPositions(ctx);
    if (!table) return table.status();
    db::Table& t = **table;
    if (!goToLive(t, recNo)) return gone();
    const std::vector<FieldValue> here = readRecord(t);
    if (down) t.next();
    else t.prior();
    if (down ? t.eof() : t.bof()) {
        report(ctx, down ? " Конец справочника "_cp : " Начало справочника "_cp);
        return recNo;
    }
    const int64_t other = t.recNo();
    const std::vector<FieldValue> there = readRecord(t);
    base::Status st = writeRecord(t, here);
    if (st) st = t.post();
    if (st && !goToLive(t, recNo)) st = gone();
    if (st) st = writeRecord(t, there);
    if (st) st = t.post();
    if (!st) {
        t.cancel();
        return st;
    }
    return other;
}

bool editPosition(const OrgContext& ctx, int64_t recNo, const RuntimeFormOpener& openForm) {
    const std::string docBuf = ctx.work("doc_buf"), docFrm = ctx.work("doc_frm");
    {
        auto table = openPositions(ctx);
        if (!table) {
            report(ctx, table.status().message());
            return false;
        }
        if (!goToLive(**table, recNo)) return false;
        base::Status st = base::writeFileAtomic(docBuf, describeForForm(**table));
        if (st) st = base::removeFile(docFrm);
        if (!st) {
            report(ctx, st.message());
            return false;
        }
    }
    if (!openForm) {
        report(ctx, " Формы ввода недоступны "_cp);
        return false;
    }
    openForm("", {"kr_dol1.frm", "kr_dol2.frm", "kr_dol3.frm", "kr_dol4.frm"});

    auto answer = base::readFile(docFrm);
    base::removeFile(docFrm);
    if (!answer || answer->find_first_not_of(" \t\r\n") == std::string::npos) return false;
    auto table = openPositions(ctx);
    base::Status st = table ? base::Status::ok() : table.status();
    if (st && !goToLive(**table, recNo)) st = gone();
    if (st) st = applyFormValues(**table, *answer);
    if (!st) {
        report(ctx, st.message());
        return false;
    }
    return true;
}

}  // namespace org
