#pragma once
// The calendar reference tables of the reference window: which table each
// mode shows, its caption and its grid columns.
#include <string>
#include <vector>

namespace timesheet {

enum class ReferenceMode { Holidays = 11, Calendars = 12, Durations = 13 };

struct ReferenceColumn {
    std::string field;  // as the table names it (any case)
    std::string title;  // cp1251
    int width = 0;      // pixels
};

std::string referenceTable(ReferenceMode mode);    // "PRAZ.DBF", "KAL.DBF", "PROD.DBF"
std::string referenceCaption(ReferenceMode mode);  // cp1251
std::vector<ReferenceColumn> referenceColumns(ReferenceMode mode);

}  // namespace timesheet
