#include "app/form_delete.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include "app/startup_checks.h"
#include "base/file_ops.h"
#include "ui/interface_font.h"
#include "ui/qt_text.h"
#include "base/text_trim.h"

namespace app {

TFormDelete::TFormDelete(const UiContext& ui, CommandDispatcher& commands, const std::string& objectName,
                         QWidget* parent)
    : QDialog(parent), commands_(commands) {
    setObjectName("FormDelete");
    const int kind = commands.flag(Cmd::Delete);
    if (kind == 2) setWindowTitle(QString::fromUtf8("Удалить столбец - ") + ui::toQ(base::trimBlanks(objectName)));
    else if (kind == 3) setWindowTitle(QString::fromUtf8("Удалить файл - ") + ui::toQ(base::trimBlanks(objectName)));
    else setWindowTitle(QString::fromUtf8("            Удалить ?"));
    setFont(ui::interfaceFont(ui.fontName, ui.fontSize));

    auto* image = new QLabel(this);
    image->setObjectName("Image1");
    image->setFixedSize(64, 64);
    image->setScaledContents(true);
    if (base::fileExists(ui.workFolder + "MOUSE.JPG")) image->setPixmap(QPixmap(ui::nativePath(ui.workFolder + "MOUSE.JPG")));
    else image->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(64, 64));  // no picture delivered
    auto* yes = new QPushButton(QString::fromUtf8("Удалить"), this);
    yes->setObjectName("BitBtn1");
    auto* no = new QPushButton(QString::fromUtf8("Отказаться"), this);
    no->setObjectName("BitBtn2");
    no->setDefault(true);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(yes);
    buttons->addWidget(no);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(image);
    layout->addLayout(buttons);
    connect(yes, &QPushButton::clicked, this, &TFormDelete::BitBtn1Click);
    connect(no, &QPushButton::clicked, this, &TFormDelete::BitBtn2Click);
    setMinimumWidth(320);
}

void TFormDelete::showEvent(QShowEvent* event) {
    commands_.setFlag(Cmd::Delete, 0);  // closing otherwise counts as refusing
    QDialog::showEvent(event);
}

void TFormDelete::BitBtn1Click() {
    commands_.setFlag(Cmd::Delete, 1);
    accept();
}

void TFormDelete::BitBtn2Click() {
    commands_.setFlag(Cmd::Delete, 0);
    reject();
}

bool TFormDelete::Confirm(const UiContext& ui, CommandDispatcher& commands, const std::string& objectName,
                          QWidget* parent) {
    TFormDelete form(ui, commands, objectName, parent);
    form.exec();
    return commands.flag(Cmd::Delete) == 1;
}

}  // namespace app
