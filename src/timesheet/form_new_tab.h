#pragma once
// TFormNewTab: the month's full timesheet calculation, for all employees or
// one department, with progress and cancel. The buttons that start a run
// are disabled while it runs, so a second press cannot start a run inside
// the run. Only what a run produced reaches the data folder: closing the
// dialog without calculating changes nothing.
#include <QDialog>

#include "timesheet/folder_calculation.h"
#include "timesheet/timesheet_env.h"

class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;

namespace timesheet {

class TFormNewTab : public QDialog {
    Q_OBJECT
public:
    explicit TFormNewTab(const TimesheetEnv& env, QWidget* parent = nullptr);

    void BitBtn1Click();  // "Отказаться"
    void BitBtn2Click();  // "Все сотрудники"
    void BitBtn3Click();  // "По отделам"

    bool running() const { return running_; }
    bool calculated() const { return calculated_; }
    // Called for each processed card (tests cancel from here).
    std::function<void(std::size_t done)> onProgress;

protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    void run(const std::string& department);
    void setButtonsEnabled(bool enabled);
    void runHook(const char* relativePath);

    TimesheetEnv env_;
    QLabel* label1_ = nullptr;
    QProgressBar* progressBar1_ = nullptr;
    QPushButton* bitBtn1_ = nullptr;
    QPushButton* bitBtn2_ = nullptr;
    QPushButton* bitBtn3_ = nullptr;
    QLineEdit* edit1_ = nullptr;
    bool running_ = false;
    bool cancel_ = false;
    bool calculated_ = false;
};

}  // namespace timesheet
