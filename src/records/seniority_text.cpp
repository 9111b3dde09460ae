#include "records/seniority_text.h"

#include "base/cp_literal.h"

namespace records {

std::string seniorityText(base::Date s, base::Date e) {
    if (s.isEmpty() || e.isEmpty() || s > e) return "Нет стажа"_cp;
    int years = e.year() - s.year();
    if (e.month() < s.month()) --years;
    int months = e.month() - s.month();
    if (e.month() < s.month()) months += 12;
    if (e.day() < s.day()) --months;
    int days = e.day() - s.day();
    if (e.day() < s.day()) days += 30;
    if (months < 0) {
        months += 12;
        --years;
    }
    return std::to_string(years) + " - " + std::to_string(months) + " - " + std::to_string(days);
}

std::string untilLabel(base::Date date, base::Date firstOfMonth, const std::string& otherwise) {
    if (!date.isEmpty() && !(date < firstOfMonth)) return "\n" + "до - "_cp + date.text();
    return otherwise;
}

}  // namespace records
