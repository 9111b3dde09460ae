#pragma once
// An open dBase table: the cursor over its records plus what belongs to a
// table alone (filters, orders, locate, the delete mark, structure).
//
// Opening shared lets other handles and processes open the table shared too;
// opening exclusive fails at once with Status::busy while anyone else (this
// process or another) has it open, and then nothing else can open it.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "base/status.h"
#include "db/cursor.h"
#include "db/expr.h"

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

    // The Cursor (see cursor.h). Opening positions on the first record.
    const FieldList& fields() const override;
    void first() override;
    void last() override;
    void next() override;
    void prior() override;
    bool bof() const override;
    bool eof() const override;
    int64_t recordCount() const override;
    int64_t position() const override;
    int64_t recNo() const override;
    // Any record of the file, deleted or filtered out ones too.
    bool goToRecNo(int64_t recNo) override;
    // The record at a 1-based position in the cursor's order (what
    // position() gives back); fast, for grids.
    bool goToPosition(int64_t position);
    using Cursor::text;
    std::string text(int field) const override;
    std::optional<double> number(int field) const override;
    base::Date date(int field) const override;
    bool isBlank(int field) const override;
    // set...() outside editing starts editing the current record; moving
    // the cursor posts a pending edit.
    base::Status edit() override;
    base::Status append() override;
    using Cursor::setText;
    base::Status setText(int field, std::string_view value) override;
    base::Status setNumber(int field, double value) override;
    base::Status setDate(int field, base::Date value) override;
    base::Status setBlank(int field) override;
    base::Status post() override;
    void cancel() override;
    // Marks the current record deleted and moves to the next (else the
    // previous) record, as a data set does.
    base::Status deleteRecord() override;
    bool isEditing() const override;

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
    base::Status deleteTag(std::string_view tagName);
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

    // Records of the file, deleted ones included (the stored count).
    int64_t physicalCount() const;
    bool isReadOnly() const;
    // What is wrong with a damaged file (it is then opened read-only).
    const std::vector<std::string>& problems() const;

    // Raw access for query engines: the current record as stored (the edit
    // buffer while editing); C fields in cp1251 whatever the file's code page.
    const RecordView& record() const;
    std::string_view rawField(int field) const { return record().rawField(field); }
    // A memo field's text with the reason when it cannot be read (text()
    // gives "" then).
    base::Result<std::string> memoText(int field) const;
    // Visits the records in physical order (deleted ones skipped unless
    // shown, the filter ignored) until `visit` returns false. Fast: reads
    // the file in large blocks and allocates nothing per record.
    base::Status scan(const std::function<bool(int64_t recNo, const RecordView&)>& visit);
    // Record numbers (ascending) of the live records whose field equals
    // `value` (converted to the field's type; C compared without trailing
    // blanks). Served by an in-memory hash index built on first use and
    // dropped when the file changes.
    std::vector<int64_t> findEqual(int field, std::string_view value);

    // Re-reads the record count and current record from disk (other
    // workstations may have appended).
    base::Status refresh();
    // Posts a pending edit, syncs what was written; further use is an error.
    // The destructor closes too.
    base::Status close();

    ~Table() override;

protected:
    Table();

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
    friend class TableAccess;
};

}  // namespace db
