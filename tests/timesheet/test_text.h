#pragma once
// Test sources are UTF-8; data inside the program is cp1251.
#include <sstream>
#include <string>
#include <vector>

#include "base/cp1251.h"

namespace timesheet_test {

inline std::string cp(const std::string& utf8) { return base::utf8ToCp1251(utf8); }
inline std::string utf(const std::string& cp1251) { return base::cp1251ToUtf8(cp1251); }

// "8 8 B# . 7": one token per day, "." for an empty cell; returns cp1251 cells.
inline std::vector<std::string> cells(const std::string& utf8Tokens) {
    std::vector<std::string> out;
    std::istringstream in(utf8Tokens);
    for (std::string t; in >> t;) out.push_back(t == "." ? std::string() : cp(t));
    return out;
}

inline std::string joined(const std::vector<std::string>& cp1251Cells) {
    std::string out;
    for (const std::string& c : cp1251Cells) out += (out.empty() ? "" : " ") + (c.empty() ? std::string(".") : utf(c));
    return out;
}

}  // namespace timesheet_test
