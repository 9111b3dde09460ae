#include "app/form_soob.h"

#include <QFontMetrics>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QStyle>

#include "base/cp_literal.h"
#include "base/file_ops.h"
#include "ui/interface_font.h"
#include "ui/qt_text.h"

namespace app {

namespace {

constexpr int kImageLeft = 8, kImageTop = 8, kImageSide = 96;
constexpr int kPanelHeight = 24, kPanelGap = 4, kMinPanelWidth = 200;
constexpr int kButtonDesigned = 90;

bool blank(const std::string& s) { return s.find_first_not_of(' ') == std::string::npos; }

std::string pictureFile(const UiContext& ui, const std::string& picture) {
    if (!blank(picture) && base::fileExists(ui.workFolder + picture)) return ui.workFolder + picture;
    if (!blank(picture) && base::fileExists(picture)) return picture;
    return ui.workFolder + "SOOB.JPG";
}

}  // namespace

TFormSoob::TFormSoob(const UiContext& ui, const std::string& line1, const std::string& line2,
                     const std::string& line3, const std::string& picture, QWidget* parent)
    : QDialog(parent) {
    setObjectName("FormSoob");
    setModal(true);
    setAttribute(Qt::WA_DeleteOnClose, false);
    setWindowTitle(ui.language == "E" || ui.language == "U" ? "Message" : QString::fromUtf8("Сообщение"));
    const QFont font = ui::interfaceFont(ui.fontName, ui.fontSize);

    auto* image = new QLabel(this);
    image->setObjectName("Image1");
    image->setFrameShape(QFrame::Box);
    image->setScaledContents(true);
    image->setGeometry(kImageLeft, kImageTop, kImageSide, kImageSide);
    const std::string file = pictureFile(ui, picture);
    if (base::fileExists(file)) image->setPixmap(QPixmap(ui::nativePath(file)));
    else image->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(kImageSide, kImageSide));  // no picture delivered

    const bool greeting = line2.find("Поздравляем"_cp) != std::string::npos;
    const std::string lines[3] = {line1, line2, line3};
    const QFontMetrics metrics(font);
    // The congratulation lines are bold (and italic): measure them so.
    auto lineFont = [&](int i) {
        QFont f = font;
        if (greeting && i < 2) {
            f.setBold(true);
            f.setItalic(i == 1);
        }
        return f;
    };
    int width = kMinPanelWidth;
    for (int i = 0; i < 3; ++i)
        width = std::max(width, QFontMetrics(lineFont(i)).horizontalAdvance(ui::toQ(lines[i])) + 24);

    const int panelLeft = kImageLeft + kImageSide + 8;
    int bottom = kImageTop;
    for (int i = 0; i < 3; ++i) {
        auto* panel = new QLabel(ui::toQ(lines[i]), this);
        panel->setObjectName(QString("Panel%1").arg(i + 1));
        panel->setAlignment(Qt::AlignCenter);
        panel->setFrameShape(QFrame::Panel);
        panel->setFrameShadow(QFrame::Sunken);
        if (greeting && i < 2) panel->setStyleSheet("color: red;");
        panel->setFont(lineFont(i));
        const bool shown = i == 0 || !blank(lines[i]);
        panel->setVisible(shown);
        if (!shown) continue;
        panel->setGeometry(panelLeft, bottom, width, kPanelHeight);
        bottom += kPanelHeight + kPanelGap;
    }

    auto* button = new QPushButton(ui.closeCaption, this);
    button->setObjectName("BitBtn1");
    button->setFont(font);
    const int bw = ui::scaled(kButtonDesigned, ui.fontSize);
    const int bh = std::max(25, metrics.height() + 10);
    button->setGeometry(panelLeft + (width - bw) / 2, bottom - kPanelGap + 10, bw, bh);
    button->setDefault(true);
    connect(button, &QPushButton::clicked, this, &TFormSoob::BitBtn1Click);

    const int height = std::max(button->geometry().bottom() + 40 - 30, kImageTop + kImageSide + 35 - 30);
    setFixedSize(panelLeft + width + 10, height);
}

void TFormSoob::BitBtn1Click() { accept(); }

void TFormSoob::SoobMessage(const UiContext& ui, const std::string& line1, const std::string& line2,
                            const std::string& line3, const std::string& picture, QWidget* parent) {
    TFormSoob form(ui, line1, line2, line3, picture, parent);
    // Before the frame is on screen (start-up refusals) the window is centred on the desktop.
    if ((!parent || !parent->isVisible()) && form.screen())
        form.move(form.screen()->availableGeometry().center() - form.rect().center());
    form.exec();
}

}  // namespace app
