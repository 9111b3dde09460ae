#include "timesheet/row_deletion.h"

#include <cstdio>

#include "base/cp_literal.h"
#include "timesheet/text_util.h"

namespace timesheet {

bool mayRemoveRow(const std::optional<Card>& card, const Month& month) {
    if (!card) return true;
    const std::string_view metka = trimmed(card->metka);
    return (metka == "A" || metka == "Y") && card->dDol < month.first();
}

std::string notDismissedMessage(const std::string& fio) { return " " + fio + " не уволен "_cp; }

std::string deletionLogRecord(base::Date today, const Month& month,
                              const std::vector<std::pair<std::string, std::string>>& fields) {
    char head[32];
    std::snprintf(head, sizeof head, "%02d.%02d-T%02d%02d-", today.day(), today.month(), month.month,
                  month.year % 100);
    std::string out = "    ====    " + std::string(head);
    for (const auto& [name, value] : fields) {
        if (name.empty() || name[0] == 'D' || name[0] == 'd' || isBlankText(value)) continue;
        out += name + "-" + value + ";";
    }
    return out;
}

}  // namespace timesheet
