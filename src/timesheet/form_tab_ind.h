#pragma once
// TFormTabInd: one employee's row of the month's timesheet as a month
// calendar, one field per day in weekday columns. "Сохранить" recounts the
// row's result columns ("+#" and "-#" choose the days that count) and
// writes the row; "Отказ" writes the marks back as they were. Marks
// beginning with "0" are emptied by both. Fields the month's table lacks
// are skipped; a value too long for its field is reported, never cut.
#include <QDialog>
#include <array>
#include <memory>

#include "db/table.h"
#include "timesheet/day_marks.h"
#include "timesheet/month_layout.h"
#include "timesheet/timesheet_env.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace timesheet {

class TFormTabInd : public QDialog {
    Q_OBJECT
public:
    TFormTabInd(const TimesheetEnv& env, int64_t kod, QWidget* parent = nullptr);
    ~TFormTabInd() override;

    // False (the message shown) when the row cannot be opened.
    bool FormCreate();
    // Opens the window modally for the row of `kod`.
    static void Edit(const TimesheetEnv& env, int64_t kod, QWidget* parent);

    void BitBtn1Click();  // "Отказ"
    void BitBtn2Click();  // "Сохранить"
    void ComboBox1Choose(int index);
    QLineEdit* dayField(int day) const { return day >= 1 && day <= 31 ? fields_[day - 1] : nullptr; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void layoutDays();
    bool dayKey(int day, QKeyEvent* event);
    void moveFromDay(int day);
    DayCells cellsOnScreen() const;
    void writeRow(const DayCells& cells, const std::vector<std::optional<std::string>>* results);

    TimesheetEnv env_;
    int64_t kod_;
    int weekDays_ = 5;
    std::string dayHours_ = "8";
    MonthLayout layout_;
    std::unique_ptr<db::Table> table_;
    int64_t recNo_ = 0;
    DayCells saved_;
    std::array<QLineEdit*, 31> fields_{};
    std::array<QLabel*, 31> labels_{};
    std::array<bool, 31> typed_{};
    QComboBox* comboBox1_ = nullptr;
    QPushButton* bitBtn1_ = nullptr;
    QPushButton* bitBtn2_ = nullptr;
    int remembered_ = 0;  // the day field the code list writes into
};

}  // namespace timesheet
