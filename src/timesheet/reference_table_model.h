#pragma once
// The grid model of the reference window: every row of one calendar
// reference table in physical order; cells edited in place are posted at
// once (each post reaches the disk).
#include <QAbstractTableModel>
#include <memory>

#include "base/status.h"
#include "db/table.h"
#include "timesheet/reference_columns.h"

namespace timesheet {

class ReferenceTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    ReferenceTableModel(std::vector<ReferenceColumn> columns, bool editable, QObject* parent = nullptr);

    base::Status open(const std::string& path);
    void close();
    db::Table* table() const { return table_.get(); }
    const std::vector<ReferenceColumn>& columns() const { return columns_; }
    int fieldOf(int column) const { return fields_[column]; }
    bool goTo(int row) const;
    // Re-reads the rows (after an append or a delete).
    void reload();

    int rowCount(const QModelIndex& = {}) const override { return int(rows_.size()); }
    int columnCount(const QModelIndex& = {}) const override { return int(columns_.size()); }
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation o, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    // Writes a cell (cp1251) and posts; the error says why it failed.
    base::Status store(int row, int column, const std::string& value);

private:
    std::vector<ReferenceColumn> columns_;
    std::vector<int> fields_;
    bool editable_;
    std::unique_ptr<db::Table> table_;
    std::vector<int64_t> rows_;
};

}  // namespace timesheet
