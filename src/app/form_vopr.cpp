#include "app/form_vopr.h"

#include <QFontMetrics>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QStyle>
#include <QScreen>

#include "base/file_ops.h"
#include "ui/interface_font.h"
#include "ui/qt_text.h"

namespace app {

namespace {
constexpr int kImageSide = 96, kMargin = 8, kPanelHeight = 24;
}

TFormVopr::TFormVopr(const UiContext& ui, const std::string& line1, const std::string& line2,
                     const std::string& line3, const std::string& picture, QWidget* parent)
    : QDialog(parent) {
    setObjectName("FormVopr");
    QString caption = QString::fromUtf8("Выбор ответа"), yes = QString::fromUtf8("  Подтвердить  "),
            no = QString::fromUtf8("  Отказаться  ");
    if (ui.language == "E") caption = "Question", yes = "OK", no = "Cancel";
    else if (ui.language == "U") caption = QString::fromUtf8("Жавоб"), yes = QString::fromUtf8("Ха"), no = QString::fromUtf8("Иук");
    setWindowTitle(caption);
    const QFont font = ui::interfaceFont(ui.fontName, ui.fontSize);

    auto* image = new QLabel(this);
    image->setObjectName("Image1");
    image->setFrameShape(QFrame::Box);
    image->setScaledContents(true);
    image->setGeometry(kMargin, kMargin, kImageSide, kImageSide);
    std::string file = picture.find_first_not_of(' ') == std::string::npos ? std::string() : picture;
    if (file.empty() || !base::fileExists(file)) file = ui.workFolder + "mouse.jpg";
    if (base::fileExists(file)) image->setPixmap(QPixmap(ui::nativePath(file)));
    else image->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxQuestion).pixmap(kImageSide, kImageSide));  // no picture delivered

    const int w1 = ui::scaled(130, ui.fontSize), w2 = ui::scaled(120, ui.fontSize);
    const int left = kMargin * 2 + kImageSide;
    const int panelWidth = w1 + w2 + 10;
    const std::string lines[3] = {line1, line2, line3};
    for (int i = 0; i < 3; ++i) {
        auto* panel = new QLabel(ui::toQ(lines[i]), this);
        panel->setObjectName(QString("Panel%1").arg(i + 1));
        panel->setFont(font);
        panel->setAlignment(Qt::AlignCenter);
        panel->setGeometry(left, kMargin + i * (kPanelHeight + 2), panelWidth, kPanelHeight);
    }
    const int bh = std::max(25, QFontMetrics(font).height() + 10);
    const int top = std::max(kMargin + 3 * (kPanelHeight + 2) + 8, kMargin + kImageSide - bh);
    auto* b1 = new QPushButton(yes, this);
    b1->setObjectName("BitBtn1");
    b1->setFont(font);
    b1->setGeometry(left, top, w1, bh);
    auto* b2 = new QPushButton(no, this);
    b2->setObjectName("BitBtn2");
    b2->setFont(font);
    b2->setGeometry(left + w1 + 10, top, w2, bh);
    connect(b1, &QPushButton::clicked, this, &TFormVopr::BitBtn1Click);
    connect(b2, &QPushButton::clicked, this, &TFormVopr::BitBtn2Click);
    b2->setDefault(true);
    b2->setFocus();
    setFixedSize(b2->geometry().right() + 10, std::max(top + bh, kMargin + kImageSide) + kMargin);
    if (QScreen* screen = this->screen()) move(screen->geometry().center() - rect().center());
}

void TFormVopr::BitBtn1Click() {
    answer_ = 1;
    accept();
}

void TFormVopr::BitBtn2Click() {
    answer_ = 2;
    reject();
}

int TFormVopr::Ask(const UiContext& ui, const std::string& line1, const std::string& line2,
                   const std::string& line3, const std::string& picture, QWidget* parent) {
    TFormVopr form(ui, line1, line2, line3, picture, parent);
    form.exec();
    return form.result();
}

}  // namespace app
