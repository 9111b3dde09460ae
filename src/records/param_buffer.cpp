#include "records/param_buffer.h"

#include "base/case_tables.h"
#include "base/cp_literal.h"
#include "base/number_format.h"

namespace records {

namespace {

bool isNumber(db::FieldType t) {
    return t == db::FieldType::Numeric || t == db::FieldType::Float || t == db::FieldType::Integer;
}

char typeLetter(const db::FieldDef& f) {
    switch (f.type) {
        case db::FieldType::Float: return 'F';
        case db::FieldType::Numeric: return f.decimals > 0 ? 'F' : 'I';
        case db::FieldType::Integer: return 'I';
        case db::FieldType::Date: return 'D';
        default: return 'C';
    }
}

}  // namespace

std::string bufferLine(const std::string& name, const std::string& property, const std::string& value) {
    return "#" + name + "." + property + ".|" + value + "|\r\n";
}

std::string valueLine(const std::string& name, const std::string& value) {
    return bufferLine(name, "ЗНАЧЕНИЕ"_cp, value);
}

std::string describeRecord(const db::Cursor& record) {
    std::string out;
    const auto& fields = record.fields();
    for (int i = 0; i < int(fields.size()); ++i) {
        const auto& f = fields[i];
        out += valueLine(f.name, record.text(i));
        out += bufferLine(f.name, "ТИП"_cp, std::string(1, typeLetter(f)));
        if (typeLetter(f) == 'C') out += bufferLine(f.name, "РАЗМЕР"_cp, std::to_string(f.length));
    }
    return out;
}

std::vector<BufferEntry> parseBuffer(std::string_view text) {
    std::vector<BufferEntry> out;
    size_t pos = 0;
    while (pos < text.size()) {
        size_t end = text.find('\n', pos);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(pos, end - pos);
        pos = end + 1;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (line.empty() || line[0] != '#') continue;
        const auto open = line.find(".|");
        const auto close = line.rfind('|');
        if (open == std::string_view::npos || close <= open + 1) continue;
        std::string_view key = line.substr(1, open - 1);  // NAME.PROPERTY
        const auto dot = key.find('.');
        if (dot == std::string_view::npos) continue;
        out.push_back({std::string(key.substr(0, dot)), std::string(key.substr(dot + 1)),
                       std::string(line.substr(open + 2, close - open - 2))});
    }
    return out;
}

base::Status applyBuffer(db::Cursor& record, std::string_view text) {
    for (const auto& e : parseBuffer(text)) {
        if (e.property != "ЗНАЧЕНИЕ"_cp) continue;
        const int i = record.fieldIndex(e.name);
        if (i < 0) continue;
        const auto& f = record.fields()[i];
        if (auto st = record.edit(); !st) return st;
        base::Status st;
        if (isNumber(f.type)) {
            std::string v = e.value;
            std::erase(v, ' ');  // numbers come grouped from the numeric edits
            if (f.decimals == 0 && f.type != db::FieldType::Float) v = v.substr(0, v.find('.'));
            const auto n = base::parseNumber(v);
            st = record.setNumber(i, n ? *n : 0);
        } else if (f.type == db::FieldType::Date) {
            const auto d = base::Date::parse(e.value);
            st = d ? record.setDate(i, *d) : record.setBlank(i);
        } else if (f.type == db::FieldType::Character) {
            st = record.setText(i, e.value.substr(0, f.length));
        } else {
            st = record.setText(i, e.value);
        }
        if (!st) {
            record.cancel();
            return st;
        }
        if (auto p = record.post(); !p) return p;
    }
    return base::Status::ok();
}

}  // namespace records
