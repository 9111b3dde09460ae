#include "org/form_dol_edit.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "base/cp_literal.h"
#include "base/file_ops.h"
#include "org/form_values.h"
#include "ui/qt_text.h"

namespace org {

using namespace base::literals;

namespace {

QString u(const char* utf8) { return QString::fromUtf8(utf8); }

// The grid's titles of the staffing fields; other fields show their names.
QString titleOf(const std::string& field) {
    static const std::pair<const char*, const char*> titles[] = {
        {"DOL", "Должность"}, {"KDOL", "КД"},    {"DOL1", "Оклад"}, {"RAZR", "Разряд"},     {"KLAS", "Класс"},
        {"KAT", "Кат"},       {"STAT", "Штат"}, {"S_STAT", "СВШ"}, {"COLOR", "Цвет"}, {"COLOR1", "Цвет 2"}};
    for (auto [name, title] : titles)
        if (field == name) return u(title);
    return ui::toQ(field);
}

}  // namespace

TFormDolEdit::TFormDolEdit(std::string workFolder, QWidget* parent)
    : QDialog(parent), workFolder_(std::move(workFolder)) {
    setObjectName("FormDolEdit");
    setWindowTitle(u("Должность"));
    auto* form = new QFormLayout;
    auto buffer = base::readFile(workFolder_ + "doc_buf");
    for (const FormValue& v : formValues(buffer ? *buffer : std::string())) {
        auto* edit = new QLineEdit(ui::toQ(v.value), this);
        edit->setObjectName(ui::toQ(v.field));
        if (v.field == "KDOL") edit->setReadOnly(true);  // the code comes from the counter
        form->addRow(titleOf(v.field), edit);
        edits_.emplace_back(v.field, edit);
    }
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* save = buttons->addButton(u("Сохранить"), QDialogButtonBox::AcceptRole);
    save->setObjectName("BitBtnSave");
    QPushButton* cancel = buttons->addButton(u("Отказ"), QDialogButtonBox::RejectRole);
    cancel->setObjectName("BitBtnCancel");
    connect(save, &QPushButton::clicked, this, &TFormDolEdit::BitBtnSaveClick);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
}

void TFormDolEdit::BitBtnSaveClick() {
    std::string answer;
    for (const auto& [field, edit] : edits_)
        if (field != "KDOL") {
            std::string value = ui::fromQ(edit->text());
            std::erase(value, '|');  // the buffer's separator cannot be part of a value
            answer += "#" + field + ".ЗНАЧЕНИЕ.|"_cp + value + "|\r\n";
        }
    base::writeFileAtomic(workFolder_ + "doc_frm", answer);
    accept();
}

void TFormDolEdit::Open(const std::string& workFolder, QWidget* parent) {
    TFormDolEdit form(workFolder, parent);
    form.exec();
}

}  // namespace org
