#include "timesheet/month_layout.h"

#include <set>

#include "base/case_tables.h"
#include "base/cp_literal.h"
#include "timesheet/text_util.h"

namespace timesheet {

namespace {

constexpr int kMaxCharWidth = 254;

base::Status layoutError(const std::string& what) {
    return base::Status::invalid("Ошибка структуры табеля: "_cp + what);
}

bool isValidFieldName(std::string_view name) {
    if (name.empty() || name.size() > 10) return false;
    if (name[0] < 'A' || name[0] > 'Z') return false;
    for (char c : name)
        if (!((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_')) return false;
    return true;
}

std::optional<int> widthOf(const Definition& d) {
    const auto w = wholeNumber(d.wid);
    if (!w || *w < 1 || *w > kMaxCharWidth) return std::nullopt;
    return w;
}

base::Result<CardColumn> cardColumnOf(const Definition& d) {
    const std::string_view formula = trimmed(d.formul);
    const std::size_t semi = formula.find(';');
    if (semi == std::string_view::npos)
        return layoutError("описание поля карточки \""_cp + std::string(formula) + "\" без типа"_cp);
    CardColumn c;
    c.field = base::upperAnsi(trimmed(formula.substr(0, semi)));
    const std::string type = base::upperAnsi(trimmed(formula.substr(semi + 1)));
    if (type == "C") {
        c.type = CardType::Text;
        const auto w = widthOf(d);
        if (!w) return layoutError("неверная ширина \""_cp + d.wid + "\" поля "_cp + c.field);
        c.width = *w;
    } else if (type == "N") {
        c.type = CardType::Integer;
        c.width = kIntegerFieldWidth;
    } else if (type == "D") {
        c.type = CardType::Date;
        c.width = 8;
    } else {
        return layoutError("неизвестный тип \""_cp + type + "\" поля "_cp + c.field);
    }
    return c;
}

base::Result<ResultColumn> resultColumnOf(const Definition& d) {
    ResultColumn r;
    r.field = base::upperAnsi(resultFieldName(d));
    r.kind = std::string(trimmed(d.tip))[0];
    r.formula = std::string(trimmed(d.formul));
    const auto w = widthOf(d);
    if (!w) return layoutError("неверная ширина \""_cp + d.wid + "\" поля "_cp + r.field);
    r.width = *w;
    r.plusHash = holdsPlusHash(r.formula);
    r.minusHash = holdsMinusHash(r.formula);
    return r;
}

}  // namespace

db::FieldList MonthLayout::fields() const {
    db::FieldList out;
    for (const CardColumn& c : cards) {
        switch (c.type) {
        case CardType::Text: out.push_back({c.field, db::FieldType::Character, c.width, 0}); break;
        case CardType::Integer: out.push_back({c.field, db::FieldType::Numeric, kIntegerFieldWidth, 0}); break;
        case CardType::Date: out.push_back({c.field, db::FieldType::Date, 8, 0}); break;
        }
    }
    for (int d = 1; d <= days; ++d) out.push_back({dayFieldName(d), db::FieldType::Character, dayWidth, 0});
    for (const ResultColumn& r : results) out.push_back({r.field, db::FieldType::Character, r.width, 0});
    return out;
}

int MonthLayout::cardIndex(std::string_view field) const {
    for (std::size_t i = 0; i < cards.size(); ++i)
        if (base::equalsIgnoreCase(cards[i].field, field)) return int(i);
    return -1;
}

int MonthLayout::resultIndex(std::string_view field) const {
    for (std::size_t i = 0; i < results.size(); ++i)
        if (base::equalsIgnoreCase(results[i].field, field)) return int(i);
    return -1;
}

base::Result<MonthLayout> buildMonthLayout(const std::vector<Definition>& inUse, int daysInMonth) {
    MonthLayout layout;
    layout.days = daysInMonth;
    for (const Definition& d : inUse) {
        if (isCardDefinition(d)) {
            auto c = cardColumnOf(d);
            if (!c) return c.status();
            layout.cards.push_back(*c);
        } else if (isResultDefinition(d)) {
            auto r = resultColumnOf(d);
            if (!r) return r.status();
            layout.results.push_back(*r);
        }
    }
    for (const char* required : {"KOD", "LK", "FIO"})
        if (layout.cardIndex(required) < 0)
            return layoutError("нет обязательного поля карточки "_cp + required);
    if (layout.cards[layout.cardIndex("KOD")].type != CardType::Integer)
        return layoutError("поле KOD должно иметь тип N"_cp);
    std::set<std::string> names;
    for (const db::FieldDef& f : layout.fields()) {
        if (!isValidFieldName(f.name)) return layoutError("недопустимое имя поля \""_cp + f.name + "\""_cp);
        if (!names.insert(f.name).second) return layoutError("поле "_cp + f.name + " описано дважды"_cp);
    }
    return layout;
}

}  // namespace timesheet
