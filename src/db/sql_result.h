#pragma once
// The two kinds of SELECT result:
//  - TableResult: a single-table result, a vector of record numbers over the
//    open table; edits, appends and deletes go to the table (live). The
//    chosen records are read once, at the query, into a snapshot of their
//    stored bytes, so browsing an ordered result costs no file access; rows
//    edited or appended through the result are refreshed from the table;
//  - JoinResult: rows of record numbers over several tables, read-only,
//    read from the snapshots of the joined tables taken at the query.
#include <memory>
#include <vector>

#include "db/sql.h"
#include "db/table.h"

namespace db::sql {

// The stored bytes of chosen records, trimmed of their padding (a wide
// card is mostly blanks) and packed in chunks that never move, so sort keys
// may point into them; the order of the rows is a list of slots. Fresh
// memory is costly to touch, so the snapshot keeps it small.
class RecordSnapshot {
public:
    RecordSnapshot() = default;
    explicit RecordSnapshot(const FieldList& fields);

    bool enabled() const { return !trims_.empty(); }
    void add(const RecordView& r);  // a new last row
    void put(std::size_t row, const RecordView& r) { slots_[order_[row]] = store(r); }
    void erase(std::size_t row) { order_.erase(order_.begin() + std::ptrdiff_t(row)); }
    std::string_view field(std::size_t row, int f) const { return slotField(order_[row], f); }
    std::string_view slotField(std::size_t slot, int f) const;
    std::size_t rows() const { return order_.size(); }
    // Rows reordered: row i becomes the old row permutation[i].
    void permute(const std::vector<std::size_t>& permutation);

private:
    enum class Trim : char { None, Right, Both };
    const char* store(const RecordView& r);

    std::vector<Trim> trims_;  // per field
    std::size_t maxRow_ = 0;
    std::vector<std::unique_ptr<char[]>> chunks_;
    std::size_t chunkSize_ = 0, used_ = 0;
    std::vector<const char*> slots_;  // row data: uint16 end of each field, then the bytes
    std::vector<uint32_t> order_;
};

// Navigation over n rows shared by both results.
class RowNavigator {
public:
    void reset(int64_t n) {
        count_ = n;
        first();
    }
    void first() {
        pos_ = 0;
        bof_ = true;
        eof_ = count_ == 0;
    }
    void last() {
        pos_ = count_ > 0 ? count_ - 1 : 0;
        bof_ = eof_ = count_ == 0;
    }
    void next() {
        if (pos_ + 1 < count_) {
            ++pos_;
            bof_ = false;
        } else {
            eof_ = true;
        }
    }
    void prior() {
        if (pos_ > 0 && count_ > 0) {
            --pos_;
            eof_ = false;
        } else {
            bof_ = true;
        }
    }
    void moveTo(int64_t index) {
        pos_ = index;
        bof_ = false;
        eof_ = false;
    }
    bool bof() const { return bof_; }
    bool eof() const { return eof_; }
    int64_t index() const { return pos_; }
    bool valid() const { return pos_ < count_; }
    int64_t count() const { return count_; }

private:
    int64_t count_ = 0, pos_ = 0;
    bool bof_ = true, eof_ = true;
};

class TableResult final : public SqlResult {
public:
    // `columns`: the table field of each result column.
    TableResult(std::unique_ptr<Table> table, FieldList fields, std::vector<int> columns, std::vector<int64_t> rows,
                RecordSnapshot snapshot);

    bool isLive() const override { return true; }
    std::string storedText(int field) const override;
    const FieldList& fields() const override { return fields_; }
    void first() override { nav_.first(); }
    void last() override { nav_.last(); }
    void next() override { nav_.next(); }
    void prior() override { nav_.prior(); }
    bool bof() const override { return nav_.bof(); }
    bool eof() const override { return nav_.eof(); }
    int64_t recordCount() const override { return int64_t(rows_.size()); }
    int64_t position() const override { return nav_.valid() ? nav_.index() + 1 : 0; }
    int64_t recNo() const override { return nav_.valid() ? rows_[nav_.index()] : 0; }
    bool goToRecNo(int64_t recNo) override;

    std::string text(int field) const override;
    std::optional<double> number(int field) const override;
    base::Date date(int field) const override;
    bool isBlank(int field) const override;

    base::Status edit() override;
    base::Status append() override;
    base::Status setText(int field, std::string_view value) override;
    base::Status setNumber(int field, double value) override;
    base::Status setDate(int field, base::Date value) override;
    base::Status setBlank(int field) override;
    base::Status post() override;
    void cancel() override;
    base::Status deleteRecord() override;
    bool isEditing() const override { return table_->isEditing(); }

    using Cursor::setText;
    using Cursor::text;

private:
    bool place() const;  // moves the table to the current row
    bool validField(int f) const { return f >= 0 && f < int(columns_.size()); }
    // The stored bytes of result column `f` in the current row (the edit
    // buffer while editing); nullopt when there is no row.
    std::optional<std::string_view> raw(int f) const;
    bool isMemo(int f) const { return fields_[std::size_t(f)].type == FieldType::Memo; }

    std::unique_ptr<Table> table_;
    FieldList fields_;
    std::vector<int> columns_;
    std::vector<int64_t> rows_;
    RecordSnapshot snapshot_;
    RowNavigator nav_;
    bool appending_ = false;
};

struct JoinColumn {
    int table = 0;
    int field = 0;
};

class JoinResult final : public SqlResult {
public:
    // `rows` and `slots`: per result row, one record number (and its slot
    // in that table's snapshot) for each table, row-major.
    JoinResult(std::vector<std::unique_ptr<Table>> tables, std::vector<RecordSnapshot> records, FieldList fields,
               std::vector<JoinColumn> columns, std::vector<int64_t> rows, std::vector<uint32_t> slots);

    bool isLive() const override { return false; }
    std::string storedText(int field) const override;
    const FieldList& fields() const override { return fields_; }
    void first() override { nav_.first(); }
    void last() override { nav_.last(); }
    void next() override { nav_.next(); }
    void prior() override { nav_.prior(); }
    bool bof() const override { return nav_.bof(); }
    bool eof() const override { return nav_.eof(); }
    int64_t recordCount() const override { return nav_.count(); }
    int64_t position() const override { return nav_.valid() ? nav_.index() + 1 : 0; }
    // The record number of the first table's record in the current row.
    int64_t recNo() const override { return nav_.valid() ? rows_[nav_.index() * tables_.size()] : 0; }
    bool goToRecNo(int64_t recNo) override;

    std::string text(int field) const override;
    std::optional<double> number(int field) const override;
    base::Date date(int field) const override;
    bool isBlank(int field) const override;

    base::Status edit() override { return readOnly(); }
    base::Status append() override { return readOnly(); }
    base::Status setText(int, std::string_view) override { return readOnly(); }
    base::Status setNumber(int, double) override { return readOnly(); }
    base::Status setDate(int, base::Date) override { return readOnly(); }
    base::Status setBlank(int) override { return readOnly(); }
    base::Status post() override { return readOnly(); }
    void cancel() override {}
    base::Status deleteRecord() override { return readOnly(); }
    bool isEditing() const override { return false; }

    using Cursor::setText;
    using Cursor::text;

private:
    static base::Status readOnly();
    const Table* place(int field) const;  // the table of the column, on the current row (memo fields)
    std::optional<std::string_view> raw(int field) const;

    std::vector<std::unique_ptr<Table>> tables_;
    std::vector<RecordSnapshot> records_;
    FieldList fields_;
    std::vector<JoinColumn> columns_;
    std::vector<int64_t> rows_;  // row-major: tables_.size() record numbers per row
    std::vector<uint32_t> slots_;
    RowNavigator nav_;
};

}  // namespace db::sql
