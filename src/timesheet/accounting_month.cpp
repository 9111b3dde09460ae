#include "timesheet/accounting_month.h"

#include <cstdio>

#include "base/cp_literal.h"
#include "timesheet/text_util.h"

namespace timesheet {

std::optional<Month> parseAccountingMonth(std::string_view stored) {
    if (stored.size() != 6) return std::nullopt;
    for (char c : stored)
        if (c < '0' || c > '9') return std::nullopt;
    const auto m = wholeNumber(stored.substr(0, 2));
    const auto y = wholeNumber(stored.substr(2));
    if (!m || !y || *m < 1 || *m > 12 || *y < 1) return std::nullopt;
    return Month{*y, *m};
}

std::string storedAccountingMonth(const Month& month) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%02d%04d", month.month, month.year);
    return buf;
}

std::string capitalMonthName(int month) {
    const std::string* names[] = {&"ЯНВАРЬ"_cp, &"ФЕВРАЛЬ"_cp, &"МАРТ"_cp,     &"АПРЕЛЬ"_cp,
                                  &"МАЙ"_cp,    &"ИЮНЬ"_cp,    &"ИЮЛЬ"_cp,     &"АВГУСТ"_cp,
                                  &"СЕНТЯБРЬ"_cp, &"ОКТЯБРЬ"_cp, &"НОЯБРЬ"_cp, &"ДЕКАБРЬ"_cp};
    return month >= 1 && month <= 12 ? *names[month - 1] : std::string();
}

std::string accountingMonthPanel(const std::string& label, const Month& month) {
    return label + capitalMonthName(month.month) + "  " + std::to_string(month.year);
}

}  // namespace timesheet
