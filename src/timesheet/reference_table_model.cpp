#include "timesheet/reference_table_model.h"

#include "timesheet/text_util.h"
#include "ui/qt_text.h"

namespace timesheet {

ReferenceTableModel::ReferenceTableModel(std::vector<ReferenceColumn> columns, bool editable, QObject* parent)
    : QAbstractTableModel(parent), columns_(std::move(columns)), editable_(editable) {}

base::Status ReferenceTableModel::open(const std::string& path) {
    auto opened = db::Table::open(path);
    if (!opened) return opened.status();
    table_ = std::move(opened.value());
    fields_.clear();
    for (const ReferenceColumn& c : columns_) fields_.push_back(table_->fieldIndex(c.field));
    reload();
    return {};
}

void ReferenceTableModel::close() {
    beginResetModel();
    if (table_) {
        if (table_->isEditing()) (void)table_->post();
        (void)table_->close();
    }
    table_.reset();
    rows_.clear();
    endResetModel();
}

void ReferenceTableModel::reload() {
    beginResetModel();
    rows_.clear();
    if (table_) {
        (void)table_->refresh();
        for (table_->first(); !table_->eof(); table_->next()) rows_.push_back(table_->recNo());
    }
    endResetModel();
}

bool ReferenceTableModel::goTo(int row) const {
    return table_ && row >= 0 && row < int(rows_.size()) && table_->goToRecNo(rows_[row]);
}

QVariant ReferenceTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole)) return {};
    const int f = fields_[index.column()];
    if (f < 0 || !goTo(index.row())) return QString();
    return ui::toQ(std::string(trimmed(table_->text(f))));
}

QVariant ReferenceTableModel::headerData(int section, Qt::Orientation o, int role) const {
    if (o != Qt::Horizontal || role != Qt::DisplayRole) return {};
    return ui::toQ(columns_[section].title);
}

Qt::ItemFlags ReferenceTableModel::flags(const QModelIndex& index) const {
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    if (index.isValid() && editable_ && fields_[index.column()] >= 0) f |= Qt::ItemIsEditable;
    return f;
}

base::Status ReferenceTableModel::store(int row, int column, const std::string& value) {
    const int f = fields_[column];
    if (f < 0 || !goTo(row)) return base::Status::notFound(columns_[column].field);
    base::Status s = table_->edit();
    if (s) s = value.empty() ? table_->setBlank(f) : table_->setText(f, value);
    if (s) s = table_->post();
    if (!s) table_->cancel();
    else emit dataChanged(index(row, column), index(row, column));
    return s;
}

bool ReferenceTableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || role != Qt::EditRole) return false;
    return store(index.row(), index.column(), ui::fromQ(value.toString().trimmed())).isOk();
}

}  // namespace timesheet
