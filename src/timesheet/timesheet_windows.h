#pragma once
// Installs the timesheet windows into the frame: the commands "Табель общий",
// " ... по отделам", "Создать", "Корректировка списков", "Расчетный месяц"
// and "Календарь". The frame's owner calls installTimesheetWindows once
// after FormCreate.
#include <QObject>

#include "timesheet/reference_columns.h"
#include "timesheet/timesheet_env.h"

namespace app {
class Tkadr_o;
}

namespace timesheet {

class TFormTab;

class TimesheetWindows : public QObject {
    Q_OBJECT
public:
    explicit TimesheetWindows(app::Tkadr_o& frame);

    // The viewing sequence: calculates a missing month first, then opens
    // the timesheet window (all rows, or the department).
    TFormTab* openTimesheet(std::optional<struct TabDepartment> department);
    void createTimesheet();  // "Создать"
    void correctLists();     // "Корректировка списков"
    void chooseMonth();      // "Расчетный месяц"
    void openCalendar();     // "Календарь"
    void openDepartmentTimesheet();  // " ... по отделам"
    void openReference(ReferenceMode mode);  // "Праздники", "Календари", "Продолжительность "

    TimesheetEnv env();

private:
    void setViewingCommands(bool enabled);
    void openPersonalCard(int64_t kod);
    bool calculateModal();

    app::Tkadr_o& frame_;
    TFormTab* window_ = nullptr;
};

TimesheetWindows* installTimesheetWindows(app::Tkadr_o& frame);

}  // namespace timesheet
