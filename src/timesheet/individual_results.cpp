#include "timesheet/individual_results.h"

#include "timesheet/result_columns.h"
#include "timesheet/text_util.h"

namespace timesheet {

void dropZeroMarks(DayCells& cells) {
    for (std::string& c : cells)
        if (!c.empty() && c[0] == '0') c.clear();
}

bool countsForIndividualTimesheet(const ResultColumn& column, const Month& month, const HolidaySet& holidays,
                                  int weekDays, int day) {
    if (!column.plusHash && !column.minusHash) return true;
    const bool working = !holidays.isHoliday(day) && month.dayDate(day).weekday() <= weekDays;
    if (working) return !column.plusHash;
    return !column.minusHash;
}

std::vector<std::optional<std::string>> individualResults(const MonthLayout& layout, const DayCells& cells,
                                                          const Month& month, const HolidaySet& holidays,
                                                          int weekDays) {
    std::vector<std::optional<std::string>> out;
    for (const ResultColumn& r : layout.results) {
        const double sum = countResult(r, cells, 1, month.days(), [&](int day) {
            return countsForIndividualTimesheet(r, month, holidays, weekDays, day);
        });
        if (sum > 0) out.emplace_back(resultText(sum));
        else if (!r.formula.empty()) out.emplace_back(std::string());
        else out.emplace_back(std::nullopt);
    }
    return out;
}

}  // namespace timesheet
