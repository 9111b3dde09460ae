#pragma once
// TKalendar: the calendar tool ("Календарь"), a month calendar with week
// numbers, year and month drop-downs and jumps to the start or end of the
// month, quarter or year. Stays on top; several may be open.
#include <QWidget>
#include <string>

#include "base/date.h"

class QCalendarWidget;
class QComboBox;

namespace timesheet {

class TKalendar : public QWidget {
    Q_OBJECT
public:
    // Month names from the working folder's nammec.dbf.
    TKalendar(const std::string& workFolder, base::Date today, QWidget* parent = nullptr);

    base::Date shown() const;
    void show(base::Date d);
    using QWidget::show;

private:
    void follow();

    QCalendarWidget* calendar_ = nullptr;
    QComboBox* years_ = nullptr;
    QComboBox* months_ = nullptr;
    bool following_ = false;
};

}  // namespace timesheet
