#pragma once
// Small helpers over the data folder's tables shared by the records
// operations: bound queries by KOD, field copying by name, identifier checks.
#include <memory>
#include <string>
#include <string_view>

#include "base/status.h"
#include "db/cursor.h"
#include "db/sql.h"
#include "records/records_context.h"
#include "base/text_trim.h"

namespace records {

// "Select * From <table> WHERE KOD = :kod" on the data folder (live).
base::Result<std::unique_ptr<db::SqlResult>> rowsOfCard(const RecordsContext& ctx, const std::string& table,
                                                        int64_t code);
// Runs a statement on the data folder with bound parameters.
base::Result<int64_t> run(const RecordsContext& ctx, const std::string& statement,
                          const std::vector<db::SqlParam>& params = {});

// Copies into the current record of `to` the value of every field of the
// current record of `from` that `to` has too (by name, as text). Text too
// long for the target is an error. `to` must be in edit or append state.
base::Status copyFieldsByName(const db::Cursor& from, db::Cursor& to);

// A field name fit to stand in a statement (letters, digits, "_").
bool isPlainIdentifier(std::string_view name);

std::string codeText(int64_t code);

}  // namespace records
