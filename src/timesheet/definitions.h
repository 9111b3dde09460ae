#pragma once
// Timesheet column definitions (TAB.DBF): one row per column of the month's
// table, either a card column copied from the employee card ("D") or a
// result column counted over the day cells by a formula ("R", "H", "C").
#include <string>
#include <string_view>
#include <vector>

namespace timesheet {

struct Definition {
    std::string tab;     // three-digit code of a result column; empty for card columns
    std::string nameL;   // long name
    std::string nameS;   // short name (column title)
    std::string wid;     // width as decimal text
    std::string tip;     // "D", "R", "H" or "C"
    std::string formul;  // card field and type ("KOD;N"), or the formula
    std::string metka;   // "+" when in use
};

// The 15 rows TAB.DBF receives when it is created, in their order.
std::vector<Definition> defaultDefinitions();

// The rows in use (metka "+"), in table order.
std::vector<Definition> definitionsInUse(const std::vector<Definition>& rows);

bool isCardDefinition(const Definition& d);
bool isResultDefinition(const Definition& d);

// The result column's field name: tip followed by tab ("R001").
std::string resultFieldName(const Definition& d);

// Formula tokens. "+#": the month calculation leaves the column empty;
// "-#": only working days count (individual timesheet).
bool holdsPlusHash(std::string_view formula);
bool holdsMinusHash(std::string_view formula);

// Whether a day mark counts for the formula: the trimmed mark followed by
// "/" occurs anywhere in the formula. Empty marks never count.
bool formulaNamesMark(std::string_view formula, std::string_view mark);

// The month's table name: "T" + two-digit month + two-digit year + ".DBF".
std::string monthTableName(int month, int year);

// Day field name "D01" ... "D31".
std::string dayFieldName(int day);

}  // namespace timesheet
