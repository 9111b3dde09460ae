#pragma once
// The accounting month as the settings store keeps it (marker "!l!"): the
// two-digit month followed by the four-digit year, "032009" for March 2009.
#include <optional>
#include <string>
#include <string_view>

#include "timesheet/calc_inputs.h"

namespace timesheet {

// nullopt unless the text is exactly MMYYYY with a month 01 ... 12.
std::optional<Month> parseAccountingMonth(std::string_view stored);
std::string storedAccountingMonth(const Month& month);

// "ЯНВАРЬ" ... "ДЕКАБРЬ" (cp1251); empty for a month outside 1 ... 12.
std::string capitalMonthName(int month);

// The status bar panel: label + capital month name + two blanks + year.
std::string accountingMonthPanel(const std::string& label, const Month& month);

}  // namespace timesheet
