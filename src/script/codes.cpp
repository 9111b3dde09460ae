#include "script/codes.h"

namespace script {

std::string shown(std::string_view s) {
    std::string out;
    out.reserve(s.size());
    for (char c : s) {
        switch (c) {
            case kQuote: out += '\''; break;
            case kPlus: out += '+'; break;
            case kMinus: out += '-'; break;
            case kTimes: out += '*'; break;
            case kSlash: out += '/'; break;
            case kCaret: out += '^'; break;
            case kOpen: out += '('; break;
            case kClose: out += ')'; break;
            case kLBracket: out += '['; break;
            case kRBracket: out += ']'; break;
            case kComma: out += ','; break;
            case kColon: out += ':'; break;
            case kEquals: out += '='; break;
            case kGreater: out += '>'; break;
            case kLess: out += '<'; break;
            case kBlank: out += ' '; break;
            default: out += c;
        }
    }
    return out;
}

std::string toInternalQuotes(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c == '\'') c = kQuote;
    return out;
}

std::string_view trimSpaces(std::string_view s) {
    while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
    return s;
}

}  // namespace script
