#include "timesheet/absence_marks.h"

#include <algorithm>

#include "base/cp_literal.h"
#include "timesheet/text_util.h"

namespace timesheet {

bool hasValidRange(const Absence& a) { return !a.from.isEmpty() && !a.to.isEmpty() && a.from <= a.to; }

bool overlapsMonth(const Absence& a, const Month& month) { return a.from <= month.last() && a.to >= month.first(); }

namespace {

bool kindStartsWith(const std::string& kind, const std::string& prefix) { return kind.compare(0, prefix.size(), prefix) == 0; }

std::string vacationMark(const Absence& a, int weekday, bool holiday, const WorkWeek& week) {
    // A vacation row without its own code is marked as a plain vacation.
    const std::string code = isBlankText(a.code) ? "ОТ"_cp : std::string(trimmed(a.code));
    std::string cell = week.days < weekday ? "В#"_cp : week.hours;
    if (holiday) return "П#"_cp;
    if (week.days >= weekday && !kindStartsWith(a.kind, "отоз"_cp)) cell = code;
    if (weekday == 6 && code == "ОТ"_cp &&
        (kindStartsWith(a.kind, "труд"_cp) || kindStartsWith(a.kind, "прод"_cp)))
        cell = "ОТ"_cp;
    return cell;
}

std::string sickLeaveMark(int weekday, bool holiday, const WorkWeek& week) {
    if (holiday) return "П#"_cp;
    return week.days < weekday ? "В#"_cp : "БЛ"_cp;
}

}  // namespace

void applyAbsence(DayCells& cells, AbsenceKind kind, const Absence& a, const Month& month,
                  const EmploymentRange& range, const WorkWeek& week, const HolidaySet& holidays) {
    const int from = std::max(a.from > month.first() ? a.from.day() : 1, range.first);
    const int to = std::min(a.to < month.last() ? a.to.day() : month.days(), range.last);
    for (int d = from; d <= to; ++d) {
        std::string& cell = cells[std::size_t(d - 1)];
        const int w = month.dayDate(d).weekday();
        switch (kind) {
        case AbsenceKind::Trip: cell = "КО"_cp; break;
        case AbsenceKind::Vacation: cell = vacationMark(a, w, holidays.isHoliday(d), week); break;
        case AbsenceKind::SickLeave: cell = sickLeaveMark(w, holidays.isHoliday(d), week); break;
        }
    }
}

}  // namespace timesheet
