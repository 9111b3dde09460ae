#pragma once
// Output of the headless commands: program text is cp1251, the terminal UTF-8.
#include <string_view>

namespace cli {

void printLine(std::string_view cp1251Text);   // to stdout, with a newline
void printError(std::string_view cp1251Text);  // to stderr, with a newline

}  // namespace cli
