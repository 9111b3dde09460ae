#pragma once
// Parser of the local-SQL subset:
//   SELECT items FROM table [[AS] alias] {, table [[AS] alias]} [WHERE cond] [ORDER BY col [ASC|DESC] {, ...}]
//   INSERT INTO table [(col {, col})] VALUES (value {, value})
//   UPDATE table SET col = value {, col = value} [WHERE cond]
//   DELETE FROM table [WHERE cond]
//   CREATE TABLE table (name type {, name type})
// Keywords in any letter case; a table is a bare name (with or without
// ".DBF") or a quoted one; an optional ";" may end the statement.
#include <string_view>

#include "base/status.h"
#include "db/sql_ast.h"

namespace db::sql {

base::Result<Statement> parse(std::string_view text);

// Column type of CREATE TABLE as stored: INTEGER -> N 11 0, CHARACTER(n) ->
// C n, DATE -> D 8, FLOAT(p,s) -> N p s, BOOLEAN -> L 1, MEMO/BLOB -> M 10.
}  // namespace db::sql
