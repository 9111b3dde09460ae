#pragma once
// The card file grid's model: the rows of DANN.DBF that pass the list
// filter, in the sort order, held as record numbers; cell values are read
// from the table only when the view asks for them.
#include <QAbstractTableModel>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/field_dictionary.h"
#include "base/status.h"
#include "db/table.h"

namespace records {

class CardListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit CardListModel(QObject* parent = nullptr);

    // Opens (or reopens) `dannPath` with the filter and order; keeps the columns.
    base::Status open(const std::string& dannPath, const std::string& filter, const std::string& order);
    void setColumns(std::vector<app::GridColumn> columns);
    const std::vector<app::GridColumn>& columns() const { return columns_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // The stored text (cp1251) of a field of a row; "" when out of range.
    std::string text(int row, const std::string& field) const;
    int64_t code(int row) const;
    // The incremental search over one field, from row `from` on, reading the
    // rows in list order (see records::findRow for the rule).
    // The values are read once per column (trimmed, upper-cased) and kept
    // until the list reopens; prepareSearch reads them ahead, when the user
    // enters the column.
    std::optional<int> find(int from, const std::string& field, const std::string& text, bool fromStart) const;
    void prepareSearch(const std::string& field) const;
    int rowOfCode(int64_t code) const;  // -1 when absent
    const db::FieldList& fields() const;
    db::Table* table() const { return table_.get(); }

private:
    bool goTo(int row) const;

    std::unique_ptr<db::Table> table_;
    std::vector<int64_t> recNos_;
    std::vector<app::GridColumn> columns_;
    std::vector<int> columnFields_;
    mutable std::string searchField_;
    mutable std::vector<std::string> searchValues_;
};

}  // namespace records
