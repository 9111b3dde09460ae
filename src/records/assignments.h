#pragma once
// The assignment history NAZN.DBF as the card file and the personal card
// keep it: the automatic first row, dismissal through its run-time form and
// the undo of a dismissal.
#include <cstdint>
#include <string>

#include "app/field_dictionary.h"
#include "base/status.h"
#include <memory>

#include "db/cursor.h"
#include "db/sql.h"
#include "records/records_context.h"
#include "records/runtime_forms.h"

namespace records {

// The card's assignment rows in their stored order; the last is current.
base::Result<std::unique_ptr<db::SqlResult>> assignmentRows(const RecordsContext& ctx, int64_t code);

// When card `code` has no assignment row: inserts one and copies into it
// the card's value of every assignment field. Not while a hire is in
// progress, not on a view-only workstation. Returns whether a row was made.
base::Result<bool> ensureAssignmentRow(const RecordsContext& ctx, const app::Dictionary& d, int64_t code,
                                       bool hiring);

// Dismissal of the card in the working copy `card` (current record): a new
// assignment row "Уволен" dated the month's first day, its doc_buf, the form
// "Увольнения" uvol1..4; when the form leaves doc_frm the row takes it and
// the card takes the row's D_DOL and METKA "Y" (posted); otherwise the row
// is deleted. Returns whether the card was dismissed.
base::Result<bool> dismissCard(const RecordsContext& ctx, db::Cursor& card, RuntimeForms& forms);

// Undo: deletes the last assignment row only when it is the dismissal row
// (DOL "Уволен") and another row remains; restores the card's assignment
// values from the current last row (not from a dismissal row) and METKA "R";
// shows " Увольнение отменено ".
base::Status undoDismissal(const RecordsContext& ctx, db::Cursor& card);

}  // namespace records
