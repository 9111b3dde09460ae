#include "timesheet/reference_columns.h"

#include "base/cp_literal.h"

namespace timesheet {
namespace {

std::string twoDigits(int n) { return (n < 10 ? "0" : "") + std::to_string(n); }

}  // namespace

std::string referenceTable(ReferenceMode mode) {
    switch (mode) {
        case ReferenceMode::Holidays: return "PRAZ.DBF";
        case ReferenceMode::Calendars: return "KAL.DBF";
        case ReferenceMode::Durations: return "PROD.DBF";
    }
    return {};
}

std::string referenceCaption(ReferenceMode mode) {
    switch (mode) {
        case ReferenceMode::Holidays: return " Праздники "_cp;
        case ReferenceMode::Calendars: return " Календари для табеля "_cp;
        case ReferenceMode::Durations: return " Продолжительность работы "_cp;
    }
    return {};
}

std::vector<ReferenceColumn> referenceColumns(ReferenceMode mode) {
    std::vector<ReferenceColumn> c;
    switch (mode) {
        case ReferenceMode::Holidays:
            c = {{"Data", "Дата"_cp, 95}, {"name_p", "Наименование"_cp, 200}};
            break;
        case ReferenceMode::Calendars:
            c = {{"NOM", "NN", 20}, {"MET", "M", 20}, {"Data", "Дата"_cp, 70}, {"praz", "П"_cp, 15}};
            for (int d = 1; d <= 31; ++d) c.push_back({"d" + twoDigits(d), twoDigits(d), 19});
            break;
        case ReferenceMode::Durations:
            c = {{"Dyear", "Год"_cp, 60}, {"Dwee", "Д/н"_cp, 30}, {"Dlit", "Ч/д"_cp, 31}};
            for (int m = 1; m <= 12; ++m) {
                c.push_back({"D" + twoDigits(m), twoDigits(m), 25});
                c.push_back({"H" + twoDigits(m), "", 25});
            }
            break;
    }
    return c;
}

}  // namespace timesheet
