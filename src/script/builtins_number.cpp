// Number functions: rounding, roots, logarithms, trigonometry. A result that
// is not a finite number is refused, never stored.
#include <cfenv>
#include <algorithm>
#include <cmath>

#include "base/cp_literal.h"
#include "script/builtins.h"
#include "script/codes.h"
#include "script/interpreter.h"

namespace script {

namespace {

Value checked(CallContext& c, double x) {
    if (!std::isfinite(x))
        c.fail("Недопустимый аргумент функции "_cp + c.name() + ": "_cp + std::string(c.raw(0)) +
                   (c.count() > 1 ? ", " + std::string(c.raw(1)) : std::string()),
               "Обработка прервана"_cp);
    return numberValue(x);
}

[[noreturn]] void badArgument(CallContext& c) {
    c.fail("Недопустимый аргумент функции "_cp + c.name() + ": "_cp + std::string(c.raw(0)), "Обработка прервана"_cp);
}

// Ties go to the even neighbour (the FPU's default rounding).
// Worked in extended precision, so that 2.675 (held slightly below) times
// 100 stays below 267.5 and rounds to 2.67.
double roundEven(double x, int64_t n) {
    if (n <= 0) return std::nearbyint(x);
    const long double p = std::pow(10.0L, (long double)(std::min<int64_t>(n, 30)));
    return double(std::nearbyintl((long double)x * p) / p);
}

Value round(CallContext& c) { return checked(c, roundEven(c.number(0), c.whole(1))); }
Value round5(CallContext& c) { return checked(c, roundEven(c.number(0) + 0.000000001, c.whole(1))); }
Value intPart(CallContext& c) { return checked(c, std::trunc(c.number(0))); }
Value abs(CallContext& c) { return checked(c, std::fabs(c.number(0))); }
Value sqr(CallContext& c) {
    const double x = c.number(0);
    return checked(c, x * x);
}
Value sqrt(CallContext& c) {
    const double x = c.number(0);
    if (x < 0) badArgument(c);
    return checked(c, std::sqrt(x));
}
Value ln(CallContext& c) {
    const double x = c.number(0);
    if (x <= 0) badArgument(c);
    return checked(c, std::log(x));
}
Value exp(CallContext& c) { return checked(c, std::exp(c.number(0))); }
Value power(CallContext& c) { return checked(c, std::pow(c.number(0), c.number(1))); }
Value pi(CallContext&) { return Value("3.141592653"); }
Value sin(CallContext& c) { return checked(c, std::sin(c.number(0))); }
Value cos(CallContext& c) { return checked(c, std::cos(c.number(0))); }
Value tan(CallContext& c) { return checked(c, std::tan(c.number(0))); }
Value cotan(CallContext& c) {
    const double t = std::tan(c.number(0));
    if (t == 0) badArgument(c);
    return checked(c, 1 / t);
}
Value arcsin(CallContext& c) {
    const double x = c.number(0);
    if (x < -1 || x > 1) badArgument(c);
    return checked(c, std::asin(x));
}
Value arccos(CallContext& c) {
    const double x = c.number(0);
    if (x < -1 || x > 1) badArgument(c);
    return checked(c, std::acos(x));
}
Value arctan(CallContext& c) { return checked(c, std::atan(c.number(0))); }

// MAX and MIN compare dates when both arguments look like dates.
Value extreme(CallContext& c, bool greater) {
    std::string_view a = c.text(0), b = c.text(1);
    if (a.size() == 10 && b.size() == 10 && a[2] == '.' && a[5] == '.') {
        const base::Date x = c.date(0), y = c.date(1);
        return Value((greater ? x >= y : x <= y) ? x.text() : y.text());
    }
    const double x = c.number(0), y = c.number(1);
    return checked(c, greater ? std::max(x, y) : std::min(x, y));
}
Value max(CallContext& c) { return extreme(c, true); }
Value min(CallContext& c) { return extreme(c, false); }

Value randomise(CallContext& c) {
    const LocalTime t = c.interpreter().host().now();
    return numberValue(double(t.second * 100 + t.minute));
}

}  // namespace

void addNumberBuiltins(BuiltinTable& t) {
    t["ROUND"] = t["ROUNDS"] = round;
    t["ROUND5"] = round5;
    t["INT"] = intPart;
    t["ABS"] = abs;
    t["SQRT"] = sqrt;
    t["SQR"] = sqr;
    t["LN"] = ln;
    t["EXP"] = exp;
    t["POWER"] = power;
    t["PI"] = pi;
    t["MAX"] = max;
    t["MIN"] = min;
    t["SIN"] = sin;
    t["COS"] = cos;
    t["TAN"] = tan;
    t["COTAN"] = cotan;
    t["ARCSIN"] = arcsin;
    t["ARCCOS"] = arccos;
    t["ARCTAN"] = arctan;
    t["RANDOMISE"] = randomise;
}

}  // namespace script
