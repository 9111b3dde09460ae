#include "records/form_dialogs.h"

#include <QDateEdit>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "base/path_resolver.h"

namespace records {

namespace {
QString u(const char* utf8) { return QString::fromUtf8(utf8); }
QDate toQDate(base::Date d) { return d.isEmpty() ? QDate::currentDate() : QDate(d.year(), d.month(), d.day()); }
}  // namespace

TFormNewDan::TFormNewDan(base::Date date, bool hiring, const QFont& font, QWidget* parent) : QDialog(parent) {
    setObjectName("FormNewDan");
    setWindowTitle(u("           Новое назначение"));
    setFont(font);
    auto* lay = new QVBoxLayout(this);
    auto* title = new QLabel(u("Новое назначение от ") + QString::fromStdString(date.text()), this);
    title->setObjectName("Label1");
    lay->addWidget(title);
    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel(u("Приказ №"), this));
    order_ = new QLineEdit(this);
    order_->setObjectName("Edit1");
    order_->setMaxLength(10);
    row->addWidget(order_);
    row->addWidget(new QLabel(u("от"), this));
    orderDate_ = new QDateEdit(toQDate(date), this);
    orderDate_->setObjectName("DateTimePicker1");
    orderDate_->setDisplayFormat("dd.MM.yyyy");
    row->addWidget(orderDate_);
    lay->addLayout(row);
    const int scale = std::max(1, font.pointSize());
    auto button = [&](const char* name, const char* caption, NewAssignmentAnswer::Kind kind) {
        auto* b = new QPushButton(u(caption), this);
        b->setObjectName(name);
        b->setMinimumWidth(250 * scale / 10);
        connect(b, &QPushButton::clicked, this, [this, kind] { finish(kind); });
        lay->addWidget(b);
        return b;
    };
    button("BitBtn1", "Создать новое назначение", NewAssignmentAnswer::New);
    button("BitBtn2", "Только внести изменения", NewAssignmentAnswer::Change)->setEnabled(!hiring);
    button("BitBtn3", "Отказ от всех действий", NewAssignmentAnswer::Cancel);
    auto* note = new QLabel(u("     Кнопка \"Только внести изменения\" \nнажимается в том случае, когда назначение \n"
                              "не новое, а происходит корректировка \nтекущих данных в карточке"),
                            this);
    note->setObjectName("Label3");
    lay->addWidget(note);
}

void TFormNewDan::finish(NewAssignmentAnswer::Kind kind) {
    answer_.kind = kind;
    if (kind == NewAssignmentAnswer::New) {
        answer_.orderNumber = order_->text().toStdString();
        const QDate d = orderDate_->date();
        answer_.orderDate = base::Date::fromYmd(d.year(), d.month(), d.day());
    }
    accept();
}

NewAssignmentAnswer NewDanDialog::ask(base::Date date, bool hiring) {
    TFormNewDan dialog(date, hiring, parent_ ? parent_->font() : QFont(), parent_);
    dialog.exec();
    return dialog.answer();
}

TFormDelYv::TFormDelYv(bool archived, const std::string& workFolder, QWidget* parent) : QDialog(parent) {
    setObjectName("FormDelYv");
    setWindowTitle(u("            Удалить карточку?"));
    auto* lay = new QHBoxLayout(this);
    auto* picture = new QLabel(this);
    picture->setObjectName("Image1");
    QPixmap mouse(QString::fromStdString(base::resolvePath(workFolder + "MOUSE.JPG")));
    if (!mouse.isNull()) picture->setPixmap(mouse.scaled(64, 64, Qt::KeepAspectRatio));
    lay->addWidget(picture);
    auto* buttons = new QVBoxLayout;
    auto add = [&](const char* name, const QString& caption, Answer a) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(name);
        connect(b, &QPushButton::clicked, this, [this, a] {
            answer_ = a;
            accept();
        });
        buttons->addWidget(b);
        return b;
    };
    add("BitBtn1", u("Удалить"), Delete)->setVisible(archived);
    add("BitBtn2", archived ? u("В общий список") : u("В архив уволенных"), Move);
    add("BitBtn3", u("Отказаться"), Cancel);
    lay->addLayout(buttons);
}

TFormDelYv::Answer TFormDelYv::Ask(bool archived, const std::string& workFolder, QWidget* parent) {
    TFormDelYv d(archived, workFolder, parent);
    d.exec();
    return d.answer();
}

TFormVew::TFormVew(const QImage& image, QWidget* parent) : QDialog(parent), image_(image), designed_(480, 640) {
    setObjectName("FormVew");
    setWindowTitle(u("Паспорт"));
    resize(designed_);
    auto* lay = new QVBoxLayout(this);
    lay->addStretch();
    auto* row = new QHBoxLayout;
    portrait_ = new QRadioButton(u("книжная"), this);
    portrait_->setObjectName("RadioButton1");
    portrait_->setChecked(true);
    landscape_ = new QRadioButton(u("альбомная"), this);
    landscape_->setObjectName("RadioButton2");
    auto* printButton = new QPushButton(u("Печать"), this);
    printButton->setObjectName("BitBtn1");
    row->addWidget(portrait_);
    row->addWidget(landscape_);
    row->addWidget(printButton);
    lay->addLayout(row);
    connect(portrait_, &QRadioButton::toggled, this, [this](bool on) {
        if (on) resize(designed_);
    });
    connect(landscape_, &QRadioButton::toggled, this, [this](bool on) {
        if (on) resize(designed_.width() * 2, designed_.height());
    });
    connect(printButton, &QPushButton::clicked, this, [this] { print(); });
}

bool TFormVew::landscape() const { return landscape_->isChecked(); }

void TFormVew::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawImage(rect(), image_);
}

void TFormVew::print() {
    QPrinter printer;
    printer.setPageOrientation(landscape() ? QPageLayout::Landscape : QPageLayout::Portrait);
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() != QDialog::Accepted) return;
    QPainter p(&printer);
    p.drawImage(p.viewport(), image_);
}

}  // namespace records
