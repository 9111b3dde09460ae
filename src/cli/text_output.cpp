#include "cli/text_output.h"

#include <cstdio>
#include <string>

#include "base/cp1251.h"

namespace cli {

void printLine(std::string_view text) {
    std::string out = base::cp1251ToUtf8(text);
    out += '\n';
    std::fwrite(out.data(), 1, out.size(), stdout);
}

void printError(std::string_view text) {
    std::string out = base::cp1251ToUtf8(text);
    out += '\n';
    std::fwrite(out.data(), 1, out.size(), stderr);
}

}  // namespace cli
