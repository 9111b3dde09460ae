#include "timesheet/month_table.h"

#include "base/cp_literal.h"
#include "base/number_format.h"
#include "db/table.h"
#include "db/table_ops.h"
#include "timesheet/result_columns.h"

namespace timesheet {

namespace {

// Writes one value unless it equals the stored one (a fresh record holds
// only blanks, so there only non-empty values are written).
base::Status storeValue(db::Cursor& cursor, int field, CardType type, const std::string& value, bool fresh,
                        std::vector<Overflow>& overflows) {
    if (field < 0) return {};
    if (fresh ? value.empty() : cursor.text(field) == value) return {};
    if (value.empty()) return cursor.setBlank(field);
    const db::FieldDef& def = cursor.fields()[std::size_t(field)];
    if (def.type == db::FieldType::Character && int(value.size()) > def.length) {
        overflows.push_back({def.name, value, def.length});
        return {};
    }
    switch (type) {
    case CardType::Integer:
        if (const auto v = base::parseNumber(value)) return cursor.setNumber(field, *v);
        return cursor.setBlank(field);
    case CardType::Date:
        if (const auto d = base::Date::parse(value)) return cursor.setDate(field, *d);
        return cursor.setBlank(field);
    case CardType::Text: break;
    }
    return cursor.setText(field, value);
}

// The table's field indices of a layout, resolved once (-1: the table
// lacks the field).
struct FieldMap {
    std::vector<int> cards, days, results;

    FieldMap(const db::Cursor& cursor, const MonthLayout& layout) {
        for (const CardColumn& c : layout.cards) cards.push_back(cursor.fieldIndex(c.field));
        for (int d = 1; d <= layout.days; ++d) days.push_back(cursor.fieldIndex(dayFieldName(d)));
        for (const ResultColumn& r : layout.results) results.push_back(cursor.fieldIndex(r.field));
    }
};

base::Status storeMapped(db::Cursor& cursor, const FieldMap& map, const MonthLayout& layout, const MonthRow& row,
                         bool fresh, std::vector<Overflow>& overflows) {
    for (std::size_t i = 0; i < layout.cards.size(); ++i)
        if (auto s = storeValue(cursor, map.cards[i], layout.cards[i].type, row.cardValues[i], fresh, overflows); !s)
            return s;
    for (std::size_t d = 0; d < row.days.size() && d < map.days.size(); ++d)
        if (auto s = storeValue(cursor, map.days[d], CardType::Text, row.days[d], fresh, overflows); !s) return s;
    for (std::size_t i = 0; i < layout.results.size(); ++i)
        if (auto s = storeValue(cursor, map.results[i], CardType::Text, row.results[i], fresh, overflows); !s)
            return s;
    return {};
}

}  // namespace

base::Status storeRow(db::Cursor& cursor, const MonthLayout& layout, const MonthRow& row,
                      std::vector<Overflow>& overflows) {
    return storeMapped(cursor, FieldMap(cursor, layout), layout, row, false, overflows);
}

base::Status recomputeTotals(db::Cursor& t, const MonthLayout& layout, std::vector<Overflow>& overflows) {
    const int lk = t.fieldIndex("LK");
    if (lk < 0) return {};
    std::vector<int> fields;
    std::vector<double> sums;
    for (const ResultColumn& r : layout.results)
        if (r.kind != 'C') {
            fields.push_back(t.fieldIndex(r.field));
            sums.push_back(0);
        }
    int64_t totals = 0;
    for (t.first(); !t.eof(); t.next()) {
        if (t.number(lk).value_or(0) == double(kTotalsKod)) {
            if (totals == 0) totals = t.recNo();
            continue;
        }
        for (std::size_t i = 0; i < fields.size(); ++i)
            if (fields[i] >= 0)
                if (const auto v = base::parseNumber(t.text(fields[i]))) sums[i] += *v;
    }
    MonthRow row = totalsRow(layout, {});
    base::Status s;
    if (totals == 0) {
        s = t.append();
        if (s) s = storeRow(t, layout, row, overflows);
    } else {
        t.goToRecNo(totals);
        s = t.edit();
    }
    for (std::size_t i = 0; s && i < fields.size(); ++i)
        s = storeValue(t, fields[i], CardType::Text, resultText(sums[i]), false, overflows);
    if (s) s = t.post();
    if (!s) t.cancel();
    return s;
}

base::Status writeMonthTable(const std::string& path, const MonthLayout& layout, const std::vector<MonthRow>& rows) {
    if (auto s = db::createTable(path, layout.fields(), db::TableFlavor::FoxPro); !s) return s;
    auto table = db::Table::open(path, db::OpenMode::Exclusive);
    if (!table) return table.status();
    db::Table& t = **table;
    std::vector<Overflow> overflows;
    const FieldMap map(t, layout);
    for (const MonthRow& row : rows) {
        if (auto s = t.append(); !s) return s;
        if (auto s = storeMapped(t, map, layout, row, true, overflows); !s) return s;
        if (auto s = t.post(); !s) return s;
    }
    if (!overflows.empty())  // the layout was fitted to the rows: a fault of the caller
        return base::Status::invalid("Значение не помещается в поле "_cp + overflows[0].field);
    return t.close();
}

}  // namespace timesheet
