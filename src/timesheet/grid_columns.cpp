#include "timesheet/grid_columns.h"

#include <algorithm>
#include <cmath>

#include "base/case_tables.h"
#include "base/cp_literal.h"
#include "timesheet/text_util.h"

namespace timesheet {
namespace {

int widthOf(const Definition& d) {
    try {
        return std::stoi(std::string(trimmed(d.wid)));
    } catch (...) {
        return 0;
    }
}

std::string cardField(const Definition& d) {
    const std::string_view f = trimmed(d.formul);
    return base::upperAnsi(trimmed(f.substr(0, f.find(';'))));
}

bool cardIsNumber(const Definition& d) {
    const std::string_view f = trimmed(d.formul);
    const auto semi = f.find(';');
    return semi != std::string_view::npos && base::upperAnsi(trimmed(f.substr(semi + 1))) == "N";
}

}  // namespace

bool isSearchField(const std::string& field) { return field == "LK" || field == "FIO"; }

std::vector<GridColumn> timesheetGridColumns(const std::vector<Definition>& inUse, int daysInMonth,
                                             const std::vector<std::string>& tableFields,
                                             const GridColumnOptions& options) {
    auto present = [&](const std::string& f) {
        return std::find(tableFields.begin(), tableFields.end(), f) != tableFields.end();
    };
    std::vector<GridColumn> columns;
    for (const Definition& d : inUse) {
        if (!isCardDefinition(d)) continue;
        GridColumn c;
        c.field = cardField(d);
        if (!present(c.field)) continue;
        c.title = trimmed(d.nameS).empty() ? std::string(trimmed(d.nameL)) : d.nameS;
        const int w = widthOf(d);
        c.width = w > 0 ? w * options.fontSize : 60;
        c.rightAligned = cardIsNumber(d);
        columns.push_back(c);
    }
    // Everything up to the NOM column is for the program, not for the eye.
    const auto nom = std::find_if(columns.begin(), columns.end(), [](const GridColumn& c) { return c.field == "NOM"; });
    if (nom != columns.end())
        for (auto it = columns.begin(); it <= nom; ++it) it->hidden = true;

    columns.push_back({"", "", 10, GridColumnKind::Spacer});
    if (!options.shortView) {
        for (int day = 1; day <= daysInMonth; ++day) {
            GridColumn c;
            c.field = dayFieldName(day);
            if (!present(c.field)) continue;
            c.title = c.field.substr(1);
            c.width = 2 * options.fontSize;
            c.kind = GridColumnKind::Day;
            columns.push_back(c);
        }
    }
    for (const char kind : {'C', 'R', 'H'}) {
        for (const Definition& d : inUse) {
            if (!isResultDefinition(d) || base::upperAnsi(trimmed(d.tip)) != std::string(1, kind)) continue;
            GridColumn c;
            c.field = base::upperAnsi(resultFieldName(d));
            if (!present(c.field)) continue;
            c.title = d.nameS;
            c.kind = GridColumnKind::Result;
            c.resultKind = kind;
            const int w = widthOf(d);
            c.width = kind == 'C' ? int(std::lround(w * options.fontSize / 2.0)) : std::max(30, w * options.fontSize / 2 + 10);
            c.rightAligned = true;
            columns.push_back(c);
        }
    }
    return columns;
}

}  // namespace timesheet
