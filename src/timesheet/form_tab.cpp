#include "timesheet/form_tab.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QMenu>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "base/case_tables.h"
#include "base/cp_literal.h"
#include "base/file_ops.h"
#include "db/sql.h"
#include "timesheet/accounting_month.h"
#include "timesheet/folder_calculation.h"
#include "timesheet/folder_inputs.h"
#include "timesheet/month_table.h"
#include "timesheet/print_table.h"
#include "timesheet/row_deletion.h"
#include "timesheet/text_util.h"
#include "ui/qt_text.h"

namespace timesheet {
namespace {

QToolButton* toolButton(QToolBar* bar, const char* name, const char* text, const char* hint) {
    auto* b = new QToolButton(bar);
    b->setObjectName(name);
    b->setText(QString::fromUtf8(text));
    b->setToolTip(QString::fromUtf8(hint));
    b->setToolButtonStyle(Qt::ToolButtonTextOnly);
    bar->addWidget(b);
    return b;
}

// The cell editor: a typed "," becomes "." (the decimal point of the marks).
class CellDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
        if (auto* line = qobject_cast<QLineEdit*>(editor))
            QObject::connect(line, &QLineEdit::textEdited, line, [line](QString text) {
                if (!text.contains(',')) return;
                const int pos = line->cursorPosition();
                line->setText(text.replace(',', '.'));
                line->setCursorPosition(pos);
            });
        return editor;
    }
};

}  // namespace

TFormTab::TFormTab(const TimesheetEnv& env, std::optional<TabDepartment> department, QWidget* parent)
    : QWidget(parent), env_(env), department_(std::move(department)), model_(this) {
    setObjectName("TFormTab");
    setFont(env_.font);
    if (department_) view_ = {department_->bKod, department_->bbK, {}};

    auto* bar = new QToolBar(this);
    bar->setObjectName("ToolBar1");
    connect(toolButton(bar, "ToolButton2", "Личная карточка", "Личная карточка  F6"), &QToolButton::clicked, this,
            &TFormTab::ToolButton2Click);
    connect(toolButton(bar, "ToolButton4", "Расчет", "Расчет"), &QToolButton::clicked, this,
            &TFormTab::ToolButton4Click);
    connect(toolButton(bar, "ToolButton11", "Очистить", "Очистить"), &QToolButton::clicked, this,
            &TFormTab::ToolButton11Click);
    checkBox1_ = new QCheckBox(QString::fromUtf8("Укороченный"), bar);
    checkBox1_->setObjectName("CheckBox1");
    bar->addWidget(checkBox1_);
    auto* label1 = new QLabel(QString::fromUtf8("   ПОИСК:  "), bar);
    label1->setObjectName("Label1");
    bar->addWidget(label1);
    label2_ = new QLabel(bar);
    label2_->setObjectName("Label2");
    bar->addWidget(label2_);

    grid_ = new QTableView(this);
    grid_->setObjectName("DBGridTab");
    grid_->setModel(&model_);
    grid_->setItemDelegate(new CellDelegate(grid_));
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    grid_->verticalHeader()->setDefaultSectionSize(QFontMetrics(env_.font).height() + 4);
    grid_->verticalHeader()->hide();
    grid_->horizontalHeader()->setMinimumSectionSize(6);
    grid_->setTextElideMode(Qt::ElideNone);
    grid_->setStyleSheet("QTableView::item { padding: 0px; }");
    grid_->installEventFilter(this);
    grid_->setContextMenuPolicy(Qt::CustomContextMenu);

    auto* menu = new QMenu(this);
    menu->setObjectName("PopupMenu1");
    connect(menu->addAction(QString::fromUtf8("Редактировать")), &QAction::triggered, this, &TFormTab::EditRow);
    connect(menu->addAction(QString::fromUtf8("Удалить")), &QAction::triggered, this, &TFormTab::DeleteRow);
    connect(menu->addAction(QString::fromUtf8("Личная карточка")), &QAction::triggered, this,
            &TFormTab::ToolButton2Click);
    menu->addAction(QString::fromUtf8("Поиск"));  // does nothing: typing searches
    connect(grid_, &QWidget::customContextMenuRequested, this,
            [this, menu](const QPoint& p) { menu->popup(grid_->viewport()->mapToGlobal(p)); });
    connect(grid_->selectionModel(), &QItemSelectionModel::currentRowChanged, this, [this] { updateCaption(); });
    connect(grid_->itemDelegate(), &QAbstractItemDelegate::closeEditor, this, [this] {
        if (!model_.lastError().empty()) report(base::Status::invalid(model_.lastError()));
    });
    connect(grid_, &QTableView::clicked, this, [this](const QModelIndex& i) {
        if (model_.columns()[i.column()].kind == GridColumnKind::Result) grid_->edit(i);
    });
    connect(grid_, &QTableView::doubleClicked, this, [this](const QModelIndex& i) {
        if (model_.columns()[i.column()].kind == GridColumnKind::Result) grid_->edit(i);
        else EditRow();
    });

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(bar);
    layout->addWidget(grid_);
    connect(checkBox1_, &QCheckBox::clicked, this, &TFormTab::CheckBox1Click);
}

TFormTab::~TFormTab() = default;

std::string TFormTab::tablePath() const {
    return env_.dataFolder + monthTableName(env_.month.month, env_.month.year);
}

void TFormTab::report(const base::Status& s) {
    if (!s && env_.messages) env_.messages->box(s.message());
}

bool TFormTab::FormCreate() {
    Notes notes;
    auto defs = readDefinitions(env_.dataFolder, notes);
    if (!defs) return report(defs.status()), false;
    inUse_ = definitionsInUse(defs.value());
    auto layout = buildMonthLayout(inUse_, env_.month.days());
    if (!layout) return report(layout.status()), false;
    layout_ = layout.value();
    if (const base::Status s = model_.open(tablePath(), view_); !s) return report(s), false;
    removeDoubleTotals();
    checkBox1_->setChecked(env_.readSetting && env_.readSetting("6T&") == "1");
    buildColumns();
    reopen(0);
    return true;
}

// A second totals row right after the first is a leftover of an old run.
void TFormTab::removeDoubleTotals() {
    db::Table* t = model_.table();
    const int lk = t->fieldIndex("LK");
    if (lk < 0) return;
    bool previousTotals = false;
    std::vector<int64_t> doubles;
    for (t->first(); !t->eof(); t->next()) {
        const auto v = t->number(lk);
        const bool totals = v && *v == double(kTotalsKod);
        if (totals && previousTotals) doubles.push_back(t->recNo());
        previousTotals = totals;
    }
    for (int64_t rec : doubles)
        if (t->goToRecNo(rec)) report(t->deleteRecord());
    if (!doubles.empty()) model_.open(tablePath(), view_);
}

void TFormTab::buildColumns() {
    std::vector<std::string> fields;
    for (const auto& f : model_.table()->fields()) fields.push_back(base::upperAnsi(f.name));
    GridColumnOptions options;
    options.fontSize = env_.font.pointSize() > 0 ? env_.font.pointSize() : 10;
    options.shortView = checkBox1_->isChecked();
    model_.setColumns(timesheetGridColumns(inUse_, env_.month.days(), fields, options));
    const auto& columns = model_.columns();
    for (int c = 0; c < int(columns.size()); ++c) {
        grid_->setColumnHidden(c, columns[c].hidden);
        // Two characters at the font size may not hold "В#" in every font.
        const int dayMinimum = QFontMetrics(grid_->font()).horizontalAdvance(QString::fromUtf8("В#")) + 4;
        grid_->setColumnWidth(c, columns[c].kind == GridColumnKind::Day ? std::max(columns[c].width, dayMinimum)
                                                                        : columns[c].width);
    }
}

void TFormTab::reopen(int64_t keepKod) {
    const int column = std::max(0, grid_->currentIndex().column());
    report(model_.open(tablePath(), view_));
    buildColumns();
    int row = keepKod ? model_.rowOfKod(keepKod) : -1;
    if (row < 0) row = 0;
    if (model_.rowCount() > 0) setCurrentRow(row);
    if (column < model_.columnCount()) grid_->setCurrentIndex(model_.index(std::max(0, row), column));
}

void TFormTab::setCurrentRow(int row) {
    int column = grid_->currentIndex().column();
    if (column < 0 || grid_->isColumnHidden(column)) {
        column = 0;
        while (column < model_.columnCount() && grid_->isColumnHidden(column)) ++column;
    }
    grid_->setCurrentIndex(model_.index(row, column));
    updateCaption();
}

int TFormTab::currentRow() const { return grid_->currentIndex().row(); }

std::string TFormTab::currentField() const {
    const int c = grid_->currentIndex().column();
    return c >= 0 && c < int(model_.columns().size()) ? model_.columns()[c].field : std::string();
}

void TFormTab::updateCaption() {
    if (captionBase_.empty()) {
        int people = model_.rowCount();
        for (int r = 0; r < model_.rowCount(); ++r)
            if (model_.isTotalsRow(r)) --people;
        captionBase_ = " ТАБЕЛЬ за "_cp + capitalMonthName(env_.month.month) + " " + std::to_string(env_.month.year) +
                       (department_ ? "   ОТДЕЛ - "_cp + std::string(trimmed(department_->names)) + " - " : " - ") +
                       std::to_string(people) + " чел. /"_cp;
    }
    std::string caption = captionBase_;
    const int row = currentRow();
    if (row >= 0 && !model_.isTotalsRow(row))
        caption += "  Т№ "_cp + std::string(trimmed(model_.text(row, "LK"))) + "   " +
                   std::string(trimmed(model_.text(row, "FIO")));
    setWindowTitle(ui::toQ(caption));
}

void TFormTab::FormActivate() {
    if (firstActivation_) {
        firstActivation_ = false;
        computeTotals();
    }
    if (!env_.commands) return;
    app::CommandDispatcher& c = *env_.commands;
    if (c.take(app::Cmd::Delete)) DeleteRow();
    if (c.take(app::Cmd::Edit)) EditRow();
    if (c.take(app::Cmd::Print)) Print();
    if (c.take(app::Cmd::Index)) SortByCurrentColumn();
    if (c.take(app::Cmd::FindNext)) FindNext();
}

void TFormTab::computeTotals() {
    const int64_t kod = model_.kod(std::max(0, currentRow()));
    // The sorted department view has no totals row: nothing is written.
    if (!(department_ && !view_.sortField.empty())) {
        std::vector<Overflow> overflows;
        if (department_) {
            // The department's totals: the sums over the rows of the view.
            db::SqlFolder sql(env_.dataFolder);
            auto rows = sql.query("Select * From " + monthTableName(env_.month.month, env_.month.year) +
                                      " WHERE ((B_KOD = :b) AND (BB_K = :g)) OR (LK = 99999)",
                                  {{"b", department_->bKod}, {"g", department_->bbK}});
            if (!rows) report(rows.status());
            else report(recomputeTotals(*rows.value(), layout_, overflows));
        } else {
            report(recomputeTotals(*model_.table(), layout_, overflows));
        }
        for (const Overflow& o : overflows)
            report(base::Status::invalid("Итог "_cp + o.value + " не помещается в поле "_cp + o.field));
    }
    reopen(kod);
}

void TFormTab::ToolButton4Click() {
    const int row = currentRow();
    if (row < 0 || model_.isTotalsRow(row)) return;
    const int64_t kod = model_.kod(row);
    model_.close();
    auto result = recalculateRowInFolder(env_.dataFolder, env_.month, kod);
    if (!result) report(result.status());
    else
        for (const std::string& note : result->notes) report(base::Status::invalid(note));
    reopen(kod);
}

void TFormTab::ToolButton11Click() {
    const int column = grid_->currentIndex().column();
    if (column < 0 || model_.columns()[column].kind != GridColumnKind::Result) return;
    const std::string field = model_.columns()[column].field;
    for (int r = 0; r < model_.rowCount(); ++r) report(model_.store(r, field, ""));
    reopen(model_.kod(std::max(0, currentRow())));
}

void TFormTab::CheckBox1Click() {
    if (env_.writeSetting) env_.writeSetting("6T&", checkBox1_->isChecked() ? "1" : "0");
    reopen(model_.kod(std::max(0, currentRow())));
}

void TFormTab::DeleteRow() {
    const int row = currentRow();
    if (row < 0 || model_.isTotalsRow(row)) return;
    const int64_t kod = model_.kod(row);
    Notes notes;
    CardFilter filter;
    filter.withArchive = true;
    filter.kod = kod;
    std::optional<Card> card;
    if (auto cards = readCards(env_.dataFolder, filter, layout_); cards && !cards->empty()) card = cards->front();
    if (!mayRemoveRow(card, env_.month)) {
        if (env_.messages) env_.messages->box(notDismissedMessage(card->fio));
        return;
    }
    if (!env_.confirmDelete || !env_.confirmDelete()) return;
    db::Table* t = model_.table();
    if (!t->goToRecNo(model_.recNo(row))) return;
    std::vector<std::pair<std::string, std::string>> fields;
    for (int f = 0; f < int(t->fields().size()); ++f) fields.emplace_back(t->fields()[f].name, t->text(f));
    const std::string log = env_.workFolder + "Delet.sdc";
    auto old = base::readFile(log);
    const std::string content = (old ? old.value() : std::string()) + deletionLogRecord(env_.today, env_.month, fields);
    if (const base::Status s = base::writeFileAtomic(log, content); !s) return report(s);
    report(t->deleteRecord());
    captionBase_.clear();
    reopen(model_.kod(std::min(row + 1, model_.rowCount() - 1)));
}

void TFormTab::EditRow() {
    const int row = currentRow();
    if (row < 0 || model_.isTotalsRow(row)) return;
    const int64_t kod = model_.kod(row);
    if (!openIndividual) return;
    model_.close();
    openIndividual(kod);
    reopen(kod);
    computeTotals();
}

void TFormTab::ToolButton2Click() {
    const int row = currentRow();
    if (row < 0) return;
    const int64_t kod = model_.kod(row);
    CardFilter filter;
    filter.kod = kod;
    auto cards = readCards(env_.dataFolder, filter, layout_);
    if (!cards || cards->empty()) {
        if (env_.messages) env_.messages->box(" Нет Карточки "_cp);
        return;
    }
    if (env_.openPersonalCard) env_.openPersonalCard(kod);
}

void TFormTab::SortByCurrentColumn() {
    const std::string field = currentField();
    if (!isSearchField(field)) return;
    view_.sortField = field;
    reopen(model_.kod(std::max(0, currentRow())));
}

void TFormTab::Print() {
    computeTotals();
    const base::Status s = writePrintTable(env_.workFolder + "TAB_C.DBF", *model_.table(), model_.recNos());
    if (!s) return report(s);
    if (env_.print) env_.print("TAB_C.DBF");
}

bool TFormTab::searchFrom(int start) {
    for (int r = std::max(0, start); r < model_.rowCount(); ++r) {
        const std::string value = base::upperAnsi(trimmed(model_.text(r, searchField_)));
        if (value.compare(0, searchText_.size(), searchText_) == 0) {
            setCurrentRow(r);
            return true;
        }
    }
    return false;
}

void TFormTab::FindNext() {
    if (searchText_.empty()) return;
    const int row = currentRow();
    if (!searchFrom(row + 1)) {
        setCurrentRow(row);
        if (env_.messages) env_.messages->box("Строка \""_cp + searchText_ + "\" далее не найдена "_cp);
    }
}

bool TFormTab::gridKey(QKeyEvent* event) {
    const QModelIndex current = grid_->currentIndex();
    if (!current.isValid()) return false;
    const GridColumn& column = model_.columns()[current.column()];
    if (column.field != searchColumn_) {  // entering another column clears the search
        searchText_.clear();
        searchColumn_ = column.field;
        label2_->clear();
    }
    const QString typed = event->text();
    const int key = event->key();
    if (typed.isEmpty() || key == Qt::Key_Tab || key == Qt::Key_Return || key == Qt::Key_Enter ||
        key == Qt::Key_Escape || key == Qt::Key_Backspace || !typed.at(0).isPrint())
        return false;
    if (isSearchField(column.field)) {
        if (searchText_.empty()) searchField_ = (typed.at(0) >= '1' && typed.at(0) <= '9') ? "LK" : "FIO";
        if (searchText_.size() < 50) searchText_ += base::upperAnsi(ui::fromQ(typed));
        label2_->setText(ui::toQ("     " + searchText_));
        const int row = currentRow();
        if (!searchFrom(row)) {
            setCurrentRow(row);
            if (env_.messages) env_.messages->box("Строка \""_cp + searchText_ + "\" не найдена "_cp);
            searchText_.clear();
        }
        return true;
    }
    // Result columns take any key; other columns digits, ".", "," and "*".
    const QChar ch = typed.at(0);
    const bool numeric = ch.isDigit() || ch == '.' || ch == ',' || ch == '*';
    if (!(model_.flags(current) & Qt::ItemIsEditable) || (column.kind != GridColumnKind::Result && !numeric))
        return true;
    grid_->edit(current);
    const auto editors = grid_->viewport()->findChildren<QLineEdit*>();
    if (!editors.isEmpty()) {
        QLineEdit* editor = editors.last();
        const QString text = ch == ',' ? QString(".") : typed;
        QKeyEvent forwarded(QEvent::KeyPress, key == Qt::Key_Comma ? Qt::Key_Period : key, event->modifiers(), text);
        QCoreApplication::sendEvent(editor, &forwarded);
    }
    return true;
}

bool TFormTab::eventFilter(QObject* watched, QEvent* event) {
    if (watched == grid_ && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Escape) return closeWindow(), true;
        if (key->key() == Qt::Key_F6) return ToolButton2Click(), true;
        return gridKey(key);
    }
    return QWidget::eventFilter(watched, event);
}

void TFormTab::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) closeWindow();
    else QWidget::keyPressEvent(event);
}

// Inside the frame the sub-window closes (and closes this window with it).
void TFormTab::closeWindow() {
    if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget())) sub->close();
    else close();
}

}  // namespace timesheet
