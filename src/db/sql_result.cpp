#include "db/sql_result.h"

#include <algorithm>
#include <cstring>

#include "base/cp_literal.h"
#include "db/dbf_values.h"
#include "base/text_trim.h"

namespace db::sql {

using base::Status;

namespace {
// The text of a whole number stored without decimals is its digits as
// written (what the number formatter would give), found without formatting.
bool isPlainInteger(const FieldDef& f, std::string_view digits) {
    if (f.type != FieldType::Numeric || f.decimals != 0 || digits.empty() || digits.size() > 15) return false;
    std::size_t i = digits[0] == '-' ? 1 : 0;
    if (i == digits.size() || (digits[i] == '0' && (digits.size() > i + 1 || i == 1))) return false;
    for (; i < digits.size(); ++i)
        if (digits[i] < '0' || digits[i] > '9') return false;
    return true;
}
}  // namespace

// ---- RecordSnapshot ----------------------------------------------------------------

RecordSnapshot::RecordSnapshot(const FieldList& fields) {
    for (const FieldDef& f : fields) {
        switch (f.type) {
            case FieldType::Numeric:
            case FieldType::Float: trims_.push_back(Trim::Both); break;
            case FieldType::Character:
            case FieldType::Date:
            case FieldType::Logical:
            case FieldType::Memo: trims_.push_back(Trim::Right); break;
            default: trims_.push_back(Trim::None); break;
        }
        maxRow_ += std::size_t(std::max(0, f.length)) + sizeof(uint16_t);
    }
    chunkSize_ = std::max<std::size_t>(8 * 1024, maxRow_);  // grows to kMaxChunk: small results stay small
    used_ = chunkSize_;
}

const char* RecordSnapshot::store(const RecordView& r) {
    if (used_ + maxRow_ > chunkSize_) {
        if (!chunks_.empty()) chunkSize_ = std::max(maxRow_, std::min<std::size_t>(chunkSize_ * 2, 256 * 1024));
        chunks_.push_back(std::make_unique_for_overwrite<char[]>(chunkSize_));
        used_ = 0;
    }
    char* row = chunks_.back().get() + used_;
    const std::size_t n = trims_.size();
    char* data = row + n * sizeof(uint16_t);
    std::size_t end = 0;
    for (std::size_t f = 0; f < n; ++f) {
        std::string_view v = r.rawField(int(f));
        if (trims_[f] != Trim::None)
            while (!v.empty() && (v.back() == ' ' || v.back() == '\0')) v.remove_suffix(1);
        if (trims_[f] == Trim::Both)
            while (!v.empty() && v.front() == ' ') v.remove_prefix(1);
        v = v.substr(0, std::min<std::size_t>(v.size(), 0xFFFF - end));
        std::memcpy(data + end, v.data(), v.size());
        end += v.size();
        const uint16_t e = uint16_t(end);
        std::memcpy(row + f * sizeof(uint16_t), &e, sizeof e);
    }
    used_ += n * sizeof(uint16_t) + end;
    return row;
}

void RecordSnapshot::add(const RecordView& r) {
    slots_.push_back(store(r));
    order_.push_back(uint32_t(slots_.size() - 1));
}

std::string_view RecordSnapshot::slotField(std::size_t slot, int f) const {
    const char* row = slots_[slot];
    uint16_t begin = 0, end = 0;
    if (f > 0) std::memcpy(&begin, row + std::size_t(f - 1) * sizeof(uint16_t), sizeof begin);
    std::memcpy(&end, row + std::size_t(f) * sizeof(uint16_t), sizeof end);
    return {row + trims_.size() * sizeof(uint16_t) + begin, std::size_t(end - begin)};
}

void RecordSnapshot::permute(const std::vector<std::size_t>& permutation) {
    std::vector<uint32_t> next(permutation.size());
    for (std::size_t i = 0; i < permutation.size(); ++i) next[i] = order_[permutation[i]];
    order_.swap(next);
}

// ---- TableResult ----------------------------------------------------------------

TableResult::TableResult(std::unique_ptr<Table> table, FieldList fields, std::vector<int> columns,
                         std::vector<int64_t> rows, RecordSnapshot snapshot)
    : table_(std::move(table)),
      fields_(std::move(fields)),
      columns_(std::move(columns)),
      rows_(std::move(rows)),
      snapshot_(std::move(snapshot)) {
    nav_.reset(int64_t(rows_.size()));
}

bool TableResult::place() const {
    if (!nav_.valid()) return false;
    const int64_t want = rows_[nav_.index()];
    if (table_->recNo() == want) return true;
    return table_->goToRecNo(want);
}

bool TableResult::goToRecNo(int64_t recNo) {
    const auto it = std::find(rows_.begin(), rows_.end(), recNo);
    if (it == rows_.end()) return false;
    nav_.moveTo(it - rows_.begin());
    return true;
}

std::optional<std::string_view> TableResult::raw(int f) const {
    if (table_->isEditing()) return table_->rawField(columns_[f]);
    if (!nav_.valid()) return std::nullopt;
    if (snapshot_.enabled()) return snapshot_.field(std::size_t(nav_.index()), columns_[f]);
    if (!place()) return std::nullopt;
    return table_->rawField(columns_[f]);
}

std::string TableResult::text(int field) const {
    if (!validField(field)) return {};
    if (isMemo(field)) return table_->isEditing() || place() ? table_->text(columns_[field]) : std::string();
    const auto r = raw(field);
    if (!r) return {};
    if (const std::string_view t = base::trimStored(*r); isPlainInteger(fields_[field], t)) return std::string(t);
    return fieldText(fields_[field], *r);
}

std::optional<double> TableResult::number(int field) const {
    if (!validField(field)) return std::nullopt;
    const auto r = raw(field);
    return r ? fieldNumber(fields_[field], *r) : std::nullopt;
}

base::Date TableResult::date(int field) const {
    if (!validField(field)) return {};
    const auto r = raw(field);
    return r ? fieldDate(fields_[field], *r) : base::Date();
}

bool TableResult::isBlank(int field) const {
    if (!validField(field)) return true;
    if (isMemo(field)) return table_->isEditing() || place() ? table_->isBlank(columns_[field]) : true;
    const auto r = raw(field);
    return r ? fieldIsBlank(fields_[field], *r) : true;
}

std::string TableResult::storedText(int field) const {
    if (!validField(field)) return {};
    const auto r = raw(field);
    return r ? std::string(base::trimStored(*r)) : std::string();
}

Status TableResult::edit() {
    if (!place()) return Status::invalid("Нет текущей записи"_cp);
    return table_->edit();
}

Status TableResult::append() {
    Status st = table_->append();
    appending_ = st.isOk();
    return st;
}

Status TableResult::setText(int field, std::string_view value) {
    if (!validField(field)) return Status::invalid("Нет такого поля"_cp);
    return table_->setText(columns_[field], value);
}
Status TableResult::setNumber(int field, double value) {
    if (!validField(field)) return Status::invalid("Нет такого поля"_cp);
    return table_->setNumber(columns_[field], value);
}
Status TableResult::setDate(int field, base::Date value) {
    if (!validField(field)) return Status::invalid("Нет такого поля"_cp);
    return table_->setDate(columns_[field], value);
}
Status TableResult::setBlank(int field) {
    if (!validField(field)) return Status::invalid("Нет такого поля"_cp);
    return table_->setBlank(columns_[field]);
}

Status TableResult::post() {
    Status st = table_->post();
    if (!st) return st;
    if (appending_) {
        rows_.push_back(table_->recNo());
        if (snapshot_.enabled()) snapshot_.add(table_->record());
        nav_.reset(int64_t(rows_.size()));
        nav_.moveTo(int64_t(rows_.size()) - 1);
        appending_ = false;
    } else if (snapshot_.enabled() && nav_.valid() && table_->goToRecNo(rows_[nav_.index()])) {
        snapshot_.put(std::size_t(nav_.index()), table_->record());
    }
    return st;
}

void TableResult::cancel() {
    table_->cancel();
    appending_ = false;
}

Status TableResult::deleteRecord() {
    if (!place()) return Status::invalid("Нет текущей записи"_cp);
    Status st = table_->deleteRecord();
    if (!st) return st;
    const int64_t at = nav_.index();
    rows_.erase(rows_.begin() + at);
    if (snapshot_.enabled()) snapshot_.erase(std::size_t(at));
    nav_.reset(int64_t(rows_.size()));
    if (!rows_.empty()) nav_.moveTo(std::min<int64_t>(at, int64_t(rows_.size()) - 1));
    return st;
}

// ---- JoinResult -----------------------------------------------------------------------

JoinResult::JoinResult(std::vector<std::unique_ptr<Table>> tables, std::vector<RecordSnapshot> records,
                       FieldList fields, std::vector<JoinColumn> columns, std::vector<int64_t> rows,
                       std::vector<uint32_t> slots)
    : tables_(std::move(tables)),
      records_(std::move(records)),
      fields_(std::move(fields)),
      columns_(std::move(columns)),
      rows_(std::move(rows)),
      slots_(std::move(slots)) {
    nav_.reset(tables_.empty() ? 0 : int64_t(rows_.size() / tables_.size()));
}

Status JoinResult::readOnly() { return Status::invalid("Результат запроса по нескольким таблицам только для чтения"_cp); }

bool JoinResult::goToRecNo(int64_t recNo) {
    for (int64_t i = 0; i < nav_.count(); ++i)
        if (rows_[i * tables_.size()] == recNo) {
            nav_.moveTo(i);
            return true;
        }
    return false;
}

const Table* JoinResult::place(int field) const {
    if (field < 0 || field >= int(columns_.size()) || !nav_.valid()) return nullptr;
    const JoinColumn c = columns_[field];
    Table& t = *tables_[c.table];
    const int64_t want = rows_[nav_.index() * tables_.size() + c.table];
    if (t.recNo() != want && !t.goToRecNo(want)) return nullptr;
    return &t;
}

std::optional<std::string_view> JoinResult::raw(int field) const {
    if (field < 0 || field >= int(columns_.size()) || !nav_.valid()) return std::nullopt;
    const JoinColumn c = columns_[field];
    return records_[c.table].slotField(slots_[nav_.index() * tables_.size() + c.table], c.field);
}

std::string JoinResult::text(int field) const {
    if (field >= 0 && field < int(fields_.size()) && fields_[field].type == FieldType::Memo) {
        const Table* t = place(field);
        return t ? t->text(columns_[field].field) : std::string();
    }
    const auto r = raw(field);
    if (!r) return {};
    if (const std::string_view t = base::trimStored(*r); isPlainInteger(fields_[field], t)) return std::string(t);
    return fieldText(fields_[field], *r);
}
std::string JoinResult::storedText(int field) const {
    const auto r = raw(field);
    return r ? std::string(base::trimStored(*r)) : std::string();
}
std::optional<double> JoinResult::number(int field) const {
    const auto r = raw(field);
    return r ? fieldNumber(fields_[field], *r) : std::nullopt;
}
base::Date JoinResult::date(int field) const {
    const auto r = raw(field);
    return r ? fieldDate(fields_[field], *r) : base::Date();
}
bool JoinResult::isBlank(int field) const {
    if (field >= 0 && field < int(fields_.size()) && fields_[field].type == FieldType::Memo) {
        const Table* t = place(field);
        return t ? t->isBlank(columns_[field].field) : true;
    }
    const auto r = raw(field);
    return r ? fieldIsBlank(fields_[field], *r) : true;
}

}  // namespace db::sql
