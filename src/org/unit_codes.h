#pragma once
// Codes of departments and groups: two characters, unique in their table.
#include <string>
#include <string_view>
#include <vector>

namespace org {

// Exactly two characters, neither of them blank.
bool isValidUnitCode(std::string_view code);

// The first of "01" ... "99" that is not among `used` (compared without
// trailing blanks); "" when all are taken.
std::string proposeFreeCode(const std::vector<std::string>& used);

// Whether `code` + "/" is one of the "/"-terminated entries of `list`
// ("01/03/"). Entries are compared whole, so "1" never matches "01/".
bool codeInList(std::string_view code, std::string_view list);

}  // namespace org
