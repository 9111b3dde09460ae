#include "timesheet/form_tab_ind.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "base/cp_literal.h"
#include "timesheet/folder_inputs.h"
#include "timesheet/individual_results.h"
#include "timesheet/text_util.h"
#include "ui/qt_text.h"

namespace timesheet {
namespace {

constexpr int kLeft = 10, kTop = 40, kColumn = 55, kRow = 32;

}  // namespace

TFormTabInd::TFormTabInd(const TimesheetEnv& env, int64_t kod, QWidget* parent)
    : QDialog(parent), env_(env), kod_(kod) {
    setObjectName("TFormTabInd");
    setFont(env_.font);
    const char* weekdays[7] = {"ПН", "ВТ", "СР", "ЧТ", "ПТ", "СБ", "ВС"};
    for (int w = 0; w < 7; ++w) {
        auto* l = new QLabel(QString::fromUtf8(weekdays[w]), this);
        l->setObjectName(QString("LabelW%1").arg(w + 1));
        l->setGeometry(kLeft + w * kColumn, 12, 40, 20);
        if (w == 6) l->setStyleSheet("color: red");
    }
    for (int d = 1; d <= 31; ++d) {
        labels_[d - 1] = new QLabel(QString("%1").arg(d, 2, 10, QChar('0')), this);
        labels_[d - 1]->setObjectName(QString("Label%1").arg(d));
        fields_[d - 1] = new QLineEdit(this);
        fields_[d - 1]->setObjectName(QString("DBEdit%1").arg(d));
        fields_[d - 1]->setMaxLength(kDayCellWidth);
        fields_[d - 1]->installEventFilter(this);
    }
    comboBox1_ = new QComboBox(this);
    comboBox1_->setObjectName("ComboBox1");
    comboBox1_->hide();
    comboBox1_->installEventFilter(this);
    bitBtn1_ = new QPushButton(QString::fromUtf8("Отказ"), this);
    bitBtn1_->setObjectName("BitBtn1");
    bitBtn2_ = new QPushButton(QString::fromUtf8("Сохранить"), this);
    bitBtn2_->setObjectName("BitBtn2");
    auto* hint = new QLabel(QString::fromUtf8("Переходить по датам клавишей Tab  Сохранить - Enter  Отказ - Esc"), this);
    hint->setObjectName("Label32");
    const int width = std::max(kLeft * 2 + 7 * kColumn, hint->sizeHint().width() + 2 * kLeft);
    hint->setGeometry(kLeft, kTop + 6 * kRow + 44, width - 2 * kLeft, 20);
    bitBtn1_->setGeometry(width - kLeft - 190, kTop + 6 * kRow + 8, 90, 28);
    bitBtn2_->setGeometry(width - kLeft - 95, kTop + 6 * kRow + 8, 90, 28);
    comboBox1_->setGeometry(kLeft, kTop + 6 * kRow + 8, 120, 26);
    setFixedSize(width, kTop + 6 * kRow + 72);
    connect(bitBtn1_, &QPushButton::clicked, this, &TFormTabInd::BitBtn1Click);
    connect(bitBtn2_, &QPushButton::clicked, this, &TFormTabInd::BitBtn2Click);
    connect(comboBox1_, &QComboBox::activated, this, &TFormTabInd::ComboBox1Choose);
    QWidget::setTabOrder(bitBtn2_, fields_[0]);
    for (int d = 1; d < 31; ++d) QWidget::setTabOrder(fields_[d - 1], fields_[d]);
}

TFormTabInd::~TFormTabInd() = default;

void TFormTabInd::layoutDays() {
    const int days = env_.month.days();
    int column = env_.month.first().weekday() - 1, row = 0;
    for (int d = 1; d <= 31; ++d) {
        if (d > days) {  // no such day in the month
            delete fields_[d - 1];
            delete labels_[d - 1];
            fields_[d - 1] = nullptr;
            labels_[d - 1] = nullptr;
            continue;
        }
        labels_[d - 1]->setGeometry(kLeft + column * kColumn, kTop + row * kRow, 18, 22);
        fields_[d - 1]->setGeometry(kLeft + column * kColumn + 18, kTop + row * kRow, 32, 22);
        if (column == 6) labels_[d - 1]->setStyleSheet("color: red");
        if (++column == 7) column = 0, ++row;
    }
}

bool TFormTabInd::FormCreate() {
    auto report = [this](const base::Status& s) {
        if (env_.messages) env_.messages->box(s.message());
        return false;
    };
    Notes notes;
    auto defs = readDefinitions(env_.dataFolder, notes);
    if (!defs) return report(defs.status());
    const auto inUse = definitionsInUse(defs.value());
    auto layout = buildMonthLayout(inUse, env_.month.days());
    if (!layout) return report(layout.status());
    layout_ = layout.value();

    CardFilter filter;
    filter.withArchive = true;
    filter.kod = kod_;
    if (auto cards = readCards(env_.dataFolder, filter, layout_); cards && !cards->empty()) {
        weekDays_ = wholeNumber(cards->front().dwee).value_or(5);
        if (weekDays_ < 1 || weekDays_ > 7) weekDays_ = 5;
        if (!isBlankText(cards->front().dlit)) dayHours_ = std::string(trimmed(cards->front().dlit));
    }
    auto table = db::Table::open(env_.dataFolder + monthTableName(env_.month.month, env_.month.year));
    if (!table) return report(table.status());
    table_ = std::move(table.value());
    const auto found = table_->findEqual(table_->fieldIndex("KOD"), std::to_string(kod_));
    if (found.empty() || !table_->goToRecNo(found.front())) return report(base::Status::notFound(" Нет строки табеля "_cp));
    recNo_ = found.front();
    setWindowTitle(ui::toQ(" " + std::string(trimmed(table_->text("LK"))) + "  " +
                           std::string(trimmed(table_->text("FIO")))));
    layoutDays();
    for (int d = 1; d <= env_.month.days(); ++d) {
        const int f = table_->fieldIndex(dayFieldName(d));
        saved_.push_back(f >= 0 ? std::string(trimmed(table_->text(f))) : std::string());
        fields_[d - 1]->setText(ui::toQ(saved_.back()));
    }
    for (const Definition& d : inUse) {
        if (trimmed(d.tip) != "R") continue;
        comboBox1_->addItem(ui::toQ(trimmed(d.nameS) == "ФР"_cp ? dayHours_ : std::string(trimmed(d.nameS))));
    }
    return true;
}

void TFormTabInd::Edit(const TimesheetEnv& env, int64_t kod, QWidget* parent) {
    TFormTabInd window(env, kod, parent);
    if (window.FormCreate()) window.exec();
}

DayCells TFormTabInd::cellsOnScreen() const {
    DayCells cells;
    for (int d = 1; d <= env_.month.days(); ++d) cells.push_back(ui::fromQ(fields_[d - 1]->text().trimmed()));
    return cells;
}

void TFormTabInd::writeRow(const DayCells& cells, const std::vector<std::optional<std::string>>* results) {
    if (!table_->goToRecNo(recNo_)) return;
    std::vector<std::string> problems;
    base::Status s = table_->edit();
    auto put = [&](const std::string& field, const std::string& value) {
        const int f = table_->fieldIndex(field);
        if (f < 0 || table_->text(f) == value) return;  // fields the table lacks are skipped
        const base::Status w = value.empty() ? table_->setBlank(f) : table_->setText(f, value);
        if (!w) problems.push_back(field + ": " + w.message());
    };
    if (s) {
        for (int d = 1; d <= int(cells.size()); ++d) put(dayFieldName(d), cells[d - 1]);
        if (results)
            for (std::size_t i = 0; i < layout_.results.size(); ++i)
                if ((*results)[i]) put(layout_.results[i].field, *(*results)[i]);
        s = table_->post();
    }
    if (!s) {
        table_->cancel();
        problems.push_back(s.message());
    }
    if (env_.messages)
        for (const std::string& p : problems) env_.messages->box("Не записано "_cp + p);
}

void TFormTabInd::BitBtn2Click() {
    DayCells cells = cellsOnScreen();
    dropZeroMarks(cells);
    auto holidays = readHolidays(env_.dataFolder, env_.month);
    const HolidaySet set(env_.month, holidays ? holidays.value() : std::vector<base::Date>{});
    const auto results = individualResults(layout_, cells, env_.month, set, weekDays_);
    writeRow(cells, &results);
    accept();
}

void TFormTabInd::BitBtn1Click() {
    DayCells cells = saved_;
    dropZeroMarks(cells);
    writeRow(cells, nullptr);
    reject();
}

void TFormTabInd::ComboBox1Choose(int index) {
    if (index < 0 || !dayField(remembered_)) return;
    dayField(remembered_)->setText(comboBox1_->itemText(index));
    comboBox1_->hide();
    dayField(remembered_)->setFocus();
}

void TFormTabInd::moveFromDay(int day) {
    const int target = day + 1;
    if (day >= 29 || target > env_.month.days()) {
        if (comboBox1_->isVisible()) comboBox1_->setFocus();
        else bitBtn2_->setFocus();
        return;
    }
    fields_[target - 1]->setFocus();
}

bool TFormTabInd::dayKey(int day, QKeyEvent* event) {
    QLineEdit* field = fields_[day - 1];
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) return moveFromDay(day), true;
    if (event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab || event->key() == Qt::Key_Escape) return false;
    if (event->key() == Qt::Key_Backspace || event->key() == Qt::Key_Delete || event->key() == Qt::Key_Left ||
        event->key() == Qt::Key_Right)
        return false;
    QString text = event->text();
    if (text.isEmpty()) return false;
    if (text == ",") text = ".";
    const QChar ch = text.at(0);
    if (!ch.isDigit() && ch != '.') return true;  // refused
    if (!typed_[day - 1]) {  // the first key replaces the mark
        typed_[day - 1] = true;
        field->clear();
    }
    if (ch == '.' && field->text().contains('.')) return true;
    field->insert(text);
    return true;
}

bool TFormTabInd::eventFilter(QObject* watched, QEvent* event) {
    if (watched == comboBox1_ && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() != Qt::Key_Down && key->key() != Qt::Key_Up && key->key() != Qt::Key_Escape) {
            bitBtn2_->setFocus();
            return true;
        }
    }
    for (int d = 1; d <= 31; ++d) {
        if (watched != fields_[d - 1]) continue;
        if (event->type() == QEvent::FocusIn) {
            remembered_ = d;
            typed_[d - 1] = false;
            comboBox1_->show();
        }
        if (event->type() == QEvent::KeyPress) return dayKey(d, static_cast<QKeyEvent*>(event));
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace timesheet
