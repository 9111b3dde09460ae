#pragma once
// The columns of the timesheet window's grid, built from the definitions in
// use: card columns, the narrow spacer on `mmm`, the day columns (unless the
// short view is chosen), then the "C", "R" and "H" columns. Columns of
// fields the month's table lacks are left out. Everything up to and
// including the column on NOM is hidden.
#include <string>
#include <vector>

#include "timesheet/definitions.h"
#include "timesheet/month_layout.h"

namespace timesheet {

enum class GridColumnKind { Card, Spacer, Day, Result };

struct GridColumn {
    std::string field;  // upper case; empty for the spacer
    std::string title;  // cp1251
    int width = 0;      // pixels
    GridColumnKind kind = GridColumnKind::Card;
    char resultKind = 0;  // 'R', 'H', 'C' for result columns
    bool rightAligned = false;
    bool hidden = false;
};

struct GridColumnOptions {
    int fontSize = 10;
    bool shortView = false;  // "Укороченный": no day columns
};

// `tableFields` are the month table's field names in upper case.
std::vector<GridColumn> timesheetGridColumns(const std::vector<Definition>& inUse, int daysInMonth,
                                             const std::vector<std::string>& tableFields,
                                             const GridColumnOptions& options);

// LK and FIO are search columns, never edited in the grid.
bool isSearchField(const std::string& field);

}  // namespace timesheet
