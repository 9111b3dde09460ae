#include "records/dann_form.h"

#include <QCloseEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPixmap>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include "app/bootstrap.h"
#include "base/case_tables.h"
#include "base/cp_literal.h"
#include "base/path_resolver.h"
#include "records/assignments.h"
#include "records/card_tables.h"
#include "records/form_dialogs.h"
#include "records/form_kart.h"
#include "records/working_copy.h"
#include "ui/qt_text.h"
#include "base/text_trim.h"

namespace records {

namespace {
QString u(const char* utf8) { return QString::fromUtf8(utf8); }
}  // namespace

TDannForm::TDannForm(RecordsEnv& env, CardListView view, QWidget* parent)
    : QWidget(parent), env_(env), view_(std::move(view)), model_(std::make_unique<CardListModel>()) {
    setObjectName("DannForm");
    setAttribute(Qt::WA_DeleteOnClose);
    state_.view = view_.view;
    state_.deptCode = view_.deptCode;
    state_.groupCode = view_.groupCode;
    state_.deptNames = view_.deptNames;
    FormCreate();
}

TDannForm::~TDannForm() = default;

void TDannForm::FormCreate() {
    setFont(env_.font);
    auto* lay = new QHBoxLayout(this);
    lay->setContentsMargins(0, 0, 0, 0);
    panel_ = new QWidget(this);
    panel_->setObjectName("Panel1");
    auto* pl = new QVBoxLayout(panel_);
    pl->setContentsMargins(2, 2, 2, 2);
    photo_ = new QLabel(panel_);
    photo_->setObjectName("Image1");
    photo_->setAlignment(Qt::AlignCenter);
    photo_->setFrameShape(QFrame::Box);
    pl->addWidget(photo_);
    pl->addSpacing(7);
    const std::pair<const char*, const char*> captions[] = {
        {"BitBtn1", "Редактировать"}, {"BitBtn2", "Удалить"}, {"BitBtn3", "Добавить"},
        {"BitBtn4", "Продолжить поиск Shift+F7"}, {"BitBtn5", "Фильтр  F6"}, {"BitBtn6", "Индексы"},
        {"BitBtn7", "Копировать"}};
    void (TDannForm::*handlers[])() = {&TDannForm::BitBtn1Click, &TDannForm::BitBtn2Click, &TDannForm::BitBtn3Click,
                                       &TDannForm::BitBtn4Click, &TDannForm::BitBtn5Click, &TDannForm::BitBtn6Click,
                                       &TDannForm::BitBtn7Click};
    for (int i = 0; i < 7; ++i) {
        auto* b = new QPushButton(u(captions[i].second), panel_);
        b->setObjectName(captions[i].first);
        connect(b, &QPushButton::clicked, this, handlers[i]);
        pl->addWidget(b);
        buttons_.push_back(b);
    }
    pl->addStretch();
    lay->addWidget(panel_);

    grid_ = new QTableView(this);
    grid_->setObjectName("DBGridDann");
    grid_->setModel(model_.get());
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    grid_->horizontalHeader()->setSectionsMovable(true);
    grid_->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    grid_->verticalHeader()->hide();
    grid_->installEventFilter(this);
    grid_->setContextMenuPolicy(Qt::CustomContextMenu);
    lay->addWidget(grid_, 1);
    connect(grid_, &QTableView::doubleClicked, this, [this] { BitBtn1Click(); });
    connect(grid_->selectionModel(), &QItemSelectionModel::currentRowChanged, this, [this] {
        if (!reopening_) RecordChange();
    });
    connect(grid_->selectionModel(), &QItemSelectionModel::currentColumnChanged, this, [this] {
        search_.clear();
        model_->prepareSearch(currentField());
        if (exact_.empty() && dialogFilter_.empty() && env_.setSearchLabel) env_.setSearchLabel(QString(5, ' '));
    });

    popup_ = new QMenu(this);
    popup_->setObjectName("PopupMenu1");
    auto item = [&](const char* name, const char* caption, const QKeySequence& keys, void (TDannForm::*h)()) {
        QAction* a = popup_->addAction(u(caption));
        a->setObjectName(name);
        a->setShortcut(keys);
        connect(a, &QAction::triggered, this, h);
        return a;
    };
    item("N1", "Карточка", QKeySequence(Qt::CTRL | Qt::Key_R), &TDannForm::BitBtn1Click);
    item("N2", "Удалить", QKeySequence(Qt::CTRL | Qt::Key_X), &TDannForm::BitBtn2Click);
    item("N3", "Добавить", QKeySequence(Qt::Key_Insert), &TDannForm::BitBtn3Click);
    item("N4", "Продолжить поиск", QKeySequence(Qt::Key_F3), &TDannForm::BitBtn4Click);
    item("N5", "Фильтр", QKeySequence(Qt::Key_F6), &TDannForm::BitBtn5Click);
    item("N6", "Индексировать", {}, &TDannForm::BitBtn6Click);
    item("N7", "Копировать", {}, &TDannForm::BitBtn7Click);
    connect(grid_, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& p) { popup_->exec(grid_->viewport()->mapToGlobal(p)); });

    if (env_.commands) env_.commands->clearAll();
    if (env_.setSearchLabel) env_.setSearchLabel(QString(5, ' '));
    // The working copy of the dictionary, then the columns.
    app::CopBas({env_.ctx.workFolder, env_.ctx.dataFolder}, "DANN_SK.DBF", *env_.ctx.messages);
    auto d = app::loadDictionary(env_.ctx.work("DANN_SK.DBF"));
    if (!d) d = app::loadDictionary(env_.ctx.data("DANN_SK.DBF"));
    if (d) dict_ = std::move(*d);
    model_->setColumns(app::gridColumns(dict_, env_.ctx.language));
    // The department view opens ordered by FIO; a sort chosen later applies.
    sortField_ = view_.view == "kao" ? std::string("FIO") : env_.sortField;
}

void TDannForm::resizeEvent(QResizeEvent* event) {
    const int fs = std::max(1, font().pointSize());
    const int w = height() / 4 + 2 * fs;
    panel_->setFixedWidth(w);
    photo_->setFixedSize(w - 4, w + fs);
    for (auto* b : buttons_) b->setFixedWidth(w - fs);
    QWidget::resizeEvent(event);
}

void TDannForm::openList(int64_t goToCode) {
    // A stored sort field that DANN.DBF lacks falls back to FIO.
    if (auto probe = db::Table::open(env_.ctx.data("DANN.DBF")); probe)
        sortField_ = sortFieldFor(sortField_, (*probe)->fields());
    const std::string order = sortField_;
    reopening_ = true;
    auto st = model_->open(env_.ctx.data("DANN.DBF"), listFilter(view_, exact_, dialogFilter_), order);
    if (!st && env_.ctx.messages) env_.ctx.messages->soob(st.message());
    for (int c = 0; c < int(model_->columns().size()); ++c) grid_->setColumnWidth(c, model_->columns()[c].width);
    int row = goToCode ? model_->rowOfCode(goToCode) : 0;
    if (row < 0) row = 0;
    setCurrentRow(model_->rowCount() ? row : -1);
    reopening_ = false;
    RecordChange();
    updateEnabled();
}

void TDannForm::FormActivate() {
    if (!opened_) {
        openList(0);
        opened_ = true;
        savedCaption_ = listCaption(view_, model_->rowCount());
        setWindowTitle(ui::toQ(savedCaption_));
        RecordChange();
        layoutAtOpening_ = currentLayout();
    }
    if (!env_.commands) return;
    auto& c = *env_.commands;
    using app::Cmd;
    if (c.flag(Cmd::CancelFilter)) CancelFilter();
    if (c.flag(Cmd::ExactFilter)) BitBtn5Click();
    if (c.take(Cmd::Index)) BitBtn6Click();
    if (c.flag(Cmd::Edit)) {
        c.setFlag(Cmd::Edit, 0);
        BitBtn1Click();
    }
    if (c.flag(Cmd::Delete)) {
        c.setFlag(Cmd::Delete, 0);
        BitBtn2Click();
    }
    if (c.take(Cmd::Add)) BitBtn3Click();
    if (c.flag(Cmd::Copy)) {
        c.setFlag(Cmd::Copy, 0);
        BitBtn7Click();
    }
    for (Cmd f : {Cmd::Delete, Cmd::Copy, Cmd::Edit, Cmd::Filter, Cmd::ExactFilter, Cmd::CancelFilter}) c.setFlag(f, 0);
    if (c.take(Cmd::FindNext) && !search_.empty()) BitBtn4Click();
    if (c.flag(Cmd::Print) || c.flag(Cmd::Excel)) {
        const bool excel = c.flag(Cmd::Excel);
        c.setFlag(Cmd::Print, 0);
        c.setFlag(Cmd::Excel, 0);
        PrintList(excel);
    }
}

int TDannForm::currentRow() const { return grid_->currentIndex().isValid() ? grid_->currentIndex().row() : -1; }

void TDannForm::setCurrentRow(int row) {
    if (row < 0 || row >= model_->rowCount()) return;
    const int col = std::max(0, grid_->currentIndex().column());
    grid_->setCurrentIndex(model_->index(row, col));
}

void TDannForm::RecordChange() {
    const int row = currentRow();
    if (row < 0) {
        currentCode_ = 0;
        photo_->clear();
        return;
    }
    currentCode_ = model_->code(row);
    const std::string caption = windowTitle().isEmpty() ? savedCaption_ : ui::fromQ(windowTitle());
    setWindowTitle(ui::toQ(recordCaption(caption, model_->text(row, "LK"), model_->text(row, "FIO"))));
    QPixmap pic(QString::fromStdString(base::resolvePath(photoPath(env_.ctx.dataFolder, model_->text(row, "FOTO")))));
    if (pic.isNull()) photo_->clear();
    else photo_->setPixmap(pic.scaled(photo_->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
    ensureAssignmentRow(env_.ctx, dict_, currentCode_, state_.hiring);
}

void TDannForm::updateEnabled() {
    const bool empty = model_->rowCount() == 0;
    const bool archive = view_.view == "arx";
    for (int i : {0, 1, 3, 4, 5}) buttons_[i]->setEnabled(!empty);
    buttons_[2]->setEnabled(!archive);
    buttons_[6]->setEnabled(!archive && !empty);
    const auto actions = popup_->actions();
    for (int i : {0, 1, 3, 4, 5}) actions[i]->setEnabled(!empty);
    actions[2]->setEnabled(!archive);
    actions[6]->setEnabled(!archive && !empty);
}

std::string TDannForm::currentField() const {
    const int col = grid_->currentIndex().column();
    if (col < 0 || col >= int(model_->columns().size())) return {};
    return model_->columns()[col].field;
}

bool TDannForm::searchFromStart() const { return env_.commands ? env_.commands->searchFromStart : env_.searchFromStart; }

void TDannForm::SearchChar(char c) {
    const std::string field = currentField();
    if (field.empty()) return;
    const int remembered = currentRow();
    auto fail = [&](bool continued) {
        setCurrentRow(remembered);
        if (env_.ctx.messages) env_.ctx.messages->box(notFoundText(search_, continued));
        search_.clear();
        if (env_.setSearchLabel) env_.setSearchLabel(QString(5, ' '));
    };
    if (search_.size() >= kMaxSearchText) return fail(false);
    search_ = base::upperAnsi(search_ + c);
    if (env_.setSearchLabel) env_.setSearchLabel(QString(5, ' ') + ui::toQ(search_));
    auto found = model_->find(std::max(remembered, 0), field, search_, searchFromStart());
    if (!found) return fail(false);
    setCurrentRow(int(*found));
}

void TDannForm::BitBtn4Click() {
    if (search_.empty() || model_->rowCount() == 0) return;
    const std::string field = currentField();
    const int remembered = currentRow();
    auto found = model_->find(remembered + 1, field, search_, searchFromStart());
    if (!found) {
        setCurrentRow(remembered);
        if (env_.ctx.messages) env_.ctx.messages->box(notFoundText(search_, true));
        search_.clear();
        return;
    }
    setCurrentRow(int(*found));
}

void TDannForm::BitBtn5Click() {
    const int row = currentRow();
    const std::string field = currentField();
    if (row < 0 || field.empty()) return;
    const int i = model_->table()->fieldIndex(field);
    const auto cond = exactCondition(model_->fields()[i], model_->text(row, field));
    if (!cond) {
        if (env_.ctx.messages) env_.ctx.messages->box(" Значение нельзя использовать в фильтре "_cp);
        return;
    }
    exact_ = addCondition(exact_, *cond);
    const int64_t code = currentCode_;
    openList(code);
    const std::string head = savedCaption_.substr(0, std::min(savedCaption_.size(), savedCaption_.find('-') + 2));
    setWindowTitle(ui::toQ(head + std::to_string(model_->rowCount()) + " чел."_cp + " Фильтр "_cp + exact_));
    if (env_.setSearchLabel) env_.setSearchLabel(ui::toQ(" and " + *cond));
}

void TDannForm::PrintList(bool excel) {
    if (!model_->table()) return;
    if (auto st = buildPrintTable(env_.ctx, dict_, *model_->table()); !st) {
        env_.ctx.messages->soob(st.message());
        return;
    }
    // The title: the caption up to its "Т№" part.
    std::string title = ui::fromQ(windowTitle());
    if (const auto at = title.find("Т№"_cp); at != std::string::npos) title = base::trimBlanks(title.substr(0, at));
    if (env_.print) env_.print(printColumns(dict_), title, excel);
}

void TDannForm::SetDialogFilter(const std::string& expression, const std::string& readable) {
    dialogFilter_ = expression;
    dialogText_ = readable;
    openList(currentCode_);
    const std::string head = savedCaption_.substr(0, std::min(savedCaption_.size(), savedCaption_.find('-') + 2));
    setWindowTitle(ui::toQ(head + std::to_string(model_->rowCount()) + " чел."_cp));
    if (env_.setSearchLabel) env_.setSearchLabel(ui::toQ("Фильтр - "_cp + readable));
}

void TDannForm::CancelFilter() {
    exact_.clear();
    dialogFilter_.clear();
    dialogText_.clear();
    if (env_.setSearchLabel) env_.setSearchLabel(QString(5, ' '));
    openList(currentCode_);
    setWindowTitle(ui::toQ(savedCaption_));
}

void TDannForm::BitBtn6Click() {
    const std::string field = currentField();
    if (field.empty()) return;
    sortField_ = field;
    openList(currentCode_);
    if (env_.storeSortField) env_.storeSortField(field);
}

void TDannForm::openCard(int64_t code, bool hiring) {
    if (workingFolderIsDataFolder(env_.ctx)) {
        if (env_.ctx.messages) env_.ctx.messages->soob(" Папка данных совпадает с рабочей папкой "_cp);
        return;
    }
    if (auto st = makeWorkingCopy(env_.ctx, dict_, code); !st) {
        if (env_.ctx.messages) env_.ctx.messages->soob(st.message());
        return;
    }
    TFormKart card(env_, dict_, hiring, this);
    card.exec();
    state_.hiring = false;
    if (card.wroteBack() || hiring) openList(code);
}

void TDannForm::BitBtn1Click() {
    if (model_->rowCount() == 0) return;
    openCard(currentCode_, false);
}

void TDannForm::BitBtn3Click() {
    if (view_.view == "arx") return;
    auto code = hireCard(env_.ctx, dict_, state_);
    if (!code) return;
    openList(*code);
    openCard(*code, true);
}

void TDannForm::BitBtn7Click() {
    if (view_.view == "arx" || model_->rowCount() == 0) return;
    auto code = copyCard(env_.ctx, dict_, state_, currentCode_);
    if (!code) return;
    openList(*code);
    TFormKart card(env_, dict_, true, this);
    card.exec();
    state_.hiring = false;
    openList(*code);
}

void TDannForm::BitBtn2Click() {
    if (model_->rowCount() == 0 || env_.ctx.viewOnly()) return;
    auto card = readCardSummary(env_.ctx, currentCode_);
    if (!card) return;
    switch (classifyRemoval(*card)) {
        case RemovalKind::DismissFirst:
            env_.ctx.messages->box(" До удаления сотрудника надо уволить "_cp);
            return;
        case RemovalKind::DeleteEmpty:
            deleteEmptyCard(env_.ctx, card->code);
            openList(0);
            break;
        case RemovalKind::AskArchived:
        case RemovalKind::AskDismissed: {
            const bool archived = card->metka == "A";
            const auto answer = TFormDelYv::Ask(archived, env_.ctx.workFolder, this);
            if (answer == TFormDelYv::Cancel) return;
            if (answer == TFormDelYv::Delete && archived) deleteArchivedCard(env_.ctx, card->code);
            if (answer == TFormDelYv::Move) moveArchive(env_.ctx, *card);
            openList(0);
            break;
        }
    }
    removalCaption();
    grid_->setFocus();
}

void TDannForm::removalCaption() {
    savedCaption_ = captionAfterRemoval(view_, model_->rowCount());
    setWindowTitle(ui::toQ(savedCaption_));
    updateEnabled();
}

std::vector<app::ColumnLayout> TDannForm::currentLayout() const {
    std::vector<app::ColumnLayout> out;
    auto* header = grid_->horizontalHeader();
    for (int visual = 0; visual < header->count(); ++visual) {
        const int logical = header->logicalIndex(visual);
        out.push_back({model_->columns()[logical].field, header->sectionSize(logical)});
    }
    return out;
}

void TDannForm::closeEvent(QCloseEvent* event) {
    if (opened_)
        app::saveColumnLayout(env_.ctx.workFolder, env_.ctx.dataFolder, layoutAtOpening_, currentLayout(),
                              *env_.ctx.messages);
    QWidget::closeEvent(event);
}

bool TDannForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == grid_ && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Escape) {
            if (auto* w = parentWidget(); w && w->inherits("QMdiSubWindow")) w->close();
            else close();
            return true;
        }
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            BitBtn1Click();
            return true;
        }
        const QString text = key->text();
        if (text.size() == 1 && text[0].isPrint() && key->key() != Qt::Key_Tab) {
            const std::string c = ui::fromQ(text);
            if (!c.empty()) SearchChar(c[0]);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace records
