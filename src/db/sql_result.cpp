#include "db/sql_result.h"

#include <algorithm>

#include "base/cp_literal.h"

namespace db::sql {

using base::Status;

namespace {
std::string_view trimmed(std::string_view s) {
    while (!s.empty() && (s.back() == ' ' || s.back() == '\0')) s.remove_suffix(1);
    while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
    return s;
}
}  // namespace

// ---- TableResult ----------------------------------------------------------------

TableResult::TableResult(std::unique_ptr<Table> table, FieldList fields, std::vector<int> columns,
                         std::vector<int64_t> rows)
    : table_(std::move(table)), fields_(std::move(fields)), columns_(std::move(columns)), rows_(std::move(rows)) {
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

std::string TableResult::text(int field) const {
    if (!validField(field) || (!table_->isEditing() && !place())) return {};
    return table_->text(columns_[field]);
}

std::optional<double> TableResult::number(int field) const {
    if (!validField(field) || (!table_->isEditing() && !place())) return std::nullopt;
    return table_->number(columns_[field]);
}

base::Date TableResult::date(int field) const {
    if (!validField(field) || (!table_->isEditing() && !place())) return {};
    return table_->date(columns_[field]);
}

bool TableResult::isBlank(int field) const {
    if (!validField(field) || (!table_->isEditing() && !place())) return true;
    return table_->isBlank(columns_[field]);
}

std::string TableResult::storedText(int field) const {
    if (!validField(field) || (!table_->isEditing() && !place())) return {};
    return std::string(trimmed(table_->rawField(columns_[field])));
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
    if (st.isOk() && appending_) {
        rows_.push_back(table_->recNo());
        nav_.reset(int64_t(rows_.size()));
        nav_.moveTo(int64_t(rows_.size()) - 1);
    }
    if (st.isOk()) appending_ = false;
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
    nav_.reset(int64_t(rows_.size()));
    if (!rows_.empty()) nav_.moveTo(std::min<int64_t>(at, int64_t(rows_.size()) - 1));
    return st;
}

// ---- JoinResult -----------------------------------------------------------------------

JoinResult::JoinResult(std::vector<std::unique_ptr<Table>> tables, FieldList fields, std::vector<JoinColumn> columns,
                       std::vector<int64_t> rows)
    : tables_(std::move(tables)), fields_(std::move(fields)), columns_(std::move(columns)), rows_(std::move(rows)) {
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

std::string JoinResult::text(int field) const {
    const Table* t = place(field);
    return t ? t->text(columns_[field].field) : std::string();
}
std::string JoinResult::storedText(int field) const {
    const Table* t = place(field);
    return t ? std::string(trimmed(t->rawField(columns_[field].field))) : std::string();
}
std::optional<double> JoinResult::number(int field) const {
    const Table* t = place(field);
    return t ? t->number(columns_[field].field) : std::nullopt;
}
base::Date JoinResult::date(int field) const {
    const Table* t = place(field);
    return t ? t->date(columns_[field].field) : base::Date();
}
bool JoinResult::isBlank(int field) const {
    const Table* t = place(field);
    return t ? t->isBlank(columns_[field].field) : true;
}

}  // namespace db::sql
