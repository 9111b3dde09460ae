#pragma once
// The month's timesheet calculation over values in memory: the full
// calculation for every card given, and the single-row recalculation of one
// card, both through the same row computation.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <unordered_map>
#include <vector>

#include "timesheet/calc_inputs.h"
#include "timesheet/day_marks.h"
#include "timesheet/month_layout.h"
#include "timesheet/notes.h"

namespace timesheet {

struct MonthRow {
    int64_t kod = 0;
    std::vector<std::string> cardValues;  // parallel to layout.cards, text form ("" = empty)
    DayCells days;                        // N cells
    std::vector<std::string> results;     // parallel to layout.results
};

struct AbsenceRef {
    AbsenceKind kind = AbsenceKind::Trip;
    int64_t recNo = 0;
};

// One computed row and what it read.
struct RowResult {
    MonthRow row;
    std::vector<AbsenceRef> absencesToClear;  // rows laid over the month whose MET_T is not blank
    int skippedAbsences = 0;                  // rows with a blank or reversed date range
};

struct MonthResult {
    MonthLayout layout;          // widened where a value needed more room (see notes)
    std::vector<MonthRow> rows;  // one per included card in card order, the totals row last
    std::vector<int64_t> cardsToClear;  // record numbers of cards whose MET_T is to be emptied
    std::vector<AbsenceRef> absencesToClear;
    std::vector<std::string> notes;
    std::size_t processed = 0;  // cards visited
    bool cancelled = false;
};

// Called before each card; returning false stops the run (the rows made so
// far and the totals row are kept).
using Progress = std::function<bool(std::size_t done, std::size_t total, const Card& card)>;

// A value that does not fit its field.
struct Overflow {
    std::string field;
    std::string value;
    int width = 0;
};

class MonthCalculation {
public:
    MonthCalculation(MonthLayout layout, const MonthInputs& inputs);

    MonthResult calculateAll(const Progress& progress = {}) const;

    // The single-row recalculation: the same rules without the inclusion
    // test. Notes (calendar problems) go to `notes`.
    RowResult recalculateRow(const Card& card, Notes& notes) const;

private:
    RowResult computeRow(const Card& card, Notes& notes) const;
    std::vector<std::string> cardValues(const Card& card) const;

    MonthLayout layout_;
    const MonthInputs& inputs_;
    HolidaySet holidays_;
    std::unordered_map<int64_t, std::vector<const Absence*>> trips_, vacations_, sickLeave_;
};

// The totals row (KOD 99999, LK 99999, FIO "итого:") of the given rows.
MonthRow totalsRow(const MonthLayout& layout, const std::vector<MonthRow>& rows);

// Values of a row longer than their fields in `layout`.
std::vector<Overflow> overflowsOf(const MonthLayout& layout, const MonthRow& row);

// Widens the character fields of `layout` that some value of `rows` does not
// fit (up to 254), with a note for each; values that cannot fit even then
// are emptied with a note. Nothing is cut.
void fitWidths(MonthLayout& layout, std::vector<MonthRow>& rows, Notes& notes);

}  // namespace timesheet
