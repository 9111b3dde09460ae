#pragma once
// The small windows of the frame: the about box, the splash picture and the
// invisible window of the command bounce.
#include <QDialog>
#include <QWidget>
#include <functional>

namespace app {

// TFormOpro: "  О программе ...".
class TFormOpro : public QDialog {
    Q_OBJECT
public:
    explicit TFormOpro(int currentYear, QWidget* parent = nullptr);
};

// TZastForm: borderless picture; repaints, waits two seconds, closes itself.
class TZastForm : public QWidget {
    Q_OBJECT
public:
    explicit TZastForm(const QString& picture);
protected:
    void showEvent(QShowEvent* event) override;
};

// TFormEmpty: no border, zero height; closes and frees itself as soon as it
// is shown, then calls `afterClose` (the frame re-activates its child).
class TFormEmpty : public QWidget {
    Q_OBJECT
public:
    explicit TFormEmpty(std::function<void()> afterClose);
protected:
    void showEvent(QShowEvent* event) override;
private:
    std::function<void()> afterClose_;
};

}  // namespace app
