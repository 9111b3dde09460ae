#include "db/dbf_values.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "base/cp1251.h"
#include "base/cp_literal.h"
#include "base/number_format.h"
#include "db/dbf_format.h"

namespace db {

namespace {

bool isBlankText(std::string_view s) {
    for (char c : s)
        if (c != ' ' && c != '\0') return false;
    return true;
}

std::string_view rightTrimmed(std::string_view s) {
    while (!s.empty() && (s.back() == ' ' || s.back() == '\0')) s.remove_suffix(1);
    return s;
}

int32_t readInt32(std::string_view raw) {
    if (raw.size() < 4) return 0;
    return int32_t(getU32(reinterpret_cast<const unsigned char*>(raw.data())));
}

// Unicode of the upper half of code page 866.
constexpr std::array<char16_t, 128> k866High = {
    0x0410, 0x0411, 0x0412, 0x0413, 0x0414, 0x0415, 0x0416, 0x0417, 0x0418, 0x0419, 0x041A, 0x041B, 0x041C,
    0x041D, 0x041E, 0x041F, 0x0420, 0x0421, 0x0422, 0x0423, 0x0424, 0x0425, 0x0426, 0x0427, 0x0428, 0x0429,
    0x042A, 0x042B, 0x042C, 0x042D, 0x042E, 0x042F, 0x0430, 0x0431, 0x0432, 0x0433, 0x0434, 0x0435, 0x0436,
    0x0437, 0x0438, 0x0439, 0x043A, 0x043B, 0x043C, 0x043D, 0x043E, 0x043F, 0x2591, 0x2592, 0x2593, 0x2502,
    0x2524, 0x2561, 0x2562, 0x2556, 0x2555, 0x2563, 0x2551, 0x2557, 0x255D, 0x255C, 0x255B, 0x2510, 0x2514,
    0x2534, 0x252C, 0x251C, 0x2500, 0x253C, 0x255E, 0x255F, 0x255A, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550,
    0x256C, 0x2567, 0x2568, 0x2564, 0x2565, 0x2559, 0x2558, 0x2552, 0x2553, 0x256B, 0x256A, 0x2518, 0x250C,
    0x2588, 0x2584, 0x258C, 0x2590, 0x2580, 0x0440, 0x0441, 0x0442, 0x0443, 0x0444, 0x0445, 0x0446, 0x0447,
    0x0448, 0x0449, 0x044A, 0x044B, 0x044C, 0x044D, 0x044E, 0x044F, 0x0401, 0x0451, 0x0404, 0x0454, 0x0407,
    0x0457, 0x040E, 0x045E, 0x00B0, 0x2219, 0x00B7, 0x221A, 0x2116, 0x00A4, 0x25A0, 0x00A0,
};

struct Tables866 {
    std::array<char, 256> to1251{};
    std::array<char, 256> from1251{};
    Tables866() {
        for (int b = 0; b < 256; ++b) {
            to1251[b] = char(b);
            from1251[b] = b < 0x80 ? char(b) : '?';
        }
        for (int i = 0; i < 128; ++i) {
            const char c = base::unicodeToCp1251(k866High[i]);
            to1251[0x80 + i] = c;
            if (c != '?') from1251[static_cast<unsigned char>(c)] = char(0x80 + i);
        }
    }
};

const Tables866& tables866() {
    static const Tables866 t;
    return t;
}

}  // namespace

base::Status doesNotFit(const FieldDef& f) {
    return base::Status::invalid("Значение не помещается в поле "_cp + f.name);
}

std::string_view trimmedRaw(std::string_view raw) {
    raw = rightTrimmed(raw);
    while (!raw.empty() && raw.front() == ' ') raw.remove_prefix(1);
    return raw;
}

std::string fieldText(const FieldDef& f, std::string_view raw) {
    switch (f.type) {
    case FieldType::Character: return std::string(rightTrimmed(raw));
    case FieldType::Numeric:
    case FieldType::Float:
    case FieldType::Integer: {
        auto n = fieldNumber(f, raw);
        return n ? base::formatNumber(*n) : std::string();
    }
    case FieldType::Date: return fieldDate(f, raw).text();
    case FieldType::Logical: {
        const char c = raw.empty() ? ' ' : raw[0];
        if (c == 'T' || c == 't' || c == 'Y' || c == 'y') return "T";
        if (c == 'F' || c == 'f' || c == 'N' || c == 'n') return "F";
        return "";
    }
    default: return std::string(rightTrimmed(raw));
    }
}

std::optional<double> fieldNumber(const FieldDef& f, std::string_view raw) {
    if (f.type == FieldType::Integer) return double(readInt32(raw));
    if (f.type == FieldType::Date) {
        const base::Date d = fieldDate(f, raw);
        if (d.isEmpty()) return std::nullopt;
        return double(d.dayNumber());
    }
    const std::string_view t = trimmedRaw(raw);
    if (t.empty()) return std::nullopt;
    auto n = base::parseNumber(t);
    if (n) return n;
    // Some writers use "," as the decimal separator.
    std::string copy(t);
    for (char& c : copy)
        if (c == ',') c = '.';
    return base::parseNumber(copy);
}

base::Date fieldDate(const FieldDef& f, std::string_view raw) {
    if (f.type != FieldType::Date) return {};
    auto d = base::Date::parseDbf(raw);
    return d ? *d : base::Date();
}

bool fieldIsBlank(const FieldDef& f, std::string_view raw) {
    if (f.type == FieldType::Integer) return false;
    if (f.type == FieldType::Logical) return fieldText(f, raw).empty();
    return isBlankText(raw);
}

void encodeBlank(const FieldDef& f, char* out) {
    std::memset(out, f.type == FieldType::Integer ? 0 : ' ', std::size_t(f.length));
}

base::Status encodeNumber(const FieldDef& f, double value, char* out) {
    if (f.type == FieldType::Date) return encodeDate(f, base::Date::fromDayNumber(int32_t(value)), out);
    if (f.type == FieldType::Character) return encodeText(f, base::formatNumber(value), out);
    if (f.type != FieldType::Numeric && f.type != FieldType::Float)
        return base::Status::invalid("Поле "_cp + f.name + " не числовое"_cp);
    if (!std::isfinite(value)) return doesNotFit(f);
    char buf[400];
    int n = std::snprintf(buf, sizeof buf, "%.*f", f.decimals, value);
    if (n <= 0 || n >= int(sizeof buf)) return doesNotFit(f);
    // A value that rounds to zero is written without a minus sign.
    if (buf[0] == '-') {
        bool allZero = true;
        for (int i = 1; i < n; ++i)
            if (buf[i] != '0' && buf[i] != '.') allZero = false;
        if (allZero) {
            std::memmove(buf, buf + 1, std::size_t(n));
            --n;
        }
    }
    if (n > f.length) return doesNotFit(f);
    std::memset(out, ' ', std::size_t(f.length - n));
    std::memcpy(out + (f.length - n), buf, std::size_t(n));
    return base::Status::ok();
}

base::Status encodeDate(const FieldDef& f, base::Date value, char* out) {
    if (f.type == FieldType::Character) return encodeText(f, value.text(), out);
    if (f.type != FieldType::Date) return base::Status::invalid("Поле "_cp + f.name + " не дата"_cp);
    const std::string t = value.dbfText();
    std::memcpy(out, t.data(), 8);
    return base::Status::ok();
}

base::Status encodeText(const FieldDef& f, std::string_view text, char* out) {
    switch (f.type) {
    case FieldType::Character: {
        const std::string_view t = rightTrimmed(text);
        if (t.size() > std::size_t(f.length)) return doesNotFit(f);
        std::memcpy(out, t.data(), t.size());
        std::memset(out + t.size(), ' ', f.length - t.size());
        return base::Status::ok();
    }
    case FieldType::Numeric:
    case FieldType::Float: {
        const std::string_view t = trimmedRaw(text);
        if (t.empty()) {
            encodeBlank(f, out);
            return base::Status::ok();
        }
        auto n = base::parseNumber(t);
        if (!n) return base::Status::invalid("Не число для поля "_cp + f.name + ": " + std::string(t));
        return encodeNumber(f, *n, out);
    }
    case FieldType::Date: {
        const std::string_view t = trimmedRaw(text);
        std::optional<base::Date> d;
        if (t.size() == 8 && t.find('.') == std::string_view::npos) d = base::Date::parseDbf(t);
        else d = base::Date::parse(t, true);
        if (!d) return base::Status::invalid("Не дата для поля "_cp + f.name + ": " + std::string(t));
        return encodeDate(f, *d, out);
    }
    case FieldType::Logical: {
        const std::string_view t = trimmedRaw(text);
        if (t.empty()) {
            out[0] = ' ';
            return base::Status::ok();
        }
        const std::string_view core = t.size() == 3 && t[0] == '.' && t[2] == '.' ? t.substr(1, 1) : t;
        if (core.size() == 1 && std::strchr("TtYy1", core[0])) out[0] = 'T';
        else if (core.size() == 1 && std::strchr("FfNn0", core[0])) out[0] = 'F';
        else return base::Status::invalid("Не логическое значение для поля "_cp + f.name);
        return base::Status::ok();
    }
    default: return base::Status::invalid("Поле "_cp + f.name + " только для чтения"_cp);
    }
}

void decode866(char* data, std::size_t n) {
    const auto& t = tables866().to1251;
    for (std::size_t i = 0; i < n; ++i) data[i] = t[static_cast<unsigned char>(data[i])];
}

void encode866(char* data, std::size_t n) {
    const auto& t = tables866().from1251;
    for (std::size_t i = 0; i < n; ++i) data[i] = t[static_cast<unsigned char>(data[i])];
}

}  // namespace db
