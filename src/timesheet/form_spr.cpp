#include "timesheet/form_spr.h"

#include <QCloseEvent>
#include <QDateEdit>
#include <QGridLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include "base/cp_literal.h"
#include "db/table_ops.h"
#include "timesheet/folder_inputs.h"
#include "timesheet/monthly_norms.h"
#include "timesheet/text_util.h"
#include "ui/qt_text.h"

namespace timesheet {
namespace {

std::string twoDigits(int n) { return (n < 10 ? "0" : "") + std::to_string(n); }

}  // namespace

TFormSpr::TFormSpr(const TimesheetEnv& env, ReferenceMode mode, QWidget* parent)
    : QWidget(parent), env_(env), mode_(mode), model_(referenceColumns(mode), mode != ReferenceMode::Holidays, this) {
    setObjectName("TFormSpr");
    setWindowTitle(ui::toQ(referenceCaption(mode)));
    QFont font = env_.font;
    if (mode != ReferenceMode::Holidays) font.setPointSize(8);
    setFont(font);
    grid_ = new QTableView(this);
    grid_->setObjectName("DBGridSpr");
    grid_->setModel(&model_);
    grid_->verticalHeader()->hide();
    grid_->horizontalHeader()->setMinimumSectionSize(6);
    // The designed widths are narrow: marks are shown whole, not elided.
    grid_->setTextElideMode(Qt::ElideNone);
    grid_->setStyleSheet("QTableView::item { padding: 0px; }");
    grid_->verticalHeader()->setDefaultSectionSize(QFontMetrics(font).height() + 4);
    grid_->setEditTriggers(mode == ReferenceMode::Holidays
                               ? QAbstractItemView::NoEditTriggers
                               : QAbstractItemView::AnyKeyPressed | QAbstractItemView::EditKeyPressed |
                                     QAbstractItemView::SelectedClicked);
    grid_->installEventFilter(this);
    for (int c = 0; c < int(model_.columns().size()); ++c) grid_->setColumnWidth(c, model_.columns()[c].width);
    connect(grid_, &QTableView::doubleClicked, this, &TFormSpr::GridDblClick);

    auto* menu = new QMenu(this);
    menu->setObjectName("PopupMenu1");
    QAction* edit = menu->addAction(QString::fromUtf8("Редактировать"), QKeySequence("Ctrl+R"), this, &TFormSpr::EditRow);
    edit->setEnabled(mode == ReferenceMode::Holidays);
    menu->addAction(QString::fromUtf8("Удалить"), QKeySequence("Ctrl+X"), this, &TFormSpr::DeleteRow);
    menu->addAction(QString::fromUtf8("Добавить"), QKeySequence("Ctrl+V"), this, &TFormSpr::Add);
    menu->addAction(QString::fromUtf8("Копировать"), QKeySequence("Ctrl+C"), this, &TFormSpr::CopyRow);
    addActions(menu->actions());
    for (QAction* a : menu->actions()) a->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    grid_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(grid_, &QWidget::customContextMenuRequested, this,
            [this, menu](const QPoint& p) { menu->popup(grid_->viewport()->mapToGlobal(p)); });

    // The holiday panel over the grid.
    panel_ = new QWidget(this);
    panel_->setObjectName("PanelPraz");
    panel_->setAutoFillBackground(true);
    date_ = new QDateEdit(panel_);
    date_->setObjectName("DateTimePicker1");
    date_->setDisplayFormat("dd.MM.yyyy");
    date_->setCalendarPopup(true);
    name_ = new QLineEdit(panel_);
    name_->setObjectName("Edit15");
    name_->setMaxLength(25);
    auto* save = new QPushButton(QString::fromUtf8("Сохранить"), panel_);
    save->setObjectName("BitBtn9");
    auto* cancel = new QPushButton(QString::fromUtf8("Отказ"), panel_);
    cancel->setObjectName("BitBtn10");
    auto* panelLayout = new QGridLayout(panel_);
    panelLayout->addWidget(date_, 0, 0);
    panelLayout->addWidget(name_, 0, 1, 1, 2);
    panelLayout->addWidget(save, 1, 1);
    panelLayout->addWidget(cancel, 1, 2);
    panel_->hide();
    date_->installEventFilter(this);
    connect(name_, &QLineEdit::returnPressed, save, [save] { save->setFocus(); });
    connect(save, &QPushButton::clicked, this, &TFormSpr::BitBtn9Click);
    connect(cancel, &QPushButton::clicked, this, &TFormSpr::BitBtn10Click);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(panel_);
    layout->addWidget(grid_);
    resize(mode == ReferenceMode::Holidays ? 345 : 793, 400);
}

TFormSpr::~TFormSpr() {
    if (!closed_) model_.close();
}

void TFormSpr::report(const base::Status& s) {
    if (!s && env_.messages) env_.messages->box(s.message());
}

bool TFormSpr::FormCreate() {
    if (const base::Status s = model_.open(path()); !s) return report(s), false;
    if (model_.rowCount() > 0) setCurrent(mode_ == ReferenceMode::Holidays ? model_.rowCount() - 1 : 0, 0);
    return true;
}

void TFormSpr::setCurrent(int row, int column) { grid_->setCurrentIndex(model_.index(row, column)); }

void TFormSpr::FormActivate() {
    if (!env_.commands) return;
    app::CommandDispatcher& c = *env_.commands;
    if (c.take(app::Cmd::Add)) Add();
    if (c.take(app::Cmd::Edit) && mode_ != ReferenceMode::Calendars) EditRow();
    if (c.take(app::Cmd::Delete)) DeleteRow();
    if (c.take(app::Cmd::Copy)) CopyRow();
    if (c.take(app::Cmd::Index)) Rass();
    (void)c.take(app::Cmd::Print);  // the print settings window is not there yet
}

void TFormSpr::Add() {
    if (mode_ == ReferenceMode::Holidays) {
        name_->clear();
        date_->setDate(QDate(env_.today.year(), env_.today.month(), env_.today.day()));
        panelAdds_ = true;
        panel_->show();
        date_->setFocus();
        return;
    }
    db::Table* t = model_.table();
    base::Status s = t->append();
    // A new calendar is numbered by its record number at once.
    if (s && mode_ == ReferenceMode::Calendars && t->fieldIndex("NOM") >= 0)
        s = t->setNumber(t->fieldIndex("NOM"), double(t->recNo() > 0 ? t->recNo() : t->physicalCount() + 1));
    if (s) s = t->post();
    if (!s) t->cancel();
    report(s);
    model_.reload();
    setCurrent(model_.rowCount() - 1, 0);
}

void TFormSpr::EditRow() {
    if (mode_ != ReferenceMode::Holidays) return;
    const int row = grid_->currentIndex().row();
    if (!model_.goTo(row)) return;
    db::Table* t = model_.table();
    const base::Date d = t->date(t->fieldIndex("DATA"));
    date_->setDate(d.isEmpty() ? QDate::currentDate() : QDate(d.year(), d.month(), d.day()));
    name_->setText(ui::toQ(std::string(trimmed(t->text("NAME_P")))));
    panelAdds_ = false;
    panel_->show();
    date_->setFocus();
}

void TFormSpr::BitBtn9Click() {
    db::Table* t = model_.table();
    const int row = grid_->currentIndex().row();
    base::Status s = panelAdds_ ? t->append() : (model_.goTo(row) ? t->edit() : base::Status::notFound("row"));
    const QDate q = date_->date();
    if (s) s = t->setText(t->fieldIndex("NAME_P"), ui::fromQ(name_->text()));
    if (s) s = t->setDate(t->fieldIndex("DATA"), base::Date::fromYmd(q.year(), q.month(), q.day()));
    if (s) s = t->post();
    if (!s) t->cancel();
    report(s);
    panel_->hide();
    model_.reload();
    setCurrent(panelAdds_ ? model_.rowCount() - 1 : std::max(0, row), 0);
    grid_->setFocus();
}

void TFormSpr::BitBtn10Click() {
    panel_->hide();
    grid_->setFocus();
}

void TFormSpr::DeleteRow() {
    const int row = grid_->currentIndex().row();
    if (model_.rowCount() == 0 || !model_.goTo(row)) return;
    if (!env_.confirmDelete || !env_.confirmDelete()) return;
    model_.goTo(row);
    report(model_.table()->deleteRecord());
    model_.reload();
    if (model_.rowCount() > 0) setCurrent(std::min(row, model_.rowCount() - 1), 0);
}

void TFormSpr::CopyRow() {
    const int row = grid_->currentIndex().row();
    if (!model_.goTo(row)) return;
    db::Table* t = model_.table();
    std::vector<std::string> values;
    for (int f = 0; f < int(t->fields().size()); ++f) values.push_back(t->text(f));
    base::Status s = t->append();
    for (int f = 0; s && f < int(values.size()); ++f)
        if (!values[f].empty()) s = t->setText(f, values[f]);
    // Posted at once: nothing depends on leaving the row.
    if (s) s = t->post();
    if (!s) t->cancel();
    report(s);
    model_.reload();
    setCurrent(model_.rowCount() - 1, 0);
}

void TFormSpr::GridDblClick(const QModelIndex& index) {
    if (mode_ == ReferenceMode::Holidays) return EditRow();
    if (mode_ != ReferenceMode::Calendars || !index.isValid()) return;
    const std::string field = model_.columns()[index.column()].field;
    if (field == "praz") report(model_.store(index.row(), index.column(), "*"));
    else if (field.size() == 3 && field[0] == 'd') report(model_.store(index.row(), index.column(), "В#"_cp));  // Cyrillic
}

void TFormSpr::Rass() {
    if (mode_ != ReferenceMode::Durations) return;
    const int row = grid_->currentIndex().row();
    if (!model_.goTo(row)) return;
    db::Table* t = model_.table();
    const auto year = wholeNumber(t->text("DYEAR")), week = wholeNumber(t->text("DWEE")), hours = wholeNumber(t->text("DLIT"));
    if (!year || !week || !hours) return;
    // The holidays of the data folder, not a working copy that may be stale.
    auto holidays = readHolidaysBetween(env_.dataFolder, base::Date::fromYmd(*year, 1, 1), base::Date::fromYmd(*year + 1, 1, 1));
    if (!holidays) return report(holidays.status());
    const auto norms = monthlyNorms(*year, *week, *hours, holidays.value());
    model_.goTo(row);
    base::Status s = t->edit();
    for (int m = 1; s && m <= 12; ++m) {
        const int d = t->fieldIndex("D" + twoDigits(m)), h = t->fieldIndex("H" + twoDigits(m));
        if (d >= 0) s = t->setText(d, std::to_string(norms[m - 1].days));
        if (s && h >= 0) s = t->setText(h, std::to_string(norms[m - 1].hours));
    }
    if (s) s = t->post();
    if (!s) t->cancel();
    report(s);
    model_.reload();
    setCurrent(row, 0);
}

bool TFormSpr::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        if (watched == date_ && enter) return name_->setFocus(), true;
        if (watched == grid_ && key->key() == Qt::Key_Escape) return closeWindow(), true;
        // The holiday grid is read-only and swallows typed keys except Enter.
        if (watched == grid_ && mode_ == ReferenceMode::Holidays && !key->text().isEmpty() && !enter &&
            key->text().at(0).isPrint())
            return true;
    }
    return QWidget::eventFilter(watched, event);
}

void TFormSpr::closeEvent(QCloseEvent* event) {
    if (!closed_) {
        closed_ = true;
        model_.close();
        // The holidays stay in date order, whichever table was shown.
        if (db::tableExists(env_.dataFolder + "PRAZ.DBF")) report(db::sortTable(env_.dataFolder + "PRAZ.DBF", "DATA"));
        if (onClosed) onClosed();
    }
    QWidget::closeEvent(event);
}

// Inside the frame the sub-window closes (and closes this window with it).
void TFormSpr::closeWindow() {
    if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget())) sub->close();
    else close();
}

}  // namespace timesheet
