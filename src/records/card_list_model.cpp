#include "records/card_list_model.h"

#include "base/case_tables.h"
#include "ui/qt_text.h"

namespace records {

CardListModel::CardListModel(QObject* parent) : QAbstractTableModel(parent) {}

base::Status CardListModel::open(const std::string& dannPath, const std::string& filter, const std::string& order) {
    beginResetModel();
    recNos_.clear();
    searchField_.clear();
    searchValues_.clear();
    table_.reset();
    auto opened = db::Table::open(dannPath);
    base::Status st = opened.status();
    if (opened) {
        table_ = std::move(*opened);
        st = table_->setFilter(filter, true);
        if (st) st = table_->setOrder(order);
        if (st)
            for (table_->first(); !table_->eof(); table_->next()) recNos_.push_back(table_->recNo());
    }
    setColumns(columns_);
    endResetModel();
    return st;
}

void CardListModel::setColumns(std::vector<app::GridColumn> columns) {
    columns_ = std::move(columns);
    columnFields_.clear();
    for (const auto& c : columns_) columnFields_.push_back(table_ ? table_->fieldIndex(c.field) : -1);
}

int CardListModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : int(recNos_.size()); }
int CardListModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : int(columns_.size()); }

bool CardListModel::goTo(int row) const {
    if (!table_ || row < 0 || row >= int(recNos_.size())) return false;
    if (table_->recNo() == recNos_[row]) return true;
    return table_->goToRecNo(recNos_[row]);
}

QVariant CardListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    const auto& col = columns_[index.column()];
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::AlignVCenter | (col.rightAligned ? Qt::AlignRight : Qt::AlignLeft));
    if (role != Qt::DisplayRole) return {};
    const int field = columnFields_[index.column()];
    if (field < 0 || !goTo(index.row())) return {};
    return ui::toQ(table_->text(field));
}

QVariant CardListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal || section >= int(columns_.size())) return {};
    return ui::toQ(columns_[section].title);
}

std::string CardListModel::text(int row, const std::string& field) const {
    if (!goTo(row)) return {};
    const int i = table_->fieldIndex(field);
    return i < 0 ? std::string() : table_->text(i);
}

int64_t CardListModel::code(int row) const {
    if (!goTo(row)) return 0;
    return int64_t(table_->number(table_->fieldIndex("KOD")).value_or(0));
}

void CardListModel::prepareSearch(const std::string& field) const {
    if (field == searchField_ && searchValues_.size() == recNos_.size()) return;
    searchField_ = field;
    searchValues_.clear();
    const int i = table_ ? table_->fieldIndex(field) : -1;
    if (i < 0 || recNos_.empty() || !goTo(0)) return;
    searchValues_.reserve(recNos_.size());
    // The table's own order is the list's order: read on sequentially.
    for (size_t row = 0; row < recNos_.size() && !table_->eof(); ++row, table_->next()) {
        std::string v = table_->text(i);
        const auto b = v.find_first_not_of(' ');
        searchValues_.push_back(b == std::string::npos ? std::string() : base::upperAnsi(std::string_view(v).substr(b)));
    }
}

std::optional<int> CardListModel::find(int from, const std::string& field, const std::string& text,
                                      bool fromStart) const {
    prepareSearch(field);
    const std::string needle = base::upperAnsi(text);
    if (needle.find_first_not_of(' ') == std::string::npos) from = 0;
    for (int row = std::max(from, 0); row < int(searchValues_.size()); ++row) {
        const auto at = searchValues_[row].find(needle);
        if (at == std::string::npos) continue;
        if (!fromStart || at == 0) return row;
    }
    return std::nullopt;
}

int CardListModel::rowOfCode(int64_t code) const {
    for (int r = 0; r < rowCount(); ++r)
        if (this->code(r) == code) return r;
    return -1;
}

const db::FieldList& CardListModel::fields() const {
    static const db::FieldList none;
    return table_ ? table_->fields() : none;
}

}  // namespace records
