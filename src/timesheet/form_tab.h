#pragma once
// TFormTab: the accounting month's timesheet window, for all employees
// ("tav") or for one department ("tao"). Edits day cells and result
// columns, keeps the totals row, searches and sorts by LK or FIO, removes
// former employees' rows, recalculates one row, opens the individual
// timesheet and the personal card.
#include <QWidget>
#include <functional>
#include <optional>

#include "app/child_window.h"
#include "timesheet/definitions.h"
#include "timesheet/month_layout.h"
#include "timesheet/month_table_model.h"
#include "timesheet/timesheet_env.h"

class QCheckBox;
class QLabel;
class QTableView;
class QToolButton;

namespace timesheet {

struct TabDepartment {
    std::string bKod, bbK;
    std::string names;  // shown in the caption
};

class TFormTab : public QWidget, public app::ChildWindow {
    Q_OBJECT
public:
    // `department` set: mode "tao".
    TFormTab(const TimesheetEnv& env, std::optional<TabDepartment> department, QWidget* parent = nullptr);
    ~TFormTab() override;

    // Reads the definitions and opens the month's table; false (with the
    // message shown) when the window cannot work.
    bool FormCreate();
    void FormActivate() override;

    // The individual timesheet for a KOD (modal); set by the owner.
    std::function<void(int64_t kod)> openIndividual;

    MonthTableModel& model() { return model_; }
    QTableView* grid() const { return grid_; }
    QString caption() const { return windowTitle(); }
    void setCurrentRow(int row);
    int currentRow() const;

    // Handlers, public for the frame's commands and the tests.
    void ToolButton2Click();   // personal card
    void ToolButton4Click();   // "Расчет"
    void ToolButton11Click();  // "Очистить"
    void CheckBox1Click();     // "Укороченный"
    void DeleteRow();
    void EditRow();
    void SortByCurrentColumn();
    void FindNext();
    void Print();
    void computeTotals();
    // A key typed in the grid (search, or the start of an edit).
    bool gridKey(QKeyEvent* event);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void closeWindow();
    void buildColumns();
    void reopen(int64_t keepKod);
    void removeDoubleTotals();
    void updateCaption();
    std::string currentField() const;
    bool searchFrom(int start);
    std::string tablePath() const;
    void report(const base::Status& s);

    TimesheetEnv env_;
    std::optional<TabDepartment> department_;
    std::vector<Definition> inUse_;
    MonthLayout layout_;
    MonthView view_;
    MonthTableModel model_;
    QTableView* grid_ = nullptr;
    QCheckBox* checkBox1_ = nullptr;
    QLabel* label2_ = nullptr;
    std::string captionBase_;  // up to " чел. /"
    std::string searchText_, searchField_, searchColumn_;
    bool firstActivation_ = true;
};

}  // namespace timesheet
