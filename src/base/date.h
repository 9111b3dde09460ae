#pragma once
// Calendar dates as day numbers with an empty state. Day 0 is 30.12.1899, so
// day numbers are the serial dates that scripts and stored values count in.
// Proleptic Gregorian calendar throughout.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace base {

struct Ymd {
    int year = 0;
    int month = 0;
    int day = 0;
};

class Date {
public:
    Date() = default;  // empty
    static Date fromDayNumber(int32_t n) { return Date(n); }
    // Empty when the parts do not name a real day (1 <= year <= 9999).
    static Date fromYmd(int year, int month, int day);
    // "dd.mm.yyyy" (one- or two-digit day and month accepted); with
    // allowShortYear also "dd.mm.yy", read as 20yy for yy < 50, else 19yy.
    // Blank text gives an empty date; anything else that is not a date
    // gives nullopt.
    static std::optional<Date> parse(std::string_view text, bool allowShortYear = false);
    // dBase storage form "yyyymmdd"; blank gives empty, garbage nullopt.
    static std::optional<Date> parseDbf(std::string_view text);

    bool isEmpty() const { return days_ == kEmpty; }
    int32_t dayNumber() const { return days_; }
    Ymd ymd() const;
    int year() const { return ymd().year; }
    int month() const { return ymd().month; }
    int day() const { return ymd().day; }
    int weekday() const;  // 1 = Monday ... 7 = Sunday

    Date addDays(int32_t n) const { return isEmpty() ? Date() : Date(days_ + n); }
    std::string text() const;     // "dd.mm.yyyy", or "" when empty
    std::string dbfText() const;  // "yyyymmdd", or 8 blanks when empty

    friend bool operator==(Date a, Date b) { return a.days_ == b.days_; }
    friend auto operator<=>(Date a, Date b) { return a.days_ <=> b.days_; }

private:
    static constexpr int32_t kEmpty = INT32_MIN;
    explicit Date(int32_t n) : days_(n) {}
    int32_t days_ = kEmpty;
};

bool isLeapYear(int year);
int daysInMonth(int year, int month);

}  // namespace base
