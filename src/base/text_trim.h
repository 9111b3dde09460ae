#pragma once
// Trimming of program texts. Stored field text (C fields read raw) may also
// end in NUL bytes, which the stored-text forms drop as well.
#include <string>
#include <string_view>

namespace base {

// Blanks removed at both ends, as a view into `s`.
inline std::string_view trimBlanksView(std::string_view s) {
    while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
    return s;
}

// Blanks removed at both ends.
inline std::string trimBlanks(std::string_view s) { return std::string(trimBlanksView(s)); }

// Trailing blanks and NULs removed.
inline std::string_view trimStoredRight(std::string_view s) {
    while (!s.empty() && (s.back() == ' ' || s.back() == '\0')) s.remove_suffix(1);
    return s;
}

// Leading blanks, trailing blanks and NULs removed.
inline std::string_view trimStored(std::string_view s) {
    s = trimStoredRight(s);
    while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
    return s;
}

}  // namespace base
