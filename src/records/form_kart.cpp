#include "records/form_kart.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QKeyEvent>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPixmap>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

#include "app/mask_edit_n.h"
#include "base/case_tables.h"
#include "base/cp_literal.h"
#include "base/file_ops.h"
#include "base/number_format.h"
#include "base/path_resolver.h"
#include "records/assignments.h"
#include "records/card_codes.h"
#include "records/card_list.h"
#include "records/card_tables.h"
#include "records/form_dialogs.h"
#include "records/history_model.h"
#include "records/seniority_text.h"
#include "records/vacancy.h"
#include "records/working_copy.h"
#include "ui/qt_text.h"
#include "base/text_trim.h"

namespace records {

namespace {

QString u(const char* utf8) { return QString::fromUtf8(utf8); }

enum class Kind { Edit, Digits, Date, Money, Combo, Check, Label };

struct Sheet1Field {
    const char* field;
    const char* caption;
    Kind kind;
    const char* pickTable = "";
};

// The controls of "Лист 1" in their order.
const Sheet1Field kSheet1[] = {
    {"FAM", "Фамилия", Kind::Edit}, {"IM", "Имя", Kind::Edit}, {"OT", "Отчество", Kind::Edit},
    {"LK", "ТN", Kind::Digits}, {"POD", "Отдел", Kind::Combo, "POD.DBF"}, {"NACH", "Нац", Kind::Combo, "NACH.DBF"},
    {"POL", "Пол", Kind::Combo, "POL.DBF"}, {"GR", "Д/рождения", Kind::Date}, {"MR", "М/рождения", Kind::Edit},
    {"DOL", "Должность", Kind::Edit}, {"DOL1", "Оклад", Kind::Money}, {"RAZR", "Разряд", Kind::Digits},
    {"KLAS", "Класс", Kind::Digits}, {"KAT", "Категория", Kind::Combo, "KAT.DBF"}, {"D_DOL", "Назначение", Kind::Date},
    {"SER", "Паспорт Сер", Kind::Edit}, {"NP", "Номер", Kind::Edit}, {"KV", "Кем выдан", Kind::Edit},
    {"KKV", "Когда", Kind::Date}, {"INDE", "Индекс", Kind::Edit}, {"DA1", "Адрес", Kind::Edit},
    {"TEL", "Телефоны", Kind::Edit}, {"TEL1", "", Kind::Edit}, {"DWEE", "Р/неделя (дн)", Kind::Digits},
    {"DLIT", "Р/день (час)", Kind::Digits}, {"KAL", "Календарь", Kind::Digits}, {"NTD", "НТД", Kind::Date},
    {"MNTD", "", Kind::Digits}, {"NSD", "НСД", Kind::Date}, {"MNSD", "", Kind::Digits}, {"NPD", "НРП", Kind::Date},
    {"MNPD", "", Kind::Digits}, {"TRUK", "№ тр.книжки", Kind::Edit}, {"INN", "ИНН", Kind::Edit},
    {"PINN", "ИНПС", Kind::Edit}, {"SOV", "Совместитель ", Kind::Check}, {"STAV", "Ставка", Kind::Digits},
    {"MET_T", "М", Kind::Check}, {"FOTO", "Фото", Kind::Edit},
};

std::string dateText(const QString& shown) {
    const std::string s = shown.toStdString();
    return s.find_first_of("0123456789") == std::string::npos ? std::string() : s;
}

QLineEdit* dateEdit(QWidget* parent) {
    auto* e = new QLineEdit(parent);
    e->setInputMask("99.99.9999;_");
    return e;
}

}  // namespace

TFormKart::TFormKart(RecordsEnv& env, const app::Dictionary& dict, bool hiring, QWidget* parent)
    : QDialog(parent), env_(env), dict_(dict), hiring_(hiring) {
    setObjectName("FormKart");
    setFont(env_.font);
    FormCreate();
}

TFormKart::~TFormKart() = default;

void TFormKart::FormCreate() {
    auto copy = openWorkingCopy(env_.ctx);
    if (copy) copy_ = std::move(*copy);
    if (copy_) code_ = int64_t(copy_->number(copy_->fieldIndex("KOD")).value_or(0));
    userFields_ = app::userFields(dict_);

    auto* lay = new QVBoxLayout(this);
    pages_ = new QTabWidget(this);
    pages_->setObjectName("PageControl1");
    lay->addWidget(pages_);
    auto* sheet1 = new QWidget;
    sheet1->setObjectName("TabSheet1");
    buildSheet1(sheet1);
    pages_->addTab(sheet1, u("Лист 1"));
    if (!userFields_.empty()) {
        auto* sheet2 = new QWidget;
        sheet2->setObjectName("TabSheet2");
        buildSheet2(sheet2);
        pages_->addTab(sheet2, u("Лист 2"));
    }
    const std::pair<HistoryTab, const char*> tabs[] = {{HistoryTab::Assignments, "Назначения"},
                                                       {HistoryTab::SickLeave, "Больничные"},
                                                       {HistoryTab::Vacations, "Отпуска"},
                                                       {HistoryTab::Trips, "Командировки"}};
    for (auto [tab, caption] : tabs) pages_->addTab(buildHistory(tab), u(caption));
    pages_->addTab(buildExtra(), u("Дополнительно"));
    loadFromCopy();
    noted_ = copy_ ? noteAssignment(*copy_) : NotedAssignment{};
    refreshCaption();
    applyReadOnly();
    writeErrorRow();
    resize(900, 640);
}

void TFormKart::buildSheet1(QWidget* page) {
    auto* grid = new QGridLayout(page);
    int row = 0, col = 0;
    const int perColumn = (int(std::size(kSheet1)) + 1) / 2;
    for (const auto& f : kSheet1) {
        // The label of the interface language, from the dictionary when it has the field.
        QString caption = u(f.caption);
        for (const auto& e : dict_)
            if (e.isCard() && base::equalsIgnoreCase(e.name(), f.field) && !env_.ctx.language.empty())
                caption = ui::toQ(app::captionFor(e, env_.ctx.language));
        auto* label = new QLabel(caption, page);
        label->setObjectName(QString("Label") + f.field);
        QWidget* w = nullptr;
        switch (f.kind) {
            case Kind::Edit: w = new QLineEdit(page); break;
            case Kind::Digits: {
                auto* e = new QLineEdit(page);
                e->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9.]*"), e));
                w = e;
                break;
            }
            case Kind::Date: w = dateEdit(page); break;
            case Kind::Money: w = new TMaskEditN(page); break;
            case Kind::Combo: {
                auto* c = new QComboBox(page);
                c->setEditable(std::string(f.field) != "POD");
                w = c;
                break;
            }
            case Kind::Check: w = new QCheckBox(page); break;
            case Kind::Label: w = new QLabel(page); break;
        }
        w->setObjectName(QString("DBEdit") + f.field);
        controls_[f.field] = w;
        grid->addWidget(label, row, col * 3);
        grid->addWidget(w, row, col * 3 + 1);
        if (std::string(f.field) == "LK") {
            auto* b = new QPushButton("...", page);
            b->setObjectName("BitBtn12");
            b->setFixedWidth(30);
            grid->addWidget(b, row, col * 3 + 2);
            connect(b, &QPushButton::clicked, this, [this] { BitBtn12Click(); });
            connect(static_cast<QLineEdit*>(w), &QLineEdit::returnPressed, this, [this] { LkEnter(); });
        }
        if (std::string(f.field) == "POD") {
            deptLabel_ = new QLabel(page);
            deptLabel_->setObjectName("LabelBKod");
            grid->addWidget(deptLabel_, row, col * 3 + 2);
        }
        if (std::string(f.field) == "NTD" || std::string(f.field) == "NSD" || std::string(f.field) == "NPD") {
            const int k = std::string(f.field) == "NTD" ? 0 : std::string(f.field) == "NPD" ? 1 : 2;
            seniority_[k] = new QLabel(page);
            seniority_[k]->setObjectName(QString("LabelStag") + f.field);
            grid->addWidget(seniority_[k], row, col * 3 + 2);
            connect(static_cast<QLineEdit*>(w), &QLineEdit::textChanged, this, [this] { refreshSeniority(); });
        }
        if (++row >= perColumn) {
            row = 0;
            ++col;
        }
    }
    for (const char* m : {"MNTD", "MNSD", "MNPD"})
        connect(static_cast<QLineEdit*>(controls_[m]), &QLineEdit::textChanged, this, [this] { refreshSeniority(); });
    auto* dol = static_cast<QLineEdit*>(controls_["DOL"]);
    dol->setReadOnly(true);
    dol->installEventFilter(this);
    auto* pod = static_cast<QComboBox*>(controls_["POD"]);
    connect(pod, &QComboBox::activated, this, [this, pod](int) {
        db::SqlFolder sql(env_.ctx.dataFolder);
        auto r = sql.query("Select B_KOD, BB_K From POD.DBF WHERE POD = :p", {{"p", ui::fromQ(pod->currentText())}});
        if (r && !(*r)->isEmpty()) {
            (*r)->first();
            deptLabel_->setText(ui::toQ(base::trimBlanks((*r)->text(0)) + "/" + base::trimBlanks((*r)->text(1))));
        }
    });
    probation_ = new QLabel(page);
    probation_->setObjectName("LabelDATA_ISP");
    contract_ = new QLabel(page);
    contract_->setObjectName("LabelDATA_DOG");
    grid->addWidget(new QLabel(u("Испытательный срок"), page), perColumn, 0);
    grid->addWidget(probation_, perColumn, 1);
    grid->addWidget(new QLabel(u("Договор"), page), perColumn, 3);
    grid->addWidget(contract_, perColumn, 4);
    dismissedBox_ = new QCheckBox(u("У"), page);
    dismissedBox_->setObjectName("CheckBoxY");
    dismissedBox_->setEnabled(false);
    grid->addWidget(dismissedBox_, perColumn + 1, 0);
    photo_ = new QLabel(page);
    photo_->setObjectName("Image1");
    photo_->setFixedSize(120, 140);
    photo_->setFrameShape(QFrame::Box);
    grid->addWidget(photo_, 0, 6, 6, 1);
    photoButton_ = new QPushButton("...", page);
    photoButton_->setObjectName("BitBtn13");
    grid->addWidget(photoButton_, 6, 6);
    connect(photoButton_, &QPushButton::clicked, this, [this] {
        const QString chosen = QFileDialog::getOpenFileName(this, u(" Поиск фотографии "),
                                                            QString::fromStdString(base::resolvePath(env_.ctx.data("FOTO"))),
                                                            u("Все (*.*);;*.jpg (*.jpg);;*.bmp (*.bmp)"));
        if (chosen.isEmpty()) return;
        const int width = copy_ ? copy_->fields()[copy_->fieldIndex("FOTO")].length : 20;
        auto v = photoValueFor(env_.ctx.dataFolder, ui::fromQ(chosen), width);
        if (!v) {
            env_.ctx.messages->soob(v.status().message());
            return;
        }
        setValue("FOTO", *v);
    });
    auto* buttons = new QHBoxLayout;
    saveButton_ = new QPushButton(u("Сохранить"), page);
    saveButton_->setObjectName("BitBtnList1");
    dismissButton_ = new QPushButton(u("Уволить"), page);
    dismissButton_->setObjectName("BitBtn1");
    auto* print = new QPushButton(u("Печать F5"), page);
    print->setObjectName("BitBtn7");
    buttons->addWidget(saveButton_);
    buttons->addWidget(dismissButton_);
    buttons->addWidget(print);
    grid->addLayout(buttons, perColumn + 2, 0, 1, 7);
    connect(saveButton_, &QPushButton::clicked, this, [this] { BitBtnList1Click(); });
    connect(dismissButton_, &QPushButton::clicked, this, [this] { BitBtn1Click(); });
    connect(print, &QPushButton::clicked, this, [this] {
        if (env_.runFormFile) env_.runFormFile(env_.ctx.data("DOCUM/FRMK/KARTA.FRM"));
    });
    static_cast<QLineEdit*>(controls_["KAL"])->setReadOnly(!env_.complexCalendars);
}

void TFormKart::buildSheet2(QWidget* page) {
    auto* grid = new QGridLayout(page);
    const int fs = std::max(1, font().pointSize());
    for (size_t k = 0; k < userFields_.size(); ++k) {
        const auto* e = userFields_[k];
        const int slot = int(k) + 4;
        const int col = slot <= 16 ? 0 : 1, row = slot <= 16 ? slot - 4 : slot - 17;
        auto* label = new QLabel(ui::toQ(app::captionFor(*e, env_.ctx.language)), page);
        label->setObjectName(QString("Label%1").arg(slot));
        const std::string type = base::upperAnsi(base::trimBlanks(e->fileT));
        QWidget* w;
        if (type == "F") {
            w = new TMaskEditN(page);
            w->setObjectName(QString("MaskEditN%1").arg(slot));
            w->setFixedWidth(13 * fs);
        } else if (type == "D") {
            w = dateEdit(page);
            w->setObjectName(QString("DateTimePicker%1").arg(slot));
            w->setFixedWidth(9 * fs);
        } else if (e->hasPickList()) {
            auto* c = new QComboBox(page);
            c->setEditable(true);
            db::SqlFolder sql(env_.ctx.dataFolder);
            if (auto r = sql.query("Select * From " + base::trimBlanks(e->fileS)); r)
                for ((*r)->first(); !(*r)->eof(); (*r)->next()) c->addItem(ui::toQ(base::trimBlanks((*r)->text(0))));
            w = c;
            w->setObjectName(QString("ComboBox%1").arg(slot));
        } else {
            w = new QLineEdit(page);
            w->setObjectName(QString("Edit%1").arg(slot));
            w->setFixedWidth(e->displayWidth());
        }
        userControls_.push_back(w);
        w->installEventFilter(this);
        grid->addWidget(label, row, col * 2);
        grid->addWidget(w, row, col * 2 + 1);
    }
    saveUserButton_ = new QPushButton(u("Сохранить"), page);
    saveUserButton_->setObjectName("BitBtnList3");
    grid->addWidget(saveUserButton_, 14, 0);
    connect(saveUserButton_, &QPushButton::clicked, this, [this] { BitBtnList3Click(); });
}

QWidget* TFormKart::buildHistory(HistoryTab tab) {
    std::vector<HistoryColumn> cols;
    switch (tab) {
        case HistoryTab::Assignments:
            for (const auto& e : dict_)
                if (e.inAssignments() && !base::equalsIgnoreCase(e.name(), "KOD") && e.knownType())
                    cols.push_back({e.name(), ui::toQ(base::trimBlanks(e.fileC)), e.displayWidth() > 1 ? e.displayWidth() : 70});
            cols.push_back({"OSN", u("ПР"), 30});
            cols.push_back({"DATA1", u("ОТ ..."), 70});
            break;
        case HistoryTab::SickLeave:
            cols = {{"DATA1", u("Начало"), 75}, {"DATA2", u("Конец"), 75}, {"KOL_D", u("Дни"), 40},
                    {"NBOL", u("Номер"), 90},   {"MET", u("Пр"), 30},      {"DIAG", u("Диагноз"), 366},
                    {"DAT", "", 35},            {"MET_T", "", 15}};
            break;
        case HistoryTab::Vacations:
            cols = {{"DATA1", u("Начало"), 95},      {"KOL_D", u("Дни"), 50},  {"DATA2", u("Конец"), 95},
                    {"OTPER", u("Тип"), 140},        {"S_DATA1", u("За период c"), 110},
                    {"S_DATA2", u(".. по"), 95},     {"OTP", u("Пр"), 35},     {"DATA3", u("от .. "), 95},
                    {"MET_T", "", 15}};
            break;
        case HistoryTab::Trips:
            cols = {{"DATA1", u("Начало"), 75}, {"DATA2", u("Конец"), 75}, {"NOMKOM", u("Приказ"), 70},
                    {"DATA3", u("от"), 75},     {"KOM", u("Куда направлен"), 250}, {"MET_T", "", 15}};
            break;
    }
    auto* model = new HistoryModel(env_.ctx, historyTable(tab), code_, cols, this);
    history_[int(tab)] = model;
    auto* view = new QTableView;
    view->setObjectName(QString("DBGrid%1").arg(int(tab) + 1));
    view->setModel(model);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    for (int c = 0; c < int(cols.size()); ++c) view->setColumnWidth(c, cols[c].width);
    if (model->rowCount() > 0) view->setCurrentIndex(model->index(model->rowCount() - 1, 0));
    historyViews_[int(tab)] = view;
    view->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(view, &QTableView::doubleClicked, this, [this, tab] { HistoryEdit(tab); });
    connect(view, &QWidget::customContextMenuRequested, this, [this, tab, view, model](const QPoint& p) {
        QMenu menu(this);
        const bool editable = !readOnly_;
        QAction* edit = menu.addAction(u("Редактировать"));
        QAction* add = menu.addAction(u("Добавить"));
        QAction* del = menu.addAction(u("Удалить"));
        edit->setEnabled(editable && model->rowCount() > 0);
        del->setEnabled(editable && model->rowCount() > 0);
        add->setEnabled(editable && tab != HistoryTab::Assignments);
        QAction* chosen = menu.exec(view->viewport()->mapToGlobal(p));
        if (chosen == edit) HistoryEdit(tab);
        if (chosen == add) HistoryAdd(tab);
        if (chosen == del) HistoryDelete(tab);
    });
    return view;
}

QWidget* TFormKart::buildExtra() {
    auto* page = new QWidget;
    page->setObjectName("TabSheet7");
    auto* lay = new QVBoxLayout(page);
    const std::pair<const char*, const char*> docs[] = {
        {"Военный учет", "kr_voe"}, {"Семейное положение", "kr_sem"}, {"Образование", "kr_obr"},
        {"Аттестация", "kr_ates"}, {"Поощрения", "kr_nag"},          {"Лицензии", "kr_lich"},
        {"Трудовая книжка", "kr_trud"}};
    auto* row = new QHBoxLayout;
    int n = 0;
    for (auto [caption, stem] : docs) {
        auto* b = new QPushButton(u(caption), page);
        b->setObjectName(QString("BitBtnDoc%1").arg(++n));
        const std::string s = stem;
        connect(b, &QPushButton::clicked, this, [this, s] {
            if (env_.forms) env_.forms->open("", formFiles(s));
        });
        row->addWidget(b);
    }
    lay->addLayout(row);
    auto* model = new HistoryModel(env_.ctx, "FOTOPAS.DBF", code_, {{"FOTOPAS", u("Расположение документа"), 600}}, this);
    auto* view = new QTableView(page);
    view->setObjectName("DBGrid5");
    view->setModel(model);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setColumnWidth(0, 600);
    lay->addWidget(view);
    auto* open = new QPushButton(u("Открыть"), page);
    open->setObjectName("BitBtnVew");
    lay->addWidget(open);
    connect(open, &QPushButton::clicked, this, [this, view, model] {
        const int r = view->currentIndex().row();
        if (!model->goTo(r)) return;
        const std::string path = base::trimBlanks(model->rows()->text(0 + model->rows()->fieldIndex("FOTOPAS")));
        const std::string lower = base::lowerAnsi(path);
        if (lower.find(".doc") != std::string::npos || lower.find(".xls") != std::string::npos) return;  // office output (later)
        TFormVew vew(QImage(QString::fromStdString(base::resolvePath(path))), this);
        vew.exec();
    });
    return page;
}

QWidget* TFormKart::control(const std::string& field) const {
    const auto it = controls_.find(field);
    return it == controls_.end() ? nullptr : it->second;
}

std::string TFormKart::value(const std::string& field) const {
    QWidget* w = control(field);
    if (!w) return {};
    if (auto* m = qobject_cast<TMaskEditN*>(w)) return m->text().toStdString();
    if (auto* e = qobject_cast<QLineEdit*>(w))
        return e->inputMask().isEmpty() ? ui::fromQ(e->text()) : dateText(e->text());
    if (auto* c = qobject_cast<QComboBox*>(w)) return ui::fromQ(c->currentText());
    if (auto* b = qobject_cast<QCheckBox*>(w)) {
        if (field == "SOV") return b->isChecked() ? "Да"_cp : "Нет"_cp;
        return b->isChecked() ? "*" : "";
    }
    return {};
}

void TFormKart::setValue(const std::string& field, const std::string& text) {
    QWidget* w = control(field);
    if (!w) return;
    if (auto* m = qobject_cast<TMaskEditN*>(w)) m->setValue(base::parseNumber(base::trimBlanks(text)).value_or(0));
    else if (auto* e = qobject_cast<QLineEdit*>(w)) e->setText(ui::toQ(text));
    else if (auto* c = qobject_cast<QComboBox*>(w)) {
        if (c->findText(ui::toQ(base::trimBlanks(text))) < 0) c->addItem(ui::toQ(base::trimBlanks(text)));
        c->setCurrentText(ui::toQ(base::trimBlanks(text)));
    } else if (auto* b = qobject_cast<QCheckBox*>(w)) {
        b->setChecked(field == "SOV" ? base::trimBlanks(text) == "Да"_cp : base::trimBlanks(text) == "*");
    }
}

void TFormKart::loadFromCopy() {
    if (!copy_) return;
    copy_->first();
    for (const auto& [field, w] : controls_)
        if (copy_->fieldIndex(field) >= 0) setValue(field, copy_->text(field));
    deptLabel_->setText(ui::toQ(base::trimBlanks(copy_->text("B_KOD")) + "/" + base::trimBlanks(copy_->text("BB_K"))));
    for (size_t k = 0; k < userFields_.size(); ++k) {
        const std::string v = copy_->fieldIndex(userFields_[k]->name()) >= 0 ? copy_->text(userFields_[k]->name()) : "";
        QWidget* w = userControls_[k];
        if (auto* m = qobject_cast<TMaskEditN*>(w)) m->setValue(base::parseNumber(base::trimBlanks(v)).value_or(0));
        else if (auto* e = qobject_cast<QLineEdit*>(w)) e->setText(ui::toQ(v.empty() && !e->inputMask().isEmpty() ? "01.01.2000" : v));
        else if (auto* c = qobject_cast<QComboBox*>(w)) c->setCurrentText(ui::toQ(base::trimBlanks(v)));
    }
    auto date = [&](const char* f) { return base::Date::parse(base::trimBlanks(copy_->text(f))).value_or(base::Date()); };
    probation_->setText(ui::toQ(untilLabel(date("DATA_ISP"), env_.ctx.firstOfMonth, "НЕТ"_cp)));
    contract_->setText(ui::toQ(untilLabel(date("DATA_DOG"), env_.ctx.firstOfMonth, "бессрочный"_cp)));
    dismissedBox_->setChecked(base::trimBlanks(copy_->text("METKA")) == "Y");
    QPixmap pic(QString::fromStdString(base::resolvePath(photoPath(env_.ctx.dataFolder, copy_->text("FOTO")))));
    if (!pic.isNull()) photo_->setPixmap(pic.scaled(photo_->size(), Qt::KeepAspectRatio));
    refreshSeniority();
}

void TFormKart::refreshSeniority() {
    const std::pair<const char*, const char*> pairs[] = {{"NTD", "MNTD"}, {"NPD", "MNPD"}, {"NSD", "MNSD"}};
    for (int k = 0; k < 3; ++k) {
        if (!seniority_[k]) continue;
        auto start = base::Date::parse(value(pairs[k].first)).value_or(base::Date());
        const int corr = int(base::parseNumber(base::trimBlanks(value(pairs[k].second))).value_or(0));
        seniority_[k]->setText(ui::toQ("Стаж "_cp + seniorityText(start.addDays(corr), env_.ctx.today)));
    }
}

void TFormKart::refreshCaption() {
    const std::string metka = copy_ ? base::trimBlanks(copy_->text("METKA")) : "";
    std::string caption = " Личная карточка - "_cp + base::trimBlanks(value("FAM")) + " " + base::trimBlanks(value("IM")) + " " +
                          base::trimBlanks(value("OT"));
    const bool dismissed = metka == "Y" || metka == "A";
    if (dismissed) caption += "    Уволен"_cp;
    setWindowTitle(ui::toQ(caption));
    dismissButton_->setText(dismissed ? u("Снять увольнение") : u("Уволить"));
    static_cast<QLabel*>(findChild<QLabel*>("LabelD_DOL"))->setText(dismissed ? u("Уволен") : u("Назначение"));
}

void TFormKart::applyReadOnly() {
    const std::string metka = copy_ ? base::trimBlanks(copy_->text("METKA")) : "";
    readOnly_ = metka == "Y" || metka == "A" || env_.fromCommonBases;
    saveButton_->setEnabled(!readOnly_);
    if (saveUserButton_) saveUserButton_->setEnabled(!readOnly_);
    photoButton_->setEnabled(!readOnly_);
    // Dismissal writes shared rows: not from a view-only workstation.
    dismissButton_->setEnabled(!env_.fromCommonBases && !env_.ctx.viewOnly());
    if (env_.setEditCommands) env_.setEditCommands(metka == "R");
}

void TFormKart::writeErrorRow() {
    auto t = db::Table::open(env_.ctx.work("ERROR.DBF"));
    if (!t || !copy_) return;
    db::Table& e = **t;
    e.first();
    auto st = e.eof() ? e.append() : e.edit();
    if (st && e.fieldIndex("LK") >= 0) st = e.setText("LK", base::trimBlanks(copy_->text("LK")));
    if (st && e.fieldIndex("KOD") >= 0) st = e.setText("KOD", codeText(code_));
    if (st) e.post();
    else e.cancel();
}

void TFormKart::BitBtnList1Click() {
    if (readOnly_ || !copy_) return;
    CardSaveInput in;
    in.code = code_;
    in.hiring = hiring_;
    in.noted = noted_;
    for (const auto& [field, w] : controls_) in.values[field] = value(field);
    in.departmentLabel = ui::fromQ(deptLabel_->text());
    NewDanDialog dialog(this);
    auto r = saveCard(env_.ctx, *copy_, in, memory_, dialog);
    if (!r) {
        env_.ctx.messages->soob(r.status().message());
        return;
    }
    if (*r == SaveOutcome::NumberUsed) setValue("LK", in.values["LK"]);
    if (*r == SaveOutcome::NumberUndefined || *r == SaveOutcome::NumberUsed) control("LK")->setFocus();
    if (*r != SaveOutcome::Saved) return;
    saved_ = true;
    hiring_ = false;
    for (const char* f : {"RAZR", "KLAS", "DWEE", "DLIT", "KAL"}) setValue(f, in.values[f]);
    history_[int(HistoryTab::Assignments)]->reload();
    refreshCaption();
}

void TFormKart::BitBtnList3Click() {
    if (readOnly_) return;
    userChanged_ = true;
}

void TFormKart::BitBtn1Click() {
    if (!copy_ || !env_.forms) return;
    const std::string metka = base::trimBlanks(copy_->text("METKA"));
    if (metka == "R") {
        auto r = dismissCard(env_.ctx, *copy_, *env_.forms);
        if (!r || !*r) return;
    } else {
        if (!undoDismissal(env_.ctx, *copy_)) return;
        loadFromCopy();
    }
    // Dismissal and its undo must reach the data folder on close.
    saved_ = true;
    history_[int(HistoryTab::Assignments)]->reload();
    refreshCaption();
    applyReadOnly();
    dismissedBox_->setChecked(base::trimBlanks(copy_->text("METKA")) == "Y");
    if (base::trimBlanks(copy_->text("METKA")) == "Y") dismissButton_->setEnabled(true);
}

void TFormKart::BitBtn12Click() {
    const std::string lk = base::trimBlanks(value("LK"));
    if (!(lk.empty() || lk == "0")) return;
    auto n = freePersonnelNumber(env_.ctx);
    if (!n) return;
    env_.ctx.messages->box(" Табельный номер "_cp + std::to_string(*n) + " свободен "_cp);
    setValue("LK", std::to_string(*n));
}

void TFormKart::LkEnter() {
    const std::string lk = base::trimBlanks(value("LK"));
    if (lk.empty()) {
        setValue("LK", noted_.lk);
    } else if (lk != noted_.lk) {
        auto used = personnelNumberUsed(env_.ctx, lk, code_);
        if (used && *used) {
            env_.ctx.messages->box(" Табельный номер "_cp + lk + " использован "_cp);
            setValue("LK", noted_.lk);
        }
    }
    DolClick();
}

void TFormKart::DolClick() {
    if (readOnly_ || !env_.choosePosition) return;
    const bool hasKdol = copy_ && copy_->fieldIndex("KDOL") >= 0;
    const std::string kdol = env_.choosePosition(hasKdol ? base::trimBlanks(copy_->text("KDOL")) : std::string());
    if (kdol.empty()) return;
    auto offer = offerPosition(env_.ctx, kdol, code_);
    if (!offer || !offer->vacant) return;
    setValue("DOL1", offer->dol1);
    setValue("RAZR", base::trimBlanks(offer->razr));
    setValue("KLAS", base::trimBlanks(offer->klas));
    setValue("KAT", offer->kat);
    setValue("DOL", offer->dol);
    setValue("STAV", offer->stav);
    if (hasKdol && copy_->edit()) {
        copy_->setText("KDOL", base::trimBlanks(offer->kdol));
        copy_->post();
    }
}

void TFormKart::HistoryEdit(HistoryTab tab) {
    if (readOnly_ || !env_.forms) return;
    auto* view = historyViews_[int(tab)];
    auto* model = history_[int(tab)];
    if (!model->goTo(view->currentIndex().row())) return;
    editHistoryRow(env_.ctx, *env_.forms, tab, *model->rows());
    model->reload();
    view->setCurrentIndex(model->index(model->rowCount() - 1, 0));
}

void TFormKart::HistoryAdd(HistoryTab tab) {
    if (readOnly_ || tab == HistoryTab::Assignments) return;
    if (!addHistoryRow(env_.ctx, tab, code_)) return;
    auto* model = history_[int(tab)];
    model->reload();
    historyViews_[int(tab)]->setCurrentIndex(model->index(model->rowCount() - 1, 0));
    HistoryEdit(tab);
}

void TFormKart::HistoryDelete(HistoryTab tab) {
    if (readOnly_) return;
    auto* view = historyViews_[int(tab)];
    auto* model = history_[int(tab)];
    if (!model->goTo(view->currentIndex().row())) return;
    auto confirm = env_.confirmDelete ? env_.confirmDelete : [] { return true; };
    deleteHistoryRow(env_.ctx, tab, *model->rows(), confirm);
    model->reload();
    view->setCurrentIndex(model->index(model->rowCount() - 1, 0));
}

bool TFormKart::eventFilter(QObject* watched, QEvent* event) {
    if (watched == control("DOL") && event->type() == QEvent::MouseButtonPress) DolClick();
    // Enter in a user field moves to the next slot's control, after the last to "Сохранить".
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        const auto it = std::find(userControls_.begin(), userControls_.end(), watched);
        if (it != userControls_.end() && (key == Qt::Key_Return || key == Qt::Key_Enter)) {
            if (it + 1 != userControls_.end()) (*(it + 1))->setFocus();
            else if (saveUserButton_) saveUserButton_->setFocus();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TFormKart::done(int result) {
    if (env_.setEditCommands) env_.setEditCommands(true);
    if (env_.commands) {
        env_.commands->clearAll();
        env_.commands->modes.selectorMode = 0;
    }
    if (copy_) {
        if (userChanged_) {
            std::vector<std::string> values;
            for (QWidget* w : userControls_) {
                if (auto* m = qobject_cast<TMaskEditN*>(w)) values.push_back(m->text().toStdString());
                else if (auto* e = qobject_cast<QLineEdit*>(w))
                    values.push_back(e->inputMask().isEmpty() ? ui::fromQ(e->text()) : dateText(e->text()));
                else if (auto* c = qobject_cast<QComboBox*>(w)) values.push_back(ui::fromQ(c->currentText()));
            }
            storeUserFields(*copy_, dict_, values);
        }
        copy_->close();
        copy_.reset();
        if ((saved_ || userChanged_) && !env_.ctx.viewOnly()) wroteBack_ = writeBack(env_.ctx).isOk();
    }
    QDialog::done(result);
}

}  // namespace records
