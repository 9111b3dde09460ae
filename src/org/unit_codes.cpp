#include "org/unit_codes.h"

#include <algorithm>
#include <cstdio>

namespace org {

namespace {

std::string_view trimRight(std::string_view s) {
    while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
    return s;
}

}  // namespace

bool isValidUnitCode(std::string_view code) {
    return code.size() == 2 && code[0] != ' ' && code[1] != ' ';
}

std::string proposeFreeCode(const std::vector<std::string>& used) {
    for (int n = 1; n <= 99; ++n) {
        char code[4];
        std::snprintf(code, sizeof code, "%02d", n);
        const bool taken = std::any_of(used.begin(), used.end(),
                                       [&](const std::string& u) { return trimRight(u) == code; });
        if (!taken) return code;
    }
    return {};
}

bool codeInList(std::string_view code, std::string_view list) {
    code = trimRight(code);
    while (!list.empty()) {
        const std::size_t slash = list.find('/');
        if (slash == std::string_view::npos) return false;  // an unterminated tail is no entry
        if (trimRight(list.substr(0, slash)) == code) return true;
        list.remove_prefix(slash + 1);
    }
    return false;
}

}  // namespace org
