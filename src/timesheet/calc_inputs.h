#pragma once
// What the month's calculation works on, as plain values read beforehand
// from the data folder (cards, absences, calendars, holidays).
#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "base/date.h"

namespace timesheet {

struct Month {
    int year = 0;
    int month = 0;

    base::Date first() const { return base::Date::fromYmd(year, month, 1); }
    base::Date last() const { return base::Date::fromYmd(year, month, days()); }
    int days() const { return base::daysInMonth(year, month); }
    base::Date dayDate(int day) const { return first().addDays(day - 1); }
};

// One employee card (DANN.DBF).
struct Card {
    int64_t recNo = 0;  // physical record number, to write MET_T back
    int64_t kod = 0;
    int64_t lk = 0;
    std::string fio;
    std::string metka;  // "R" employed, "Y" dismissed, "A" archived
    base::Date dDol;    // last appointment, or the dismissal date when dismissed
    base::Date npd;     // start of work at the enterprise
    std::string dwee;   // working days per week (text)
    std::string dlit;   // hours per day (text)
    std::string kal;    // calendar number (text), blank or "0" = none
    std::string bKod;   // department and group codes
    std::string bbK;
    bool metTBlank = true;
    // Values of the card columns the timesheet copies, by upper-case field
    // name, in text form (numbers as digits, dates dd.mm.yyyy).
    std::map<std::string, std::string> values;
};

enum class AbsenceKind { Trip, Vacation, SickLeave };

// One row of KOM.DBF, OTP.DBF or BOLL.DBF.
struct Absence {
    int64_t recNo = 0;
    int64_t kod = 0;
    base::Date from;    // DATA1
    base::Date to;      // DATA2
    std::string code;   // vacations: Otp_p, the mark written into the day cells
    std::string kind;   // vacations: Otper, the kind of vacation
    bool metTBlank = true;
};

// One row of KAL.DBF.
struct Calendar {
    bool hasNom = false;
    int64_t nom = 0;
    std::string met;     // cycle length as text; blank = not cyclic
    base::Date anchor;   // day 1 of the cycle; empty = the first day of the month
    bool praz = false;   // public holidays override the pattern
    std::array<std::string, 31> marks;  // d01 ... d31
};

struct MonthInputs {
    Month month;
    std::vector<base::Date> holidays;  // any order; outside the month ignored
    std::vector<Card> cards;           // in the order of the card table
    std::vector<Calendar> calendars;   // in table order; empty when KAL.DBF is missing or empty
    std::vector<Absence> trips;
    std::vector<Absence> vacations;
    std::vector<Absence> sickLeave;
};

}  // namespace timesheet
