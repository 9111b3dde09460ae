#include "org/form_po_otd.h"

#include <QAction>
#include <QComboBox>
#include <QCloseEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPushButton>
#include <QTableWidget>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/window_placement.h"
#include "base/cp_literal.h"
#include "org/timesheet_total.h"
#include "org/unit_codes.h"
#include "org/unit_choice.h"
#include "ui/interface_font.h"
#include "ui/qt_text.h"

namespace org {

using namespace base::literals;

namespace {

QString u(const char* utf8) { return QString::fromUtf8(utf8); }

}  // namespace

TFormPoOtd::TFormPoOtd(OrgWindowEnv env, PoOtdRole role, std::string mode, QWidget* parent)
    : QWidget(parent), env_(std::move(env)), role_(role), mode_(std::move(mode)) {
    setObjectName("FormPoOtd");
    setAttribute(Qt::WA_DeleteOnClose);
    setFont(ui::interfaceFont(env_.ui.fontName, env_.ui.fontSize));
    kind_ = role_ == PoOtdRole::Groups || (role_ == PoOtdRole::Choice && showsGroupsFirst(mode_)) ? UnitKind::Group
                                                                                                : UnitKind::Department;
    setWindowTitle(u(role_ == PoOtdRole::Groups ? "ВЫБОР ГРУППЫ" : "ВЫБОР ОТДЕЛА"));
    buildControls();
    // Marks left by an earlier choice, of departments and of groups alike.
    if (auto st = clearAllMarks(env_.ctx); !st && env_.ctx.messages) env_.ctx.messages->soob(st.message());
    reload();
}

TFormPoOtd::~TFormPoOtd() = default;

void TFormPoOtd::buildControls() {
    auto* bar = new QToolBar(this);
    bar->setObjectName("ToolBar1");
    auto button = [&](const char* name, const char* hint, const char* text) {
        auto* b = new QToolButton(bar);
        b->setObjectName(name);
        b->setToolTip(u(hint));
        b->setText(u(text));
        b->setToolButtonStyle(Qt::ToolButtonTextOnly);
        bar->addWidget(b);
        return b;
    };
    const bool choice = role_ == PoOtdRole::Choice;
    const bool editing = !choice && !env_.settingsLocked;
    tb3_ = button("ToolButton3", "Вызвать списки по указанным отделам", "Выбрать");
    tb4_ = button("ToolButton4", "Отметить ", "Отметить");
    tb2_ = button("ToolButton2", "Отметить все ", "Отметить все");
    tb6_ = button("ToolButton6", "Редактировать", "Редактировать");
    tb7_ = button("ToolButton7", "Добавить", "Добавить");
    tb8_ = button("ToolButton8", "Удалить", "Удалить");
    for (QToolButton* b : {tb3_, tb4_, tb2_}) b->setVisible(choice);
    for (QToolButton* b : {tb6_, tb7_, tb8_}) b->setVisible(editing);
    // setVisible on a tool bar's widget hides the widget but not its action.
    for (QAction* a : bar->actions())
        if (QWidget* w = bar->widgetForAction(a)) a->setVisible(!w->isHidden());
    connect(tb3_, &QToolButton::clicked, this, &TFormPoOtd::ToolButton3Click);
    connect(tb4_, &QToolButton::clicked, this, &TFormPoOtd::ToolButton4Click);
    connect(tb2_, &QToolButton::clicked, this, &TFormPoOtd::ToolButton2Click);
    connect(tb6_, &QToolButton::clicked, this, &TFormPoOtd::ToolButton6Click);
    connect(tb7_, &QToolButton::clicked, this, &TFormPoOtd::ToolButton7Click);
    connect(tb8_, &QToolButton::clicked, this, &TFormPoOtd::ToolButton8Click);

    grid_ = new QTableWidget(this);
    grid_->setObjectName("DBGridPod");
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    grid_->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    grid_->verticalHeader()->hide();
    grid_->installEventFilter(this);
    connect(grid_, &QTableWidget::cellDoubleClicked, this, [this] { gridDoubleClick(); });

    popup_ = new QMenu(this);
    popup_->setObjectName("PopupMenu1");
    connect(popup_->addAction(u("Редактировать")), &QAction::triggered, this, &TFormPoOtd::ToolButton6Click);
    connect(popup_->addAction(u("Добавить")), &QAction::triggered, this, &TFormPoOtd::ToolButton7Click);
    connect(popup_->addAction(u("Удалить")), &QAction::triggered, this, &TFormPoOtd::ToolButton8Click);
    if (editing) {
        grid_->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(grid_, &QWidget::customContextMenuRequested, this,
                [this](const QPoint& at) { popup_->popup(grid_->viewport()->mapToGlobal(at)); });
    }

    panel_ = new QFrame(this);
    panel_->setObjectName("Panel1");
    panel_->setFrameShape(QFrame::StyledPanel);
    auto* pl = new QHBoxLayout(panel_);
    auto edit = [&](const char* name, int chars) {
        auto* e = new QLineEdit(panel_);
        e->setObjectName(name);
        if (chars) {
            e->setMaxLength(chars);
            e->setFixedWidth(fontMetrics().horizontalAdvance('0') * (chars + 3));
        }
        return e;
    };
    edit1_ = edit("Edit1", 0);
    edit2_ = edit("Edit2", 2);
    edit3_ = edit("Edit3", 2);
    bitBtn3_ = new QPushButton(u("...."), panel_);
    bitBtn3_->setObjectName("BitBtn3");
    combo_ = new QComboBox(panel_);
    combo_->setObjectName("ComboBox1");
    auto* cancel = new QPushButton(u("Отказ"), panel_);
    cancel->setObjectName("BitBtn1");
    auto* save = new QPushButton(u("Сохранить"), panel_);
    save->setObjectName("BitBtn2");
    auto* codeLabel = new QLabel(u("КОТ"), panel_);
    codeLabel->setObjectName("Label2");
    edit1_->setMinimumWidth(fontMetrics().horizontalAdvance('0') * 30);
    combo_->setMinimumWidth(fontMetrics().horizontalAdvance('0') * 20);
    pl->addWidget(edit1_, 1);
    pl->addWidget(codeLabel);
    pl->addWidget(edit2_);
    pl->addWidget(new QLabel(u("КГР"), panel_));
    pl->addWidget(edit3_);
    pl->addWidget(bitBtn3_);
    pl->addWidget(combo_);
    pl->addWidget(cancel);
    pl->addWidget(save);
    const bool departments = kind_ == UnitKind::Department;
    for (QWidget* w : std::initializer_list<QWidget*>{edit2_, codeLabel, bitBtn3_}) w->setVisible(departments);
    panel_->hide();
    connect(cancel, &QPushButton::clicked, this, &TFormPoOtd::BitBtn1Click);
    connect(save, &QPushButton::clicked, this, &TFormPoOtd::BitBtn2Click);
    connect(bitBtn3_, &QPushButton::clicked, this, [this] { combo_->showPopup(); });
    connect(combo_, &QComboBox::activated, this, [this] { ComboBox1Change(); });

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(bar);
    layout->addWidget(grid_, 1);
    layout->addWidget(panel_);
}

void TFormPoOtd::reload(int64_t keepRecNo) {
    auto units = loadUnits(env_.ctx, kind_);
    if (!units) {
        if (env_.ctx.messages) env_.ctx.messages->soob(units.status().message());
        shown_.clear();
    } else if (kind_ == UnitKind::Department) {
        shown_ = visibleDepartments(*units, env_.ctx.groupRestriction, choice_.groupCodes);
    } else {
        shown_ = std::move(*units);
    }
    const int previous = currentRow();
    fillGrid();
    int row = previous < 0 ? 0 : std::min(previous, int(shown_.size()) - 1);
    for (std::size_t i = 0; i < shown_.size(); ++i)
        if (keepRecNo && shown_[i].recNo == keepRecNo) row = int(i);
    if (!shown_.empty()) grid_->selectRow(row);
}

void TFormPoOtd::fillGrid() {
    const bool departments = kind_ == UnitKind::Department;
    grid_->clear();
    grid_->setColumnCount(departments ? 3 : 2);
    grid_->setHorizontalHeaderLabels(departments ? QStringList{u("Наименование отделов"), u("КОТ"), u("КГР")}
                                                 : QStringList{u("Наименование групп"), u("КГР")});
    grid_->setRowCount(int(shown_.size()));
    for (int r = 0; r < int(shown_.size()); ++r) {
        const Unit& unit = shown_[r];
        QStringList cells{ui::toQ(unit.name), ui::toQ(unit.code)};
        if (departments) cells << ui::toQ(unit.group);
        for (int c = 0; c < cells.size(); ++c) {
            auto* item = new QTableWidgetItem(cells[c]);
            if (unit.marked) item->setForeground(Qt::red);
            grid_->setItem(r, c, item);
        }
    }
    sizeColumns();
}

void TFormPoOtd::sizeColumns() {
    if (!grid_ || grid_->columnCount() == 0) return;
    // The name takes the grid's width less the code columns (4 x the font size each).
    QHeaderView* header = grid_->horizontalHeader();
    header->setSectionResizeMode(0, QHeaderView::Stretch);
    for (int c = 1; c < grid_->columnCount(); ++c) {
        header->setSectionResizeMode(c, QHeaderView::Fixed);
        grid_->setColumnWidth(c, std::max(4 * env_.ui.fontSize, header->fontMetrics().horizontalAdvance("0000")));
    }
}

int TFormPoOtd::currentRow() const {
    if (!grid_) return -1;
    const auto rows = grid_->selectionModel() ? grid_->selectionModel()->selectedRows() : QModelIndexList{};
    return rows.isEmpty() ? grid_->currentRow() : rows.first().row();
}

void TFormPoOtd::gridDoubleClick() {
    if (role_ == PoOtdRole::Choice) ToolButton3Click();
    else if (!env_.settingsLocked) ToolButton6Click();
}

void TFormPoOtd::ToolButton3Click() {
    if (role_ != PoOtdRole::Choice || shown_.empty()) return;
    const std::vector<Unit> chosen = chosenUnits(shown_, currentRow());
    if (kind_ == UnitKind::Group) {
        chooseGroups(choice_, chosen);
        setWindowTitle(ui::toQ(choice_.caption));
        mode_ = modeAfterGroups(mode_);
        kind_ = UnitKind::Department;
        reload();
        return;
    }
    chooseDepartments(choice_, chosen);
    if (opensCardFile(mode_)) {
        if (env_.openCardFile) env_.openCardFile(choice_, mode_);
    } else if (opensTimesheet(mode_)) {
        if (auto st = prepareTimesheetTotal(env_.timesheetPath, choice_.codes); !st) {
            if (env_.ctx.messages) env_.ctx.messages->soob(st.message());
            return;
        }
        if (env_.openTimesheet) env_.openTimesheet(choice_);
    }
}

void TFormPoOtd::ToolButton4Click() {
    const int row = currentRow();
    if (role_ != PoOtdRole::Choice || row < 0 || row >= int(shown_.size())) return;
    if (auto st = toggleMarks(env_.ctx, kind_, {shown_[row].recNo}); !st && env_.ctx.messages)
        env_.ctx.messages->soob(st.message());
    reload(shown_[row].recNo);
}

void TFormPoOtd::ToolButton2Click() {
    if (role_ != PoOtdRole::Choice) return;
    std::vector<int64_t> all;
    for (const Unit& unit : shown_) all.push_back(unit.recNo);
    if (auto st = toggleMarks(env_.ctx, kind_, all); !st && env_.ctx.messages) env_.ctx.messages->soob(st.message());
    reload();
}

void TFormPoOtd::fillGroupCombo() {
    combo_->clear();
    auto groups = loadUnits(env_.ctx, UnitKind::Group);
    if (!groups) return;
    for (const Unit& g : *groups) {
        if (!env_.ctx.groupRestriction.empty() && !codeInList(g.code, env_.ctx.groupRestriction)) continue;
        combo_->addItem(ui::toQ(g.name + "/" + g.code));
    }
    combo_->setCurrentIndex(-1);
}

void TFormPoOtd::ComboBox1Change() {
    const QString text = combo_->currentText();
    const int slash = text.lastIndexOf('/');
    if (slash >= 0) edit3_->setText(text.mid(slash + 1, 2));
}

void TFormPoOtd::ToolButton7Click() {
    if (role_ == PoOtdRole::Choice || env_.settingsLocked) return;
    auto units = loadUnits(env_.ctx, kind_);
    if (!units) {
        if (env_.ctx.messages) env_.ctx.messages->soob(units.status().message());
        return;
    }
    const std::string code = proposeCode(*units);
    if (code.empty()) {
        if (env_.ctx.messages) env_.ctx.messages->soob(" Все коды от 01 до 99 заняты "_cp, " Добавление невозможно "_cp);
        return;
    }
    editing_.reset();
    edit1_->clear();
    edit2_->clear();
    edit3_->clear();
    (kind_ == UnitKind::Department ? edit2_ : edit3_)->setText(ui::toQ(code));
    edit3_->setReadOnly(false);
    fillGroupCombo();
    combo_->setVisible(kind_ == UnitKind::Department);
    panel_->show();
    edit1_->setFocus();
}

void TFormPoOtd::ToolButton6Click() {
    const int row = currentRow();
    if (role_ == PoOtdRole::Choice || env_.settingsLocked || row < 0 || row >= int(shown_.size())) return;
    editing_ = shown_[row];
    edit1_->setText(ui::toQ(editing_->name));
    if (kind_ == UnitKind::Department) {
        edit2_->setText(ui::toQ(editing_->code));
        edit3_->setText(ui::toQ(editing_->group));
        edit3_->setReadOnly(false);
        fillGroupCombo();
        for (int i = 0; i < combo_->count(); ++i)
            if (combo_->itemText(i).endsWith("/" + ui::toQ(editing_->group))) combo_->setCurrentIndex(i);
    } else {
        edit3_->setText(ui::toQ(editing_->code));
        edit3_->setReadOnly(true);  // a group keeps its code
    }
    combo_->setVisible(kind_ == UnitKind::Department);
    panel_->show();
    edit1_->setFocus();
}

void TFormPoOtd::BitBtn1Click() {
    panel_->hide();
    editing_.reset();
    grid_->setFocus();
}

void TFormPoOtd::BitBtn2Click() {
    UnitEdit edit{editing_, ui::fromQ(edit1_->text()), {}, {}};
    if (kind_ == UnitKind::Department) {
        edit.code = ui::fromQ(edit2_->text());
        edit.group = ui::fromQ(edit3_->text());
    } else {
        edit.code = ui::fromQ(edit3_->text());
    }
    if (saveUnit(env_.ctx, kind_, edit) != SaveOutcome::Saved) return;  // the panel stays open
    const int64_t recNo = editing_ ? editing_->recNo : 0;
    panel_->hide();
    editing_.reset();
    reload(recNo);
    if (!recNo && !shown_.empty()) grid_->selectRow(int(shown_.size()) - 1);
    grid_->setFocus();
}

void TFormPoOtd::ToolButton8Click() {
    const int row = currentRow();
    if (role_ == PoOtdRole::Choice || env_.settingsLocked || row < 0 || row >= int(shown_.size())) return;
    if (env_.confirmDelete && !env_.confirmDelete()) return;
    if (deleteUnit(env_.ctx, kind_, shown_[row])) reload();
}

void TFormPoOtd::FormActivate() {
    if (!env_.commands) return;
    // The frame's editing commands act as the tool buttons while the lists may be edited.
    if (role_ != PoOtdRole::Choice && !env_.settingsLocked) {
        if (env_.commands->take(app::Cmd::Add)) ToolButton7Click();
        if (env_.commands->take(app::Cmd::Edit)) ToolButton6Click();
        if (env_.commands->take(app::Cmd::Delete)) ToolButton8Click();
    }
    if (!env_.commands->take(app::Cmd::RememberWindow)) return;
    QWidget* frameWindow = qobject_cast<QMdiSubWindow*>(parentWidget()) ? parentWidget() : this;
    const QRect g = frameWindow->geometry();
    app::savePlacement(env_.ui.workFolder, "FormPoOtd", {g.top(), g.left(), g.height(), g.width()});
}

void TFormPoOtd::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        if (panel_->isVisible()) BitBtn1Click();
        else if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget())) sub->close();
        else close();
        return;
    }
    QWidget::keyPressEvent(event);
}

bool TFormPoOtd::eventFilter(QObject* watched, QEvent* event) {
    if (watched == grid_ && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            gridDoubleClick();
            return true;
        }
        if (key->key() == Qt::Key_Escape) {
            keyPressEvent(key);
            return true;
        }
        if (!key->text().isEmpty() && key->text()[0].isPrint()) return true;  // typed keys are ignored
    }
    return QWidget::eventFilter(watched, event);
}

void TFormPoOtd::closeEvent(QCloseEvent* event) {
    if (env_.onSelectorClosed) env_.onSelectorClosed();
    env_.onSelectorClosed = nullptr;
    QWidget::closeEvent(event);
}

}  // namespace org
