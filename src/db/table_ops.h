#pragma once
// Whole-table operations. Each one that rewrites, deletes or renames a table
// takes its exclusive lock first and reports "База занята" (busy) when
// another handle or workstation holds it; rewrites build a temporary file
// beside the target, fsync it and rename it over the target.
#include <string>
#include <string_view>

#include "base/status.h"
#include "db/field.h"

namespace db {

enum class TableFlavor { DBase3, FoxPro };

// Fails when the file exists, unless `replaceExisting` (then through the
// exclusive lock, like replaceTable).
base::Status createTable(std::string_view path, const FieldList& fields, TableFlavor flavor = TableFlavor::DBase3,
                         bool replaceExisting = false);
base::Status packTable(std::string_view path);                  // drops deleted records
base::Status zapTable(std::string_view path);                   // removes every record
base::Status sortTable(std::string_view path, std::string_view keyExpression);  // physical sort, deleted dropped
base::Status copyTable(std::string_view from, std::string_view to);  // with memo and tag files
base::Status deleteTable(std::string_view path);                // with memo and tag files
base::Status renameTable(std::string_view from, std::string_view to);
// Replaces `target` by `source` (a table built elsewhere) atomically.
base::Status replaceTable(std::string_view target, std::string_view source);
bool tableExists(std::string_view path);

}  // namespace db
