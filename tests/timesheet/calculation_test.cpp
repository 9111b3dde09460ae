// The month's calculation as a table of cases: each case runs through the
// full calculation and the single-row recalculation, which must agree.
#include <gtest/gtest.h>

#include <map>

#include "test_text.h"
#include "timesheet/list_correction.h"
#include "timesheet/month_calculation.h"
#include "timesheet/result_columns.h"

namespace {

using namespace timesheet;
using base::Date;
using timesheet_test::cells;
using timesheet_test::cp;
using timesheet_test::joined;
using timesheet_test::utf;

// June 2026: 30 days, the 1st is a Monday.
const Month kJune{2026, 6};
Date june(int d) { return Date::fromYmd(2026, 6, d); }

std::string repeat(const std::string& s, int n) {
    std::string out;
    for (int i = 0; i < n; ++i) out += s;
    return out;
}
// Days of a 5-day week of 8 hours in June 2026.
const std::string kWeek = "8 8 8 8 8 B# B# ";
const std::string kPlainJune = repeat(kWeek, 4) + "8 8";

Card employee(int64_t kod = 7) {
    Card c;
    c.recNo = kod;
    c.kod = kod;
    c.lk = 100 + kod;
    c.fio = cp("Иванов И.И.");
    c.metka = "R";
    c.npd = Date::fromYmd(2020, 1, 15);
    c.dDol = Date::fromYmd(2021, 3, 1);
    c.dwee = "5";
    c.dlit = "8";
    c.kal = "0";
    return c;
}

Calendar calendar(int64_t nom, const std::string& met, std::vector<std::string> utf8Marks, bool praz = false,
                  Date anchor = {}) {
    Calendar c;
    c.hasNom = true;
    c.nom = nom;
    c.met = met;
    c.praz = praz;
    c.anchor = anchor;
    for (std::size_t i = 0; i < c.marks.size(); ++i)
        c.marks[i] = cp(utf8Marks.empty() ? "" : utf8Marks[i % utf8Marks.size()]);
    return c;
}

Absence absence(Date from, Date to, const std::string& code = "", const std::string& kind = "", int64_t kod = 7) {
    Absence a;
    a.recNo = 1;
    a.kod = kod;
    a.from = from;
    a.to = to;
    a.code = cp(code);
    a.kind = cp(kind);
    return a;
}

struct Case {
    std::string what;
    Card card = employee();
    std::vector<Date> holidays;
    std::vector<Calendar> calendars;
    std::vector<Absence> trips, vacations, sick;
    std::string days;                            // expected cells, utf-8 tokens
    std::map<std::string, std::string> results;  // expected result texts (utf-8)
    std::string note;                            // expected part of a note (utf-8)
};

std::vector<Definition> definitionsWithPlusHash() {
    auto defs = defaultDefinitions();
    defs.push_back({"030", "x", "x", "3", "R", "8/ +#", "+"});
    return defs;
}

std::vector<Case> cases() {
    std::vector<Case> v;
    {
        Case c;
        c.what = "five-day week, no holidays";
        c.days = kPlainJune;
        c.results = {{"R001", "22"}, {"R019", "8"}, {"R020", "30"}, {"H021", "176"}, {"R030", ""}, {"R002", ""}};
        v.push_back(c);
    }
    {
        Case c;
        c.what = "hired on the 10th: days 1 to 9 empty";
        c.card.npd = june(10);
        c.days = ". . . . . . . . . 8 8 8 B# B# " + repeat(kWeek, 2) + "8 8";
        c.results = {{"R001", "15"}, {"R020", "21"}};
        v.push_back(c);
    }
    {
        Case c;
        c.what = "dismissed on the 20th: days 21 to 30 empty";
        c.card.metka = "Y";
        c.card.dDol = june(20);
        c.days = repeat(kWeek, 2) + "8 8 8 8 8 B# . . . . . . . . . .";
        c.results = {{"R001", "15"}, {"R019", "5"}};
        v.push_back(c);
    }
    {
        Case c;
        c.what = "holiday on Wednesday the 10th: Tuesday shortened";
        c.holidays = {june(10)};
        c.days = kWeek + "8 7 П# 8 8 B# B# " + repeat(kWeek, 2) + "8 8";
        c.results = {{"R001", "21"}, {"R019", "9"}, {"H021", "167"}};
        v.push_back(c);
    }
    {
        Case c;
        c.what = "holiday on the 1st of the next month shortens day N without calendar";
        c.holidays = {Date::fromYmd(2026, 7, 1), Date::fromYmd(2026, 5, 31)};
        c.days = repeat(kWeek, 4) + "8 7";
        v.push_back(c);
    }
    {
        Case c;
        c.what = "holidays on the last day and the 1st of the next month: one shortening";
        c.holidays = {june(30), Date::fromYmd(2026, 7, 1)};
        c.days = repeat(kWeek, 4) + "7 П#";
        v.push_back(c);
    }
    {
        Case c;
        c.what = "six-day week, blank hours use 8";
        c.card.dwee = "6";
        c.card.dlit = " ";
        c.days = repeat("8 8 8 8 8 8 B# ", 4) + "8 8";
        c.results = {{"R001", "26"}};
        v.push_back(c);
    }
    {
        Case c;
        c.what = "blank or invalid working week uses five days";
        c.card.dwee = "x";
        c.card.dlit = "7";
        c.days = repeat("7 7 7 7 7 B# B# ", 4) + "7 7";
        v.push_back(c);
    }
    {
        Case c;
        c.what = "cyclic calendar of 4 days from the 1st";
        c.card.kal = "3";
        c.calendars = {calendar(3, "4", {"12", "12", "В#", "В#"})};
        c.days = repeat("12 12 В# В# ", 7) + "12 12";
        c.results = {{"R001", "16"}, {"H021", "192"}, {"R019", "14"}};
        v.push_back(c);
    }
    {
        Case c;
        c.what = "cyclic calendar, hired on the 3rd: day 3 is cycle day 3";
        c.card.kal = "3";
        c.card.npd = june(3);
        c.calendars = {calendar(3, "4", {"12", "12", "В#", "В#"})};
        c.days = ". . В# В# " + repeat("12 12 В# В# ", 6) + "12 12";
        v.push_back(c);
    }
    {
        Case c;
        c.what = "cyclic calendar anchored after the start counts backwards";
        c.card.kal = "3";
        c.calendars = {calendar(3, "4", {"12", "12", "В#", "В#"}, false, june(3))};
        c.days = "В# В# " + repeat("12 12 В# В# ", 7);
        v.push_back(c);
    }
    {
        Case c;
        c.what = "fixed calendar with holidays: the day before shortened, not the next month's";
        c.card.kal = "2";
        c.holidays = {june(10), Date::fromYmd(2026, 7, 1)};
        std::vector<std::string> marks(31, "12");
        c.calendars = {calendar(1, "", {"1"}), calendar(2, " ", marks, true)};
        c.days = repeat("12 ", 8) + "11 П# " + repeat("12 ", 20);
        c.results = {{"R001", "29"}, {"R019", "1"}};
        v.push_back(c);
    }
    {
        Case c;
        c.what = "fixed calendar ignoring holidays";
        c.card.kal = "2";
        c.holidays = {june(10)};
        c.calendars = {calendar(2, "", {"7", "ДН", "В#"})};
        c.days = repeat("7 ДН В# ", 10);
        c.results = {{"R001", "10"}, {"R019", "10"}, {"R020", "20"}};
        v.push_back(c);
    }
    {
        Case c;
        c.what = "calendar number missing: the first calendar row";
        c.card.kal = "9";
        c.calendars = {calendar(1, "", {"6"}), calendar(2, "", {"12"})};
        c.days = repeat("6 ", 30);
        v.push_back(c);
    }
    for (const char* bad : {"0", "32", "x"}) {
        Case c;
        c.what = std::string("cycle length ") + bad + " falls back to the working week";
        c.card.kal = "1";
        c.calendars = {calendar(1, bad, {"12"})};
        c.days = kPlainJune;
        c.note = "длина цикла";
        v.push_back(c);
    }
    {
        Case c;
        c.what = "no calendars at all: the working week";
        c.card.kal = "4";
        c.days = kPlainJune;
        c.note = "KAL.DBF";
        v.push_back(c);
    }
    {
        Case c;
        c.what = "business trip over a weekend";
        c.trips = {absence(june(5), june(8))};
        c.days = "8 8 8 8 КО КО КО КО 8 8 8 8 B# B# " + repeat(kWeek, 2) + "8 8";
        c.results = {{"R004", "4"}, {"R001", "20"}, {"R020", "30"}};
        v.push_back(c);
    }
    {
        Case c;
        c.what = "trip from the previous month into this one";
        c.trips = {absence(Date::fromYmd(2026, 5, 20), june(2))};
        c.days = "КО КО 8 8 8 B# B# " + repeat(kWeek, 3) + "8 8";
        v.push_back(c);
    }
    {
        Case c;
        c.what = "labour vacation: Saturdays ОТ, Sundays В#, holiday П#";
        c.holidays = {june(10)};
        c.vacations = {absence(june(1), june(14), "ОТ", "трудовой")};
        c.days = "ОТ ОТ ОТ ОТ ОТ ОТ В# ОТ ОТ П# ОТ ОТ ОТ В# " + repeat(kWeek, 2) + "8 8";
        c.results = {{"R002", "11"}, {"R001", "12"}, {"R019", "7"}};
        v.push_back(c);
    }
    {
        Case c;
        c.what = "vacation with its own code keeps Saturdays off";
        c.vacations = {absence(june(1), june(7), "ДО", "дополнительный")};
        c.days = "ДО ДО ДО ДО ДО В# В# " + repeat(kWeek, 3) + "8 8";
        c.results = {{"R002", ""}, {"R019", "8"}};
        v.push_back(c);
    }
    {
        Case c;
        c.what = "recalled vacation leaves working days at the hours";
        c.vacations = {absence(june(1), june(7), "ОТ", "отозван")};
        c.days = "8 8 8 8 8 В# В# " + repeat(kWeek, 3) + "8 8";
        v.push_back(c);
    }
    {
        Case c;
        c.what = "vacation without a code is a plain vacation";
        c.vacations = {absence(june(1), june(2))};
        c.days = "ОТ ОТ 8 8 8 B# B# " + repeat(kWeek, 3) + "8 8";
        v.push_back(c);
    }
    {
        Case c;
        c.what = "sick leave on a holiday shows П#";
        c.holidays = {june(3)};
        c.sick = {absence(june(1), june(7))};
        c.days = "БЛ БЛ П# БЛ БЛ В# В# " + repeat(kWeek, 3) + "8 8";
        c.results = {{"R003", "4"}, {"R020", "30"}};
        v.push_back(c);
    }
    {
        Case c;
        c.what = "sick leave after a trip wins the day";
        c.trips = {absence(june(1), june(3))};
        c.sick = {absence(june(3), june(4))};
        c.days = "КО КО БЛ БЛ 8 B# B# " + repeat(kWeek, 3) + "8 8";
        v.push_back(c);
    }
    {
        Case c;
        c.what = "blank and reversed absence ranges are skipped";
        c.trips = {absence(june(5), Date()), absence(Date(), june(5))};
        c.sick = {absence(june(9), june(3))};
        c.days = kPlainJune;
        c.note = "перевернутыми";
        v.push_back(c);
    }
    {
        Case c;
        c.what = "absences outside the employed days are not written";
        c.card.npd = june(10);
        c.vacations = {absence(june(1), june(11), "ОТ", "трудовой")};
        c.days = ". . . . . . . . . ОТ ОТ 8 B# B# " + repeat(kWeek, 2) + "8 8";
        v.push_back(c);
    }
    {
        Case c;
        c.what = "another employee's absences do not count";
        c.trips = {absence(june(1), june(30), "", "", 8)};
        c.days = kPlainJune;
        v.push_back(c);
    }
    return v;
}

MonthInputs inputsOf(const Case& c) {
    MonthInputs in;
    in.month = kJune;
    in.holidays = c.holidays;
    in.cards = {c.card};
    in.calendars = c.calendars;
    in.trips = c.trips;
    in.vacations = c.vacations;
    in.sickLeave = c.sick;
    return in;
}

bool hasNote(const std::vector<std::string>& notes, const std::string& utf8Part) {
    for (const std::string& n : notes)
        if (n.find(cp(utf8Part)) != std::string::npos) return true;
    return false;
}

TEST(MonthCalculation, CasesAgreeInFullAndSingleRowCalculation) {
    const auto layout = buildMonthLayout(definitionsWithPlusHash(), kJune.days());
    ASSERT_TRUE(layout.isOk());
    for (const Case& c : cases()) {
        SCOPED_TRACE(c.what);
        const MonthInputs in = inputsOf(c);
        const MonthCalculation calc(layout.value(), in);
        const MonthResult full = calc.calculateAll();
        Notes notes;
        const RowResult single = calc.recalculateRow(c.card, notes);

        ASSERT_EQ(full.rows.size(), 2u);
        const MonthRow& row = full.rows[0];
        EXPECT_EQ(joined(row.days), joined(cells(c.days)));
        EXPECT_EQ(row.days, single.row.days);
        EXPECT_EQ(row.results, single.row.results);
        EXPECT_EQ(row.cardValues, single.row.cardValues);
        for (const auto& [field, value] : c.results) {
            const int i = layout->resultIndex(field);
            ASSERT_GE(i, 0) << field;
            EXPECT_EQ(utf(row.results[std::size_t(i)]), value) << field;
        }
        if (!c.note.empty()) {
            EXPECT_TRUE(hasNote(full.notes, c.note)) << c.note;
            EXPECT_TRUE(hasNote(notes.list(), c.note)) << c.note;
        }
        EXPECT_EQ(full.rows[1].kod, kTotalsKod);
    }
}

TEST(MonthCalculation, InclusionTest) {
    struct Inclusion {
        const char* what;
        std::string metka;
        Date npd, dDol;
        std::string fio;
        bool included;
    };
    const Inclusion cases[] = {
        {"employed", "R", june(1), {}, "A", true},
        {"hired on the last day", "R", june(30), {}, "A", true},
        {"hired after the month", "R", Date::fromYmd(2026, 7, 1), {}, "A", false},
        {"no start date", "R", {}, {}, "A", true},
        {"no name", "R", june(1), {}, "  ", false},
        {"dismissed in the month", "Y", Date::fromYmd(2020, 1, 1), june(1), "A", true},
        {"dismissed before the month", "Y", Date::fromYmd(2020, 1, 1), Date::fromYmd(2026, 5, 31), "A", false},
        {"dismissed without date", "Y", Date::fromYmd(2020, 1, 1), {}, "A", false},
        {"archived", "A", Date::fromYmd(2020, 1, 1), june(20), "A", false},
    };
    for (const Inclusion& c : cases) {
        Card card = employee();
        card.metka = c.metka;
        card.npd = c.npd;
        card.dDol = c.dDol;
        card.fio = c.fio;
        EXPECT_EQ(isIncluded(kJune, card), c.included) << c.what;
    }
}

TEST(MonthCalculation, SingleRowOutsideTheEmploymentRangeWritesNothing) {
    // No inclusion test in the single-row recalculation: someone dismissed
    // before the month or hired after it gets empty days, and a holiday on
    // the next month's 1st shortens nothing (there is no employed day 0).
    const auto layout = buildMonthLayout(defaultDefinitions(), kJune.days());
    MonthInputs in;
    in.month = kJune;
    in.holidays = {june(1), Date::fromYmd(2026, 7, 1)};
    Card gone = employee();
    gone.metka = "Y";
    gone.dDol = Date::fromYmd(2026, 5, 10);
    Card future = employee();
    future.npd = Date::fromYmd(2026, 7, 5);
    in.sickLeave = {absence(june(1), june(30))};
    const MonthCalculation calc(layout.value(), in);
    Notes notes;
    for (const Card& c : {gone, future}) {
        const RowResult r = calc.recalculateRow(c, notes);
        EXPECT_EQ(joined(r.row.days), repeat(". ", 29) + ".");
        for (const std::string& res : r.row.results) EXPECT_EQ(res, "");
    }
    EXPECT_EQ(calc.calculateAll().rows.size(), 1u);  // only the totals row
}

TEST(MonthCalculation, TotalsRowAndCardColumns) {
    const auto layout = buildMonthLayout(defaultDefinitions(), kJune.days());
    MonthInputs in;
    in.month = kJune;
    Card a = employee(1), b = employee(2);
    a.bKod = "03";
    a.values["NOM"] = "12";
    b.npd = june(29);
    in.cards = {a, b};
    const MonthResult r = MonthCalculation(layout.value(), in).calculateAll();
    ASSERT_EQ(r.rows.size(), 3u);
    EXPECT_EQ(r.rows[0].cardValues, (std::vector<std::string>{"1", "03", "", "12", "101", cp("Иванов И.И.")}));
    const MonthRow& t = r.rows[2];
    EXPECT_EQ(t.kod, kTotalsKod);
    EXPECT_EQ(t.cardValues, (std::vector<std::string>{"99999", "", "", "", "99999", cp("итого:")}));
    EXPECT_EQ(t.results[std::size_t(layout->resultIndex("R001"))], "24");
    EXPECT_EQ(t.results[std::size_t(layout->resultIndex("H021"))], "192");
    EXPECT_EQ(joined(t.days), repeat(". ", 29) + ".");
}

TEST(MonthCalculation, MarksWrittenBackOnlyWhereTheyChange) {
    const auto layout = buildMonthLayout(defaultDefinitions(), kJune.days());
    MonthInputs in;
    in.month = kJune;
    Card a = employee(1), b = employee(2), gone = employee(3);
    a.metTBlank = false;
    gone.metTBlank = false;
    gone.metka = "A";
    in.cards = {a, b, gone};
    Absence used = absence(june(1), june(2), "", "", 1), clean = used, otherMonth = used, ofArchived = used;
    used.metTBlank = false;
    used.recNo = 10;
    clean.recNo = 11;
    otherMonth.metTBlank = false;
    otherMonth.recNo = 12;
    otherMonth.from = otherMonth.to = Date::fromYmd(2026, 8, 1);
    ofArchived.kod = 3;
    ofArchived.metTBlank = false;
    ofArchived.recNo = 13;
    in.vacations = {used, clean, otherMonth, ofArchived};
    const MonthResult r = MonthCalculation(layout.value(), in).calculateAll();
    EXPECT_EQ(r.cardsToClear, (std::vector<int64_t>{1, 3}));  // every card with a mark, included or not
    ASSERT_EQ(r.absencesToClear.size(), 1u);
    EXPECT_EQ(r.absencesToClear[0].recNo, 10);
    EXPECT_EQ(r.absencesToClear[0].kind, AbsenceKind::Vacation);
}

TEST(MonthCalculation, CancelKeepsTheRowsMadeAndTheTotals) {
    const auto layout = buildMonthLayout(defaultDefinitions(), kJune.days());
    MonthInputs in;
    in.month = kJune;
    in.cards = {employee(1), employee(2), employee(3)};
    std::vector<std::size_t> seen;
    const MonthResult r = MonthCalculation(layout.value(), in).calculateAll([&](std::size_t done, std::size_t total, const Card&) {
        seen.push_back(done);
        EXPECT_EQ(total, 3u);
        return done < 2;
    });
    EXPECT_TRUE(r.cancelled);
    EXPECT_EQ(seen, (std::vector<std::size_t>{0, 1, 2}));
    ASSERT_EQ(r.rows.size(), 3u);
    EXPECT_EQ(r.rows[2].kod, kTotalsKod);
}

TEST(MonthCalculation, DuplicateCardKeyKeepsOneRow) {
    const auto layout = buildMonthLayout(defaultDefinitions(), kJune.days());
    MonthInputs in;
    in.month = kJune;
    Card first = employee(1), second = employee(1);
    second.dwee = "6";
    in.cards = {first, second};
    const MonthResult r = MonthCalculation(layout.value(), in).calculateAll();
    ASSERT_EQ(r.rows.size(), 2u);
    EXPECT_EQ(r.rows[0].results[std::size_t(layout->resultIndex("R001"))], "26");
}

TEST(MonthCalculation, ValuesThatDoNotFitWidenTheirFieldAndAreReported) {
    // R019 is 3 characters: the totals of 150 employees' 8 days off need 4.
    const auto layout = buildMonthLayout(defaultDefinitions(), kJune.days());
    MonthInputs in;
    in.month = kJune;
    for (int i = 1; i <= 150; ++i) in.cards.push_back(employee(i));
    in.cards[0].kal = "1";
    in.calendars = {calendar(1, "", {"НОЧЬ1"})};
    const MonthResult r = MonthCalculation(layout.value(), in).calculateAll();
    const int i019 = r.layout.resultIndex("R019");
    EXPECT_EQ(r.rows.back().results[std::size_t(i019)], "1192");
    EXPECT_EQ(r.layout.results[std::size_t(i019)].width, 4);
    EXPECT_EQ(r.layout.dayWidth, 5);
    EXPECT_EQ(r.rows[0].days[0], cp("НОЧЬ1"));
    EXPECT_TRUE(hasNote(r.notes, "R019"));
    EXPECT_TRUE(hasNote(r.notes, "D01-D30"));
    for (const MonthRow& row : r.rows) EXPECT_TRUE(overflowsOf(r.layout, row).empty());
    EXPECT_FALSE(overflowsOf(layout.value(), r.rows.back()).empty());
}

TEST(ResultColumns, ShorteningAndCounting) {
    EXPECT_EQ(shortened("8"), "7");
    EXPECT_EQ(shortened(" 12 "), "11");
    EXPECT_EQ(shortened("7.5"), "6.5");
    EXPECT_EQ(shortened("1"), "0");
    EXPECT_EQ(shortened("0"), "0");
    EXPECT_EQ(shortened(cp("8Н")), cp("8Н"));
    EXPECT_EQ(shortened(cp("П#")), cp("П#"));
    ResultColumn hours{"H021", 'H', "1/2/7/8/ ОТ/", 8};
    const DayCells days = cells("8 7 ОТ . 2 12");
    EXPECT_EQ(countResult(hours, days, 1, 6), 17);  // "ОТ" is named but not a number; "12/" is not named
    EXPECT_EQ(countResult(hours, days, 2, 6), 9);
    EXPECT_EQ(countResult(hours, days, 1, 6, [](int d) { return d != 1; }), 9);
    EXPECT_EQ(resultText(0), "");
    EXPECT_EQ(resultText(7.5), "7.5");
}

TEST(ListCorrection, WorkingDaysOfTheEmployedPart) {
    struct Days {
        const char* what;
        std::string dwee;
        Date npd;
        std::string metka;
        Date dDol;
        int expected;
    };
    const Days cases[] = {
        {"five-day week", "5", Date::fromYmd(2020, 1, 1), "R", {}, 22},
        {"six-day week", "6", Date::fromYmd(2020, 1, 1), "R", {}, 26},
        {"any other week", "7", Date::fromYmd(2020, 1, 1), "R", {}, 30},
        {"blank week", "", Date::fromYmd(2020, 1, 1), "R", {}, 30},
        {"hired on the 15th counts from NPD", "5", june(15), "R", Date::fromYmd(2019, 1, 1), 12},
        {"dismissed on the 10th counts to D_DOL", "5", Date::fromYmd(2020, 1, 1), "Y", june(10), 8},
    };
    for (const Days& c : cases) {
        Card card = employee();
        card.dwee = c.dwee;
        card.npd = c.npd;
        card.metka = c.metka;
        card.dDol = c.dDol;
        EXPECT_EQ(correctionWorkingDays(kJune, card), c.expected) << c.what;
    }
}

TEST(ListCorrection, PlansAppendsWithTheFullCalculationsInclusion) {
    std::vector<Card> cards;
    cards.push_back(employee(1));  // already in the table
    cards.push_back(employee(2));  // missing
    Card empty = employee(3);
    empty.lk = 0;
    empty.fio = "";
    cards.push_back(empty);
    Card gone = employee(4);
    gone.metka = "Y";
    gone.dDol = Date::fromYmd(2026, 4, 30);
    cards.push_back(gone);
    Card later = employee(5);
    later.npd = Date::fromYmd(2026, 7, 2);
    cards.push_back(later);
    const CorrectionPlan plan = planListCorrection(kJune, cards, {1, 99999});
    EXPECT_EQ(plan.cardsToDelete, (std::vector<int64_t>{3}));
    ASSERT_EQ(plan.rows.size(), 2u);
    EXPECT_EQ(plan.rows[0].card, 0u);
    EXPECT_FALSE(plan.rows[0].append);
    EXPECT_EQ(plan.rows[1].card, 1u);
    EXPECT_TRUE(plan.rows[1].append);
    EXPECT_EQ(plan.rows[1].r001, "22");
}

}  // namespace

#include "timesheet/individual_results.h"

namespace {

TEST(IndividualResults, TokensChooseTheDaysThatCount) {
    auto defs = defaultDefinitions();
    defs.push_back({"030", "x", "x", "3", "R", "8/ +#", "+"});
    defs.push_back({"031", "x", "x", "3", "R", "", "+"});
    const auto layout = buildMonthLayout(defs, kJune.days());
    ASSERT_TRUE(layout.isOk());
    // "8" on Sunday the 7th, "8" on the holiday (Wednesday the 10th) and on
    // Monday the 1st; "0" typed on the 2nd is no mark.
    DayCells days(30);
    days[0] = "8";
    days[1] = "0";
    days[6] = "8";
    days[9] = "8";
    dropZeroMarks(days);
    EXPECT_EQ(days[1], "");
    const HolidaySet holidays(kJune, {june(10)});
    const auto r = individualResults(layout.value(), days, kJune, holidays, 5);
    const auto value = [&](const char* field) { return r[std::size_t(layout->resultIndex(field))]; };
    EXPECT_EQ(value("R001"), "1");   // "-#": only the working Monday
    EXPECT_EQ(value("H021"), "8");
    EXPECT_EQ(value("R020"), "3");   // no token: every day of the month
    EXPECT_EQ(value("R030"), "2");   // "+#": only the Sunday and the holiday
    EXPECT_EQ(value("R002"), "");    // zero: emptied
    EXPECT_EQ(value("R031"), std::nullopt);  // empty formula: left as it is
}

}  // namespace

#include "timesheet/row_deletion.h"

namespace {

TEST(RowDeletion, OnlyFormerEmployeesRowsGo) {
    EXPECT_TRUE(mayRemoveRow(std::nullopt, kJune));
    Card c = employee();
    EXPECT_FALSE(mayRemoveRow(c, kJune));
    c.metka = "Y";
    c.dDol = june(15);
    EXPECT_FALSE(mayRemoveRow(c, kJune));  // dismissed within the month
    c.dDol = Date::fromYmd(2026, 5, 31);
    EXPECT_TRUE(mayRemoveRow(c, kJune));
    c.metka = "A";
    EXPECT_TRUE(mayRemoveRow(c, kJune));
    c.dDol = june(20);
    EXPECT_FALSE(mayRemoveRow(c, kJune));  // archived, but left within the month
    EXPECT_EQ(utf(notDismissedMessage(cp("Иванов И.И."))), " Иванов И.И. не уволен ");
}

TEST(RowDeletion, LogRecordSkipsEmptyAndDayFields) {
    const std::string record = deletionLogRecord(
        Date::fromYmd(2026, 7, 3), kJune,
        {{"KOD", "7"}, {"B_KOD", "01"}, {"NOM", ""}, {"LK", "107"}, {"FIO", cp("Иванов И.И.")}, {"D01", "8"},
         {"R001", "22"}, {"R002", "  "}});
    EXPECT_EQ(utf(record), "    ====    03.07-T0626-KOD-7;B_KOD-01;LK-107;FIO-Иванов И.И.;R001-22;");
}

}  // namespace
