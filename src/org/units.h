#pragma once
// Departments (POD.DBF) and groups of departments (BPOD.DBF): reading the
// lists, saving an added or edited row with the update of every card of the
// department, the delete guards and the choice marks in COLOR.
//
// Each employee card (DANN.DBF) repeats its department's name (POD), code
// (B_KOD) and group code (BB_K), so renaming or moving a department
// rewrites its cards; the cards are always selected by the department's
// code as it was before the edit.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "base/status.h"
#include "org/org_context.h"

namespace org {

enum class UnitKind { Department, Group };

struct Unit {
    int64_t recNo = 0;
    std::string name;   // POD / BPOD
    std::string code;   // B_KOD / BB_K
    std::string group;  // BB_K of a department; empty for a group
    bool marked = false;  // COLOR = "1"
};

// "POD.DBF" / "BPOD.DBF".
const char* unitTable(UnitKind kind);

// The rows in table order (deleted rows skipped).
base::Result<std::vector<Unit>> loadUnits(const OrgContext& ctx, UnitKind kind);

// The code "Добавить" proposes: the first free of "01" ... "99"; "" when
// every code is taken.
std::string proposeCode(const std::vector<Unit>& units);

// The editing panel's content. `old` is the row being edited, empty when adding.
struct UnitEdit {
    std::optional<Unit> old;
    std::string name, code, group;
};

enum class SaveOutcome {
    Saved,     // the row (and the cards) written
    Declined,  // the user answered "no" to a question; nothing changed, the panel stays open
    Refused,   // bad input or a failure, reported through the messages; nothing changed
};

// Saves the panel: checks the codes (two characters, no duplicate in the
// table, an existing group), asks the move and rename questions for a
// department, then rewrites the department's cards and stores the row.
// A group's code is fixed once the group exists; editing renames it only.
SaveOutcome saveUnit(const OrgContext& ctx, UnitKind kind, const UnitEdit& edit);

// Deletes the row unless cards refer to it (or, for a group, departments
// belong to it); a refusal is reported through the messages. True when deleted.
bool deleteUnit(const OrgContext& ctx, UnitKind kind, const Unit& unit);

// Clears every choice mark of both tables (a missing table is skipped).
base::Status clearAllMarks(const OrgContext& ctx);
// Switches the mark of each listed row between "1" and empty.
base::Status toggleMarks(const OrgContext& ctx, UnitKind kind, const std::vector<int64_t>& recNos);

}  // namespace org
