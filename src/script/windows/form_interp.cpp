#include "script/windows/form_interp.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QThread>
#include <QVBoxLayout>
#include <functional>

#include "base/case_tables.h"
#include "script/codes.h"
#include "script/interpreter.h"
#include "script/value.h"
#include "script/windows/gui_host.h"
#include "script/windows/qt_text.h"

namespace script::windows {

namespace {

QString u(const char* utf8) { return QString::fromUtf8(utf8); }

// "C : name = value" with the first 100 characters of the value.
QString variableRow(const std::string& name, const std::string& value) {
    const std::string v = shown(value).substr(0, 100);
    return QString(QChar(typeOf(value))) + " : " + toQt(base::lowerAnsi(shown(name))) + " = " + toQt(v);
}

}  // namespace

TFormInterp::TFormInterp(Host& inner, std::string scriptText, QWidget* parent)
    : QDialog(parent), script_(std::move(scriptText)), host_(std::make_unique<GuiHost>(inner, this)),
      interpreter_(std::make_unique<Interpreter>(*host_)) {
    setObjectName("TFormInterp");
    setWindowTitle(u("Интерпретатор ( пошаговый отладчик )"));
    host_->setInterpreter(interpreter_.get());
    host_->setDebugger(this);

    ListBox1 = new QListWidget(this);
    ListBox1->setObjectName("ListBox1");
    ListBox2 = new QListWidget(this);
    ListBox2->setObjectName("ListBox2");
    ListBox3 = new QListWidget(this);
    ListBox3->setObjectName("ListBox3");
    Label1 = new QLabel(u("Строка"), this);
    Label1->setObjectName("Label1");
    Label2 = new QLabel(this);
    Label2->setObjectName("Label2");
    CheckBox3 = new QCheckBox(u("Переменные"), this);
    CheckBox3->setObjectName("CheckBox3");
    CheckBox4 = new QCheckBox(u("Массивы"), this);
    CheckBox4->setObjectName("CheckBox4");
    CheckBox1 = new QCheckBox(u("Автопрогон"), this);
    CheckBox1->setObjectName("CheckBox1");
    CheckBox1->setChecked(true);
    CheckBox2 = new QCheckBox(u("Ручной прогон"), this);
    CheckBox2->setObjectName("CheckBox2");
    auto button = [this](const char* name, const char* caption) {
        auto* b = new QPushButton(u(caption), this);
        b->setObjectName(name);
        b->setAutoDefault(false);
        return b;
    };
    BitBtn20 = button("BitBtn20", "Запуск формы");
    BitBtn15 = button("BitBtn15", "Стоп");
    BitBtn17 = button("BitBtn17", "Следующий шаг");
    BitBtn22 = button("BitBtn22", "Установ./снять останов");
    BitBtn23 = button("BitBtn23", "Показать переменные");
    BitBtn21 = button("BitBtn21", "Завершить");

    auto* side = new QVBoxLayout;
    auto* row = new QHBoxLayout;
    row->addWidget(Label1);
    row->addWidget(Label2, 1);
    side->addLayout(row);
    side->addWidget(CheckBox1);
    side->addWidget(CheckBox2);
    for (QPushButton* b : {BitBtn20, BitBtn15, BitBtn17, BitBtn22, BitBtn23}) side->addWidget(b);
    side->addStretch(1);
    side->addWidget(BitBtn21);
    auto* lists = new QVBoxLayout;
    lists->addWidget(CheckBox3);
    lists->addWidget(ListBox2, 1);
    lists->addWidget(CheckBox4);
    lists->addWidget(ListBox3, 1);
    auto* grid = new QHBoxLayout(this);
    grid->addWidget(ListBox1, 3);
    grid->addLayout(lists, 2);
    grid->addLayout(side, 0);

    connect(ListBox1, &QListWidget::currentRowChanged, this,
            [this](int r) { Label2->setText(r < 0 ? QString() : QString::number(r + 1)); });
    connect(ListBox2, &QListWidget::currentRowChanged, this, [this](int r) {
        const auto vars = interpreter_->variables();
        if (r >= 0 && r < int(vars.size())) {
            QString v = toQt(shown(vars[r].second));
            v.replace('|', '!');
            CheckBox3->setToolTip(toQt(base::lowerAnsi(vars[r].first)) + " = " + v);
        }
    });
    connect(CheckBox3, &QCheckBox::clicked, this, [this] { refreshVariables(); });
    connect(CheckBox4, &QCheckBox::clicked, this, [this] { refreshArrays(); });
    connect(CheckBox1, &QCheckBox::clicked, this, &TFormInterp::CheckBox1Click);
    connect(CheckBox2, &QCheckBox::clicked, this, &TFormInterp::CheckBox2Click);
    connect(BitBtn20, &QPushButton::clicked, this, &TFormInterp::BitBtn20Click);
    connect(BitBtn21, &QPushButton::clicked, this, &TFormInterp::BitBtn21Click);
    connect(BitBtn15, &QPushButton::clicked, this, &TFormInterp::BitBtn15Click);
    connect(BitBtn17, &QPushButton::clicked, this, &TFormInterp::BitBtn17Click);
    connect(BitBtn22, &QPushButton::clicked, this, &TFormInterp::BitBtn22Click);
    connect(BitBtn23, &QPushButton::clicked, this, &TFormInterp::BitBtn23Click);

    interpreter_->setStepMode(true);
    interpreter_->load(script_);  // preprocessing only: fills the listing
    fillListing();
}

TFormInterp::~TFormInterp() = default;

bool TFormInterp::run(Host& inner, const std::string& scriptText, QWidget* parent) {
    TFormInterp form(inner, scriptText, parent);
    form.showMaximized();
    form.exec();
    return form.completed();
}

void TFormInterp::fillListing() {
    ListBox1->clear();
    for (const std::string& row : interpreter_->listing()) ListBox1->addItem(toQt(row));
    if (ListBox1->count() > 0) ListBox1->setCurrentRow(0);
    paintBreakpoints();
}

void TFormInterp::paintBreakpoints() {
    for (int r = 0; r < ListBox1->count(); ++r) {
        QListWidgetItem* item = ListBox1->item(r);
        const bool stop = breakpoints_.count(r) > 0;
        item->setBackground(stop ? QBrush(Qt::red) : QBrush());
        item->setForeground(stop ? palette().highlightedText() : palette().text());
    }
}

void TFormInterp::refreshVariables(bool force) {
    if (!CheckBox3->isChecked() && !force) {
        ListBox2->clear();
        return;
    }
    ListBox2->clear();
    for (const auto& [name, value] : interpreter_->variables()) ListBox2->addItem(variableRow(name, value));
    if (ListBox2->count() > 0) ListBox2->setCurrentRow(ListBox2->count() - 1);
}

void TFormInterp::refreshArrays(bool force) {
    if (!CheckBox4->isChecked() && !force) {
        ListBox3->clear();
        return;
    }
    ListBox3->clear();
    for (const auto& [name, value] : interpreter_->arrayElements()) ListBox3->addItem(variableRow(name, value));
    if (ListBox3->count() > 0) ListBox3->setCurrentRow(ListBox3->count() - 1);
}

void TFormInterp::toggleBreakpoint(int row) {
    if (row < 0) return;
    if (!breakpoints_.erase(row)) breakpoints_.insert(row);
    paintBreakpoints();
}

void TFormInterp::waitWhile(const std::function<bool()>& condition, int ms) {
    while (condition() && !interpreter_->abortRequested()) {
        QCoreApplication::processEvents();
        QThread::msleep(ms);
    }
}

void TFormInterp::onStep(Interpreter&, int index) {
    ListBox1->setCurrentRow(index);
    refreshVariables();
    refreshArrays();
    if (breakpoints_.count(index)) {
        ListBox1->setCurrentRow(index);
        refreshVariables(true);
        refreshArrays(true);
        paused_ = true;
        BitBtn15->setText(u("Продолжить"));
    }
    if (CheckBox2->isChecked()) {
        waitWhile([this] { return CheckBox2->isChecked() && !stepReleased_; }, 10);
        stepReleased_ = false;
    }
    waitWhile([this] { return paused_; }, 50);
    QCoreApplication::processEvents();
}

void TFormInterp::BitBtn20Click() {
    if (running_) return;
    running_ = true;
    stepReleased_ = false;
    interpreter_->setStepMode(true);
    const bool loaded = interpreter_->load(script_);  // every press starts from scratch
    fillListing();
    if (loaded) completed_ = interpreter_->run().completed;
    running_ = false;
    CheckBox3->setChecked(true);
    CheckBox4->setChecked(true);
    refreshVariables();
    refreshArrays();
    BitBtn21->setFocus();
    if (loaded && ListBox1->count() > 0) ListBox1->setCurrentRow(ListBox1->count() - 1);
    if (closeAfterRun_) done(QDialog::Rejected);
}

void TFormInterp::BitBtn21Click() {
    interpreter_->requestAbort();
    if (running_) closeAfterRun_ = true;
    else done(QDialog::Rejected);
}

void TFormInterp::closeEvent(QCloseEvent* e) {
    interpreter_->requestAbort();
    if (running_) {
        closeAfterRun_ = true;
        e->ignore();
        return;
    }
    e->accept();
}

void TFormInterp::BitBtn15Click() {
    paused_ = !paused_;
    BitBtn15->setText(paused_ ? u("Продолжить") : u("Пауза"));
}

void TFormInterp::BitBtn17Click() { stepReleased_ = true; }

void TFormInterp::BitBtn22Click() { toggleBreakpoint(ListBox1->currentRow()); }

void TFormInterp::BitBtn23Click() {
    const bool show = BitBtn23->text() == u("Показать переменные");
    CheckBox3->setChecked(show);
    CheckBox4->setChecked(show);
    BitBtn23->setText(show ? u("Скрыть переменные") : u("Показать переменные"));
    refreshVariables();
    refreshArrays();
}

void TFormInterp::CheckBox1Click() {
    if (CheckBox1->isChecked()) CheckBox2->setChecked(false);
}

void TFormInterp::CheckBox2Click() {
    if (!CheckBox2->isChecked()) return;
    CheckBox1->setChecked(false);
    CheckBox3->setChecked(true);
    CheckBox4->setChecked(true);
    BitBtn23->setText(u("Скрыть переменные"));
    refreshVariables();
    refreshArrays();
}

}  // namespace script::windows
