#include "script/windows/form_indikat.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace script::windows {

TFormIndikat::TFormIndikat(QWidget* parent) : QDialog(parent) {
    setObjectName("TFormIndikat");
    setWindowTitle(QString::fromUtf8("  Индикатор выполнения "));
    auto* layout = new QVBoxLayout(this);
    Animate1 = new QLabel(this);
    Animate1->setObjectName("Animate1");
    Animate1->setAlignment(Qt::AlignCenter);
    layout->addWidget(Animate1);
    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setObjectName("ProgressBar1");
    layout->addWidget(ProgressBar1);
    Label1 = new QLabel(this);
    Label1->setObjectName("Label1");
    layout->addWidget(Label1);
    for (int i = 0; i < 6; ++i) {
        lines_[i] = new QLabel(this);
        lines_[i]->setObjectName(QString("Label%1").arg(i + 2));
        lines_[i]->setVisible(i == 0);
        layout->addWidget(lines_[i]);
    }
    BitBtn1 = new QPushButton(QString::fromUtf8("Прервать"), this);
    BitBtn1->setObjectName("BitBtn1");
    layout->addWidget(BitBtn1);
    connect(BitBtn1, &QPushButton::clicked, this, &TFormIndikat::BitBtn1Click);
    auto* timer = new QTimer(this);
    connect(timer, &QTimer::timeout, this, &TFormIndikat::tick);
    timer->start(150);
    tick();
    resize(360, sizeHint().height());
}

void TFormIndikat::tick() {
    static const char* const kFrames[] = {"|", "/", "-", "\\"};
    Animate1->setText(QString::fromLatin1(kFrames[frame_++ % 4]));
}

void TFormIndikat::setMaximum(int m) { ProgressBar1->setMaximum(m); }
void TFormIndikat::setPosition(int p) { ProgressBar1->setValue(p); }
void TFormIndikat::setStatus(const QString& text) { Label1->setText(text); }

void TFormIndikat::setLine(int n, const QString& text, bool makeVisible) {
    if (n < 2 || n > 7) return;
    QLabel* l = lines_[n - 2];
    if (makeVisible) l->setVisible(true);
    l->setText(text);
}

void TFormIndikat::BitBtn1Click() {
    if (abort_) abort_();
}

}  // namespace script::windows
