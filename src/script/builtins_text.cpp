// Text functions: lengths, searches, pieces, padding, case, number texts.
#include <algorithm>

#include "base/case_tables.h"
#include "base/cp_literal.h"
#include "script/builtins.h"
#include "script/codes.h"
#include "script/interpreter.h"
#include "script/sum_propis.h"

namespace script {

namespace {

// The longest text a function may build; beyond it the call is refused
// rather than exhausting memory.
constexpr int64_t kMaxResult = 16 * 1024 * 1024;

void checkSize(CallContext& c, int64_t size) {
    if (size > kMaxResult)
        c.fail("Функция "_cp + c.name() + ": результат длиннее "_cp + std::to_string(kMaxResult) + " символов"_cp,
               "Обработка прервана"_cp);
}

Value number(double x) { return numberValue(x); }

Value len(CallContext& c) { return number(double(c.text(0).size())); }

Value at(CallContext& c) {
    std::string_view a = c.text(0), b = c.text(1);
    if (a.empty()) return number(0);
    std::size_t p = b.find(a);
    return number(p == std::string_view::npos ? 0 : double(p + 1));
}

Value rat(CallContext& c) {
    std::string_view a = c.text(0), b = c.text(1);
    if (a.empty()) return number(0);
    std::size_t p = b.rfind(a);
    return number(p == std::string_view::npos ? 0 : double(p + 1));
}

Value subs(CallContext& c) {
    std::string_view t = c.text(0);
    int64_t from = c.whole(1), count = c.whole(2);
    if (count < 0) return textResult("");
    if (from < 1) from = 1;
    if (from > int64_t(t.size())) return textResult("");
    return textResult(t.substr(std::size_t(from - 1), std::size_t(std::min<int64_t>(count, int64_t(t.size())))));
}

Value alltrim(CallContext& c) { return textResult(trimSpaces(c.text(0))); }

Value replicate(CallContext& c) {
    std::string_view t = c.text(0);
    const int64_t n = c.whole(1);
    if (n <= 0 || t.empty()) return textResult("");
    checkSize(c, int64_t(t.size()) * n);
    std::string out;
    out.reserve(std::size_t(t.size() * n) + 2);
    out += kQuote;
    for (int64_t i = 0; i < n; ++i) out += t;
    out += kQuote;
    return Value(std::move(out));
}

Value space(CallContext& c) {
    const int64_t n = c.whole(0);
    if (n <= 0) return textResult("");
    checkSize(c, n);
    return textResult(std::string(std::size_t(n), ' '));
}

// Replaces the first occurrence again and again until none is left. A
// replacement holding the searched text would never end and is refused.
Value strtran(CallContext& c) {
    std::string t(c.text(0));
    std::string_view a = c.text(1), b = c.text(2);
    if (a.empty() || a == b) return textResult(t);
    if (b.find(a) != std::string_view::npos)
        c.fail("Функция STRTRAN: текст замены "_cp + shown(c.raw(2)) + " содержит заменяемый текст "_cp + shown(c.raw(1)),
               "Обработка прервана"_cp);
    std::size_t from = 0, p;
    std::string out;
    while ((p = t.find(a, from)) != std::string::npos) {
        t.replace(p, a.size(), b);
        checkSize(c, int64_t(t.size()));
        // The first occurrence now cannot start before p - |a| + 1: the
        // text before p held none.
        from = p + 1 >= a.size() ? p + 1 - a.size() : 0;
    }
    return textResult(t);
}

Value empty(CallContext& c) {
    for (char ch : c.raw(0))
        if (ch != kQuote && ch != ' ') return Value(falseText());
    return Value(trueText());
}

Value chr(CallContext& c) { return textResult(std::string(1, char(c.whole(0) & 0xFF))); }

Value ord(CallContext& c) {
    std::string_view t = c.text(0);
    return number(t.empty() ? 0 : double(static_cast<unsigned char>(t[0])));
}

Value upperAll(CallContext& c) {
    std::string_view t = c.text(0);
    if (trimSpaces(t).empty()) return textResult("");
    switch (c.whole(1)) {
        case 1: return textResult(base::upperProgram(t));
        case 2: return textResult(base::lowerProgram(t));
        case 6: {
            std::string s = base::lowerProgram(t);
            if (base::isProgramLetter(s[0])) s[0] = base::upperProgram(s[0]);
            return textResult(s);
        }
        default: return textResult(t);
    }
}

Value ansiUpper(CallContext& c) { return textResult(base::upperAnsi(c.text(0))); }

Value numformat(CallContext& c) {
    std::string_view x = c.text(0);
    const int64_t mode = c.whole(1);
    const std::size_t dot = x.find('.');
    std::string_view head = x.substr(0, dot);
    std::string tail(dot == std::string_view::npos ? std::string_view() : x.substr(dot));
    std::string grouped;
    int counted = 0;
    for (std::size_t i = head.size(); i-- > 0;) {
        grouped.insert(grouped.begin(), head[i]);
        if (++counted % 3 == 0) grouped.insert(grouped.begin(), ' ');
    }
    if (mode == 1) {
        if (tail.empty()) tail = ".00";
        else if (tail.size() == 2) tail += '0';
    }
    return textResult(grouped + tail);
}

Value numonly(CallContext& c) {
    for (char ch : c.text(0))
        if (ch != '-' && ch != '.' && (ch < '0' || ch > '9')) return Value(falseText());
    return Value(trueText());
}

Value pad(CallContext& c, bool left) {
    std::string t(c.text(0));
    const int64_t n = c.whole(1);
    std::string f(c.text(2));
    if (f.empty() || (left && trimSpaces(f).empty())) f = " ";
    checkSize(c, n);
    if (int64_t(t.size()) >= n) return Value(t);
    std::string fill;
    while (int64_t(t.size() + fill.size()) < n) fill += f;
    return Value(left ? fill + t : t + fill);
}
Value padright(CallContext& c) { return pad(c, false); }
Value padleft(CallContext& c) { return pad(c, true); }

Value ntoc(CallContext& c) { return textResult(c.raw(0)); }

Value cton(CallContext& c) {
    std::string out;
    for (char ch : c.raw(0))
        if (ch != ' ' && ch != kQuote) out += ch;
    return Value(out.empty() ? std::string("0") : out);
}

Value ctod(CallContext& c) {
    std::string out;
    for (char ch : c.raw(0))
        if (ch != kQuote) out += ch;
    return Value(out);
}

Value iif(CallContext& c) { return Value(std::string(isTrue(c.raw(0)) ? c.raw(1) : c.raw(2))); }

Value sumPropis(CallContext& c) {
    const double amount = c.number(0);
    const int64_t digits = c.count() > 1 ? c.whole(1) : 0;
    const int64_t noCases = c.count() > 2 ? c.whole(2) : 0;
    const std::string language(c.text(3));
    const int64_t width = c.count() > 4 ? c.whole(4) : 0;
    auto words = amountInWords(c.interpreter().host(), amount, digits == 1, noCases == 1, language, int(width));
    if (!words) c.fail(words.status().message(), "Обработка прервана"_cp);
    return textResult(*words);
}

}  // namespace

void addTextBuiltins(BuiltinTable& t) {
    t["LEN"] = len;
    t["AT"] = at;
    t["RAT"] = rat;
    t["SUBS"] = t["COPY"] = t["SUBSDP"] = subs;
    t["ALLTRIM"] = alltrim;
    t["REPLICATE"] = replicate;
    t["SPACE"] = space;
    t["STRTRAN"] = strtran;
    t["EMPTY"] = empty;
    t["CHR"] = chr;
    t["ORD"] = ord;
    t["UPPER_ALL"] = upperAll;
    t["ANSIUPPERCASE"] = ansiUpper;
    t["NUMFORMAT"] = numformat;
    t["NUMONLY"] = numonly;
    t["PADRIGHT"] = padright;
    t["PADLEFT"] = padleft;
    t["NTOC"] = ntoc;
    t["CTON"] = cton;
    t["DTOC"] = ntoc;
    t["CTOD"] = ctod;
    t["IIF"] = iif;
    t["SUM_PROPIS"] = sumPropis;
}

}  // namespace script
