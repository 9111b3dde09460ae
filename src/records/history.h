#pragma once
// The history tabs of the personal card: sick leave, vacations, business
// trips (rows added with preset dates), assignments (added by saving the
// card; its last row is protected), and the editing of a row through its
// run-time form.
#include <cstdint>
#include <functional>
#include <string>

#include "base/status.h"
#include "db/cursor.h"
#include "records/records_context.h"
#include "records/runtime_forms.h"

namespace records {

enum class HistoryTab { Assignments, SickLeave, Vacations, Trips };

const char* historyTable(HistoryTab tab);  // "NAZN.DBF", "BOLL.DBF", "OTP.DBF", "KOM.DBF"
std::string historyFormTitle(HistoryTab tab);
FormFiles historyFormFiles(HistoryTab tab);

// Adds a row with the month's first day as its dates (not for assignments).
base::Status addHistoryRow(const RecordsContext& ctx, HistoryTab tab, int64_t code);

// Edits the current row of `rows` through its form: the last assignment row
// is refused with "Последнюю запись редактировать из карточки". Returns
// whether the form was confirmed and its values stored.
base::Result<bool> editHistoryRow(const RecordsContext& ctx, RuntimeForms& forms, HistoryTab tab,
                                  db::Cursor& rows);

// Deletes the current row after `confirm` agrees; the last assignment row
// is refused with "Нельзя удалить последнюю запись". Returns whether deleted.
base::Result<bool> deleteHistoryRow(const RecordsContext& ctx, HistoryTab tab, db::Cursor& rows,
                                    const std::function<bool()>& confirm);

}  // namespace records
