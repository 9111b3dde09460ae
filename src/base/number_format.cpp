#include "base/number_format.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace base {

std::string formatNumber(double value) {
    if (std::isnan(value)) return "NAN";
    if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
    if (value == 0) return "0";

    // Round to 15 significant digits: d.dddddddddddddde[+-]XX
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.14e", value);
    std::string s(buf);
    const bool negative = s[0] == '-';
    if (negative) s.erase(0, 1);
    const std::size_t ePos = s.find('e');
    const int exponent = std::atoi(s.c_str() + ePos + 1);
    std::string digits = s.substr(0, 1) + s.substr(2, ePos - 2);  // 15 digits
    while (digits.size() > 1 && digits.back() == '0') digits.pop_back();

    std::string out;
    if (exponent >= 15 || exponent < -5) {
        out = digits.substr(0, 1);
        if (digits.size() > 1) out += "." + digits.substr(1);
        out += "E" + std::to_string(exponent);
    } else if (exponent < 0) {
        out = "0." + std::string(std::size_t(-exponent - 1), '0') + digits;
    } else {
        const std::size_t intLen = std::size_t(exponent) + 1;
        if (digits.size() <= intLen) {
            out = digits + std::string(intLen - digits.size(), '0');
        } else {
            out = digits.substr(0, intLen) + "." + digits.substr(intLen);
        }
    }
    return negative ? "-" + out : out;
}

std::optional<double> parseNumber(std::string_view text) {
    std::size_t b = 0, e = text.size();
    while (b < e && text[b] == ' ') ++b;
    while (e > b && text[e - 1] == ' ') --e;
    if (b == e) return std::nullopt;
    std::string s(text.substr(b, e - b));
    // Only plain decimal notation: digits, one point, sign, exponent.
    for (char c : s)
        if (!((c >= '0' && c <= '9') || c == '.' || c == '-' || c == '+' || c == 'e' || c == 'E'))
            return std::nullopt;
    char* end = nullptr;
    double v = std::strtod(s.c_str(), &end);
    if (end != s.c_str() + s.size()) return std::nullopt;
    return v;
}

}  // namespace base
