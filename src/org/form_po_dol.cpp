#include "org/form_po_dol.h"

#include <QDialog>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMdiSubWindow>
#include <QTableWidget>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/window_placement.h"
#include "base/cp_literal.h"
#include "org/colour_names.h"
#include "ui/interface_font.h"
#include "ui/qt_text.h"

namespace org {

using namespace base::literals;

namespace {

QString u(const char* utf8) { return QString::fromUtf8(utf8); }

struct Column {
    const char* title;
    int width;
    bool number;
};
// In the order of kPositionColumns.
const Column kColumns[] = {{"Должность", 353, false}, {"Оклад", 90, true}, {"Разряд", 65, true}, {"Класс", 50, false},
                           {"Кат", 40, false},        {"Штат", 48, true}, {"СВШ", 40, true},     {"КД", 40, false}};

}  // namespace

TFormPoDol::TFormPoDol(OrgWindowEnv env, std::optional<std::string> chooserCode, QWidget* parent)
    : QWidget(parent), env_(std::move(env)), chooser_(chooserCode.has_value()) {
    setObjectName("FormPoDol");
    setWindowTitle(u(" Штатное расписание "));
    setFont(ui::interfaceFont(env_.ui.fontName, env_.ui.fontSize));
    if (!chooser_) setAttribute(Qt::WA_DeleteOnClose);

    toolBar_ = new QToolBar(this);
    toolBar_->setObjectName("ToolBar1");
    auto button = [&](const char* name, const char* hint, Qt::ArrowType arrow) {
        auto* b = new QToolButton(toolBar_);
        b->setObjectName(name);
        b->setToolTip(u(hint));
        b->setArrowType(arrow);
        toolBar_->addWidget(b);
        return b;
    };
    connect(button("ToolButton5", "Передвинуть на одну строку вниз", Qt::DownArrow), &QToolButton::clicked, this,
            &TFormPoDol::ToolButton5Click);
    connect(button("ToolButton3", "Передвинуть на одну строку вверх", Qt::UpArrow), &QToolButton::clicked, this,
            &TFormPoDol::ToolButton3Click);
    toolBar_->setVisible(!chooser_);

    grid_ = new QTableWidget(this);
    grid_->setObjectName("DBGridDol");
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    grid_->verticalHeader()->hide();
    grid_->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    grid_->setColumnCount(int(std::size(kColumns)));
    QStringList titles;
    for (const Column& c : kColumns) titles << u(c.title);
    grid_->setHorizontalHeaderLabels(titles);
    for (int c = 0; c < int(std::size(kColumns)); ++c) grid_->setColumnWidth(c, kColumns[c].width);
    grid_->installEventFilter(this);
    connect(grid_, &QTableWidget::cellDoubleClicked, this, &TFormPoDol::DBGridDolDblClick);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(toolBar_);
    layout->addWidget(grid_, 1);

    reload(0);
    if (chooser_) {
        const int row = findPosition(rows_, *chooserCode);
        if (row >= 0) grid_->selectRow(row);
    }
}

TFormPoDol::~TFormPoDol() = default;

std::optional<std::string> TFormPoDol::ChoosePosition(const OrgWindowEnv& env, const std::string& currentCode,
                                                      QWidget* parent) {
    QDialog dialog(parent);
    dialog.setObjectName("FormPoDolChooser");
    dialog.setWindowTitle(u(" Штатное расписание "));
    auto* form = new TFormPoDol(env, currentCode, &dialog);
    auto* layout = new QVBoxLayout(&dialog);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(form);
    dialog.resize(std::min(env.clientWidth - 10, 760), std::max(300, env.clientHeight - 10));
    QObject::connect(form, &TFormPoDol::positionChosen, &dialog, &QDialog::accept);
    dialog.exec();
    return form->chosen();
}

int64_t TFormPoDol::currentRecNo() const {
    const int row = grid_->currentRow();
    return row >= 0 && row < int(rows_.size()) ? rows_[row].recNo : 0;
}

void TFormPoDol::reload(int64_t keepRecNo) {
    const int previous = grid_->currentRow();
    auto rows = loadPositions(env_.ctx);
    if (!rows) report(rows.status());
    rows_ = rows ? std::move(*rows) : std::vector<PositionRow>{};
    grid_->setRowCount(int(rows_.size()));
    for (int r = 0; r < int(rows_.size()); ++r) {
        const PositionRow& row = rows_[r];
        const bool coloured = row.color.find_first_not_of(' ') != std::string::npos;
        const uint32_t rgb = coloured ? colourOfName(row.color) : 0;
        for (int c = 0; c < int(std::size(kColumns)); ++c) {
            auto* item = new QTableWidgetItem(ui::toQ(row.cells[c]));
            if (kColumns[c].number) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            if (coloured) item->setForeground(QColor(QRgb(rgb)));
            grid_->setItem(r, c, item);
        }
    }
    if (rows_.empty()) return;
    int row = std::clamp(previous, 0, int(rows_.size()) - 1);
    for (int r = 0; r < int(rows_.size()); ++r)
        if (keepRecNo && rows_[r].recNo == keepRecNo) row = r;
    grid_->selectRow(row);
}

void TFormPoDol::report(const base::Status& st) {
    if (!st && env_.ctx.messages) env_.ctx.messages->soob(st.message());
}

void TFormPoDol::BitBtnDolInsClick() {
    auto added = addPosition(env_.ctx);
    if (!added) return report(added.status());
    reload(*added);
    BitBtnDolEditClick();
}

void TFormPoDol::BitBtnDolCopyClick() {
    if (rows_.empty()) return;
    auto copy = copyPosition(env_.ctx, currentRecNo());
    if (!copy) return report(copy.status());
    reload(*copy);
}

void TFormPoDol::BitBtnDolEditClick() {
    const int64_t recNo = currentRecNo();
    if (!recNo) return;
    editPosition(env_.ctx, recNo, env_.openForm);
    reload(recNo);
}

void TFormPoDol::BitBtnDolDelClick() {
    if (rows_.empty()) return;
    if (deletePosition(env_.ctx, currentRecNo(), env_.confirmDelete)) reload(0);
}

void TFormPoDol::move(bool down) {
    const int64_t recNo = currentRecNo();
    if (!recNo) return;
    auto moved = movePosition(env_.ctx, recNo, down);
    if (!moved) return report(moved.status());
    reload(*moved);
}

void TFormPoDol::ToolButton5Click() { move(true); }
void TFormPoDol::ToolButton3Click() { move(false); }

void TFormPoDol::DBGridDolDblClick() {
    if (!chooser_) return BitBtnDolEditClick();
    const int row = grid_->currentRow();
    if (row < 0 || row >= int(rows_.size())) return;
    chosen_ = rows_[row].code();
    emit positionChosen();
}

void TFormPoDol::FormActivate() {
    if (chooser_ || !env_.commands) return;
    app::CommandDispatcher& cmd = *env_.commands;
    if (cmd.take(app::Cmd::Add)) BitBtnDolInsClick();
    if (cmd.take(app::Cmd::Edit)) BitBtnDolEditClick();
    if (cmd.take(app::Cmd::Delete)) BitBtnDolDelClick();
    if (cmd.take(app::Cmd::Copy)) BitBtnDolCopyClick();
    if (cmd.flag(app::Cmd::Print)) {
        cmd.setFlag(app::Cmd::Print, 0);
        cmd.setFlag(app::Cmd::Excel, 0);
        if (env_.printPositions) env_.printPositions();
        else if (env_.ctx.messages) env_.ctx.messages->soob(" Печать пока недоступна "_cp);
        reload(currentRecNo());
    }
    if (cmd.take(app::Cmd::RememberWindow)) {
        QWidget* frameWindow = qobject_cast<QMdiSubWindow*>(parentWidget()) ? parentWidget() : this;
        const QRect g = frameWindow->geometry();
        app::savePlacement(env_.ui.workFolder, "FormPoDol", {g.top(), g.left(), g.height(), g.width()});
    }
}

void TFormPoDol::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget())) sub->close();
        else if (auto* dialog = qobject_cast<QDialog*>(window())) dialog->reject();
        else close();
        return;
    }
    QWidget::keyPressEvent(event);
}

bool TFormPoDol::eventFilter(QObject* watched, QEvent* event) {
    if (watched == grid_ && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Escape) {
            keyPressEvent(key);
            return true;
        }
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            DBGridDolDblClick();
            return true;
        }
        if (!key->text().isEmpty() && key->text()[0].isPrint()) return true;  // typed keys are ignored
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace org
