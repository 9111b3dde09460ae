#include "script/normalize.h"

#include "base/case_tables.h"
#include "script/codes.h"

namespace script {

namespace {

char codeOf(char c) {
    switch (c) {
        case ' ': return kBlank;
        case '+': return kPlus;
        case '-': return kMinus;
        case '*': return kTimes;
        case '/': return kSlash;
        case '^': return kCaret;
        case '(': return kOpen;
        case ')': return kClose;
        case '[': return kLBracket;
        case ']': return kRBracket;
        case ',': return kComma;
        case ':': return kColon;
        case '=': return kEquals;
        case '>': return kGreater;
        case '<': return kLess;
        default: return static_cast<unsigned char>(c) >= 0x20 ? base::upperAnsi(c) : c;
    }
}

void spaceAround(std::string& s, std::string_view word) {
    std::string out;
    out.reserve(s.size() + 8);
    std::size_t pos = 0, hit;
    while ((hit = s.find(word, pos)) != std::string::npos) {
        out.append(s, pos, hit - pos);
        out += ' ';
        out += word;
        out += ' ';
        pos = hit + word.size();
    }
    out.append(s, pos, std::string::npos);
    s = std::move(out);
}

}  // namespace

std::string normalize(std::string_view statement) {
    std::string_view t = trimSpaces(statement);
    // Steps 1-2: codes outside literals, internal blanks dropped.
    std::string coded;
    coded.reserve(t.size());
    bool literal = false;
    for (char c : t) {
        if (c == kQuote) {
            literal = !literal;
            coded += c;
        } else if (literal) {
            coded += c;
        } else if (char k = codeOf(c); k != kBlank) {
            coded += k;
        }
    }
    // Steps 3-5: spaces around operators and commas, outside literals.
    std::string out;
    out.reserve(coded.size() * 2);
    literal = false;
    for (std::size_t i = 0; i < coded.size(); ++i) {
        const char c = coded[i];
        if (c == kQuote) literal = !literal;
        if (literal || c == kQuote) {
            out += c;
            continue;
        }
        const char next = i + 1 < coded.size() ? coded[i + 1] : '\0';
        if (isArithmeticCode(c) || c == kComma) {
            out += ' ';
            out += c;
            out += ' ';
        } else if (c == kOpen) {
            out += c;
            out += ' ';
        } else if (c == kClose) {
            out += ' ';
            out += c;
        } else if ((c == kGreater && next == kEquals) || (c == kLess && next == kEquals) ||
                   (c == kColon && next == kEquals) || (c == kLess && next == kGreater)) {
            out += ' ';
            out += c;
            out += next;
            out += ' ';
            ++i;
        } else if (c == kGreater || c == kLess || c == kEquals) {
            out += ' ';
            out += c;
            out += ' ';
        } else {
            out += c;
        }
    }
    spaceAround(out, ".AND.");
    spaceAround(out, ".OR.");
    spaceAround(out, ".NOT.");
    return std::string(trimSpaces(out));
}

}  // namespace script
