#include "db/expr_lexer.h"

#include <cctype>

#include "base/case_tables.h"
#include "base/cp_literal.h"

namespace db::expr {
namespace {

bool isIdentStart(unsigned char c) { return std::isalpha(c) || c == '_' || c >= 0x80; }
bool isIdentChar(unsigned char c) { return isIdentStart(c) || std::isdigit(c); }

std::string positionText(int pos) { return std::to_string(pos); }

}  // namespace

bool isKeyword(const Token& t, std::string_view upperWord) {
    return t.kind == Tok::Ident && base::equalsIgnoreCase(t.text, upperWord);
}

base::Status syntaxError(const Token& at, std::string_view expected) {
    std::string msg = "Синтаксическая ошибка в позиции "_cp + positionText(at.pos) + ": "_cp;
    if (at.kind == Tok::End)
        msg += "неожиданный конец текста"_cp;
    else if (at.kind == Tok::String)
        msg += "\"" + std::string(1, at.quote) + std::string(at.text) + std::string(1, at.quote) + "\"";
    else
        msg += "\"" + std::string(at.text) + "\"";
    if (!expected.empty()) msg += " ("_cp + "ожидается "_cp + std::string(expected) + ")";
    return base::Status::invalid(msg);
}

base::Result<std::vector<Token>> tokenize(std::string_view s) {
    std::vector<Token> out;
    std::size_t i = 0;
    auto push = [&](Tok k, std::size_t start, std::size_t len) {
        out.push_back({k, s.substr(start, len), int(start) + 1, 0});
    };
    while (i < s.size()) {
        const unsigned char c = s[i];
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == 0x13) {
            ++i;
            continue;
        }
        const std::size_t start = i;
        if (c == '"' || c == '\'') {
            const std::size_t close = s.find(char(c), i + 1);
            if (close == std::string_view::npos) {
                Token t{Tok::String, s.substr(i + 1), int(i) + 1, char(c)};
                return base::Status::invalid("Незакрытая строка в позиции "_cp + positionText(t.pos) + ": "_cp +
                                             std::string(s.substr(i, 20)));
            }
            out.push_back({Tok::String, s.substr(i + 1, close - i - 1), int(i) + 1, char(c)});
            i = close + 1;
        } else if (std::isdigit(c)) {
            while (i < s.size() && (std::isdigit((unsigned char)s[i]) || s[i] == '.')) ++i;
            push(Tok::Number, start, i - start);
        } else if (isIdentStart(c)) {
            while (i < s.size() && isIdentChar((unsigned char)s[i])) ++i;
            push(Tok::Ident, start, i - start);
        } else if (c == ':' && i + 1 < s.size() && isIdentStart((unsigned char)s[i + 1])) {
            ++i;
            while (i < s.size() && isIdentChar((unsigned char)s[i])) ++i;
            out.push_back({Tok::Param, s.substr(start + 1, i - start - 1), int(start) + 1, 0});
        } else if (c == '?') {
            ++i;
            out.push_back({Tok::Param, s.substr(start, 0), int(start) + 1, 0});
        } else if (c == '<' || c == '>' || c == '=' || c == '!') {
            ++i;
            if (i < s.size() && (s[i] == '=' || (c == '<' && s[i] == '>'))) ++i;
            if (c == '!' && i - start == 1) {
                push(Tok::Compare, start, 1);
                return syntaxError(out.back());
            }
            push(Tok::Compare, start, i - start);
        } else if (c == '.' && i + 1 < s.size() && isIdentStart((unsigned char)s[i + 1]) &&
                   (i == 0 || !isIdentChar((unsigned char)s[i - 1])) &&
                   s.find('.', i + 1) != std::string_view::npos) {
            // .AND. .OR. .NOT. .T. .F. of the dBase dialect, else a plain dot.
            const std::size_t close = s.find('.', i + 1);
            std::string_view word = s.substr(i + 1, close - i - 1);
            bool known = false;
            for (std::string_view w : {"AND", "OR", "NOT", "T", "F"})
                if (base::equalsIgnoreCase(word, w)) known = true;
            if (known) {
                out.push_back({Tok::Ident, s.substr(start, close - start + 1), int(start) + 1, 0});
                i = close + 1;
            } else {
                ++i;
                push(Tok::Dot, start, 1);
            }
        } else {
            Tok k;
            switch (c) {
                case '(': k = Tok::LParen; break;
                case ')': k = Tok::RParen; break;
                case ',': k = Tok::Comma; break;
                case '.': k = Tok::Dot; break;
                case '*': k = Tok::Star; break;
                case '+': k = Tok::Plus; break;
                case '-': k = Tok::Minus; break;
                case ';': k = Tok::Semicolon; break;
                default:
                    push(Tok::End, start, 1);
                    out.back().kind = Tok::Ident;
                    return syntaxError(out.back());
            }
            ++i;
            push(k, start, 1);
        }
    }
    out.push_back({Tok::End, s.substr(s.size()), int(s.size()) + 1, 0});
    return out;
}

}  // namespace db::expr
