#include "records/assignments.h"

#include "base/cp_literal.h"
#include "records/card_lifecycle.h"
#include "records/card_tables.h"
#include "records/param_buffer.h"
#include "base/text_trim.h"

namespace records {

namespace {

const std::string& dismissedText() { return "Уволен"_cp; }

bool isDismissalRow(const db::Cursor& row) {
    const int i = row.fieldIndex("DOL");
    return i >= 0 && base::trimBlanks(row.text(i)) == dismissedText();
}

base::Status copyField(const db::Cursor& from, db::Cursor& to, const char* name) {
    const int i = from.fieldIndex(name), j = to.fieldIndex(name);
    if (i < 0 || j < 0) return base::Status::ok();
    return from.isBlank(i) ? to.setBlank(j) : to.setText(j, from.text(i));
}

}  // namespace

base::Result<std::unique_ptr<db::SqlResult>> assignmentRows(const RecordsContext& ctx, int64_t code) {
    return rowsOfCard(ctx, "NAZN.DBF", code);
}

base::Result<bool> ensureAssignmentRow(const RecordsContext& ctx, const app::Dictionary& d, int64_t code,
                                       bool hiring) {
    if (hiring || ctx.viewOnly()) return false;
    {
        auto rows = assignmentRows(ctx, code);
        if (!rows) return rows.status();
        if (!(*rows)->isEmpty()) return false;
    }
    auto card = rowsOfCard(ctx, "DANN.DBF", code);
    if (!card) return card.status();
    (*card)->first();
    if ((*card)->eof()) return false;
    auto ins = run(ctx, "INSERT INTO NAZN.DBF (KOD) VALUES (:kod)", {{"kod", codeText(code)}});
    if (!ins) return ins.status();
    auto rows = assignmentRows(ctx, code);
    if (!rows) return rows.status();
    db::SqlResult& row = **rows;
    row.last();
    if (auto st = row.edit(); !st) return st;
    for (const auto& field : app::assignmentCopyFields(d))
        if (auto st = copyField(**card, row, field.c_str()); !st) {
            row.cancel();
            return st;
        }
    if (auto st = row.post(); !st) return st;
    return true;
}

base::Result<bool> dismissCard(const RecordsContext& ctx, db::Cursor& card, RuntimeForms& forms) {
    if (ctx.viewOnly()) return viewOnlyStatus();
    const auto code = int64_t(card.number(card.fieldIndex("KOD")).value_or(0));
    const std::string f = ctx.firstOfMonth.text();
    auto ins = run(ctx, "INSERT INTO NAZN.DBF (KOD, D_DOL, DATA1, DOL) VALUES (:kod, :f, :f, :dol)",
                   {{"kod", codeText(code)}, {"f", f}, {"dol", dismissedText()}});
    if (!ins) return ins.status();
    auto rows = assignmentRows(ctx, code);
    if (!rows) return rows.status();
    db::SqlResult& row = **rows;
    row.last();
    const std::string left =
        exchangeWithForm(ctx, forms, "Увольнения"_cp, formFiles("uvol"), describeRecord(row));
    if (left.empty()) {
        if (auto st = row.deleteRecord(); !st) return st;
        return false;
    }
    if (auto st = applyBuffer(row, left); !st) return st;
    if (auto st = card.edit(); !st) return st;
    base::Status st = copyField(row, card, "D_DOL");
    if (st) st = card.setText("METKA", "Y");
    if (!st) {
        card.cancel();
        return st;
    }
    if (auto p = card.post(); !p) return p;
    return true;
}

base::Status undoDismissal(const RecordsContext& ctx, db::Cursor& card) {
    if (ctx.viewOnly()) return viewOnlyStatus();
    const auto code = int64_t(card.number(card.fieldIndex("KOD")).value_or(0));
    auto rows = assignmentRows(ctx, code);
    if (!rows) return rows.status();
    db::SqlResult& row = **rows;
    row.last();
    if (!row.eof() && isDismissalRow(row) && row.recordCount() > 1) {
        if (auto st = row.deleteRecord(); !st) return st;
        rows = assignmentRows(ctx, code);
        if (!rows) return rows.status();
        (*rows)->last();
    }
    db::SqlResult& current = **rows;
    if (auto st = card.edit(); !st) return st;
    base::Status st;
    if (!current.eof() && !isDismissalRow(current))
        for (const char* f : {"D_DOL", "DOL", "POD", "B_KOD", "BB_K", "KDOL", "DOL1", "RAZR", "KLAS"})
            if (st) st = copyField(current, card, f);
    if (st) st = card.setText("METKA", "R");
    if (!st) {
        card.cancel();
        return st;
    }
    if (auto p = card.post(); !p) return p;
    if (ctx.messages) ctx.messages->box(" Увольнение отменено "_cp);
    return base::Status::ok();
}

}  // namespace records
