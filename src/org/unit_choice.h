#pragma once
// The choice of departments or groups before the card file or the timesheet
// opens for them: which rows are shown, and the three lists handed on.
#include <string>
#include <vector>

#include "org/units.h"

namespace org {

// What a choice hands to the window opened next.
struct UnitChoice {
    std::string names;       // each trimmed POD + "/"
    std::string codes;       // each B_KOD + BB_K + "/" (two characters each)
    std::string groupCodes;  // each BB_K + "/"
    std::string caption;     // the chosen group's name after a group choice
};

// The departments the user may see: with a restriction ("F%&"), those whose
// group is listed in it; after a group choice, those of the chosen groups.
std::vector<Unit> visibleDepartments(const std::vector<Unit>& all, const std::string& restriction,
                                     const std::string& chosenGroups);

// The rows a confirmation chooses: every marked row in table order, or the
// current row when none is marked (`current` out of range: none).
std::vector<Unit> chosenUnits(const std::vector<Unit>& shown, int current);

// Fills names and codes from chosen departments.
void chooseDepartments(UnitChoice& choice, const std::vector<Unit>& chosen);
// Fills the group codes (and the caption with the first group's name).
void chooseGroups(UnitChoice& choice, const std::vector<Unit>& chosen);

// The opening modes of the choice: "kao", "kag", "tao", "d", "pkao", "pkag", ...
bool opensCardFile(const std::string& mode);  // "k...", "d", "p..." except "proo"
bool opensTimesheet(const std::string& mode);  // "t..."
bool showsGroupsFirst(const std::string& mode);  // the mode contains "g"
// "kag" -> "kao", "pkag" -> "pkao" once the groups are chosen.
std::string modeAfterGroups(const std::string& mode);

}  // namespace org
