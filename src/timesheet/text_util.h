#pragma once
// Small text helpers of the timesheet code (cp1251 bytes; blanks are ' ').
#include <optional>
#include <string>
#include <string_view>

namespace timesheet {

inline std::string_view trimmed(std::string_view s) {
    while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
    return s;
}

inline bool isBlankText(std::string_view s) { return trimmed(s).empty(); }

// A whole decimal number written alone in the text (blanks around allowed).
inline std::optional<int> wholeNumber(std::string_view s) {
    s = trimmed(s);
    if (s.empty() || s.size() > 9) return std::nullopt;
    int v = 0;
    for (char c : s) {
        if (c < '0' || c > '9') return std::nullopt;
        v = v * 10 + (c - '0');
    }
    return v;
}

}  // namespace timesheet
