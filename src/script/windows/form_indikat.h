#pragma once
// The progress window of "@ИНДИКАТОР" scripts: an animation, a bar, a status
// line, six further lines (2 to 7) and "Прервать", which asks the run to stop.
#include <QDialog>
#include <array>
#include <functional>

class QLabel;
class QProgressBar;
class QPushButton;

namespace script::windows {

class TFormIndikat : public QDialog {
    Q_OBJECT
public:
    explicit TFormIndikat(QWidget* parent = nullptr);

    void setMaximum(int m);
    void setPosition(int p);
    void setStatus(const QString& text);
    void setLine(int n, const QString& text, bool makeVisible);  // n = 2..7
    void onAbort(std::function<void()> abort) { abort_ = std::move(abort); }

private:
    void BitBtn1Click();
    void tick();

    QLabel* Animate1;
    QProgressBar* ProgressBar1;
    QLabel* Label1;
    std::array<QLabel*, 6> lines_{};
    QPushButton* BitBtn1;
    std::function<void()> abort_;
    int frame_ = 0;
};

}  // namespace script::windows
