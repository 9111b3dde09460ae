#pragma once
// The life-cycle operations of a card started from the card file: hiring,
// copying, moving a dismissed card between the list and the archive, and
// deleting an archived card with its history, keeping the deletion copies.
// Every operation does nothing on a view-only workstation.
#include <cstdint>
#include <string>

#include "app/field_dictionary.h"
#include "base/status.h"
#include "records/records_context.h"

namespace records {

// What the card file hands to these operations.
struct CardFileState {
    std::string view = "ka";  // "ka", "kao", "kag", "arx"
    std::string deptCode, groupCode, deptNames;
    // A hire or copy in progress until its personal card closes: no
    // assignment row is made by the card file meanwhile.
    bool hiring = false;
};

// Returned by the operations a view-only workstation may not run.
base::Status viewOnlyStatus();

// Creates the extension tables OBRS.DBF, SPOLS.DBF, VOEN.DBF (KOD INTEGER)
// that the data folder lacks.
base::Status ensureExtensionTables(const RecordsContext& ctx);

// Hires: a new code, the card row with the view's department and group, the
// dictionary defaults, the extension rows. The hiring mark is set once the
// code is taken. Returns the new code.
base::Result<int64_t> hireCard(const RecordsContext& ctx, const app::Dictionary& d, CardFileState& state);

// Copies card `source` into a new card: the working copy holds the source's
// values with the new code, personnel number 0, state "R" and no mark; the
// new card row gets the view's department and group and the month's first
// day as D_DOL, NTD, NPD, NSD. Returns the new code.
base::Result<int64_t> copyCard(const RecordsContext& ctx, const app::Dictionary& d, CardFileState& state,
                               int64_t source);

// What "delete" does with a card.
enum class RemovalKind {
    DismissFirst,  // working card with number and name: " До удаления сотрудника надо уволить "
    DeleteEmpty,   // no number and no name: deleted at once
    AskArchived,   // "A": the dialog offers "Удалить" and "В общий список"
    AskDismissed,  // otherwise: the dialog offers "В архив уволенных" only
};
struct CardSummary {
    int64_t code = 0;
    std::string metka, lk, fio, im, ot, fam;
};
base::Result<CardSummary> readCardSummary(const RecordsContext& ctx, int64_t code);
RemovalKind classifyRemoval(const CardSummary& card);

// Deletes an empty card (RemovalKind::DeleteEmpty) at once.
base::Status deleteEmptyCard(const RecordsContext& ctx, int64_t code);
// Deletes an archived card with its assignments, sick leave, vacations and
// business trips; each row goes first into its DELET_*.DBF copy when that
// table exists, with today's date and the workstation number.
base::Status deleteArchivedCard(const RecordsContext& ctx, int64_t code);
// "A" -> "Y" (back to the list), "Y" -> "A" (into the archive). A working
// card with any name part: the message window "До удаления в архив" /
// "надо сотрудника уволить" and nothing changed.
base::Status moveArchive(const RecordsContext& ctx, const CardSummary& card);

}  // namespace records
