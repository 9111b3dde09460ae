#pragma once
// The day marks of one employee from the working week or the work calendar
// and the public holidays, before absences are laid over them.
#include <string>
#include <vector>

#include "timesheet/calc_inputs.h"
#include "timesheet/notes.h"

namespace timesheet {

// Day cells of one row, index 0 = day 1.
using DayCells = std::vector<std::string>;

// Holidays of the month and of the day after it: index d (1 ... N + 1).
class HolidaySet {
public:
    HolidaySet(const Month& month, const std::vector<base::Date>& holidays);
    bool isHoliday(int day) const { return day >= 1 && day < int(flags_.size()) && flags_[day]; }

private:
    std::vector<bool> flags_;
};

// The employed days of the month: first ... last (first = 32 when the
// employee starts after the month, last = 0 when dismissed before it).
struct EmploymentRange {
    base::Date start;  // S: the later of NPD and the first day of the month
    int first = 32;
    int last = 0;
    bool contains(int day) const { return day >= first && day <= last; }
};

EmploymentRange employmentRange(const Month& month, const Card& card);

// Whether the full calculation writes the employee's days: NPD not after
// the month, a name, and employed ("R") or dismissed ("Y") within or after
// the month.
bool isIncluded(const Month& month, const Card& card);

// The card's working week: days per week 1 ... 7 (5 when blank or not a
// number) and the hours-per-day mark ("8" when blank or not a number).
struct WorkWeek {
    int days = 5;
    std::string hours = "8";
};
WorkWeek workWeekOf(const Card& card);

// Lowers an hours mark by one before a holiday ("8" -> "7"). Marks that do
// not begin with a digit 1 ... 9, or are not a number as a whole (a
// calendar's own code such as "8Н"), stay as they are.
std::string shortened(const std::string& mark);

// The calendar an employee follows, or none (the working-week rules).
struct CalendarChoice {
    const Calendar* calendar = nullptr;
    int cycle = 0;  // 1 ... 31 for a cyclic calendar, 0 for a fixed one
};
CalendarChoice chooseCalendar(const Card& card, const std::vector<Calendar>& calendars, Notes& notes);

// Writes the marks of days range.first ... range.last into `cells` (which
// must hold N empty cells).
void writeBaseMarks(DayCells& cells, const Month& month, const EmploymentRange& range, const WorkWeek& week,
                    const CalendarChoice& choice, const HolidaySet& holidays);

}  // namespace timesheet
