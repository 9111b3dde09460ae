#include "base/date.h"

#include <cstdio>

namespace base {

namespace {

// Days from 1970-01-01 of a civil date (H. Hinnant's algorithm).
int64_t daysFromCivil(int y, int m, int d) {
    y -= m <= 2;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const int64_t yoe = y - era * 400;
    const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

Ymd civilFromDays(int64_t z) {
    z += 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const int64_t doe = z - era * 146097;
    const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64_t y = yoe + era * 400;
    const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int64_t mp = (5 * doy + 2) / 153;
    const int d = int(doy - (153 * mp + 2) / 5 + 1);
    const int m = int(mp < 10 ? mp + 3 : mp - 9);
    return {int(y + (m <= 2)), m, d};
}

const int64_t kSerialEpoch = daysFromCivil(1899, 12, 30);

bool isBlank(std::string_view s) {
    for (char c : s)
        if (c != ' ') return false;
    return true;
}

// Reads 1..maxDigits digits at s[pos]; returns -1 when there are none.
int readNumber(std::string_view s, std::size_t& pos, int maxDigits) {
    int value = 0, digits = 0;
    while (pos < s.size() && digits < maxDigits && s[pos] >= '0' && s[pos] <= '9') {
        value = value * 10 + (s[pos++] - '0');
        ++digits;
    }
    return digits == 0 ? -1 : value;
}

}  // namespace

bool isLeapYear(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int daysInMonth(int year, int month) {
    static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) return 0;
    return month == 2 && isLeapYear(year) ? 29 : kDays[month - 1];
}

Date Date::fromYmd(int year, int month, int day) {
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 || day > daysInMonth(year, month))
        return Date();
    return Date(int32_t(daysFromCivil(year, month, day) - kSerialEpoch));
}

std::optional<Date> Date::parse(std::string_view text, bool allowShortYear) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    if (text.empty()) return Date();
    std::size_t pos = 0;
    const int d = readNumber(text, pos, 2);
    if (d < 0 || pos >= text.size() || text[pos++] != '.') return std::nullopt;
    const int m = readNumber(text, pos, 2);
    if (m < 0 || pos >= text.size() || text[pos++] != '.') return std::nullopt;
    const std::size_t yearStart = pos;
    int y = readNumber(text, pos, 4);
    if (y < 0 || pos != text.size()) return std::nullopt;
    const std::size_t yearDigits = pos - yearStart;
    if (yearDigits == 2 && allowShortYear) y += y < 50 ? 2000 : 1900;
    else if (yearDigits != 4) return std::nullopt;
    Date date = fromYmd(y, m, d);
    if (date.isEmpty()) return std::nullopt;
    return date;
}

std::optional<Date> Date::parseDbf(std::string_view text) {
    if (isBlank(text)) return Date();
    if (text.size() != 8) return std::nullopt;
    for (char c : text)
        if (c < '0' || c > '9') return std::nullopt;
    auto num = [&](int from, int len) {
        int v = 0;
        for (int i = from; i < from + len; ++i) v = v * 10 + (text[i] - '0');
        return v;
    };
    Date date = fromYmd(num(0, 4), num(4, 2), num(6, 2));
    if (date.isEmpty()) return std::nullopt;
    return date;
}

Ymd Date::ymd() const {
    if (isEmpty()) return {};
    return civilFromDays(int64_t(days_) + kSerialEpoch);
}

int Date::weekday() const {
    if (isEmpty()) return 0;
    // Day 0 (30.12.1899) was a Saturday.
    int w = int(((int64_t(days_) + 5) % 7 + 7) % 7);  // 0 = Monday
    return w + 1;
}

std::string Date::text() const {
    if (isEmpty()) return {};
    Ymd v = ymd();
    char buf[16];
    std::snprintf(buf, sizeof buf, "%02d.%02d.%04d", v.day, v.month, v.year);
    return buf;
}

std::string Date::dbfText() const {
    if (isEmpty()) return std::string(8, ' ');
    Ymd v = ymd();
    char buf[16];
    std::snprintf(buf, sizeof buf, "%04d%02d%02d", v.year, v.month, v.day);
    return buf;
}

}  // namespace base
