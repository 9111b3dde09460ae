#include "script/block_pass.h"

#include <string_view>

#include "base/case_tables.h"
#include "base/cp_literal.h"
#include "script/codes.h"
#include "script/value.h"

namespace script {

namespace {

struct KeywordName {
    const char* name;
    Keyword keyword;
};

// The recognised list ",IF,ELSE,ENDI,FOR,ENDF,WHILE,ENDW,TO LABEL,LABEL,
// BREAK,RETURN,TERMINATE,END_FUNCTION,DO CASE,CASE,ENDC,OTHERWISE,".
constexpr KeywordName kKeywords[] = {
    {"IF", Keyword::If}, {"ELSE", Keyword::Else}, {"ENDI", Keyword::EndIf},
    {"FOR", Keyword::For}, {"ENDF", Keyword::EndFor}, {"WHILE", Keyword::While},
    {"ENDW", Keyword::EndWhile}, {"TO LABEL", Keyword::ToLabel}, {"LABEL", Keyword::Label},
    {"BREAK", Keyword::Break}, {"RETURN", Keyword::Return}, {"TERMINATE", Keyword::Terminate},
    {"END_FUNCTION", Keyword::EndFunction}, {"DO CASE", Keyword::DoCase}, {"CASE", Keyword::Case},
    {"ENDC", Keyword::EndCase}, {"OTHERWISE", Keyword::Otherwise},
};

std::string num(int s) { return std::to_string(s + 1); }

// A label's number: the text with every "." removed, trimmed, as an integer.
bool labelNumber(std::string_view text, long long& n) {
    std::string t;
    for (char c : text)
        if (c != '.') t += c;
    auto w = readWhole(trimSpaces(t));
    if (!w) return false;
    n = *w;
    return true;
}

std::string afterFirstSpace(const std::string& s) {
    std::size_t sp = s.find(' ');
    return sp == std::string::npos ? std::string() : s.substr(sp + 1);
}

}  // namespace

Keyword recognizeKeyword(const std::string& statement) {
    std::string_view t = trimSpaces(statement);
    std::size_t sp = t.find(' ');
    std::string first = base::upperAnsi(trimSpaces(t.substr(0, sp)));
    if (first == "DO") first = base::upperAnsi(t.substr(0, 7));
    else if (first == "TO") first = base::upperAnsi(t.substr(0, 8));
    for (const auto& k : kKeywords)
        if (first == k.name) return k.keyword;
    return Keyword::None;
}

BlockResult blockPass(const std::vector<std::string>& st) {
    BlockResult r;
    const int n = int(st.size());
    r.records.resize(n);
    for (int s = 0; s < n; ++s) r.records[s].keyword = recognizeKeyword(st[s]);
    auto kw = [&](int s) { return r.records[s].keyword; };
    auto fail = [&](std::string l1, std::string l2) {
        r.failed = true;
        r.error = Message{std::move(l1), std::move(l2), ""};
    };

    for (int s = 0; s < n && !r.failed; ++s) {
        BlockRecord& rec = r.records[s];
        switch (rec.keyword) {
            case Keyword::If: {
                int depth = 1;
                for (int j = s + 1; j < n && depth > 0; ++j) {
                    if (kw(j) == Keyword::If) ++depth;
                    else if (kw(j) == Keyword::EndIf && --depth == 0) rec.endTarget = j;
                    else if (kw(j) == Keyword::Else && depth == 1) {
                        if (rec.elseTarget >= 0) {
                            fail("Ошибка. Оператор IF в строке "_cp + num(s), "имеет более одного оператора ELSE"_cp);
                            break;
                        }
                        rec.elseTarget = j;
                    }
                }
                if (!r.failed && rec.endTarget < 0)
                    fail("Ошибка. Оператор IF в строке "_cp + num(s), "не закрыт оператором ENDI"_cp);
                break;
            }
            case Keyword::Else: {
                int depth = 1;
                for (int j = s + 1; j < n && depth > 0; ++j) {
                    if (kw(j) == Keyword::If) ++depth;
                    else if (kw(j) == Keyword::EndIf && --depth == 0) rec.endTarget = j;
                }
                break;
            }
            case Keyword::Case:
            case Keyword::Otherwise: {
                int depth = 1;
                for (int j = s + 1; j < n && depth > 0; ++j) {
                    if (kw(j) == Keyword::DoCase) ++depth;
                    else if (kw(j) == Keyword::EndCase && --depth == 0) rec.endTarget = j;
                    else if (depth == 1 && rec.nextCase < 0 && (kw(j) == Keyword::Case || kw(j) == Keyword::Otherwise))
                        rec.nextCase = j;
                }
                if (rec.endTarget < 0)
                    fail("Ошибка. Оператор DO CASE в строке "_cp + num(s), "не закрыт оператором ENDC"_cp);
                break;
            }
            case Keyword::While:
            case Keyword::For: {
                const bool isWhile = rec.keyword == Keyword::While;
                const Keyword open = rec.keyword, close = isWhile ? Keyword::EndWhile : Keyword::EndFor;
                int depth = 1;
                for (int j = s + 1; j < n && depth > 0; ++j) {
                    if (kw(j) == open) ++depth;
                    else if (kw(j) == close && --depth == 0) rec.loopEnd = j;
                }
                if (rec.loopEnd < 0) {
                    if (isWhile) fail("Ошибка.Оператор WHILE в строке "_cp + num(s), "не закрыт оператором ENDW"_cp);
                    else fail("Ошибка. Оператор FOR в строке "_cp + num(s), "не закрыт оператором ENDF"_cp);
                }
                break;
            }
            case Keyword::EndWhile:
            case Keyword::EndFor: {
                const bool isWhile = rec.keyword == Keyword::EndWhile;
                const Keyword close = rec.keyword, open = isWhile ? Keyword::While : Keyword::For;
                int depth = 1;
                for (int j = s - 1; j >= 0 && depth > 0; --j) {
                    if (kw(j) == close) ++depth;
                    else if (kw(j) == open && --depth == 0) rec.endTarget = j;
                }
                if (rec.endTarget < 0) {
                    if (isWhile) fail("Ошибка. Оператор ENDW в строке "_cp + num(s), "не имеет оператора WHILE"_cp);
                    else fail("Ошибка. Оператор ENDF в строке "_cp + num(s), "не имеет оператора FOR"_cp);
                }
                break;
            }
            case Keyword::ToLabel: {
                std::string rest = afterFirstSpace(std::string(trimSpaces(st[s])));
                long long wanted = 0;
                if (!labelNumber(rest.size() > 6 ? std::string_view(rest).substr(6) : std::string_view(), wanted)) {
                    fail("Ошибка в строке "_cp + num(s), "Номер метки не является целым числом: "_cp + shown(st[s]));
                    break;
                }
                for (int j = 0; j < n; ++j) {
                    long long have = 0;
                    if (kw(j) == Keyword::Label && labelNumber(afterFirstSpace(std::string(trimSpaces(st[j]))), have) &&
                        have == wanted) {
                        rec.labelTarget = j;
                        break;
                    }
                }
                if (rec.labelTarget < 0)
                    r.warnings.push_back({"Предупреждение. Оператор TO LABEL в строке "_cp + num(s),
                                          "указывает на несуществующую метку"_cp, ""});
                break;
            }
            case Keyword::Break: {
                int depth = 1;
                for (int j = s + 1; j < n && depth > 0; ++j) {
                    if (kw(j) == Keyword::While || kw(j) == Keyword::For) ++depth;
                    else if ((kw(j) == Keyword::EndWhile || kw(j) == Keyword::EndFor) && --depth == 0) rec.loopEnd = j;
                }
                if (rec.loopEnd < 0)
                    r.warnings.push_back({"Предупреждение. Оператор BREAK в строке "_cp + num(s),
                                          "используется вне цикла"_cp, ""});
                break;
            }
            default: break;
        }
    }
    return r;
}

bool bracketCheck(const std::vector<std::string>& st, Message& error) {
    const std::string& stop = "@КОНЕЦ РАСЧЕТА"_cp;
    for (std::size_t s = 0; s < st.size(); ++s) {
        if (st[s].find(stop) != std::string::npos) break;
        int open = 0, close = 0;
        bool literal = false;
        for (char c : st[s]) {
            if (c == kQuote) literal = !literal;
            else if (!literal && c == '(') ++open;
            else if (!literal && c == ')') ++close;
        }
        if (open != close) {
            const bool more = open > close;
            error = Message{"В строке "_cp + std::to_string(s + 1) + " скобок \""_cp + (more ? "(" : ")") + "\" на "_cp +
                                std::to_string(more ? open - close : close - open) + " больше"_cp,
                            shown(st[s]), "Обработка формы прервана"_cp};
            return false;
        }
    }
    return true;
}

}  // namespace script
