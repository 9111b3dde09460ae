#include "timesheet/form_new_tab.h"

#include <QApplication>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "base/cp_literal.h"
#include "base/file_ops.h"
#include "base/path_resolver.h"
#include "timesheet/accounting_month.h"
#include "timesheet/text_util.h"
#include "ui/qt_text.h"

namespace timesheet {

TFormNewTab::TFormNewTab(const TimesheetEnv& env, QWidget* parent) : QDialog(parent), env_(env) {
    setObjectName("TFormNewTab");
    setFont(env_.font);
    setWindowTitle(ui::toQ("РАСЧЕТ ТАБЕЛЯ за "_cp + "   " + capitalMonthName(env_.month.month) + "   " +
                           std::to_string(env_.month.year) + "  г."_cp));
    label1_ = new QLabel(this);
    label1_->setObjectName("Label1");
    label1_->setMinimumWidth(360);
    progressBar1_ = new QProgressBar(this);
    progressBar1_->setObjectName("ProgressBar1");
    progressBar1_->setValue(0);
    bitBtn1_ = new QPushButton(QString::fromUtf8("Отказаться"), this);
    bitBtn1_->setObjectName("BitBtn1");
    bitBtn2_ = new QPushButton(QString::fromUtf8("Все сотрудники"), this);
    bitBtn2_->setObjectName("BitBtn2");
    bitBtn3_ = new QPushButton(QString::fromUtf8("По отделам"), this);
    bitBtn3_->setObjectName("BitBtn3");
    edit1_ = new QLineEdit(this);
    edit1_->setObjectName("Edit1");
    edit1_->setMaxLength(2);
    edit1_->setFixedWidth(40);
    edit1_->hide();
    for (QPushButton* b : {bitBtn1_, bitBtn2_, bitBtn3_}) b->setAutoDefault(false);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(bitBtn2_);
    buttons->addStretch();
    buttons->addWidget(edit1_);
    buttons->addWidget(bitBtn3_);
    buttons->addStretch();
    buttons->addWidget(bitBtn1_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label1_);
    layout->addWidget(progressBar1_);
    layout->addLayout(buttons);

    connect(bitBtn1_, &QPushButton::clicked, this, &TFormNewTab::BitBtn1Click);
    connect(bitBtn2_, &QPushButton::clicked, this, &TFormNewTab::BitBtn2Click);
    connect(bitBtn3_, &QPushButton::clicked, this, &TFormNewTab::BitBtn3Click);
    connect(edit1_, &QLineEdit::returnPressed, this, &TFormNewTab::BitBtn3Click);
}

void TFormNewTab::setButtonsEnabled(bool enabled) {
    bitBtn2_->setEnabled(enabled);
    bitBtn3_->setEnabled(enabled);
    edit1_->setEnabled(enabled);
}

void TFormNewTab::BitBtn1Click() {
    if (running_) cancel_ = true;  // the run stops after the current employee
    else close();
}

void TFormNewTab::BitBtn2Click() {
    if (!running_) run({});
}

void TFormNewTab::BitBtn3Click() {
    if (running_) return;
    const std::string typed(trimmed(ui::fromQ(edit1_->text())));
    if (typed.empty()) {
        edit1_->show();
        edit1_->setFocus();
        return;
    }
    run(typed.substr(0, 2));
}

void TFormNewTab::runHook(const char* relativePath) {
    const std::string path = base::resolvePath(env_.workFolder + relativePath);
    if (env_.runFormFile && base::fileExists(path)) env_.runFormFile(path);
}

void TFormNewTab::run(const std::string& department) {
    running_ = true;
    cancel_ = false;
    setButtonsEnabled(false);
    FolderCalcOptions options;
    options.dataDir = env_.dataFolder;
    options.month = env_.month;
    options.department = department;
    options.beforeRun = [this] { runHook("DOCUM/FRMK/TABEL_BEGIN.FRM"); };
    options.afterRun = [this] { runHook("DOCUM/FRMZ/TABEL_END.FRM"); };
    options.progress = [this](std::size_t done, std::size_t total, const Card& card) {
        progressBar1_->setMaximum(int(total));
        progressBar1_->setValue(int(done));
        label1_->setText(ui::toQ(std::to_string(card.lk) + "   " + card.fio + std::string(21, ' ')));
        if (onProgress) onProgress(done);
        QApplication::processEvents();
        return !cancel_;
    };
    auto result = calculateMonthInFolder(options);
    running_ = false;
    setButtonsEnabled(true);
    if (!result) {
        if (env_.messages) env_.messages->box(result.status().message());
        return;
    }
    calculated_ = true;
    if (env_.messages) {
        for (const std::string& note : result->notes) env_.messages->box(note);
        if (!result->lockedCards.empty()) {
            std::string cards;
            for (const std::string& c : result->lockedCards) cards += (cards.empty() ? "" : ", ") + c;
            env_.messages->soob("Отметка не снята в карточках, занятых другой станцией:"_cp, cards);
        }
        env_.messages->soob(" Расчет закончен "_cp);
    }
    accept();
}

void TFormNewTab::reject() {
    if (running_) cancel_ = true;
    else QDialog::reject();
}

void TFormNewTab::closeEvent(QCloseEvent* event) {
    // Closing during a run cancels it; the dialog closes when the run ends.
    if (running_) {
        cancel_ = true;
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

}  // namespace timesheet
