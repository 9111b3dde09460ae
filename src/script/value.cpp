#include "script/value.h"

#include <charconv>
#include <cmath>

#include "base/number_format.h"
#include "script/codes.h"

namespace script {

char typeOf(std::string_view v) {
    if (v.empty()) return 'U';
    const char c = v[0];
    if (c == kQuote) return 'C';
    if (v.size() == 10 && v[2] == '.' && v[5] == '.') return 'D';
    if ((c >= '0' && c <= '9') || c == '-') return 'N';
    if (v == ".T." || v == ".F.") return 'B';
    return 'U';
}


const std::string& trueText() {
    static const std::string t = ".T.";
    return t;
}
const std::string& falseText() {
    static const std::string f = ".F.";
    return f;
}

std::string_view unquoted(std::string_view v) {
    if (!v.empty() && v.front() == kQuote) v.remove_prefix(1);
    if (!v.empty() && v.back() == kQuote) v.remove_suffix(1);
    return v;
}

std::string quoted(std::string_view text) {
    std::string out;
    out.reserve(text.size() + 2);
    out += kQuote;
    out += text;
    out += kQuote;
    return out;
}

std::optional<double> readNumber(std::string_view text) {
    // Fast path: a plain integer of up to 15 digits is read exactly.
    std::string_view t = trimSpaces(text);
    if (!t.empty() && t.size() <= 16) {
        std::size_t i = t[0] == '-' ? 1 : 0;
        if (i < t.size()) {
            int64_t n = 0;
            std::size_t j = i;
            for (; j < t.size() && t[j] >= '0' && t[j] <= '9'; ++j) n = n * 10 + (t[j] - '0');
            if (j == t.size()) return double(i ? -n : n);
        }
    }
    return base::parseNumber(t);
}

std::optional<double> readNumberSlow(const Value& v) {
    if (v.numState == 0) {
        auto n = readNumber(v.text);
        v.numState = n ? 1 : -1;
        if (n) v.num = *n;
    }
    if (v.numState < 0) return std::nullopt;
    return v.num;
}

std::optional<int64_t> readWhole(std::string_view text) {
    std::string_view t = trimSpaces(text);
    if (!t.empty() && t[0] == '+') t.remove_prefix(1);
    int64_t n = 0;
    auto [p, ec] = std::from_chars(t.data(), t.data() + t.size(), n);
    if (t.empty() || ec != std::errc() || p != t.data() + t.size()) return std::nullopt;
    return n;
}

std::optional<base::Date> readDate(std::string_view text) {
    std::string t(trimSpaces(text));
    for (char& c : t)
        if (c == '/') c = '.';
    auto d = base::Date::parse(t);
    if (!d || d->isEmpty()) return std::nullopt;
    return d;
}

std::string numberText(double x) {
    if (x == std::trunc(x) && std::fabs(x) < 1e15) {
        char buf[24];
        auto [p, ec] = std::to_chars(buf, buf + sizeof buf, int64_t(x));
        return std::string(buf, p);
    }
    return base::formatNumber(x);
}

void setNumber(Value& out, double x) {
    if (x == std::trunc(x) && std::fabs(x) < 1e15) {
        char buf[24];
        auto [p, ec] = std::to_chars(buf, buf + sizeof buf, int64_t(x));
        out.text.assign(buf, p);
        out.num = x == 0 ? 0.0 : x;
        out.numState = 1;
        return;
    }
    out = numberValue(x);
}

Value numberValue(double x) {
    if (x == std::trunc(x) && std::fabs(x) < 1e15) return Value(numberText(x), x == 0 ? 0.0 : x);
    Value v(base::formatNumber(x));
    readNumber(v);
    return v;
}

}  // namespace script
