#include "org/form_values.h"

#include <cmath>

#include "base/cp_literal.h"
#include "base/number_format.h"

namespace org {

using namespace base::literals;

namespace {

const std::string& valueWord() { return "ЗНАЧЕНИЕ"_cp; }

bool isWhole(const db::FieldDef& f) {
    return f.type == db::FieldType::Integer || (f.type == db::FieldType::Numeric && f.decimals == 0);
}

bool isDecimal(const db::FieldDef& f) {
    return f.type == db::FieldType::Float || (f.type == db::FieldType::Numeric && f.decimals > 0);
}

std::string line(const std::string& name, const std::string& property, const std::string& value) {
    return "#" + name + "." + property + ".|" + value + "|\r\n";
}

base::Status storeValue(db::Cursor& record, int index, const std::string& value) {
    const db::FieldDef& f = record.fields()[index];
    auto bad = [&](const std::string& what) {
        return base::Status::invalid(" Поле "_cp + f.name + ": \"" + value + "\" " + what);
    };
    if (isWhole(f) || isDecimal(f)) {
        std::string digits = value.empty() ? "0" : value;
        if (isWhole(f)) digits = digits.substr(0, digits.find('.'));
        else
            for (char& c : digits)
                if (c == ',') c = '.';
        if (digits.find_first_not_of(' ') == std::string::npos) digits = "0";  // "." or ".5" for a whole number
        const auto number = base::parseNumber(digits);
        if (!number || !std::isfinite(*number)) return bad("не является числом"_cp);
        const base::Status st = record.setNumber(index, *number);
        return st ? st : bad("не помещается в поле"_cp);
    }
    if (f.type == db::FieldType::Date) {
        const auto date = base::Date::parse(value);
        if (!date) return bad("не является датой"_cp);
        return date->isEmpty() ? record.setBlank(index) : record.setDate(index, *date);
    }
    const base::Status st = record.setText(index, value);
    return st ? st : bad("не помещается в поле"_cp);
}

}  // namespace

std::string describeForForm(const db::Cursor& record) {
    std::string out;
    const db::FieldList& fields = record.fields();
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const db::FieldDef& f = fields[i];
        out += line(f.name, valueWord(), record.text(int(i)));
        const char* type = isDecimal(f) ? "F" : isWhole(f) ? "I" : f.type == db::FieldType::Date ? "D" : "C";
        out += line(f.name, "ТИП"_cp, type);
        if (f.type == db::FieldType::Character) out += line(f.name, "РАЗМЕР"_cp, std::to_string(f.length));
    }
    return out;
}

std::vector<FormValue> formValues(std::string_view text) {
    const std::string marker = "." + valueWord() + ".|";
    std::vector<FormValue> values;
    std::size_t pos = 0;
    while ((pos = text.find('#', pos)) != std::string_view::npos) {
        const std::size_t at = text.find(marker, pos + 1);
        if (at == std::string_view::npos) break;
        const std::size_t end = text.find('|', at + marker.size());
        if (end == std::string_view::npos) break;
        // The entry's name runs from its "#"; a "#" inside is the start of a later entry.
        const std::size_t start = text.rfind('#', at);
        values.push_back({std::string(text.substr(start + 1, at - start - 1)),
                          std::string(text.substr(at + marker.size(), end - at - marker.size()))});
        pos = end + 1;
    }
    return values;
}

base::Status applyFormValues(db::Cursor& record, std::string_view text) {
    const std::vector<FormValue> values = formValues(text);
    if (auto st = record.edit(); !st) return st;
    for (const FormValue& v : values) {
        const int index = record.fieldIndex(v.field);
        if (index < 0) continue;
        if (auto st = storeValue(record, index, v.value); !st) {
            record.cancel();
            return st;
        }
    }
    return record.post();
}

}  // namespace org
