#pragma once
// TFormSpr: the calendar reference tables of the data folder in one window,
// one mode each: holidays (PRAZ.DBF, edited in a small panel), work
// calendars (KAL.DBF) and work durations (PROD.DBF), both edited in place.
// In the durations mode the "Индексы" command computes the monthly norms of
// the current row from the data folder's holidays. On close PRAZ.DBF is
// sorted by date, whatever the mode.
#include <QWidget>
#include <functional>

#include "app/child_window.h"
#include "timesheet/reference_table_model.h"
#include "timesheet/timesheet_env.h"

class QDateEdit;
class QLineEdit;
class QTableView;

namespace timesheet {

class TFormSpr : public QWidget, public app::ChildWindow {
    Q_OBJECT
public:
    TFormSpr(const TimesheetEnv& env, ReferenceMode mode, QWidget* parent = nullptr);
    ~TFormSpr() override;

    bool FormCreate();
    void FormActivate() override;
    // Run once the window has closed (the frame clears its reference mode).
    std::function<void()> onClosed;

    ReferenceTableModel& model() { return model_; }
    QTableView* grid() const { return grid_; }
    void setCurrent(int row, int column);

    void Add();
    void EditRow();
    void DeleteRow();
    void CopyRow();
    void Rass();
    void GridDblClick(const QModelIndex& index);
    void BitBtn9Click();   // "Сохранить" of the holiday panel
    void BitBtn10Click();  // "Отказ"

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void closeWindow();
    void report(const base::Status& s);
    std::string path() const { return env_.dataFolder + referenceTable(mode_); }

    TimesheetEnv env_;
    ReferenceMode mode_;
    ReferenceTableModel model_;
    QTableView* grid_ = nullptr;
    QWidget* panel_ = nullptr;
    QDateEdit* date_ = nullptr;
    QLineEdit* name_ = nullptr;
    bool panelAdds_ = false;
    bool closed_ = false;
};

}  // namespace timesheet
