#include "timesheet/month_calculation.h"

#include <algorithm>
#include <cmath>

#include "base/cp_literal.h"
#include "base/number_format.h"
#include "timesheet/absence_marks.h"
#include "timesheet/result_columns.h"
#include "timesheet/text_util.h"

namespace timesheet {

namespace {

constexpr int kMaxCharWidth = 254;

void groupByKod(const std::vector<Absence>& rows, std::unordered_map<int64_t, std::vector<const Absence*>>& out) {
    for (const Absence& a : rows) out[a.kod].push_back(&a);
}

std::string typedValue(CardType type, const std::string& text) {
    switch (type) {
    case CardType::Text: return text;
    case CardType::Integer: {
        const auto v = base::parseNumber(text);
        return v ? std::to_string(std::llround(*v)) : std::string();
    }
    case CardType::Date: {
        const auto d = base::Date::parse(text);
        return d ? d->text() : std::string();
    }
    }
    return {};
}

std::string cardText(const Card& card, const std::string& field) {
    if (const auto it = card.values.find(field); it != card.values.end()) return it->second;
    if (field == "KOD") return std::to_string(card.kod);
    if (field == "LK") return std::to_string(card.lk);
    if (field == "FIO") return card.fio;
    if (field == "B_KOD") return card.bKod;
    if (field == "BB_K") return card.bbK;
    return {};
}

}  // namespace

MonthCalculation::MonthCalculation(MonthLayout layout, const MonthInputs& inputs)
    : layout_(std::move(layout)), inputs_(inputs), holidays_(inputs.month, inputs.holidays) {
    groupByKod(inputs.trips, trips_);
    groupByKod(inputs.vacations, vacations_);
    groupByKod(inputs.sickLeave, sickLeave_);
}

std::vector<std::string> MonthCalculation::cardValues(const Card& card) const {
    std::vector<std::string> out;
    out.reserve(layout_.cards.size());
    for (const CardColumn& c : layout_.cards) out.push_back(typedValue(c.type, cardText(card, c.field)));
    return out;
}

RowResult MonthCalculation::computeRow(const Card& card, Notes& notes) const {
    const Month& month = inputs_.month;
    RowResult result;
    MonthRow& row = result.row;
    row.kod = card.kod;
    row.cardValues = cardValues(card);
    row.days.assign(std::size_t(month.days()), std::string());

    const EmploymentRange range = employmentRange(month, card);
    const WorkWeek week = workWeekOf(card);
    writeBaseMarks(row.days, month, range, week, chooseCalendar(card, inputs_.calendars, notes), holidays_);

    // Trips first, then vacations, then sick leave: a later kind wins a day.
    const std::pair<AbsenceKind, const std::unordered_map<int64_t, std::vector<const Absence*>>*> kinds[] = {
        {AbsenceKind::Trip, &trips_}, {AbsenceKind::Vacation, &vacations_}, {AbsenceKind::SickLeave, &sickLeave_}};
    for (const auto& [kind, map] : kinds) {
        const auto it = map->find(card.kod);
        if (it == map->end()) continue;
        for (const Absence* a : it->second) {
            if (!hasValidRange(*a)) {
                ++result.skippedAbsences;
                continue;
            }
            if (!overlapsMonth(*a, month)) continue;
            applyAbsence(row.days, kind, *a, month, range, week, holidays_);
            if (!a->metTBlank) result.absencesToClear.push_back({kind, a->recNo});
        }
    }
    row.results = monthResults(layout_, row.days, range.first, range.last);
    return result;
}

RowResult MonthCalculation::recalculateRow(const Card& card, Notes& notes) const {
    RowResult r = computeRow(card, notes);
    if (r.skippedAbsences > 0)
        notes.add("Пропущены записи отсутствий с пустыми или перевернутыми датами: "_cp +
                  std::to_string(r.skippedAbsences));
    return r;
}

MonthResult MonthCalculation::calculateAll(const Progress& progress) const {
    MonthResult out;
    Notes notes;
    std::unordered_map<int64_t, std::size_t> rowOfKod;
    int skipped = 0;
    const std::size_t total = inputs_.cards.size();
    for (const Card& card : inputs_.cards) {
        if (progress && !progress(out.processed, total, card)) {
            out.cancelled = true;
            break;
        }
        ++out.processed;
        if (!card.metTBlank) out.cardsToClear.push_back(card.recNo);
        if (!isIncluded(inputs_.month, card)) continue;
        if (card.kod == kTotalsKod) {
            notes.add("Карточка с кодом 99999 (код строки итогов) не включена в табель: "_cp + card.fio);
            continue;
        }
        RowResult r = computeRow(card, notes);
        skipped += r.skippedAbsences;
        out.absencesToClear.insert(out.absencesToClear.end(), r.absencesToClear.begin(), r.absencesToClear.end());
        const auto [it, inserted] = rowOfKod.emplace(card.kod, out.rows.size());
        if (inserted) out.rows.push_back(std::move(r.row));
        else out.rows[it->second] = std::move(r.row);
    }
    if (skipped > 0)
        notes.add("Пропущены записи отсутствий с пустыми или перевернутыми датами: "_cp + std::to_string(skipped));
    out.rows.push_back(totalsRow(layout_, out.rows));
    out.layout = layout_;
    fitWidths(out.layout, out.rows, notes);
    out.notes = notes.list();
    return out;
}

MonthRow totalsRow(const MonthLayout& layout, const std::vector<MonthRow>& rows) {
    MonthRow t;
    t.kod = kTotalsKod;
    t.cardValues.assign(layout.cards.size(), std::string());
    t.days.assign(std::size_t(layout.days), std::string());
    for (std::size_t i = 0; i < layout.cards.size(); ++i) {
        const std::string& f = layout.cards[i].field;
        if (f == "KOD" || f == "LK") t.cardValues[i] = std::to_string(kTotalsKod);
        if (f == "FIO") t.cardValues[i] = "итого:"_cp;
    }
    std::vector<const std::vector<std::string>*> results;
    for (const MonthRow& r : rows)
        if (r.kod != kTotalsKod) results.push_back(&r.results);
    t.results = totalResults(layout, results);
    return t;
}

std::vector<Overflow> overflowsOf(const MonthLayout& layout, const MonthRow& row) {
    std::vector<Overflow> out;
    for (std::size_t i = 0; i < layout.cards.size() && i < row.cardValues.size(); ++i)
        if (layout.cards[i].type == CardType::Text && int(row.cardValues[i].size()) > layout.cards[i].width)
            out.push_back({layout.cards[i].field, row.cardValues[i], layout.cards[i].width});
    for (std::size_t d = 0; d < row.days.size(); ++d)
        if (int(row.days[d].size()) > layout.dayWidth)
            out.push_back({dayFieldName(int(d) + 1), row.days[d], layout.dayWidth});
    for (std::size_t i = 0; i < layout.results.size() && i < row.results.size(); ++i)
        if (int(row.results[i].size()) > layout.results[i].width)
            out.push_back({layout.results[i].field, row.results[i], layout.results[i].width});
    return out;
}

namespace {

// Widens `width` to hold `value`, or empties the value when even the widest
// character field cannot hold it.
void fitOne(const std::string& field, int& width, std::string& value, Notes& notes) {
    if (int(value.size()) <= width) return;
    if (int(value.size()) > kMaxCharWidth) {
        notes.add("Значение \""_cp + value + "\" не помещается в поле "_cp + field + " и не записано"_cp);
        value.clear();
        return;
    }
    width = int(value.size());
    notes.add("Поле "_cp + field + " расширено до "_cp + std::to_string(width) + " знаков: значение \""_cp + value +
              "\" не помещалось"_cp);
}

}  // namespace

void fitWidths(MonthLayout& layout, std::vector<MonthRow>& rows, Notes& notes) {
    for (MonthRow& row : rows) {
        for (std::size_t i = 0; i < layout.cards.size(); ++i)
            if (layout.cards[i].type == CardType::Text)
                fitOne(layout.cards[i].field, layout.cards[i].width, row.cardValues[i], notes);
        const std::string dayFields = "D01-"_cp + dayFieldName(layout.days);
        for (std::size_t d = 0; d < row.days.size(); ++d) fitOne(dayFields, layout.dayWidth, row.days[d], notes);
        for (std::size_t i = 0; i < layout.results.size(); ++i)
            fitOne(layout.results[i].field, layout.results[i].width, row.results[i], notes);
    }
}

}  // namespace timesheet
