#include "timesheet/list_correction.h"

#include "timesheet/day_marks.h"
#include "timesheet/result_columns.h"
#include "timesheet/text_util.h"

namespace timesheet {

int correctionWorkingDays(const Month& month, const Card& card) {
    const EmploymentRange range = employmentRange(month, card);
    const std::string_view dwee = trimmed(card.dwee);
    const int lastWeekday = dwee == "5" ? 5 : dwee == "6" ? 6 : 7;
    int count = 0;
    for (int d = range.first; d <= range.last; ++d)
        if (month.dayDate(d).weekday() <= lastWeekday) ++count;
    return count;
}

CorrectionPlan planListCorrection(const Month& month, const std::vector<Card>& cards,
                                  const std::unordered_set<int64_t>& kodsInTable) {
    CorrectionPlan plan;
    std::unordered_set<int64_t> appended;
    for (std::size_t i = 0; i < cards.size(); ++i) {
        const Card& card = cards[i];
        if (card.lk == 0 && isBlankText(card.fio)) {
            plan.cardsToDelete.push_back(card.recNo);
            continue;
        }
        if (!isIncluded(month, card)) continue;
        CorrectionRow row;
        row.card = i;
        row.append = !kodsInTable.count(card.kod) && appended.insert(card.kod).second;
        if (row.append) row.r001 = resultText(correctionWorkingDays(month, card));
        plan.rows.push_back(row);
    }
    return plan;
}

}  // namespace timesheet
