#include "timesheet/folder_list_correction.h"

#include <unordered_map>
#include <unordered_set>

#include "base/cp_literal.h"
#include "db/table.h"
#include "db/table_ops.h"
#include "timesheet/definitions.h"
#include "timesheet/folder_inputs.h"
#include "timesheet/list_correction.h"
#include "timesheet/month_layout.h"
#include "timesheet/text_util.h"

namespace timesheet {

namespace {

// Writes `value` into `field` when the table has it and the value differs.
base::Status setIfChanged(db::Table& t, const char* field, const std::string& value, Notes& notes) {
    const int i = t.fieldIndex(field);
    if (i < 0 || t.text(i) == value) return {};
    const db::FieldDef& def = t.fields()[std::size_t(i)];
    if (def.type == db::FieldType::Character && int(value.size()) > def.length) {
        notes.add("Значение \""_cp + value + "\" не помещается в поле "_cp + def.name + " и не записано"_cp);
        return {};
    }
    return value.empty() ? t.setBlank(i) : t.setText(i, value);
}

bool differs(const db::Table& t, const char* field, const std::string& value) {
    const int i = t.fieldIndex(field);
    return i >= 0 && t.text(i) != value;
}

base::Status deleteCards(const std::string& path, const std::vector<int64_t>& recNos) {
    if (recNos.empty()) return {};
    auto table = db::Table::open(path, db::OpenMode::Shared);
    if (!table) return table.status();
    for (int64_t recNo : recNos)
        if ((*table)->goToRecNo(recNo))
            if (auto s = (*table)->deleteRecord(); !s) return s;
    return (*table)->close();
}

}  // namespace

base::Result<CorrectionReport> correctListsInFolder(const std::string& dataDir, const Month& month) {
    const std::string path = dataDir + monthTableName(month.month, month.year);
    if (!db::tableExists(path)) return base::Status::notFound("Нет табеля "_cp + monthTableName(month.month, month.year));
    auto opened = db::Table::open(path, db::OpenMode::Exclusive);
    if (!opened) {
        if (opened.status().code() == base::Status::Code::Busy)
            return base::Status::busy(" База Табель блокирована "_cp);
        return opened.status();
    }
    db::Table& t = **opened;
    CorrectionReport report;
    Notes notes;

    const int kodField = t.fieldIndex("KOD"), lkField = t.fieldIndex("LK");
    if (kodField < 0) return base::Status::invalid("В табеле нет поля KOD"_cp);
    std::unordered_map<int64_t, int64_t> recNoOfKod;
    std::vector<int64_t> totalsRows;
    for (t.first(); !t.eof(); t.next()) {
        if (lkField >= 0 && t.number(lkField).value_or(0) == double(kTotalsKod)) totalsRows.push_back(t.recNo());
        else if (const auto k = t.number(kodField)) recNoOfKod.emplace(int64_t(*k), t.recNo());
    }
    for (int64_t recNo : totalsRows)
        if (t.goToRecNo(recNo))
            if (auto s = t.deleteRecord(); !s) return s;

    auto cards = readCards(dataDir, CardFilter{"", true, std::nullopt}, MonthLayout{});
    if (!cards) return cards.status();
    std::unordered_set<int64_t> kods;
    for (const auto& [kod, recNo] : recNoOfKod) kods.insert(kod);
    const CorrectionPlan plan = planListCorrection(month, *cards, kods);

    for (const CorrectionRow& row : plan.rows) {
        const Card& card = (*cards)[row.card];
        base::Status s;
        if (row.append) {
            s = t.append();
            if (s) s = t.setNumber(kodField, double(card.kod));
            if (s && lkField >= 0) s = t.setNumber(lkField, double(card.lk));
            if (s) s = setIfChanged(t, "R001", row.r001, notes);
        } else {
            t.goToRecNo(recNoOfKod.at(card.kod));
            if (!differs(t, "FIO", card.fio) && !differs(t, "B_KOD", card.bKod) && !differs(t, "BB_K", card.bbK))
                continue;
            s = t.edit();
        }
        if (s) s = setIfChanged(t, "FIO", card.fio, notes);
        if (s) s = setIfChanged(t, "B_KOD", card.bKod, notes);
        if (s) s = setIfChanged(t, "BB_K", card.bbK, notes);
        if (s) s = t.post();
        if (!s) {
            t.cancel();
            return s;
        }
        ++(row.append ? report.added : report.updated);
    }
    if (auto s = t.close(); !s) return s;
    if (auto s = deleteCards(dataDir + "DANN.DBF", plan.cardsToDelete); !s) return s;
    report.cardsDeleted = plan.cardsToDelete.size();
    report.notes = notes.list();
    return report;
}

}  // namespace timesheet
