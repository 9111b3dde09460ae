#include "timesheet/month_table.h"

#include "base/cp_literal.h"
#include "base/number_format.h"
#include "db/table.h"
#include "db/table_ops.h"

namespace timesheet {

namespace {

base::Status storeValue(db::Cursor& cursor, int field, CardType type, const std::string& value,
                        std::vector<Overflow>& overflows) {
    if (field < 0) return {};
    const db::FieldDef& def = cursor.fields()[std::size_t(field)];
    if (cursor.text(field) == value) return {};
    if (value.empty()) return cursor.setBlank(field);
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

}  // namespace

base::Status storeRow(db::Cursor& cursor, const MonthLayout& layout, const MonthRow& row,
                      std::vector<Overflow>& overflows) {
    for (std::size_t i = 0; i < layout.cards.size(); ++i)
        if (auto s = storeValue(cursor, cursor.fieldIndex(layout.cards[i].field), layout.cards[i].type,
                                row.cardValues[i], overflows);
            !s)
            return s;
    for (std::size_t d = 0; d < row.days.size(); ++d)
        if (auto s = storeValue(cursor, cursor.fieldIndex(dayFieldName(int(d) + 1)), CardType::Text, row.days[d],
                                overflows);
            !s)
            return s;
    for (std::size_t i = 0; i < layout.results.size(); ++i)
        if (auto s = storeValue(cursor, cursor.fieldIndex(layout.results[i].field), CardType::Text, row.results[i],
                                overflows);
            !s)
            return s;
    return {};
}

base::Status writeMonthTable(const std::string& path, const MonthLayout& layout, const std::vector<MonthRow>& rows) {
    if (auto s = db::createTable(path, layout.fields(), db::TableFlavor::FoxPro); !s) return s;
    auto table = db::Table::open(path, db::OpenMode::Exclusive);
    if (!table) return table.status();
    db::Table& t = **table;
    std::vector<Overflow> overflows;
    for (const MonthRow& row : rows) {
        if (auto s = t.append(); !s) return s;
        if (auto s = storeRow(t, layout, row, overflows); !s) return s;
        if (auto s = t.post(); !s) return s;
    }
    if (!overflows.empty())  // the layout was fitted to the rows: a fault of the caller
        return base::Status::invalid("Значение не помещается в поле "_cp + overflows[0].field);
    return t.close();
}

}  // namespace timesheet
