#pragma once
// The grid model of the timesheet window: the rows of the month's table in
// the window's view (all rows, or one department and the totals row; sorted
// by LK or FIO on request) and the grid columns.
#include <QAbstractTableModel>
#include <memory>
#include <string>
#include <vector>

#include "base/status.h"
#include "db/table.h"
#include "timesheet/grid_columns.h"

namespace timesheet {

struct MonthView {
    std::string bKod, bbK;  // the department ("tao"); empty for all rows
    std::string sortField;  // "LK", "FIO" or empty
};

class MonthTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit MonthTableModel(QObject* parent = nullptr);

    // Opens (or reopens) the table at `path` with the view.
    base::Status open(const std::string& path, const MonthView& view);
    void close();
    void setColumns(std::vector<GridColumn> columns);

    int rowCount(const QModelIndex& = {}) const override;
    int columnCount(const QModelIndex& = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation o, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

    const std::vector<GridColumn>& columns() const { return columns_; }
    db::Table* table() const { return table_.get(); }
    // The cp1251 text of `field` in `row`; "" when absent.
    std::string text(int row, const std::string& field) const;
    int64_t kod(int row) const;
    bool isTotalsRow(int row) const;
    int rowOfKod(int64_t kod) const;  // -1 when not in the view
    int64_t recNo(int row) const { return rows_[row]; }
    const std::vector<int64_t>& recNos() const { return rows_; }
    // Writes `value` into `field` of `row`; the error tells why it failed.
    base::Status store(int row, const std::string& field, const std::string& value);
    const std::string& lastError() const { return lastError_; }

private:
    bool goTo(int row) const;

    std::unique_ptr<db::Table> table_;
    std::vector<int64_t> rows_;  // record numbers in view order
    std::vector<GridColumn> columns_;
    std::vector<int> fieldOfColumn_;
    std::string lastError_;
};

}  // namespace timesheet
