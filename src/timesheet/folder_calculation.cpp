#include "timesheet/folder_calculation.h"

#include <unordered_set>

#include "base/cp_literal.h"
#include "base/file_ops.h"
#include "base/path_resolver.h"
#include "db/table.h"
#include "db/table_ops.h"
#include "timesheet/folder_inputs.h"
#include "timesheet/month_table.h"
#include "timesheet/text_util.h"

namespace timesheet {

namespace {

base::Status lockedStatus() { return base::Status::busy(" База блокирована "_cp); }

// Fails with " База блокирована " when someone else has the table open.
base::Status checkNotHeld(const std::string& path) {
    if (!db::tableExists(path)) return {};
    auto t = db::Table::open(path, db::OpenMode::Exclusive);
    if (!t) return t.status().code() == base::Status::Code::Busy ? lockedStatus() : t.status();
    return (*t)->close();
}

base::Result<MonthLayout> layoutOf(const std::string& dataDir, int days, Notes& notes) {
    auto defs = readDefinitions(dataDir, notes);
    if (!defs) return defs.status();
    return buildMonthLayout(definitionsInUse(*defs), days);
}

// Sets MET_T of the given records to `value`. The month's table is already
// written when this runs, so a record that cannot be written (held by
// another workstation, or the table not writable) does not fail the run: it
// is listed in `notWritten` and the reason goes to the notes.
void writeMarks(const std::string& path, const std::vector<int64_t>& recNos, const std::string& value,
                std::vector<int64_t>& notWritten, Notes& notes) {
    if (recNos.empty()) return;
    auto table = db::Table::open(path, db::OpenMode::Shared);
    if (!table) {
        notes.add(base::nativeToText(path) + ": "_cp + table.status().message());
        notWritten = recNos;
        return;
    }
    db::Table& t = **table;
    const int metT = t.fieldIndex("MET_T");
    if (metT < 0) return;
    for (int64_t recNo : recNos) {
        if (!t.goToRecNo(recNo) || t.text(metT) == value) continue;
        base::Status s = t.edit();
        if (s) s = value.empty() ? t.setBlank(metT) : t.setText(metT, value);
        if (s) s = t.post();
        if (!s) {
            t.cancel();
            if (s.code() != base::Status::Code::Busy) notes.add(s.message());
            notWritten.push_back(recNo);
        }
    }
    if (auto s = t.close(); !s) notes.add(s.message());
}

void clearAbsenceMarks(const std::string& dataDir, const std::vector<AbsenceRef>& refs, Notes& notes) {
    for (AbsenceKind kind : {AbsenceKind::Trip, AbsenceKind::Vacation, AbsenceKind::SickLeave}) {
        std::vector<int64_t> recNos, notWritten;
        for (const AbsenceRef& r : refs)
            if (r.kind == kind) recNos.push_back(r.recNo);
        writeMarks(dataDir + absenceTableName(kind), recNos, "", notWritten, notes);
        if (!notWritten.empty())
            notes.add(std::string(absenceTableName(kind)) + ": отметка не снята у записей, занятых другой станцией: "_cp +
                      std::to_string(notWritten.size()));
    }
}

std::vector<std::string> describeCards(const std::vector<Card>& cards, const std::vector<int64_t>& recNos) {
    std::unordered_set<int64_t> wanted(recNos.begin(), recNos.end());
    std::vector<std::string> out;
    for (const Card& c : cards)
        if (wanted.count(c.recNo)) out.push_back(std::to_string(c.lk) + " " + std::string(trimmed(c.fio)));
    return out;
}

// Rows of the old month's table that belong to other departments: a
// department's calculation replaces only that department's rows.
base::Result<std::vector<MonthRow>> otherDepartmentsRows(const std::string& path, const MonthLayout& layout,
                                                         const std::string& department,
                                                         const std::unordered_set<int64_t>& computed) {
    std::vector<MonthRow> out;
    if (!db::tableExists(path)) return out;
    auto table = db::Table::open(path, db::OpenMode::Shared);
    if (!table) return table.status();
    db::Table& t = **table;
    const int bKod = t.fieldIndex("B_KOD"), kod = t.fieldIndex("KOD");
    if (bKod < 0 || kod < 0) return out;
    std::vector<int> cardFields, dayFields, resultFields;
    for (const CardColumn& c : layout.cards) cardFields.push_back(t.fieldIndex(c.field));
    for (int d = 1; d <= layout.days; ++d) dayFields.push_back(t.fieldIndex(dayFieldName(d)));
    for (const ResultColumn& r : layout.results) resultFields.push_back(t.fieldIndex(r.field));
    const auto read = [&](const std::vector<int>& fields) {
        std::vector<std::string> v;
        for (int f : fields) v.push_back(f < 0 ? std::string() : t.text(f));
        return v;
    };
    for (t.first(); !t.eof(); t.next()) {
        const auto k = t.number(kod);
        if (!k || int64_t(*k) == kTotalsKod || computed.count(int64_t(*k)) ||
            trimmed(t.text(bKod)) == trimmed(department))
            continue;
        MonthRow row;
        row.kod = int64_t(*k);
        row.cardValues = read(cardFields);
        row.days = read(dayFields);
        row.results = read(resultFields);
        out.push_back(std::move(row));
    }
    if (auto s = t.close(); !s) return s;
    return out;
}

// The department must be one of POD.DBF (when the folder has that table).
base::Status checkDepartment(const std::string& dataDir, const std::string& department) {
    const std::string path = dataDir + "POD.DBF";
    if (department.empty() || !db::tableExists(path)) return {};
    auto table = db::Table::open(path, db::OpenMode::Shared);
    if (!table) return table.status();
    const int bKod = (*table)->fieldIndex("B_KOD");
    if (bKod >= 0 && !(*table)->findEqual(bKod, department).empty()) return (*table)->close();
    return base::Status::notFound("Нет отдела с кодом \""_cp + department + "\" в POD.DBF"_cp);
}

}  // namespace

base::Result<FolderCalcReport> calculateMonthInFolder(const FolderCalcOptions& options) {
    FolderCalcOptions o = options;
    o.dataDir = base::withTrailingSeparator(o.dataDir);
    FolderCalcReport report;
    Notes notes;
    report.table = monthTableName(o.month.month, o.month.year);
    const std::string target = o.dataDir + report.table;

    if (!base::folderExists(o.dataDir)) return base::Status::notFound("Папка данных не найдена: "_cp + o.dataDir);
    if (o.beforeRun) o.beforeRun();
    if (!db::tableExists(o.dataDir + "DANN.DBF"))
        return base::Status::notFound("В папке данных нет таблицы сотрудников DANN.DBF"_cp);
    // A department is chosen by the first two characters of its code.
    const std::string department(trimmed(std::string(trimmed(o.department)).substr(0, 2)));
    if (auto s = checkDepartment(o.dataDir, department); !s) return s;
    auto layout = layoutOf(o.dataDir, o.month.days(), notes);
    if (!layout) return layout.status();
    if (auto s = checkNotHeld(target); !s) return s;

    auto inputs = readMonthInputs(o.dataDir, o.month, CardFilter{department, false, std::nullopt}, *layout);
    if (!inputs) return inputs.status();
    MonthResult result = MonthCalculation(*layout, *inputs).calculateAll(o.progress);
    for (const std::string& n : result.notes) notes.add(n);

    if (!department.empty()) {
        std::unordered_set<int64_t> computed;
        for (const MonthRow& r : result.rows) computed.insert(r.kod);
        auto kept = otherDepartmentsRows(target, *layout, department, computed);
        if (!kept) return kept.status();
        result.rows.pop_back();  // the totals row, made again over all rows
        result.rows.insert(result.rows.end(), kept->begin(), kept->end());
        result.rows.push_back(totalsRow(result.layout, result.rows));
        fitWidths(result.layout, result.rows, notes);
    }

    // The new table is built under a fixed name beside the old one: a second
    // workstation calculating the same month at the same time finds it held.
    const std::string temp = o.dataDir + "~" + report.table;
    if (auto d = db::deleteTable(temp); !d)
        return d.code() == base::Status::Code::Busy
                   ? base::Status::busy("Табель "_cp + report.table + " рассчитывается на другой станции"_cp)
                   : d;
    base::Status s = writeMonthTable(temp, result.layout, result.rows);
    // The rename takes the old table's exclusive lock and swaps the files
    // in one step.
    if (s) s = db::renameTable(temp, target);
    db::deleteTable(temp);
    if (!s) return s.code() == base::Status::Code::Busy ? lockedStatus() : s;

    std::vector<int64_t> locked;
    writeMarks(o.dataDir + "DANN.DBF", result.cardsToClear, "", locked, notes);
    report.lockedCards = describeCards(inputs->cards, locked);
    clearAbsenceMarks(o.dataDir, result.absencesToClear, notes);

    report.employees = result.rows.size() - 1;
    report.cancelled = result.cancelled;
    report.notes = notes.list();
    if (o.afterRun) o.afterRun();
    return report;
}

base::Result<FolderCalcReport> recalculateRowInFolder(const std::string& folder, const Month& month, int64_t kod) {
    const std::string dataDir = base::withTrailingSeparator(folder);
    FolderCalcReport report;
    Notes notes;
    report.table = monthTableName(month.month, month.year);
    auto layout = layoutOf(dataDir, month.days(), notes);
    if (!layout) return layout.status();
    auto inputs = readMonthInputs(dataDir, month, CardFilter{"", false, kod}, *layout);
    if (!inputs) return inputs.status();
    const Card* card = nullptr;
    for (const Card& c : inputs->cards)
        if (c.kod == kod) card = &c;
    if (!card || kod == kTotalsKod) return base::Status::notFound(" Нет Карточки "_cp);

    const RowResult r = MonthCalculation(*layout, *inputs).recalculateRow(*card, notes);
    auto table = db::Table::open(dataDir + report.table, db::OpenMode::Shared);
    if (!table) return table.status();
    db::Table& t = **table;
    const int kodField = t.fieldIndex("KOD");
    const auto found = kodField < 0 ? std::vector<int64_t>() : t.findEqual(kodField, std::to_string(kod));
    if (found.empty() || !t.goToRecNo(found.front()))
        return base::Status::notFound("В табеле нет строки с кодом "_cp + std::to_string(kod));
    std::vector<Overflow> overflows;
    base::Status s = t.edit();
    if (s) s = storeRow(t, *layout, r.row, overflows);
    if (s) s = t.post();
    if (!s) {
        t.cancel();
        return s.code() == base::Status::Code::Busy ? lockedStatus() : s;
    }
    if (auto c = recomputeTotals(t, *layout, overflows); !c) return c;
    if (auto c = t.close(); !c) return c;
    for (const Overflow& o : overflows)
        notes.add("Значение \""_cp + o.value + "\" не помещается в поле "_cp + o.field + " и не записано"_cp);

    std::vector<int64_t> locked;
    writeMarks(dataDir + "DANN.DBF", {card->recNo}, "8", locked, notes);
    report.lockedCards = describeCards(inputs->cards, locked);
    clearAbsenceMarks(dataDir, r.absencesToClear, notes);
    report.employees = 1;
    report.notes = notes.list();
    return report;
}

}  // namespace timesheet
