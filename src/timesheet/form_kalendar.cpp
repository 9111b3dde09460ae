#include "timesheet/form_kalendar.h"

#include <QCalendarWidget>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QPushButton>

#include "timesheet/calendar_jumps.h"
#include "timesheet/form_peri.h"
#include "ui/qt_text.h"

namespace timesheet {

TKalendar::TKalendar(const std::string& workFolder, base::Date today, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint) {
    setObjectName("TKalendar");
    setWindowTitle(QString::fromUtf8("Календарь"));
    setAttribute(Qt::WA_DeleteOnClose);
    calendar_ = new QCalendarWidget(this);
    calendar_->setObjectName("MonthCalendar1");
    calendar_->setVerticalHeaderFormat(QCalendarWidget::ISOWeekNumbers);
    calendar_->setFirstDayOfWeek(Qt::Monday);
    calendar_->setLocale(QLocale(QLocale::Russian, QLocale::Russia));
    years_ = new QComboBox(this);
    years_->setObjectName("ComboBox1");
    for (int y = 1754; y <= 3000; ++y) years_->addItem(QString::number(y));
    months_ = new QComboBox(this);
    months_->setObjectName("ComboBox2");
    for (const std::string& n : monthNamesFrom(workFolder + "nammec.dbf")) months_->addItem(ui::toQ(n));
    while (months_->count() < 12) months_->addItem(QString::number(months_->count() + 1));

    auto* start = new QGroupBox(QString::fromUtf8(" В начало "), this);
    auto* end = new QGroupBox(QString::fromUtf8(" В конец "), this);
    auto* startLayout = new QVBoxLayout(start);
    auto* endLayout = new QVBoxLayout(end);
    const char* captions[3] = {"Месяца", "Квартала", "Года"};
    const JumpSpan spans[3] = {JumpSpan::Month, JumpSpan::Quarter, JumpSpan::Year};
    for (int i = 0; i < 3; ++i) {
        auto* toStart = new QPushButton(QString::fromUtf8(captions[i]), start);
        toStart->setObjectName(QString("BitBtn%1").arg(i + 1));
        startLayout->addWidget(toStart);
        connect(toStart, &QPushButton::clicked, this, [this, span = spans[i]] { show(startOf(shown(), span)); });
        auto* toEnd = new QPushButton(QString::fromUtf8(captions[i]), end);
        toEnd->setObjectName(QString("BitBtn%1").arg(i + 4));
        endLayout->addWidget(toEnd);
        connect(toEnd, &QPushButton::clicked, this, [this, span = spans[i]] { show(endOf(shown(), span)); });
    }
    auto* layout = new QGridLayout(this);
    layout->addWidget(calendar_, 0, 0, 3, 1);
    layout->addWidget(years_, 0, 1);
    layout->addWidget(months_, 0, 2);
    layout->addWidget(start, 1, 1);
    layout->addWidget(end, 1, 2);

    connect(calendar_, &QCalendarWidget::clicked, this, [this] { follow(); });
    connect(years_, &QComboBox::currentIndexChanged, this, [this](int i) {
        if (!following_ && i >= 0) show(withYear(shown(), 1754 + i));
    });
    connect(months_, &QComboBox::currentIndexChanged, this, [this](int i) {
        if (!following_ && i >= 0) show(withMonth(shown(), i + 1));
    });
    show(today);
}

base::Date TKalendar::shown() const {
    const QDate d = calendar_->selectedDate();
    return base::Date::fromYmd(d.year(), d.month(), d.day());
}

void TKalendar::show(base::Date d) {
    calendar_->setSelectedDate(QDate(d.year(), d.month(), d.day()));
    follow();
}

void TKalendar::follow() {
    following_ = true;
    const base::Date d = shown();
    years_->setCurrentIndex(d.year() - 1754);
    months_->setCurrentIndex(d.month() - 1);
    following_ = false;
}

}  // namespace timesheet
