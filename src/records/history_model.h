#pragma once
// A read-only table model over the rows of one card in a history table,
// with the columns of its tab.
#include <QAbstractTableModel>
#include <memory>
#include <string>
#include <vector>

#include "db/sql.h"
#include "records/records_context.h"

namespace records {

struct HistoryColumn {
    std::string field;
    QString title;
    int width = 70;
};

class HistoryModel : public QAbstractTableModel {
    Q_OBJECT
public:
    HistoryModel(const RecordsContext& ctx, std::string table, int64_t code, std::vector<HistoryColumn> columns,
                 QObject* parent = nullptr);
    void reload();  // reopens the query
    db::SqlResult* rows() const { return rows_.get(); }
    const std::vector<HistoryColumn>& columns() const { return columns_; }
    // Puts the query's cursor on `row`; false when out of range.
    bool goTo(int row) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    const RecordsContext& ctx_;
    std::string table_;
    int64_t code_;
    std::vector<HistoryColumn> columns_;
    std::unique_ptr<db::SqlResult> rows_;
};

}  // namespace records
