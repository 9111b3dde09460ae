#include "timesheet/form_peri.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include "base/case_tables.h"
#include "db/table.h"
#include "timesheet/accounting_month.h"
#include "timesheet/text_util.h"
#include "ui/qt_text.h"

namespace timesheet {

std::vector<std::string> monthNamesFrom(const std::string& nammecPath) {
    std::vector<std::string> names;
    auto table = db::Table::open(nammecPath);
    if (!table) return names;
    const int nam = (*table)->fieldIndex("NAM");
    if (nam < 0) return names;
    for ((*table)->first(); !(*table)->eof() && names.size() < 12; (*table)->next())
        names.emplace_back(trimmed((*table)->text(nam)));
    return names;
}

Tperi::Tperi(const std::string& dataFolder, const Month& stored, QWidget* parent) : QDialog(parent) {
    setObjectName("Tperi");
    setWindowTitle(QString::fromUtf8("   Расчетный месяц"));
    listBox1_ = new QListWidget(this);
    listBox1_->setObjectName("ListBox1");
    const std::vector<std::string> names = monthNamesFrom(dataFolder + "nammec.dbf");
    for (const std::string& n : names) listBox1_->addItem(ui::toQ(n));
    const std::string wanted = capitalMonthName(stored.month);
    for (int i = 0; i < int(names.size()); ++i)
        if (base::upperAnsi(names[i]) == wanted) listBox1_->setCurrentRow(i);

    comboBox1_ = new QComboBox(this);
    comboBox1_->setObjectName("ComboBox1");
    for (int y = 1995; y <= std::max(stored.year, 1995) + 30; ++y) comboBox1_->addItem(QString::number(y));
    comboBox1_->setCurrentIndex(std::max(0, stored.year - 1995));

    auto* set = new QPushButton(QString::fromUtf8("Установить"), this);
    set->setObjectName("BitBtn1");
    set->setDefault(true);
    auto* cancel = new QPushButton(QString::fromUtf8("Отказаться"), this);
    cancel->setObjectName("BitBtn2");
    auto* help = new QPushButton("?", this);
    help->setObjectName("BitBtn3");
    help->setToolTip("KHELP.CHM hh_30.htm");

    auto* layout = new QGridLayout(this);
    layout->addWidget(new QLabel(QString::fromUtf8("  Месяц  "), this), 0, 0);
    layout->addWidget(new QLabel(QString::fromUtf8(" ГОД"), this), 0, 1);
    layout->addWidget(listBox1_, 1, 0, 3, 1);
    layout->addWidget(comboBox1_, 1, 1);
    layout->addWidget(set, 2, 1);
    layout->addWidget(cancel, 3, 1);
    layout->addWidget(help, 4, 1);
    connect(set, &QPushButton::clicked, this, &Tperi::BitBtn1Click);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void Tperi::BitBtn1Click() {
    // Without a chosen month nothing can be stored.
    if (listBox1_->currentRow() < 0) return;
    chosen_ = Month{1995 + comboBox1_->currentIndex(), listBox1_->currentRow() + 1};
    accept();
}

std::optional<Month> Tperi::Choose(const std::string& dataFolder, const Month& stored, QWidget* parent) {
    Tperi dialog(dataFolder, stored, parent);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.chosen();
}

}  // namespace timesheet
