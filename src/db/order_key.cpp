#include "db/order_key.h"

#include <cstring>

#include "base/case_tables.h"
#include "base/cp_literal.h"
#include "base/number_format.h"
#include "db/dbf_values.h"
#include "base/text_trim.h"

namespace db {

namespace {

int findField(const FieldList& fields, std::string_view name) {
    for (std::size_t i = 0; i < fields.size(); ++i)
        if (base::equalsIgnoreCase(fields[i].name, name)) return int(i);
    return -1;
}

bool isNumericType(FieldType t) {
    return t == FieldType::Numeric || t == FieldType::Float || t == FieldType::Integer;
}

}  // namespace

std::string encodeSortableNumber(double value) {
    uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    bits = (bits >> 63) ? ~bits : bits | (uint64_t(1) << 63);
    std::string out(9, '\0');
    out[0] = '\x01';  // after the empty key of a blank field
    for (int i = 0; i < 8; ++i) out[1 + i] = char((bits >> (56 - 8 * i)) & 0xFF);
    return out;
}

base::Result<OrderKey> OrderKey::compile(std::string_view expression, const FieldList& fields) {
    OrderKey k;
    k.expression_ = std::string(base::trimBlanksView(expression));
    k.fieldList_ = &fields;
    // Field names joined by "+"?
    bool plain = true;
    std::string_view rest = k.expression_;
    while (plain) {
        const auto plus = rest.find('+');
        const int f = findField(fields, base::trimBlanksView(rest.substr(0, plus)));
        if (f < 0) plain = false;
        else k.fields_.push_back(f);
        if (plus == std::string_view::npos) break;
        rest.remove_prefix(plus + 1);
    }
    if (plain && !k.fields_.empty()) {
        k.numeric_ = k.fields_.size() == 1 && isNumericType(fields[std::size_t(k.fields_[0])].type);
        return k;
    }
    k.fields_.clear();
    auto e = Expr::compile(k.expression_, fields);
    if (!e) return base::Status::invalid("Неверный ключ индекса "_cp + k.expression_ + ": " + e.status().message());
    k.expr_ = std::shared_ptr<Expr>(std::move(*e));
    return k;
}

std::string OrderKey::key(const RecordView& record) const {
    if (expr_) return expr_->key(record);
    if (numeric_) {
        const FieldDef& f = (*fieldList_)[std::size_t(fields_[0])];
        auto n = fieldNumber(f, record.rawField(fields_[0]));
        return n ? encodeSortableNumber(*n) : std::string();
    }
    if (fields_.size() == 1) return std::string(record.rawField(fields_[0]));
    std::string out;
    for (int f : fields_) out += record.rawField(f);
    return out;
}

std::string OrderKey::seekKey(std::string_view value) const {
    if (expr_ || fields_.empty()) return std::string(value);
    const FieldDef& f = (*fieldList_)[std::size_t(fields_[0])];
    if (numeric_) {
        auto n = base::parseNumber(base::trimBlanksView(value));
        return n ? encodeSortableNumber(*n) : std::string();
    }
    if (fields_.size() == 1 && f.type == FieldType::Date) {
        auto d = base::Date::parse(base::trimBlanksView(value), true);
        return d ? d->dbfText() : std::string(value);
    }
    return std::string(value);
}

}  // namespace db
