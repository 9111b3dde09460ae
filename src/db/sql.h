#pragma once
// Local SQL over the tables of one folder: CREATE TABLE, INSERT, UPDATE,
// DELETE, SELECT (*, column lists, comma joins with aliases, WHERE with
// AND/OR/NOT, comparisons, BETWEEN, LIKE, ORDER BY).
//
// Double-quoted tokens are literals except where a table name stands;
// a literal takes the type of the column it meets. Values typed by users are
// bound as parameters (":name" or "?" in the statement), never spliced into
// the text.
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "base/status.h"
#include "db/cursor.h"

namespace db {

namespace sql {
class LookupCache;
}

struct SqlParam {
    std::string name;   // without the ":"; empty for a positional "?"
    std::string value;  // text in the program's form; converted to the column's type
};

class SqlResult : public Cursor {
public:
    // True when the result is a single-table SELECT whose edits reach the table.
    virtual bool isLive() const = 0;
    // The field of the current row as stored, trimmed of blanks (N/F: the
    // digits as written, "12.50"; D: yyyymmdd); what `kadry db dump` prints.
    virtual std::string storedText(int field) const = 0;
};

class SqlFolder {
public:
    // A stored path of a folder. Keep one SqlFolder per folder: it keeps the
    // equality-lookup hashes of its tables between statements.
    explicit SqlFolder(std::string folder);

    // SELECT: the result cursor (updatable when single-table).
    base::Result<std::unique_ptr<SqlResult>> query(std::string_view statement,
                                                   const std::vector<SqlParam>& params = {});
    // Other statements: the number of rows affected (0 for CREATE TABLE).
    base::Result<int64_t> execute(std::string_view statement, const std::vector<SqlParam>& params = {});

    const std::string& folder() const { return folder_; }

private:
    std::string folder_;
    std::shared_ptr<sql::LookupCache> lookups_;
};

}  // namespace db
