#include "timesheet/day_marks.h"

#include "base/cp_literal.h"
#include "base/number_format.h"
#include "timesheet/text_util.h"

namespace timesheet {

HolidaySet::HolidaySet(const Month& month, const std::vector<base::Date>& holidays)
    : flags_(std::size_t(month.days()) + 2, false) {
    const base::Date first = month.first();
    for (base::Date h : holidays) {
        if (h.isEmpty()) continue;
        const int day = h.dayNumber() - first.dayNumber() + 1;
        if (day >= 1 && day <= month.days() + 1) flags_[std::size_t(day)] = true;
    }
}

EmploymentRange employmentRange(const Month& month, const Card& card) {
    const base::Date first = month.first(), last = month.last();
    EmploymentRange r;
    r.start = (!card.npd.isEmpty() && card.npd > first) ? card.npd : first;
    r.first = r.start <= last ? r.start.day() : 32;
    r.last = month.days();
    if (trimmed(card.metka) == "Y") {
        if (card.dDol < first) r.last = 0;
        else if (card.dDol <= last) r.last = card.dDol.day();
    }
    return r;
}

bool isIncluded(const Month& month, const Card& card) {
    if (!card.npd.isEmpty() && card.npd > month.last()) return false;
    if (isBlankText(card.fio)) return false;
    const std::string_view metka = trimmed(card.metka);
    return metka == "R" || (metka == "Y" && !card.dDol.isEmpty() && card.dDol >= month.first());
}

WorkWeek workWeekOf(const Card& card) {
    WorkWeek w;
    if (const auto d = wholeNumber(card.dwee); d && *d >= 1 && *d <= 7) w.days = *d;
    const std::string_view hours = trimmed(card.dlit);
    if (base::parseNumber(hours)) w.hours = std::string(hours);
    return w;
}

std::string shortened(const std::string& mark) {
    const std::string_view t = trimmed(mark);
    if (t.empty() || t[0] < '1' || t[0] > '9') return mark;
    const auto value = base::parseNumber(t);
    if (!value) return mark;
    return base::formatNumber(*value - 1);
}

CalendarChoice chooseCalendar(const Card& card, const std::vector<Calendar>& calendars, Notes& notes) {
    const std::string_view kal = trimmed(card.kal);
    const auto number = wholeNumber(kal);
    if (kal.empty() || (number && *number == 0)) return {};
    if (calendars.empty()) {
        notes.add("Нет календарей (KAL.DBF отсутствует или пуст): дни рассчитаны по рабочей неделе"_cp);
        return {};
    }
    const Calendar* found = &calendars.front();
    if (number)
        for (const Calendar& c : calendars)
            if (c.hasNom && c.nom == *number) {
                found = &c;
                break;
            }
    const std::string_view met = trimmed(found->met);
    if (met.empty()) return {found, 0};
    const auto cycle = wholeNumber(met);
    if (!cycle || *cycle < 1 || *cycle > 31) {
        notes.add("Календарь "_cp + std::to_string(found->nom) + ": длина цикла \""_cp + std::string(met) +
                  "\" не от 1 до 31, дни рассчитаны по рабочей неделе"_cp);
        return {};
    }
    return {found, *cycle};
}

namespace {

std::string& cellOf(DayCells& cells, int day) { return cells[std::size_t(day - 1)]; }

void shortenIfEmployed(DayCells& cells, const EmploymentRange& range, int day) {
    if (range.contains(day)) cellOf(cells, day) = shortened(cellOf(cells, day));
}

int positiveModulo(int value, int divisor) { return ((value % divisor) + divisor) % divisor; }

void writeCalendarMarks(DayCells& cells, const Month& month, const EmploymentRange& range,
                        const CalendarChoice& choice, const HolidaySet& holidays) {
    const Calendar& cal = *choice.calendar;
    if (choice.cycle > 0) {
        const base::Date anchor = cal.anchor.isEmpty() ? month.first() : cal.anchor;
        const int p = positiveModulo(range.start.dayNumber() - anchor.dayNumber(), choice.cycle);  // 0-based
        for (int d = range.first; d <= range.last; ++d)
            cellOf(cells, d) = cal.marks[std::size_t((p + d - range.first) % choice.cycle)];
    } else {
        for (int d = range.first; d <= range.last; ++d) cellOf(cells, d) = cal.marks[std::size_t(d - 1)];
    }
    if (!cal.praz) return;
    for (int d = range.first; d <= range.last; ++d) {
        if (!holidays.isHoliday(d)) continue;
        cellOf(cells, d) = "П#"_cp;
        shortenIfEmployed(cells, range, d - 1);
    }
}

void writeWeekMarks(DayCells& cells, const Month& month, const EmploymentRange& range, const WorkWeek& week,
                    const HolidaySet& holidays) {
    for (int d = range.first; d <= range.last; ++d) {
        std::string& cell = cellOf(cells, d);
        cell = week.days < month.dayDate(d).weekday() ? std::string("B#") : week.hours;
        if (holidays.isHoliday(d)) {
            cell = "П#"_cp;
            shortenIfEmployed(cells, range, d - 1);
        }
    }
    // A holiday right after the last employed day (also the 1st of the next
    // month) shortens that day.
    if (range.first <= range.last && holidays.isHoliday(range.last + 1)) shortenIfEmployed(cells, range, range.last);
}

}  // namespace

void writeBaseMarks(DayCells& cells, const Month& month, const EmploymentRange& range, const WorkWeek& week,
                    const CalendarChoice& choice, const HolidaySet& holidays) {
    if (choice.calendar) writeCalendarMarks(cells, month, range, choice, holidays);
    else writeWeekMarks(cells, month, range, week, holidays);
}

}  // namespace timesheet
