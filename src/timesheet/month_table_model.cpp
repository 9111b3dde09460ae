#include "timesheet/month_table_model.h"

#include <algorithm>

#include "base/case_tables.h"
#include "timesheet/month_layout.h"
#include "timesheet/text_util.h"
#include "ui/qt_text.h"

namespace timesheet {

MonthTableModel::MonthTableModel(QObject* parent) : QAbstractTableModel(parent) {}

base::Status MonthTableModel::open(const std::string& path, const MonthView& view) {
    beginResetModel();
    table_.reset();
    rows_.clear();
    auto opened = db::Table::open(path);
    if (!opened) {
        endResetModel();
        return opened.status();
    }
    table_ = std::move(opened.value());
    const int lk = table_->fieldIndex("LK"), fio = table_->fieldIndex("FIO");
    const int bKod = table_->fieldIndex("B_KOD"), bbK = table_->fieldIndex("BB_K");
    struct Row {
        int64_t rec;
        bool totals;
        std::string key;
        double number;
    };
    std::vector<Row> rows;
    for (table_->first(); !table_->eof(); table_->next()) {
        Row r{table_->recNo(), false, {}, 0};
        const auto lkValue = lk >= 0 ? table_->number(lk) : std::nullopt;
        r.totals = lkValue && *lkValue == double(kTotalsKod);
        if (!view.bKod.empty() || !view.bbK.empty()) {
            const bool inDept = bKod >= 0 && bbK >= 0 && std::string(trimmed(table_->text(bKod))) == view.bKod &&
                                std::string(trimmed(table_->text(bbK))) == view.bbK;
            // The sorted department view leaves the totals row out.
            if (!inDept && !(r.totals && view.sortField.empty())) continue;
        }
        if (view.sortField == "LK") r.number = lkValue.value_or(0);
        if (view.sortField == "FIO" && fio >= 0) r.key = base::upperAnsi(table_->text(fio));
        rows.push_back(r);
    }
    if (view.sortField == "LK")
        std::stable_sort(rows.begin(), rows.end(), [](const Row& a, const Row& b) { return a.number < b.number; });
    if (view.sortField == "FIO")
        std::stable_sort(rows.begin(), rows.end(), [](const Row& a, const Row& b) { return a.key < b.key; });
    for (const Row& r : rows) rows_.push_back(r.rec);
    setColumns(columns_);
    endResetModel();
    return {};
}

void MonthTableModel::close() {
    beginResetModel();
    if (table_) (void)table_->close();
    table_.reset();
    rows_.clear();
    endResetModel();
}

void MonthTableModel::setColumns(std::vector<GridColumn> columns) {
    beginResetModel();
    columns_ = std::move(columns);
    fieldOfColumn_.clear();
    for (const GridColumn& c : columns_) fieldOfColumn_.push_back(table_ && !c.field.empty() ? table_->fieldIndex(c.field) : -1);
    endResetModel();
}

int MonthTableModel::rowCount(const QModelIndex&) const { return int(rows_.size()); }
int MonthTableModel::columnCount(const QModelIndex&) const { return int(columns_.size()); }

bool MonthTableModel::goTo(int row) const {
    return table_ && row >= 0 && row < int(rows_.size()) && table_->goToRecNo(rows_[row]);
}

std::string MonthTableModel::text(int row, const std::string& field) const {
    if (!goTo(row)) return {};
    const int f = table_->fieldIndex(field);
    return f >= 0 ? table_->text(f) : std::string();
}

int64_t MonthTableModel::kod(int row) const {
    if (!goTo(row)) return 0;
    const int f = table_->fieldIndex("KOD");
    const auto v = f >= 0 ? table_->number(f) : std::nullopt;
    return v ? int64_t(*v) : 0;
}

bool MonthTableModel::isTotalsRow(int row) const {
    if (!goTo(row)) return false;
    const int f = table_->fieldIndex("LK");
    const auto v = f >= 0 ? table_->number(f) : std::nullopt;
    return v && *v == double(kTotalsKod);
}

int MonthTableModel::rowOfKod(int64_t wanted) const {
    for (int r = 0; r < rowCount(); ++r)
        if (kod(r) == wanted) return r;
    return -1;
}

QVariant MonthTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    const int f = fieldOfColumn_[index.column()];
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::AlignVCenter | (columns_[index.column()].rightAligned ? Qt::AlignRight : Qt::AlignLeft));
    if (role != Qt::DisplayRole && role != Qt::EditRole) return {};
    if (f < 0 || !goTo(index.row())) return QString();
    return ui::toQ(std::string(trimmed(table_->text(f))));
}

QVariant MonthTableModel::headerData(int section, Qt::Orientation o, int role) const {
    if (o != Qt::Horizontal || role != Qt::DisplayRole || section >= int(columns_.size())) return {};
    return ui::toQ(columns_[section].title);
}

Qt::ItemFlags MonthTableModel::flags(const QModelIndex& index) const {
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    if (!index.isValid()) return f;
    const GridColumn& c = columns_[index.column()];
    if (fieldOfColumn_[index.column()] >= 0 && !isSearchField(c.field) && c.kind != GridColumnKind::Spacer)
        f |= Qt::ItemIsEditable;
    return f;
}

base::Status MonthTableModel::store(int row, const std::string& field, const std::string& value) {
    if (!goTo(row)) return base::Status::notFound("row");
    const int f = table_->fieldIndex(field);
    if (f < 0) return base::Status::notFound(field);
    if (table_->text(f) == value) return {};
    base::Status s = table_->edit();
    if (s) s = value.empty() ? table_->setBlank(f) : table_->setText(f, value);
    if (s) s = table_->post();
    if (!s) table_->cancel();
    return s;
}

bool MonthTableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || role != Qt::EditRole) return false;
    const base::Status s = store(index.row(), columns_[index.column()].field, ui::fromQ(value.toString().trimmed()));
    lastError_ = s ? std::string() : s.message();
    if (s) emit dataChanged(index, index);
    return s.isOk();
}

}  // namespace timesheet
