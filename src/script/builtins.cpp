#include "script/builtins.h"

#include "base/cp_literal.h"
#include "script/codes.h"
#include "script/interpreter.h"

namespace script {

namespace {
const Value kMissing;
}

std::string_view CallContext::raw(int i) const { return i < count_ ? std::string_view(args_[i]->text) : std::string_view(); }

std::string_view CallContext::text(int i) const { return unquoted(raw(i)); }

const Value& CallContext::value(int i) const { return i < count_ ? *args_[i] : kMissing; }

double CallContext::number(int i) const {
    std::optional<double> n = i < count_ && (raw(i).empty() || raw(i)[0] != kQuote) ? readNumber(*args_[i]) : readNumber(text(i));
    if (!n) fail("Значение "_cp + shown(raw(i)) + " не является числом"_cp, "Обработка прервана"_cp);
    return *n;
}

int64_t CallContext::whole(int i) const {
    if (i < count_ && args_[i]->numState > 0 && args_[i]->num == double(int64_t(args_[i]->num)) &&
        args_[i]->text.find_first_of(".eE") == std::string::npos)
        return int64_t(args_[i]->num);
    auto w = readWhole(text(i));
    if (!w) fail("Значение "_cp + shown(raw(i)) + " не является целым числом"_cp, "Обработка прервана"_cp);
    return *w;
}

base::Date CallContext::date(int i) const {
    auto d = readDate(text(i));
    if (!d) fail("Значение "_cp + shown(raw(i)) + " не является датой"_cp, "Обработка прервана"_cp);
    return *d;
}

void CallContext::fail(const std::string& line2, const std::string& line3) const { in_.fail(line2, line3); }

}  // namespace script
