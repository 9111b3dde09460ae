// Array functions over the array store: NAME[0] ... NAME[n-1].
#include <algorithm>

#include "base/case_tables.h"
#include "base/cp_literal.h"
#include "script/builtins.h"
#include "script/codes.h"
#include "script/interpreter.h"

namespace script {

namespace {

constexpr int64_t kMaxElements = 1000000;

std::string arrayName(CallContext& c) { return std::string(trimSpaces(c.text(0))); }

std::string bare(std::string_view v) {
    std::string out;
    for (char ch : v)
        if (ch != kQuote) out += ch;
    return std::string(trimSpaces(out));
}

Value array(CallContext& c) {
    const int64_t n = c.whole(1);
    if (n > kMaxElements)
        c.fail("Функция ARRAY: более "_cp + std::to_string(kMaxElements) + " элементов"_cp, "Обработка прервана"_cp);
    std::vector<Value>& a = c.interpreter().makeArray(arrayName(c));
    a.assign(std::size_t(std::max<int64_t>(n, 0)), Value());
    return noValue();
}

Value arrayDelete(CallContext& c) {
    c.interpreter().removeArray(arrayName(c));
    return noValue();
}

Value aadd(CallContext& c) {
    Value v = c.value(1);  // copied first: it may be an element of this array
    std::vector<Value>& a = c.interpreter().makeArray(arrayName(c));
    if (int64_t(a.size()) >= kMaxElements)
        c.fail("Функция AADD: более "_cp + std::to_string(kMaxElements) + " элементов"_cp, "Обработка прервана"_cp);
    a.push_back(std::move(v));
    return noValue();
}

Value afill(CallContext& c) {
    if (auto* a = c.interpreter().findArray(arrayName(c))) {
        const std::string v(c.text(1));
        for (Value& e : *a) e = Value(v);
    }
    return noValue();
}

Value ascan(CallContext& c) {
    if (auto* a = c.interpreter().findArray(arrayName(c))) {
        const std::string wanted = bare(c.raw(1));
        for (std::size_t i = 0; i < a->size(); ++i)
            if (bare((*a)[i].text) == wanted) return numberValue(double(i));
    }
    return numberValue(99999);
}

Value lenm(CallContext& c) {
    auto* a = c.interpreter().findArray(arrayName(c));
    return numberValue(a ? double(a->size()) : 0);
}

Value asort(CallContext& c) {
    if (auto* a = c.interpreter().findArray(arrayName(c))) {
        std::stable_sort(a->begin(), a->end(), [](const Value& x, const Value& y) {
            const std::string ux = base::upperAnsi(x.text), uy = base::upperAnsi(y.text);
            return std::lexicographical_compare(ux.begin(), ux.end(), uy.begin(), uy.end(), [](char p, char q) {
                return static_cast<unsigned char>(p) < static_cast<unsigned char>(q);
            });
        });
    }
    return noValue();
}

}  // namespace

void addArrayBuiltins(BuiltinTable& t) {
    t["ARRAY"] = array;
    t["ARRAYDELETE"] = arrayDelete;
    t["AADD"] = aadd;
    t["AFILL"] = afill;
    t["ASCAN"] = ascan;
    t["LENM"] = lenm;
    t["ASORT"] = asort;
}

}  // namespace script
