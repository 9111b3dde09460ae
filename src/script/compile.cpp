#include "script/compile.h"

#include <algorithm>

#include "script/codes.h"

namespace script {

namespace {

Op operatorOf(const std::string& t) {
    if (t.size() == 1) {
        switch (t[0]) {
            case kCaret: return Op::Pow;
            case kTimes: return Op::Mul;
            case kSlash: return Op::Div;
            case kPlus: return Op::Add;
            case kMinus: return Op::Sub;
            case kGreater: return Op::Gt;
            case kLess: return Op::Lt;
            case kEquals: return Op::Eq;
            default: return Op::None;
        }
    }
    if (t.size() == 2 && t[1] == kEquals) {
        if (t[0] == kColon) return Op::Assign;
        if (t[0] == kGreater) return Op::Ge;
        if (t[0] == kLess) return Op::Le;
    }
    if (t.size() == 2 && t[0] == kLess && t[1] == kGreater) return Op::Ne;
    if (t == ".AND.") return Op::And;
    if (t == ".OR.") return Op::Or;
    if (t == ".NOT.") return Op::Not;
    return Op::None;
}

Token makeToken(std::string text, int level, bool call) {
    Token t;
    t.level = level;
    t.op = operatorOf(text);
    if (call) t.kind = TokenKind::Call;
    else if (text.size() == 1 && text[0] == kOpen) t.kind = TokenKind::Open;
    else if (text.size() == 1 && text[0] == kClose) t.kind = TokenKind::Close;
    else if (text.size() == 1 && text[0] == kComma) t.kind = TokenKind::Comma;
    else if (t.op != Op::None) t.kind = TokenKind::Operator;
    else if (text[0] == kQuote || text[0] == '-' || (text[0] >= '0' && text[0] <= '9')) t.kind = TokenKind::Literal;
    else if (text.find(kLBracket) != std::string::npos) t.kind = TokenKind::Element;
    else t.kind = TokenKind::Name;
    if (t.kind == TokenKind::Literal) {
        t.literal = Value(std::move(text));
        readNumber(t.literal);
    } else {
        t.literal = Value(std::move(text));
    }
    return t;
}

// Cuts the token text: a space ends a token, "(" raises the level (the token
// before it, when glued to it, is a function name), ")" lowers it.
void cut(const std::string& s, Expr& e, std::vector<char>& marks) {
    int level = 1;
    std::string current;
    int currentLevel = 1;
    bool literal = false;
    e.places = 1;
    auto flush = [&](bool call) {
        if (!current.empty()) {
            e.tokens.push_back(makeToken(std::move(current), currentLevel, call));
            marks.push_back(call);
        }
        current.clear();
    };
    for (std::size_t i = 0; i < s.size(); ++i) {
        const char c = s[i];
        if (c == kQuote) literal = !literal;
        if (literal || c == kQuote) {
            current += c;
            currentLevel = level;
            continue;
        }
        if (c == ' ') {
            flush(false);
            ++e.places;
        } else if (c == kOpen) {
            ++level;
            ++e.places;
            const bool call = i > 0 && s[i - 1] != ' ' && !current.empty();
            currentLevel = level;
            flush(call);
            current = std::string(1, c);
            currentLevel = level;
            flush(false);
        } else if (c == kClose) {
            flush(false);
            ++e.places;
            current = std::string(1, c);
            currentLevel = level;
            flush(false);
            --level;
        } else {
            current += c;
            currentLevel = level;
        }
    }
    flush(false);
}

// The group schedule: while some level is above 0, every maximal run of the
// highest level is one group; its tokens then drop one level.
void schedule(Expr& e, std::vector<char> marks) {
    const int n = int(e.tokens.size());
    std::vector<int> level(n);
    for (int i = 0; i < n; ++i) level[i] = e.tokens[i].level;
    while (n > 0) {
        const int top = *std::max_element(level.begin(), level.end());
        if (top <= 0) break;
        for (int i = 0; i < n;) {
            if (level[i] != top) {
                ++i;
                continue;
            }
            int j = i;
            while (j < n && level[j] == top) {
                --level[j];
                ++j;
            }
            e.groups.push_back({i, j - 1, marks[i] != 0});
            marks[i] = 0;  // the value that replaces the name is no call
            i = j;
        }
    }
}

// NAME := NAME + x + y ...: the places of the final group, read statically.
void findAppendForm(Expr& e) {
    if (e.groups.empty()) return;
    std::vector<int> places;
    const int n = int(e.tokens.size());
    for (int i = 0; i < n;) {
        places.push_back(i);
        if (e.tokens[i].level == 1) {
            ++i;
        } else {
            int j = i;
            while (j < n && e.tokens[j].level > 1) ++j;
            i = j;
        }
    }
    auto isOp = [&](int k, Op op) {
        const Token& t = e.tokens[places[k]];
        return t.level == 1 && t.kind == TokenKind::Operator && t.op == op;
    };
    if (places.size() < 5 || places.size() % 2 == 0) return;
    const Token& target = e.tokens[places[0]];
    const Token& source = e.tokens[places[2]];
    if (target.kind != TokenKind::Name || source.kind != TokenKind::Name || target.level != 1 || source.level != 1 ||
        target.literal.text != source.literal.text || !isOp(1, Op::Assign))
        return;
    std::vector<int> operands;
    for (std::size_t k = 3; k < places.size(); k += 2) {
        if (!isOp(int(k), Op::Add)) return;
        const Token& t = e.tokens[places[k + 1]];
        if (t.level == 1 && (t.kind == TokenKind::Operator || t.kind == TokenKind::Comma)) return;
        operands.push_back(places[k + 1]);
    }
    e.appendOperands = std::move(operands);
}

}  // namespace

Expr compile(const std::string& normalized) {
    Expr e;
    std::vector<char> marks;
    cut(normalized, e, marks);
    schedule(e, marks);
    findAppendForm(e);
    return e;
}

}  // namespace script
