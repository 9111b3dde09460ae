#include "org/unit_choice.h"

#include "org/unit_codes.h"
#include "base/text_trim.h"

namespace org {

namespace {

// A code as stored: two characters, padded with blanks.
std::string padded(std::string code) {
    code.resize(2, ' ');
    return code;
}

}  // namespace

std::vector<Unit> visibleDepartments(const std::vector<Unit>& all, const std::string& restriction,
                                     const std::string& chosenGroups) {
    std::vector<Unit> shown;
    for (const Unit& d : all) {
        if (!restriction.empty() && !codeInList(d.group, restriction)) continue;
        if (!chosenGroups.empty() && !codeInList(d.group, chosenGroups)) continue;
        shown.push_back(d);
    }
    return shown;
}

std::vector<Unit> chosenUnits(const std::vector<Unit>& shown, int current) {
    std::vector<Unit> chosen;
    for (const Unit& u : shown)
        if (u.marked) chosen.push_back(u);
    if (chosen.empty() && current >= 0 && current < int(shown.size())) chosen.push_back(shown[current]);
    return chosen;
}

void chooseDepartments(UnitChoice& choice, const std::vector<Unit>& chosen) {
    choice.names.clear();
    choice.codes.clear();
    for (const Unit& d : chosen) {
        choice.names += base::trimBlanks(d.name) + "/";
        choice.codes += padded(d.code) + padded(d.group) + "/";
    }
}

void chooseGroups(UnitChoice& choice, const std::vector<Unit>& chosen) {
    choice.groupCodes.clear();
    for (const Unit& g : chosen) choice.groupCodes += padded(g.code) + "/";
    if (!chosen.empty()) choice.caption = base::trimBlanks(chosen.front().name);
}

bool opensCardFile(const std::string& mode) {
    if (mode.empty()) return false;
    return mode[0] == 'k' || mode == "d" || (mode[0] == 'p' && mode != "proo");
}

bool opensTimesheet(const std::string& mode) { return !mode.empty() && mode[0] == 't'; }

bool showsGroupsFirst(const std::string& mode) { return mode.find('g') != std::string::npos; }

std::string modeAfterGroups(const std::string& mode) {
    if (mode == "kag") return "kao";
    if (mode == "pkag") return "pkao";
    return mode;
}

}  // namespace org
