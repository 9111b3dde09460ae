#pragma once
// The texts the personal card shows for dates: seniority as
// "years - months - days", and the probation and contract labels.
#include <string>

#include "base/date.h"

namespace records {

// "Нет стажа" when start is later than end (or empty); otherwise years,
// months and days joined by " - ", a borrowed month counting 30 days.
std::string seniorityText(base::Date start, base::Date end);

// A line break and "до - " + the date when the date is not earlier than the
// first day of the accounting month, else `otherwise` ("НЕТ", "бессрочный").
std::string untilLabel(base::Date date, base::Date firstOfMonth, const std::string& otherwise);

}  // namespace records
