#pragma once
// From script text to the numbered statement list: block comment removal
// (done by the runner), module inclusion and the cutting into statements.
// Nothing of the script runs here.
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "script/message.h"

namespace script {

// A file's text with every line ending made CR LF (files may end lines
// with LF alone).
std::string withCrLf(std::string_view text);

// Removes every "/*" ... "*/"; an unclosed "/*" is an error.
std::variant<std::string, Message> removeBlockComments(std::string text);

// Appends the modules named after "@МОДУЛИ". `readModule` gives the text of
// a module by its name, or nullopt when there is no such file.
std::string includeModules(std::string script,
                           const std::function<std::optional<std::string>(const std::string&)>& readModule);

struct StatementList {
    std::vector<std::string> statements;  // index + 1 is the number shown
    std::vector<std::string> listing;     // rows of the step debugger
};

// Cuts the text into statements; an unbalanced comment depth is an error.
std::variant<StatementList, Message> preprocess(std::string_view text);

}  // namespace script
