#pragma once
// Reading the calculation's inputs from a data folder. Each table is read
// once, in one sequential pass; absences are kept only when they touch the
// month.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "base/status.h"
#include "timesheet/calc_inputs.h"
#include "timesheet/definitions.h"
#include "timesheet/month_layout.h"
#include "timesheet/notes.h"

namespace timesheet {

// All rows of TAB.DBF; the default rows when the folder has no TAB.DBF.
base::Result<std::vector<Definition>> readDefinitions(const std::string& dataDir, Notes& notes);

// Holidays from the 1st of the month to the day after its last day.
base::Result<std::vector<base::Date>> readHolidays(const std::string& dataDir, const Month& month);

// KAL.DBF in table order; empty when the table is missing.
base::Result<std::vector<Calendar>> readCalendars(const std::string& dataDir);

// Holidays from `from` to `to`, both included.
base::Result<std::vector<base::Date>> readHolidaysBetween(const std::string& dataDir, base::Date from, base::Date to);

// Which cards to read: METKA other than "A" unless `withArchive`; when
// `department` is not empty, B_KOD equal to it; when `kod` is set, only
// that card.
struct CardFilter {
    std::string department;
    bool withArchive = false;
    std::optional<int64_t> kod;
};

// The cards, with the values of the layout's card columns.
base::Result<std::vector<Card>> readCards(const std::string& dataDir, const CardFilter& filter,
                                          const MonthLayout& layout);

// Rows of KOM.DBF, OTP.DBF or BOLL.DBF that touch the month, or that have a
// date in the month but a blank or reversed range; empty when the table is
// missing.
base::Result<std::vector<Absence>> readAbsences(const std::string& dataDir, AbsenceKind kind, const Month& month,
                                                std::optional<int64_t> kod = {});

const char* absenceTableName(AbsenceKind kind);

// The whole input of the month's calculation (absences only of `filter.kod`
// when it is set).
base::Result<MonthInputs> readMonthInputs(const std::string& dataDir, const Month& month, const CardFilter& filter,
                                          const MonthLayout& layout);

}  // namespace timesheet
