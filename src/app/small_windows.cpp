#include "app/small_windows.h"

#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>

namespace app {

TFormOpro::TFormOpro(int currentYear, QWidget* parent) : QDialog(parent) {
    setObjectName("FormOpro");
    setWindowTitle(QString::fromUtf8("  О программе ..."));
    setAttribute(Qt::WA_DeleteOnClose);
    auto* layout = new QVBoxLayout(this);
    auto* image = new QLabel(this);
    image->setObjectName("Image1");
    image->setPixmap(style()->standardIcon(QStyle::SP_FileDialogInfoView).pixmap(64, 64));
    auto* title = new QLabel(QString::fromUtf8("<b>VLT-ОТДЕЛ КАДРОВ 6.3</b>"), this);
    title->setObjectName("Label1");
    auto* about = new QLabel(QString::fromUtf8("Учет кадров: картотека сотрудников, оргструктура, штатное\n"
                                               "расписание, табели учета рабочего времени, документы и отчеты."),
                             this);
    about->setObjectName("Label2");
    auto* authors = new QLabel(QString::fromUtf8("Разработчики программы, 2002 - %1").arg(currentYear), this);
    authors->setObjectName("Label3");
    auto* site = new QLabel("<a href=\"https://example.org/kadry\">https://example.org/kadry</a>", this);
    site->setObjectName("Label4");
    site->setOpenExternalLinks(true);
    auto* mail = new QLabel("<a href=\"mailto:support@example.org\">support@example.org</a>", this);
    mail->setObjectName("Label5");
    mail->setOpenExternalLinks(true);
    auto* close = new QPushButton(QString::fromUtf8("Закрыть"), this);
    close->setObjectName("BitBtn1");
    for (QWidget* w : {static_cast<QWidget*>(image), static_cast<QWidget*>(title), static_cast<QWidget*>(about),
                       static_cast<QWidget*>(authors), static_cast<QWidget*>(site), static_cast<QWidget*>(mail)})
        layout->addWidget(w, 0, Qt::AlignHCenter);
    layout->addWidget(close, 0, Qt::AlignHCenter);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
}

TZastForm::TZastForm(const QString& picture) : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint) {
    setObjectName("ZastForm");
    setAttribute(Qt::WA_DeleteOnClose);
    auto* label = new QLabel(this);
    label->setObjectName("Image1");
    const QPixmap pixmap(picture);
    label->setPixmap(pixmap);
    label->resize(pixmap.size());
    resize(pixmap.size());
}

void TZastForm::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    repaint();
    QTimer::singleShot(2000, this, &QWidget::close);
}

TFormEmpty::TFormEmpty(std::function<void()> afterClose)
    : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint), afterClose_(std::move(afterClose)) {
    setObjectName("FormEmpty");
    setAttribute(Qt::WA_DeleteOnClose);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFixedSize(1, 0);
}

void TFormEmpty::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    QTimer::singleShot(0, this, [this] {
        auto after = std::move(afterClose_);
        close();
        if (after) after();
    });
}

}  // namespace app
