#pragma once
// SELECT: opening the tables of a folder, choosing rows (hash lookup for
// "FIELD = number" when the table offers one, else a scan), joining several
// tables on their equality conditions, ordering, and building the result.
#include <memory>
#include <string>

#include "base/status.h"
#include "db/sql.h"
#include "db/sql_ast.h"
#include "db/sql_lookup_cache.h"
#include "db/table.h"

namespace db::sql {

// The stored path of a table named in a statement: the folder + the name,
// with ".DBF" added to a name without an extension when that file is
// missing (always, when `forCreate`). Letter case is resolved by the path
// resolver.
std::string tablePath(const std::string& folder, std::string_view name, bool forCreate = false);

base::Result<std::unique_ptr<Table>> openTable(const std::string& folder, const TableRef& ref, OpenMode mode);

// Live records of `table` matching `where` (all when null), physical order.
base::Result<std::vector<int64_t>> selectRows(Table& table, const TableRef& ref, const expr::Node* where,
                                              LookupCache* lookups);

base::Result<std::unique_ptr<SqlResult>> runSelect(const std::string& folder, const Statement& s, LookupCache* lookups);

}  // namespace db::sql
