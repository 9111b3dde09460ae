#pragma once
// The staffing table DOL.DBF: one row per position (dol name, kdol code,
// dol1 salary, razr grade, klas class, kat category, stat posts, s_stat
// additional posts, color and color1). Rows are kept in the order of the
// file, which is the order of the staffing table in printouts.
#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "base/status.h"
#include "org/org_context.h"

namespace org {

// The grid's columns, in display order.
inline constexpr std::array<const char*, 8> kPositionColumns = {"dol",  "dol1", "razr",   "klas",
                                                                "kat",  "stat", "s_stat", "kdol"};

struct PositionRow {
    int64_t recNo = 0;
    std::array<std::string, kPositionColumns.size()> cells;  // as text, in kPositionColumns order
    std::string color;                                         // colour name, "" = normal drawing
    const std::string& code() const { return cells[7]; }
};

base::Result<std::vector<PositionRow>> loadPositions(const OrgContext& ctx);

// Index of the row whose kdol is `code`, or -1.
int findPosition(const std::vector<PositionRow>& rows, const std::string& code);

// Appends a row holding only a new code from the counter; its record number.
base::Result<int64_t> addPosition(const OrgContext& ctx);
// Appends a copy of row `recNo` with a new code; the copy's record number.
base::Result<int64_t> copyPosition(const OrgContext& ctx, int64_t recNo);

// Whether an employed card (METKA "R") holds the position `code`.
base::Result<bool> positionInUse(const OrgContext& ctx, const std::string& code);
// Deletes row `recNo` unless an employed card holds it (reported through the
// messages). `confirm` is asked only when deleting is allowed. True when deleted.
bool deletePosition(const OrgContext& ctx, int64_t recNo, const std::function<bool()>& confirm);

// Exchanges every field of row `recNo` with the next (down) or previous row
// in file order; returns the record number where the moved values now
// stand. At the table's end reports " Конец справочника " (" Начало
// справочника ") and returns `recNo` unchanged.
base::Result<int64_t> movePosition(const OrgContext& ctx, int64_t recNo, bool down);

// Opens a run-time form modally on its four files and returns when it closes.
using RuntimeFormOpener = std::function<void(const std::string& title, const std::array<std::string, 4>& files)>;

// Edits row `recNo` through the "kr_dol" forms: writes doc_buf, opens the
// form, and stores what it leaves in doc_frm (then deleted). True when
// values were stored; a failure is reported through the messages.
bool editPosition(const OrgContext& ctx, int64_t recNo, const RuntimeFormOpener& openForm);

}  // namespace org
