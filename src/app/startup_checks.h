#pragma once
// Pure decisions of start-up: the password check, the holidays reminder,
// the stored accounting month and font size.
#include <string>
#include <vector>

#include "base/date.h"
#include "base/text_trim.h"

namespace app {

inline const char* const kMasterPassword = "58374625";

// The typed password (trimmed) against the access password, the
// administrator password (only when it is not blank) and the master password.
bool startupPasswordAccepted(const std::string& typed, const std::string& access, const std::string& admin);

struct Holiday {
    base::Date date;
    std::string name;
};

struct HolidayCheck {
    int countThisAndNextYear = 0;
    std::string greeting;  // "dd.mm.yyyy - name" of the last holiday within five days, or ""
    bool remind() const { return countThisAndNextYear < 9; }
};

HolidayCheck checkHolidays(const std::vector<Holiday>& rows, base::Date today);

struct AccountingMonth {
    int month = 0;
    int year = 0;
    base::Date firstDay;
    std::string stored() const;  // MMYYYY
};

// "!l!" as MMYYYY; a value that does not name a month gives today's month.
AccountingMonth accountingMonthFrom(const std::string& value, base::Date today);
// "!S9": blank or not a number gives 10.
int fontSizeFrom(const std::string& value);


// Whole years from `start` to `end`, the day of the month not considered;
// 0 when start is later than end or empty.
int wholeYears(base::Date start, base::Date end);

}  // namespace app
