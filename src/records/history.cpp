#include "records/history.h"

#include "base/cp_literal.h"
#include "records/card_lifecycle.h"
#include "records/card_tables.h"
#include "records/param_buffer.h"

namespace records {

namespace {

bool onLastRow(const db::Cursor& rows) { return rows.position() == rows.recordCount(); }

std::string twoDigits(int n) { return (n < 10 ? "0" : "") + std::to_string(n % 100); }

}  // namespace

const char* historyTable(HistoryTab tab) {
    switch (tab) {
        case HistoryTab::Assignments: return "NAZN.DBF";
        case HistoryTab::SickLeave: return "BOLL.DBF";
        case HistoryTab::Vacations: return "OTP.DBF";
        case HistoryTab::Trips: return "KOM.DBF";
    }
    return "";
}

std::string historyFormTitle(HistoryTab tab) {
    switch (tab) {
        case HistoryTab::Assignments: return "Назначения"_cp;
        case HistoryTab::SickLeave: return "Больничный лист"_cp;
        case HistoryTab::Vacations: return "Отпуск"_cp;
        case HistoryTab::Trips: return "Командировка"_cp;
    }
    return {};
}

FormFiles historyFormFiles(HistoryTab tab) {
    switch (tab) {
        case HistoryTab::Assignments: return formFiles("Nazn");
        case HistoryTab::SickLeave: return formFiles("boll");
        case HistoryTab::Vacations: return formFiles("otp");
        case HistoryTab::Trips: return formFiles("kom");
    }
    return {};
}

base::Status addHistoryRow(const RecordsContext& ctx, HistoryTab tab, int64_t code) {
    if (ctx.viewOnly()) return viewOnlyStatus();
    const std::string f = ctx.firstOfMonth.text(), kod = codeText(code);
    base::Result<int64_t> r = int64_t(0);
    switch (tab) {
        case HistoryTab::Assignments: return base::Status::invalid("Назначения добавляются из карточки"_cp);
        case HistoryTab::SickLeave:
            r = run(ctx, "INSERT INTO BOLL.DBF (KOD, DATA1, DATA2, DAT, MET, KOL_D) VALUES (:kod, :f, :f, :dat, \"1\", 1)",
                    {{"kod", kod}, {"f", f}, {"dat", twoDigits(ctx.firstOfMonth.month()) + twoDigits(ctx.firstOfMonth.year())}});
            break;
        case HistoryTab::Vacations:
            r = run(ctx, "INSERT INTO OTP.DBF (KOD, DATA1, DATA2, DATA3, KOL_D) VALUES (:kod, :f, :f, :f, 1)",
                    {{"kod", kod}, {"f", f}});
            break;
        case HistoryTab::Trips:
            r = run(ctx, "INSERT INTO KOM.DBF (KOD, DATA1, DATA2, DATA3) VALUES (:kod, :f, :f, :f)", {{"kod", kod}, {"f", f}});
            break;
    }
    return r ? base::Status::ok() : r.status();
}

base::Result<bool> editHistoryRow(const RecordsContext& ctx, RuntimeForms& forms, HistoryTab tab,
                                  db::Cursor& rows) {
    if (rows.isEmpty()) return false;
    const std::string buffer = describeRecord(rows);
    if (tab == HistoryTab::Assignments && onLastRow(rows)) {
        if (ctx.messages) ctx.messages->box("Последнюю запись редактировать из карточки"_cp);
        return false;
    }
    if (ctx.viewOnly()) return viewOnlyStatus();
    const std::string left = exchangeWithForm(ctx, forms, historyFormTitle(tab), historyFormFiles(tab), buffer);
    if (left.empty()) return false;
    if (auto st = applyBuffer(rows, left); !st) return st;
    return true;
}

base::Result<bool> deleteHistoryRow(const RecordsContext& ctx, HistoryTab tab, db::Cursor& rows,
                                    const std::function<bool()>& confirm) {
    if (rows.isEmpty()) return false;
    if (tab == HistoryTab::Assignments && onLastRow(rows)) {
        if (ctx.messages) ctx.messages->box("Нельзя удалить последнюю запись"_cp);
        return false;
    }
    if (ctx.viewOnly()) return viewOnlyStatus();
    if (!confirm()) return false;
    if (auto st = rows.deleteRecord(); !st) return st;
    return true;
}

}  // namespace records
