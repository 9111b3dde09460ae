// Date functions. Weekdays count 1 = Monday ... 7 = Sunday.
#include <algorithm>
#include <cstdio>

#include "base/cp1251.h"
#include "base/cp_literal.h"
#include "script/builtins.h"
#include "script/codes.h"
#include "script/interpreter.h"

namespace script {

namespace {

Value dateResult(base::Date d) { return Value(d.text()); }

base::Date today(CallContext& c) {
    const LocalTime t = c.interpreter().host().now();
    return base::Date::fromYmd(t.year, t.month, t.day);
}

Value date(CallContext& c) { return dateResult(today(c)); }

// The first day of the accounting month (setting "!l!", MMYYYY).
Value date1(CallContext& c) {
    const std::string month = c.interpreter().host().readSetup("!l!");
    if (month.size() == 6) {
        auto m = readWhole(month.substr(0, 2)), y = readWhole(month.substr(2));
        if (m && y) {
            base::Date d = base::Date::fromYmd(int(*y), int(*m), 1);
            if (!d.isEmpty()) return dateResult(d);
        }
    }
    const base::Date t = today(c);
    return dateResult(base::Date::fromYmd(t.year(), t.month(), 1));
}

Value time(CallContext& c) {
    const LocalTime t = c.interpreter().host().now();
    char buf[16];
    std::snprintf(buf, sizeof buf, "%02d:%02d:%02d", t.hour, t.minute, t.second);
    return Value(buf);
}

Value day(CallContext& c) { return numberValue(c.date(0).day()); }
Value month(CallContext& c) { return numberValue(c.date(0).month()); }
Value year(CallContext& c) { return numberValue(c.date(0).year()); }

Value monthName(CallContext& c) {
    static const char* const kNames[] = {"Январь", "Февраль", "Март", "Апрель", "Май", "Июнь",
                                         "Июль", "Август", "Сентябрь", "Октябрь", "Ноябрь", "Декабрь"};
    const int64_t n = c.whole(0);
    if (n < 1 || n > 12) return textResult("");
    return textResult(base::utf8ToCp1251(kNames[n - 1]));
}

Value bom(CallContext& c) {
    const base::Date d = c.date(0);
    return dateResult(base::Date::fromYmd(d.year(), d.month(), 1));
}

Value eom(CallContext& c) {
    const base::Date d = c.date(0);
    return dateResult(base::Date::fromYmd(d.year(), d.month(), base::daysInMonth(d.year(), d.month())));
}

Value boy(CallContext& c) { return dateResult(base::Date::fromYmd(c.date(0).year(), 1, 1)); }

Value dow(CallContext& c) { return numberValue(c.date(0).weekday()); }

// Working days between two dates, both included, counted from the earlier.
Value kolDay(CallContext& c) {
    const std::string mode(trimSpaces(c.text(0)));
    base::Date from = c.date(1), to = c.date(2);
    if (to < from) std::swap(from, to);
    int64_t count = int64_t(to.dayNumber()) - from.dayNumber() + 1;
    if (mode != "5" && mode != "6" && mode != "7") return numberValue(double(count));
    Host& host = c.interpreter().host();
    for (base::Date d = from; d <= to; d = d.addDays(1)) {
        const int w = d.weekday();
        if (mode == "5" && w >= 6) --count;
        if (mode == "6" && w == 7) --count;
        if (host.isHoliday(d)) {
            if ((mode == "5" && w <= 5) || (mode == "6" && w <= 6) || (mode == "7" && w == 7)) --count;
        }
    }
    return numberValue(double(count));
}

}  // namespace

void addDateBuiltins(BuiltinTable& t) {
    t["DATE"] = date;
    t["DATE1"] = date1;
    t["TIME"] = time;
    t["DAY"] = day;
    t["MONTH"] = month;
    t["YEAR"] = year;
    t["MONTHNAME"] = monthName;
    t["BOM"] = bom;
    t["EOM"] = eom;
    t["BOY"] = boy;
    t["DOW"] = dow;
    t["KOL_DAY"] = kolDay;
}

}  // namespace script
