#include "records/history_model.h"

#include "records/card_tables.h"
#include "ui/qt_text.h"

namespace records {

HistoryModel::HistoryModel(const RecordsContext& ctx, std::string table, int64_t code,
                           std::vector<HistoryColumn> columns, QObject* parent)
    : QAbstractTableModel(parent), ctx_(ctx), table_(std::move(table)), code_(code), columns_(std::move(columns)) {
    reload();
}

void HistoryModel::reload() {
    beginResetModel();
    rows_.reset();
    auto r = rowsOfCard(ctx_, table_, code_);
    if (r) rows_ = std::move(*r);
    endResetModel();
}

bool HistoryModel::goTo(int row) const {
    if (!rows_ || row < 0 || row >= rowCount()) return false;
    if (rows_->position() != row + 1) {
        rows_->first();
        rows_->moveBy(row);
    }
    return true;
}

int HistoryModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() || !rows_ ? 0 : int(rows_->recordCount());
}
int HistoryModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : int(columns_.size()); }

QVariant HistoryModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !goTo(index.row())) return {};
    const int i = rows_->fieldIndex(columns_[index.column()].field);
    return i < 0 ? QVariant() : ui::toQ(rows_->text(i));
}

QVariant HistoryModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal || section >= int(columns_.size())) return {};
    return columns_[section].title;
}

}  // namespace records
