#pragma once
// The record cursor every table-like thing offers: an open table, an SQL
// result. Values are read and written through the field accessors in the
// program's text forms (cp1251):
//   C / M  text (C right-trimmed on read),
//   N / F / I  the number, written by base::formatNumber on read,
//   D  "dd.mm.yyyy" or "" when empty,
//   L  "T", "F" or "" when empty.
// Numbers and dates also have typed accessors. Writing a value that does not
// fit its field (too long, too many digits, not a date) is an error, never a
// silent cut.
//
// Navigation is that of a data set: after first() on an empty cursor both
// bof() and eof() are true; next() past the last record leaves the cursor
// on the last record with eof() true; prior() before the first sets bof().
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "base/date.h"
#include "base/status.h"
#include "db/field.h"

namespace db {

class Cursor {
public:
    virtual ~Cursor() = default;

    virtual const FieldList& fields() const = 0;
    // Index of the field named `name` (any letter case), or -1.
    int fieldIndex(std::string_view name) const;

    virtual void first() = 0;
    virtual void last() = 0;
    virtual void next() = 0;
    virtual void prior() = 0;
    virtual void moveBy(int n);
    virtual bool bof() const = 0;
    virtual bool eof() const = 0;
    bool isEmpty() const { return recordCount() == 0; }
    // Records visible through the cursor (deleted and filtered-out excluded).
    virtual int64_t recordCount() const = 0;
    // 1-based position of the current record in the cursor's order, 0 if none.
    virtual int64_t position() const = 0;
    // Physical record number (1-based) in the underlying table, 0 if none.
    virtual int64_t recNo() const = 0;
    virtual bool goToRecNo(int64_t recNo) = 0;

    // Reading the current record.
    virtual std::string text(int field) const = 0;
    virtual std::optional<double> number(int field) const = 0;  // nullopt: empty
    virtual base::Date date(int field) const = 0;
    virtual bool isBlank(int field) const = 0;
    std::string text(std::string_view name) const;

    // Editing: edit() or append() starts, set...() fills the buffer, post()
    // writes. A cursor that cannot write returns an error status.
    virtual base::Status edit() = 0;
    virtual base::Status append() = 0;
    virtual base::Status setText(int field, std::string_view value) = 0;
    virtual base::Status setNumber(int field, double value) = 0;
    virtual base::Status setDate(int field, base::Date value) = 0;
    virtual base::Status setBlank(int field) = 0;
    virtual base::Status post() = 0;
    virtual void cancel() = 0;
    virtual base::Status deleteRecord() = 0;  // marks the current record deleted
    virtual bool isEditing() const = 0;
    base::Status setText(std::string_view name, std::string_view value);
};

}  // namespace db
