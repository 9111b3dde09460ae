#include "app/form_parol.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "ui/interface_font.h"
#include "ui/qt_text.h"

namespace app {

TFormParol::TFormParol(const UiContext& ui, QWidget* parent) : QDialog(parent, Qt::WindowStaysOnTopHint) {
    setObjectName("FormParol");
    setWindowTitle(QString::fromUtf8("  Запрос пароля"));
    setFont(ui::interfaceFont(ui.fontName, ui.fontSize));

    auto* frame = new QFrame(this);
    frame->setObjectName("Bevel1");
    frame->setFrameShape(QFrame::StyledPanel);
    frame->setGeometry(8, 8, 284, 70);
    auto* label1 = new QLabel(QString::fromUtf8("ВВЕДИТЕ ПАРОЛЬ"), frame);
    label1->setObjectName("Label1");
    label1->setGeometry(10, 6, 264, 20);
    label1->setAlignment(Qt::AlignCenter);
    edit1_ = new QLineEdit(frame);
    edit1_->setObjectName("Edit1");
    edit1_->setEchoMode(QLineEdit::Password);
    edit1_->setGeometry(10, 32, 264, 26);

    auto* ok = new QPushButton(QString::fromUtf8("  Подтвердить  "), this);
    ok->setObjectName("BitBtn1");
    ok->setGeometry(8, 86, 138, 28);
    ok->setDefault(true);
    auto* exit = new QPushButton(QString::fromUtf8("  Выход  "), this);
    exit->setObjectName("BitBtn2");
    exit->setGeometry(154, 86, 138, 28);
    connect(ok, &QPushButton::clicked, this, &TFormParol::BitBtn1Click);
    connect(exit, &QPushButton::clicked, this, &TFormParol::BitBtn2Click);

    // The set area exists but is cut off below the main field in ask mode.
    auto* label4 = new QLabel(QString::fromUtf8("Установить пароль"), this);
    label4->setObjectName("Label4");
    label4->setGeometry(8, 130, 284, 20);
    const char* names[][2] = {{"Label2", "Edit2"}, {"Label3", "Edit3"}};
    const char* captions[] = {"Старый пароль", "Новый пароль"};
    for (int i = 0; i < 2; ++i) {
        auto* l = new QLabel(QString::fromUtf8(captions[i]), this);
        l->setObjectName(names[i][0]);
        l->setGeometry(8, 156 + i * 32, 110, 24);
        auto* e = new QLineEdit(this);
        e->setObjectName(names[i][1]);
        e->setEchoMode(QLineEdit::Password);
        e->setGeometry(120, 156 + i * 32, 172, 24);
        e->setEnabled(false);
    }
    auto* button1 = new QPushButton(QString::fromUtf8("Подтвердить"), this);
    button1->setObjectName("Button1");
    button1->setEnabled(false);
    button1->setGeometry(120, 222, 172, 26);
    setFixedSize(300, 78 + 40 + 4);
    edit1_->setFocus();
}

std::string TFormParol::typed() const { return ui::fromQ(edit1_->text()); }

void TFormParol::BitBtn1Click() {
    exited_ = false;
    accept();
}

void TFormParol::BitBtn2Click() {
    exited_ = true;
    reject();
}

std::optional<std::string> TFormParol::Ask(const UiContext& ui, QWidget* parent) {
    TFormParol form(ui, parent);
    form.exec();
    if (form.exited()) return std::nullopt;
    return form.typed();
}

}  // namespace app
