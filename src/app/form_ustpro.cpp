#include "app/form_ustpro.h"

#include <QFileDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "app/startup_checks.h"
#include "ui/qt_text.h"
#include "base/text_trim.h"

namespace app {

std::string normalisedDataFolder(const std::string& typed) {
    std::string path = base::trimBlanks(typed);
    if (!path.empty() && path.back() != '\\' && path.back() != '/') path += path.find('/') != std::string::npos &&
                                                                                    path.find('\\') == std::string::npos
                                                                                ? '/'
                                                                                : '\\';
    return path;
}

TFormUstpro::TFormUstpro(const SettingsStore& store, QWidget* parent) : QDialog(parent), store_(store) {
    setObjectName("FormUstpro");
    setWindowTitle(QString::fromUtf8("  Установки программы "));
    auto* pages = new QTabWidget(this);
    pages->setObjectName("PageControl1");
    auto* general = new QWidget;
    general->setObjectName("TabSheet1");
    pages->addTab(general, QString::fromUtf8("  Общие настройки  "));

    auto* special = new QGroupBox(QString::fromUtf8("  Специальные возможности  "), general);
    special->setObjectName("GroupBox4");
    auto* row = new QHBoxLayout(special);
    auto* label = new QLabel(QString::fromUtf8("Сетевой путь"), special);
    label->setObjectName("Label14");
    edit14_ = new QLineEdit(ui::toQ(store.ReadSetup("S%&")), special);
    edit14_->setObjectName("Edit14");
    edit14_->setMinimumWidth(360);
    auto* browse = new QPushButton(QString::fromUtf8("Обзор"), special);
    browse->setObjectName("BitBtnObzor2");
    row->addWidget(label);
    row->addWidget(edit14_, 1);
    row->addWidget(browse);
    auto* generalLayout = new QVBoxLayout(general);
    generalLayout->addWidget(special);
    generalLayout->addStretch();

    auto* save = new QPushButton(QString::fromUtf8("  Сохранить  "), this);
    save->setObjectName("BitBtn2");
    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(save);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pages);
    layout->addLayout(bottom);
    connect(save, &QPushButton::clicked, this, &TFormUstpro::BitBtn2Click);
    connect(browse, &QPushButton::clicked, this, &TFormUstpro::BitBtnObzorClick);
    resize(640, 240);
}

void TFormUstpro::BitBtnObzorClick() {
    const QString chosen = QFileDialog::getExistingDirectory(this, QString::fromUtf8("Сетевой путь"), edit14_->text());
    // Kept as chosen: folder names are case-sensitive on this platform.
    if (!chosen.isEmpty()) edit14_->setText(chosen);
}

void TFormUstpro::BitBtn2Click() {
    const std::string path = normalisedDataFolder(ui::fromQ(edit14_->text()));
    if (!path.empty()) store_.WriteSetup("S%&", path);
    accept();
}

}  // namespace app
