#pragma once
// Saving the personal card: the personnel number checks, the detection of
// an assignment change, the new-assignment question and its remembered
// answer, the assignment row it writes, and the values stored into the
// working copy.
#include <cstdint>
#include <map>
#include <string>

#include "base/date.h"
#include "base/status.h"
#include "db/cursor.h"
#include "records/records_context.h"

namespace records {

// The answer of the new-assignment dialog TFormNewDan.
struct NewAssignmentAnswer {
    enum Kind { None, New, Change, Cancel } kind = None;  // None: closed without an answer
    std::string orderNumber;
    base::Date orderDate;
};

class NewAssignmentDialog {
public:
    virtual ~NewAssignmentDialog() = default;
    // `hiring` disables "Только внести изменения".
    virtual NewAssignmentAnswer ask(base::Date assignmentDate, bool hiring) = 0;
};

// The card's values as edited on screen, by field name (cp1251 text; dates
// dd.mm.yyyy, numbers as typed). The department label is "03/01".
using CardValues = std::map<std::string, std::string>;

// Values noted when the card opens, compared on every save.
struct NotedAssignment {
    std::string lk, bKod, dol, dolDate, razr, klas;
    double dol1 = 0;
};
NotedAssignment noteAssignment(const db::Cursor& copy);

// The state of the question within one open card.
struct NewAssignmentMemory {
    bool asked = false;
    std::string dateAtDialog;
    NewAssignmentAnswer::Kind answer = NewAssignmentAnswer::Cancel;
};

enum class SaveOutcome {
    Saved,
    NumberUndefined,  // " Табельный номер не определен "
    NumberUsed,       // " Табельный номер " + n + " использован "; the old number is back in the values
    Cancelled,        // "Отказ от всех действий": nothing stored
};

struct CardSaveInput {
    int64_t code = 0;
    bool hiring = false;
    NotedAssignment noted;
    CardValues values;  // in and out: the number is restored on NumberUsed
    std::string departmentLabel;  // "03/01"
};

// Saves the card into the working copy `copy` (current record). Assignment
// rows are written only on a workstation with a number.
base::Result<SaveOutcome> saveCard(const RecordsContext& ctx, db::Cursor& copy, CardSaveInput& in,
                                   NewAssignmentMemory& memory, NewAssignmentDialog& dialog);

// "Фамилия И.О." from the three name parts.
std::string shortName(const std::string& fam, const std::string& im, const std::string& ot);

// Empty RAZR, KLAS, DWEE, DLIT, KAL become "1", "0", "5", "8", "0".
void fillNumberDefaults(CardValues& values);

}  // namespace records
