#include "app/startup_checks.h"

#include <cstdio>
#include "base/text_trim.h"

namespace app {

int wholeYears(base::Date start, base::Date end) {
    if (start.isEmpty() || end.isEmpty() || start > end) return 0;
    int years = end.year() - start.year();
    if (end.month() < start.month()) --years;
    return years;
}

bool startupPasswordAccepted(const std::string& typed, const std::string& access, const std::string& admin) {
    const std::string t = base::trimBlanks(typed);
    if (t == base::trimBlanks(access)) return true;
    // A blank typed password must not match an empty administrator password.
    const std::string a = base::trimBlanks(admin);
    if (!a.empty() && t == a) return true;
    return t == kMasterPassword;
}

HolidayCheck checkHolidays(const std::vector<Holiday>& rows, base::Date today) {
    HolidayCheck out;
    const int year = today.year();
    const base::Date limit = today.addDays(5);
    for (const Holiday& h : rows) {
        if (h.date.isEmpty()) continue;
        if (h.date.year() == year || h.date.year() == year + 1) ++out.countThisAndNextYear;
        if (h.date >= today && h.date <= limit) out.greeting = h.date.text() + " - " + base::trimBlanks(h.name);
    }
    return out;
}

std::string AccountingMonth::stored() const {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%02d%04d", month, year);
    return buf;
}

namespace {

bool digitsOnly(const std::string& s) {
    if (s.empty()) return false;
    for (char c : s)
        if (c < '0' || c > '9') return false;
    return true;
}

}  // namespace

AccountingMonth accountingMonthFrom(const std::string& value, base::Date today) {
    AccountingMonth m{today.month(), today.year(), {}};
    if (value.size() >= 6 && digitsOnly(value.substr(0, 2)) && digitsOnly(value.substr(2, 4))) {
        const int mm = std::stoi(value.substr(0, 2));
        const int yy = std::stoi(value.substr(2, 4));
        if (mm >= 1 && mm <= 12 && yy >= 1) m = {mm, yy, {}};
    }
    m.firstDay = base::Date::fromYmd(m.year, m.month, 1);
    return m;
}

int fontSizeFrom(const std::string& value) {
    const std::string t = base::trimBlanks(value);
    if (!digitsOnly(t) || t.size() > 3) return 10;
    const int n = std::stoi(t);
    return n > 0 ? n : 10;
}

}  // namespace app
