#pragma once
// An open dBase table: the cursor over its records plus what belongs to a
// table alone (filters, orders, locate, the delete mark, structure).
//
// Opening shared lets other handles and processes open the table shared too;
// opening exclusive fails at once with Status::busy while anyone else (this
// process or another) has it open, and then nothing else can open it.
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "base/status.h"
#include "db/cursor.h"

namespace db {

enum class OpenMode { Shared, Exclusive };

struct LocateOptions {
    bool caseInsensitive = false;
    bool partialKey = false;  // the field's text starts with the value
};

class Table : public Cursor {
public:
    // `path` is a stored path (cp1251, any separator and case), resolved
    // through base::resolvePath. Read-only when the file cannot be written.
    static base::Result<std::unique_ptr<Table>> open(std::string_view path, OpenMode mode = OpenMode::Shared);

    const std::string& path() const;  // native path of the .DBF
    OpenMode mode() const;
    uint8_t versionByte() const;
    int codePage() const;  // 1251, 866, 0 when unknown

    // Filter: an Expr text ("METKA <> 'A' and FIO = 'ИВ*'"); empty clears.
    base::Status setFilter(std::string_view expression, bool caseInsensitive = false);
    // Order by a field or a "+" key expression ("B_KOD+FIO"); empty restores
    // the natural (physical) order. Also a named tag made by defineTag().
    base::Status setOrder(std::string_view keyExpression);
    // Named tags persist beside the table (in <name>.tags, our own format).
    base::Status defineTag(std::string_view tagName, std::string_view keyExpression);
    std::vector<std::string> tagNames() const;
    // Seek in the current order: the first record whose key >= value
    // (exact=false) or == value (exact=true). Returns whether found.
    bool seek(std::string_view keyValue, bool exact);

    // Moves to the first record (from the start) whose field equals `value`
    // converted to the field's type; false and the cursor unchanged if none.
    bool locate(std::string_view fieldName, std::string_view value, LocateOptions options = {});

    bool isDeleted() const;          // the current record's delete mark
    base::Status recall();           // clears the delete mark
    void setShowDeleted(bool show);  // deleted records are skipped by default

    // Re-reads the record count and current record from disk (other
    // workstations may have appended).
    base::Status refresh();
    base::Status close();  // flushes; further use is an error

    ~Table() override;

protected:
    Table();

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
    friend class TableAccess;
};

}  // namespace db
