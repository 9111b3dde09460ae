#pragma once
// The layout of a month's timesheet table, built from the definitions in
// use: the card columns in definition order, the day fields D01 ... DN
// (character 4), then the result columns in definition order.
#include <string>
#include <string_view>
#include <vector>

#include "base/status.h"
#include "db/field.h"
#include "timesheet/definitions.h"

namespace timesheet {

enum class CardType : char { Text = 'C', Integer = 'N', Date = 'D' };

struct CardColumn {
    std::string field;  // upper case; the same name in the card and the timesheet
    CardType type = CardType::Text;
    int width = 0;      // character columns only
};

struct ResultColumn {
    std::string field;    // tip + tab, upper case
    char kind = 'R';      // 'R' counted days, 'H' summed hours, 'C' summed, not totalled
    std::string formula;  // trimmed
    int width = 0;
    bool plusHash = false;
    bool minusHash = false;
};

inline constexpr int kDayCellWidth = 4;
inline constexpr int kIntegerFieldWidth = 11;
inline constexpr long long kTotalsKod = 99999;

struct MonthLayout {
    int days = 0;
    int dayWidth = kDayCellWidth;
    std::vector<CardColumn> cards;
    std::vector<ResultColumn> results;

    db::FieldList fields() const;
    int cardIndex(std::string_view field) const;    // -1 when absent
    int resultIndex(std::string_view field) const;  // -1 when absent
};

// Builds and checks the layout; the month's table can be created exactly
// when this succeeds. Errors name the faulty definition: an unknown card
// field type, a width that is not 1 ... 254, a field name that dBase cannot
// hold, a name used twice, or a missing KOD, LK or FIO column.
base::Result<MonthLayout> buildMonthLayout(const std::vector<Definition>& inUse, int daysInMonth);

}  // namespace timesheet
