// The timesheet windows on the offscreen platform over the demo data folder,
// found by their component names. KADRY_SHOTS=DIR saves screenshots.
#include <QApplication>
#include <QCalendarWidget>
#include <QDateEdit>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QTableView>
#include <gtest/gtest.h>

#include "app/demo_data.h"
#include "base/cp1251.h"
#include "base/cp_literal.h"
#include "base/file_ops.h"
#include "db/sql.h"
#include "db/table.h"
#include "db/table_ops.h"
#include "support/temp_folder.h"
#include "timesheet/definitions.h"
#include "timesheet/form_kalendar.h"
#include "timesheet/form_new_tab.h"
#include "timesheet/form_peri.h"
#include "timesheet/form_tab.h"
#include "timesheet/form_spr.h"
#include "timesheet/form_tab_ind.h"
#include "timesheet/monthly_norms.h"
#include "timesheet/folder_inputs.h"
#include "ui/qt_text.h"
#include "ui/recording_messages.h"
#include "../app/qt_app.h"

namespace {

using timesheet::GridColumnKind;

QString u8(const char* s) { return QString::fromUtf8(s); }

class TimesheetWindows : public ::testing::Test {
protected:
    void SetUp() override {
        testing_support::qtApp();
        ASSERT_TRUE(app::makeDemoData(data.path(), base::Date::fromYmd(2026, 12, 11)).isOk());
        env.workFolder = work.path();
        env.dataFolder = data.path();
        env.month = {2026, 12};
        env.today = base::Date::fromYmd(2026, 12, 11);
        env.workstation = "1";
        env.messages = &messages;
        env.font = QFont("DejaVu Sans", 9);
        env.readSetting = [this](const std::string& m) { return settings[m]; };
        env.writeSetting = [this](const std::string& m, const std::string& v) { settings[m] = v; };
        env.confirmDelete = [this] { return confirm; };
    }

    std::string monthTable() const { return data.path() + timesheet::monthTableName(12, 2026); }

    void calculate() {
        timesheet::TFormNewTab dialog(env);
        dialog.findChild<QPushButton*>("BitBtn2")->click();
        ASSERT_TRUE(dialog.calculated()) << joined();
    }

    std::string joined() const {
        std::string all;
        for (const auto& l : messages.lines) all += l + "\n";
        return all;
    }

    void shot(QWidget& w, const char* name) {
        if (const char* dir = std::getenv("KADRY_SHOTS")) w.grab().save(QString(dir) + "/" + name);
    }

    static int columnOf(timesheet::TFormTab& form, const std::string& field) {
        const auto& columns = form.model().columns();
        for (int c = 0; c < int(columns.size()); ++c)
            if (columns[c].field == field) return c;
        return -1;
    }

    static void type(QWidget* w, const QString& text) {
        for (QChar ch : text) {
            QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(ch));
            QApplication::sendEvent(w, &press);
        }
    }

    testing_support::TempFolder work, data;
    ui::RecordingMessages messages;
    timesheet::TimesheetEnv env;
    std::map<std::string, std::string> settings;
    bool confirm = true;
};

TEST_F(TimesheetWindows, CalculationDialogDisablesItsButtonsCancelsAndLeavesNothingWhenClosedUnused) {
    {
        timesheet::TFormNewTab unused(env);
        EXPECT_EQ(unused.windowTitle(), u8("РАСЧЕТ ТАБЕЛЯ за    ДЕКАБРЬ   2026  г."));
        unused.close();
        EXPECT_FALSE(db::tableExists(monthTable()));  // nothing copied over the data folder
    }
    timesheet::TFormNewTab dialog(env);
    dialog.show();
    auto* all = dialog.findChild<QPushButton*>("BitBtn2");
    auto* dept = dialog.findChild<QPushButton*>("BitBtn3");
    bool disabledWhileRunning = true;
    std::size_t seen = 0;
    dialog.onProgress = [&](std::size_t done) {
        seen = done;
        disabledWhileRunning = disabledWhileRunning && !all->isEnabled() && !dept->isEnabled();
        if (done == 1) all->click();  // a second press does not start a run inside the run
        if (done == 3) dialog.findChild<QPushButton*>("BitBtn1")->click();  // cancel
    };
    shot(dialog, "calculation_dialog.png");
    all->click();
    EXPECT_TRUE(disabledWhileRunning);
    EXPECT_EQ(seen, 3u);
    EXPECT_TRUE(dialog.calculated());
    EXPECT_TRUE(db::tableExists(monthTable()));
    EXPECT_NE(joined().find(" Расчет закончен "), std::string::npos) << joined();
    EXPECT_FALSE(dialog.findChild<QLabel*>("Label1")->text().isEmpty());
}

TEST_F(TimesheetWindows, DepartmentButtonAsksForTheCodeAndRefusesAnUnknownOne) {
    timesheet::TFormNewTab dialog(env);
    auto* edit = dialog.findChild<QLineEdit*>("Edit1");
    auto* dept = dialog.findChild<QPushButton*>("BitBtn3");
    dialog.show();
    EXPECT_TRUE(edit->isHidden());
    dept->click();
    EXPECT_FALSE(edit->isHidden());
    EXPECT_EQ(edit->maxLength(), 2);
    edit->setText("ZZ");
    dept->click();
    EXPECT_FALSE(dialog.calculated());
    EXPECT_NE(joined().find("ZZ"), std::string::npos) << joined();
    EXPECT_FALSE(db::tableExists(monthTable()));
}

TEST_F(TimesheetWindows, TimesheetWindowColumnsCaptionTotalsAndShortView) {
    calculate();
    timesheet::TFormTab form(env, std::nullopt);
    ASSERT_TRUE(form.FormCreate()) << joined();
    form.resize(1300, 600);
    form.show();
    form.FormActivate();
    auto* grid = form.findChild<QTableView*>("DBGridTab");
    ASSERT_TRUE(grid);
    for (const char* b : {"ToolButton2", "ToolButton4", "ToolButton11"}) EXPECT_TRUE(form.findChild<QWidget*>(b)) << b;
    const int people = form.model().rowCount() - 1;
    EXPECT_GT(people, 3);
    EXPECT_TRUE(form.caption().startsWith(u8(" ТАБЕЛЬ за ДЕКАБРЬ 2026 - %1 чел. /").arg(people)))
        << form.caption().toStdString();
    // Hidden up to NOM; LK and FIO never editable; result columns from the definitions.
    EXPECT_TRUE(grid->isColumnHidden(columnOf(form, "KOD")));
    EXPECT_TRUE(grid->isColumnHidden(columnOf(form, "NOM")));
    EXPECT_FALSE(grid->isColumnHidden(columnOf(form, "LK")));
    const QModelIndex lk = form.model().index(0, columnOf(form, "LK"));
    EXPECT_FALSE(form.model().flags(lk) & Qt::ItemIsEditable);
    EXPECT_FALSE(form.model().flags(form.model().index(0, columnOf(form, "FIO"))) & Qt::ItemIsEditable);
    EXPECT_TRUE(form.model().flags(form.model().index(0, columnOf(form, "R001"))) & Qt::ItemIsEditable);
    for (const auto& c : form.model().columns())
        if (c.kind == GridColumnKind::Result) EXPECT_EQ(c.field[0] == 'R' || c.field[0] == 'H' || c.field[0] == 'C', true);
    EXPECT_EQ(columnOf(form, "D31"), columnOf(form, "D01") + 30);
    shot(form, "timesheet_window.png");

    // The totals row holds the sum of R001 over the other rows.
    double sum = 0;
    int totalsRow = -1;
    for (int r = 0; r < form.model().rowCount(); ++r) {
        if (form.model().isTotalsRow(r)) totalsRow = r;
        else sum += std::atof(form.model().text(r, "R001").c_str());
    }
    ASSERT_GE(totalsRow, 0);
    EXPECT_GT(sum, 0);
    EXPECT_DOUBLE_EQ(std::atof(form.model().text(totalsRow, "R001").c_str()), sum);

    // Print: the view into TAB_C.DBF, employees numbered, LK of the totals row empty.
    std::string printed;
    env.print = [&](const std::string& t) { printed = t; };
    timesheet::TFormTab printing(env, std::nullopt);
    ASSERT_TRUE(printing.FormCreate());
    printing.Print();
    EXPECT_EQ(printed, "TAB_C.DBF");
    {
        auto tabC = db::Table::open(work.path() + "TAB_C.DBF");
        ASSERT_TRUE(tabC.isOk()) << joined();
        EXPECT_EQ((*tabC)->recordCount(), people + 1);
        (*tabC)->first();
        EXPECT_EQ((*tabC)->text("NOM"), "1");
        (*tabC)->goToPosition(totalsRow + 1);
        EXPECT_EQ((*tabC)->text("LK"), "");
        EXPECT_EQ((*tabC)->text("KOD"), "99999");
    }

    form.findChild<QCheckBox*>("CheckBox1")->click();
    EXPECT_EQ(settings["6T&"], "1");
    EXPECT_EQ(columnOf(form, "D01"), -1);
    shot(form, "timesheet_window_short.png");
    form.findChild<QCheckBox*>("CheckBox1")->click();
    EXPECT_EQ(settings["6T&"], "0");
    EXPECT_GE(columnOf(form, "D01"), 0);
}

TEST_F(TimesheetWindows, DepartmentViewTotalsItsOwnRowsAndItsSortedViewHasNoTotalsRow) {
    calculate();
    // Two totals rows in a row: opening removes the second.
    {
        db::SqlFolder sql(data.path());
        ASSERT_TRUE(sql.execute("INSERT INTO T1226.DBF (KOD, LK, FIO) VALUES (99999, 99999, \"x\")").isOk());
    }
    std::string bKod, bbK;
    {
        timesheet::TFormTab all(env, std::nullopt);
        ASSERT_TRUE(all.FormCreate());
        int totals = 0;
        for (int r = 0; r < all.model().rowCount(); ++r) totals += all.model().isTotalsRow(r);
        EXPECT_EQ(totals, 1);
        bKod = all.model().text(0, "B_KOD");
        bbK = all.model().text(0, "BB_K");
    }
    timesheet::TFormTab form(env, timesheet::TabDepartment{bKod, bbK, "Отдел"_cp});
    ASSERT_TRUE(form.FormCreate());
    form.show();
    form.FormActivate();
    double sum = 0;
    int totalsRow = -1;
    for (int r = 0; r < form.model().rowCount(); ++r) {
        if (form.model().isTotalsRow(r)) totalsRow = r;
        else {
            EXPECT_EQ(form.model().text(r, "B_KOD"), bKod);
            sum += std::atof(form.model().text(r, "R001").c_str());
        }
    }
    ASSERT_GE(totalsRow, 0);
    EXPECT_DOUBLE_EQ(std::atof(form.model().text(totalsRow, "R001").c_str()), sum);
    EXPECT_NE(form.caption().toStdString().find("ОТДЕЛ - Отдел - "), std::string::npos) << form.caption().toStdString();

    // "Очистить" on a day column does nothing.
    const std::string d01 = form.model().text(0, "D01");
    form.grid()->setCurrentIndex(form.model().index(0, columnOf(form, "D01")));
    form.ToolButton11Click();
    EXPECT_EQ(form.model().text(0, "D01"), d01);

    form.grid()->setCurrentIndex(form.model().index(0, columnOf(form, "FIO")));
    form.SortByCurrentColumn();
    for (int r = 0; r < form.model().rowCount(); ++r) EXPECT_FALSE(form.model().isTotalsRow(r));
    for (int r = 1; r < form.model().rowCount(); ++r)
        EXPECT_LE(form.model().text(r - 1, "FIO"), form.model().text(r, "FIO"));
}

TEST_F(TimesheetWindows, TypingInLkOrFioSearchesAndNeverEdits) {
    calculate();
    timesheet::TFormTab form(env, std::nullopt);
    ASSERT_TRUE(form.FormCreate());
    form.show();
    form.FormActivate();
    auto* grid = form.findChild<QTableView*>("DBGridTab");
    // A name of the last employee row: typing its first letters finds it.
    int target = form.model().rowCount() - 1;
    while (form.model().isTotalsRow(target)) --target;
    const std::string fio = form.model().text(target, "FIO");
    const std::string lkBefore = form.model().text(0, "LK");
    grid->setCurrentIndex(form.model().index(0, columnOf(form, "FIO")));
    type(grid, ui::toQ(fio.substr(0, 3)));
    EXPECT_EQ(form.model().text(form.currentRow(), "FIO").substr(0, 3), fio.substr(0, 3)) << joined();
    EXPECT_TRUE(form.findChild<QLabel*>("Label2")->text().contains(ui::toQ(fio.substr(0, 2)).toUpper()));

    // A digit in LK searches personnel numbers; the number itself is untouched.
    grid->setCurrentIndex(form.model().index(0, columnOf(form, "LK")));
    type(grid, "9");
    EXPECT_EQ(form.model().text(0, "LK"), lkBefore);
    type(grid, "999999");  // nothing begins so: message, the row stays
    EXPECT_NE(joined().find("не найдена "), std::string::npos) << joined();

    // A day cell takes digits, "," becoming "."; letters are refused there.
    const QModelIndex d02 = form.model().index(0, columnOf(form, "D02"));
    grid->setCurrentIndex(d02);
    type(grid, "x");
    EXPECT_FALSE(grid->viewport()->findChild<QLineEdit*>());
    type(grid, "7");
    auto* editor = grid->viewport()->findChild<QLineEdit*>();
    ASSERT_TRUE(editor);
    type(editor, ",5");
    EXPECT_EQ(editor->text(), "7.5");
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(editor, &enter);
    QApplication::processEvents();
    EXPECT_EQ(form.model().text(0, "D02"), "7.5");
}

TEST_F(TimesheetWindows, DeletingAnEmployedPersonsRowIsRefusedAFormerOnesIsLogged) {
    calculate();
    timesheet::TFormTab form(env, std::nullopt);
    ASSERT_TRUE(form.FormCreate());
    form.show();
    form.FormActivate();
    const int rows = form.model().rowCount();
    form.setCurrentRow(0);
    const std::string fio = form.model().text(0, "FIO");
    form.DeleteRow();
    EXPECT_NE(joined().find(" не уволен "), std::string::npos) << joined();
    EXPECT_EQ(form.model().rowCount(), rows);

    // Archive the card of row 0: now the row may go, with a log record.
    const int64_t kod = form.model().kod(0);
    {
        db::SqlFolder sql(data.path());
        ASSERT_TRUE(sql.execute("UPDATE DANN.DBF SET METKA = \"A\" WHERE KOD = " + std::to_string(kod)).isOk());
    }
    form.setCurrentRow(0);
    form.DeleteRow();
    EXPECT_EQ(form.model().rowCount(), rows - 1);
    EXPECT_EQ(form.model().rowOfKod(kod), -1);
    auto log = base::readFile(work.path() + "Delet.sdc");
    ASSERT_TRUE(log.isOk());
    EXPECT_EQ(log->rfind("    ====    11.12-T1226-", 0), 0u) << *log;
    EXPECT_NE(log->find("FIO-" + fio + ";"), std::string::npos);
}

TEST_F(TimesheetWindows, RecalculationAndIndividualTimesheetSave) {
    calculate();
    timesheet::TFormTab form(env, std::nullopt);
    ASSERT_TRUE(form.FormCreate());
    form.show();
    form.FormActivate();
    form.setCurrentRow(0);
    const int64_t kod = form.model().kod(0);
    const std::string r001 = form.model().text(0, "R001");
    ASSERT_TRUE(form.model().store(0, "R001", "").isOk());
    form.ToolButton4Click();  // "Расчет" writes the row again
    EXPECT_EQ(form.model().text(form.model().rowOfKod(kod), "R001"), r001) << joined();

    // The individual timesheet: 6 December 2026 is a Sunday.
    timesheet::TFormTabInd ind(env, kod);
    ASSERT_TRUE(ind.FormCreate()) << joined();
    EXPECT_EQ(ind.dayField(31) != nullptr, true);
    EXPECT_TRUE(ind.findChild<QComboBox*>("ComboBox1"));
    ind.show();
    shot(ind, "individual_timesheet.png");
    ind.dayField(6)->setFocus();
    ind.dayField(6)->setText("");
    type(ind.dayField(6), "8");
    type(ind.dayField(6), ",5");
    type(ind.dayField(6), ".");  // a second "." is refused
    EXPECT_EQ(ind.dayField(6)->text(), "8.5");
    ind.dayField(7)->setText("0");  // a "0" mark is emptied
    ind.BitBtn2Click();
    auto table = db::Table::open(monthTable());
    ASSERT_TRUE(table.isOk());
    const auto recs = (*table)->findEqual((*table)->fieldIndex("KOD"), std::to_string(kod));
    ASSERT_EQ(recs.size(), 1u);
    (*table)->goToRecNo(recs[0]);
    EXPECT_EQ((*table)->text("D06"), "8.5");
    EXPECT_EQ((*table)->text("D07"), "");
}

TEST_F(TimesheetWindows, IndividualTimesheetCodeListAndCancelRestoresTheMarks) {
    calculate();
    int64_t kod = 0;
    {
        timesheet::TFormTab form(env, std::nullopt);
        ASSERT_TRUE(form.FormCreate());
        kod = form.model().kod(0);
    }
    timesheet::TFormTabInd ind(env, kod);
    ASSERT_TRUE(ind.FormCreate());
    ind.show();
    const QString before = ind.dayField(2)->text();
    auto* codes = ind.findChild<QComboBox*>("ComboBox1");
    ASSERT_GT(codes->count(), 3);
    EXPECT_EQ(codes->itemText(0), "8");  // "ФР" shows the card's hours per day
    EXPECT_EQ(codes->itemText(1), u8("ОТ"));
    ind.dayField(2)->setFocus();
    QApplication::processEvents();
    ind.ComboBox1Choose(1);
    EXPECT_EQ(ind.dayField(2)->text(), u8("ОТ"));
    ind.BitBtn1Click();  // "Отказ": the marks as they were
    auto table = db::Table::open(monthTable());
    ASSERT_TRUE(table.isOk());
    const auto recs = (*table)->findEqual((*table)->fieldIndex("KOD"), std::to_string(kod));
    ASSERT_EQ(recs.size(), 1u);
    (*table)->goToRecNo(recs[0]);
    EXPECT_EQ(ui::toQ((*table)->text("D02")), before);
}

TEST_F(TimesheetWindows, IndividualTimesheetOfAThirtyDayMonthHasNoDay31) {
    env.month = {2026, 11};
    calculate();
    timesheet::TFormTab form(env, std::nullopt);
    ASSERT_TRUE(form.FormCreate());
    timesheet::TFormTabInd ind(env, form.model().kod(0));
    ASSERT_TRUE(ind.FormCreate());
    EXPECT_EQ(ind.dayField(31), nullptr);
    EXPECT_FALSE(ind.findChild<QLabel*>("Label31"));
    EXPECT_TRUE(ind.dayField(30));
}

TEST_F(TimesheetWindows, AccountingMonthDialogAndCalendarTool) {
    timesheet::Tperi peri(data.path(), {2026, 12});
    auto* list = peri.findChild<QListWidget*>("ListBox1");
    auto* years = peri.findChild<QComboBox*>("ComboBox1");
    ASSERT_TRUE(list && years);
    EXPECT_EQ(years->itemText(0), "1995");
    EXPECT_EQ(years->itemText(years->count() - 1), "2056");
    EXPECT_EQ(years->currentText(), "2026");
    if (list->count() == 12) EXPECT_EQ(list->currentRow(), 11);
    peri.show();
    shot(peri, "accounting_month.png");
    list->setCurrentRow(2);
    years->setCurrentIndex(years->findText("2009"));
    peri.findChild<QPushButton*>("BitBtn1")->click();
    ASSERT_TRUE(peri.chosen());
    EXPECT_EQ(peri.chosen()->month, 3);
    EXPECT_EQ(peri.chosen()->year, 2009);

    auto* kal = new timesheet::TKalendar(data.path(), base::Date::fromYmd(2016, 1, 31));
    kal->findChild<QComboBox*>("ComboBox2")->setCurrentIndex(1);  // February: the day clipped
    EXPECT_EQ(kal->shown(), base::Date::fromYmd(2016, 2, 29));
    kal->show(base::Date::fromYmd(2016, 2, 10));
    kal->findChild<QPushButton*>("BitBtn4")->click();  // end of the month
    EXPECT_EQ(kal->shown(), base::Date::fromYmd(2016, 2, 29));
    kal->findChild<QPushButton*>("BitBtn5")->click();  // end of the quarter
    EXPECT_EQ(kal->shown(), base::Date::fromYmd(2016, 3, 31));
    kal->findChild<QPushButton*>("BitBtn2")->click();  // start of the quarter
    EXPECT_EQ(kal->shown(), base::Date::fromYmd(2016, 1, 1));
    kal->findChild<QPushButton*>("BitBtn6")->click();
    EXPECT_EQ(kal->shown(), base::Date::fromYmd(2016, 12, 31));
    EXPECT_EQ(kal->findChild<QComboBox*>("ComboBox2")->currentIndex(), 11);
    kal->QWidget::show();
    shot(*kal, "calendar_tool.png");
    kal->close();
}

TEST_F(TimesheetWindows, HolidayPanelAddsAndTheTableIsSortedByDateOnClose) {
    bool closed = false;
    {
        timesheet::TFormSpr spr(env, timesheet::ReferenceMode::Holidays);
        spr.onClosed = [&] { closed = true; };
        ASSERT_TRUE(spr.FormCreate()) << joined();
        spr.show();
        const int rows = spr.model().rowCount();
        ASSERT_GT(rows, 0);
        EXPECT_EQ(spr.grid()->currentIndex().row(), rows - 1);  // on the last row
        EXPECT_EQ(spr.windowTitle(), u8(" Праздники "));
        spr.Add();
        auto* panel = spr.findChild<QWidget*>("PanelPraz");
        EXPECT_TRUE(panel->isVisible());
        spr.findChild<QDateEdit*>("DateTimePicker1")->setDate(QDate(1990, 1, 2));  // earlier than the rest
        spr.findChild<QLineEdit*>("Edit15")->setText(u8("Проба"));
        shot(spr, "holidays.png");
        spr.findChild<QPushButton*>("BitBtn9")->click();
        EXPECT_FALSE(panel->isVisible());
        EXPECT_EQ(spr.model().rowCount(), rows + 1);
        // Typed keys do not edit the holiday grid.
        EXPECT_FALSE(spr.model().flags(spr.model().index(0, 0)) & Qt::ItemIsEditable);
        spr.close();
    }
    EXPECT_TRUE(closed);
    auto table = db::Table::open(data.path() + "PRAZ.DBF");
    ASSERT_TRUE(table.isOk());
    base::Date previous;
    int count = 0;
    for ((*table)->first(); !(*table)->eof(); (*table)->next(), ++count) {
        const base::Date d = (*table)->date((*table)->fieldIndex("DATA"));
        if (count == 0) EXPECT_EQ(d, base::Date::fromYmd(1990, 1, 2));
        if (count > 0) EXPECT_LE(previous, d);
        previous = d;
    }
}

TEST_F(TimesheetWindows, CalendarDoubleClickWritesTheCyrillicDayOffAndNewCalendarsAreNumbered) {
    timesheet::TFormSpr spr(env, timesheet::ReferenceMode::Calendars);
    ASSERT_TRUE(spr.FormCreate()) << joined();
    spr.resize(793, 300);
    spr.show();
    const auto& columns = spr.model().columns();
    int d05 = -1, praz = -1;
    for (int c = 0; c < int(columns.size()); ++c) {
        if (columns[c].field == "d05") d05 = c;
        if (columns[c].field == "praz") praz = c;
    }
    ASSERT_GE(d05, 0);
    spr.GridDblClick(spr.model().index(0, d05));
    spr.GridDblClick(spr.model().index(0, praz));
    spr.GridDblClick(spr.model().index(0, 0));  // NOM: unchanged
    EXPECT_EQ(spr.model().data(spr.model().index(0, d05), Qt::DisplayRole).toString(), u8("В#"));
    EXPECT_EQ(ui::fromQ(spr.model().data(spr.model().index(0, d05), Qt::DisplayRole).toString())[0], '\xC2');
    EXPECT_EQ(spr.model().data(spr.model().index(0, praz), Qt::DisplayRole).toString(), "*");
    EXPECT_EQ(spr.model().data(spr.model().index(0, 0), Qt::DisplayRole).toString(), "1");
    shot(spr, "calendars.png");
    const int rows = spr.model().rowCount();
    spr.Add();
    ASSERT_EQ(spr.model().rowCount(), rows + 1);
    EXPECT_EQ(spr.model().data(spr.model().index(rows, 0), Qt::DisplayRole).toString(), QString::number(rows + 1));
    spr.CopyRow();
    EXPECT_EQ(spr.model().rowCount(), rows + 2);
}

TEST_F(TimesheetWindows, MonthlyNormsOfTheCurrentDurationRowFromTheDataFolderHolidays) {
    timesheet::TFormSpr spr(env, timesheet::ReferenceMode::Durations);
    ASSERT_TRUE(spr.FormCreate()) << joined();
    spr.resize(793, 300);
    spr.show();
    ASSERT_GT(spr.model().rowCount(), 0);
    spr.setCurrent(0, 0);
    // Blank the norms, then compute them.
    const auto& columns = spr.model().columns();
    for (int c = 3; c < int(columns.size()); ++c) ASSERT_TRUE(spr.model().store(0, c, "").isOk());
    spr.Rass();
    const int year = spr.model().data(spr.model().index(0, 0), Qt::DisplayRole).toInt();
    const int week = spr.model().data(spr.model().index(0, 1), Qt::DisplayRole).toInt();
    const int hours = spr.model().data(spr.model().index(0, 2), Qt::DisplayRole).toInt();
    auto holidays = timesheet::readHolidaysBetween(data.path(), base::Date::fromYmd(year, 1, 1),
                                                   base::Date::fromYmd(year + 1, 1, 1));
    ASSERT_TRUE(holidays.isOk());
    const auto norms = timesheet::monthlyNorms(year, week, hours, holidays.value());
    for (int m = 0; m < 12; ++m) {
        EXPECT_EQ(spr.model().data(spr.model().index(0, 3 + 2 * m), Qt::DisplayRole).toInt(), norms[m].days) << m;
        EXPECT_EQ(spr.model().data(spr.model().index(0, 4 + 2 * m), Qt::DisplayRole).toInt(), norms[m].hours) << m;
    }
    EXPECT_GT(norms[0].days, 10);
    shot(spr, "durations.png");
}

}  // namespace

#include <QMdiArea>
#include <QMdiSubWindow>

#include "app/kadr_o.h"
#include "timesheet/timesheet_windows.h"

namespace {

TEST(TimesheetInFrame, FrameCommandsOpenTheWindowsAndFollowThem) {
    testing_support::qtApp();
    testing_support::TempFolder work, data;
    ASSERT_TRUE(app::makeDemoData(data.path(), base::Date::fromYmd(2026, 12, 7)).isOk());
    work.write("setup.sdc", "!l!122026!l!\r\n!S8Default!S8\r\nS%&" + data.path() + "S%&\r\n!!!1!!!");
    ui::RecordingMessages msgs;
    app::Tkadr_o frame(work.path(), base::Date::fromYmd(2026, 12, 7));
    frame.useMessages(&msgs);
    ASSERT_TRUE(frame.FormCreate());
    auto* windows = timesheet::installTimesheetWindows(frame);
    frame.resize(1280, 800);
    frame.show();
    for (const char* name : {"S_MenuTabA", "S_MenuO", "S_MenuRTab", "korsp", "S_MenuPeri", "S_MenuKal", "S_MenuPraz",
                             "S_MenuProd", "N18"})
        EXPECT_TRUE(frame.command(name) && frame.command(name)->isEnabled()) << name;

    {  // the month's table first, so the viewing command does not ask for it
        timesheet::TFormNewTab dialog(windows->env());
        dialog.findChild<QPushButton*>("BitBtn2")->click();
        ASSERT_TRUE(dialog.calculated());
    }
    frame.command("S_MenuTabA")->trigger();
    QApplication::processEvents();
    auto* tab = frame.findChild<timesheet::TFormTab*>("TFormTab");
    ASSERT_TRUE(tab);
    EXPECT_FALSE(frame.command("S_MenuPeri")->isEnabled());
    EXPECT_FALSE(frame.command("S_MenuTabA")->isEnabled());
    // "Продолжить поиск" reaches the window through the bounce and is cleared.
    frame.commands().setFlag(app::Cmd::FindNext, 1);
    tab->FormActivate();
    EXPECT_EQ(frame.commands().flag(app::Cmd::FindNext), 0);
    if (const char* dir = std::getenv("KADRY_SHOTS")) frame.grab().save(QString(dir) + "/frame_timesheet.png");
    frame.mdiArea()->closeAllSubWindows();
    QApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(frame.command("S_MenuPeri")->isEnabled());

    // The list correction on the existing month.
    frame.command("korsp")->trigger();
    EXPECT_NE(msgs.lines.back().find(" Корректировка закончена "), std::string::npos) << [&] { std::string a; for (auto& l : msgs.lines) a += l + "\n"; return a; }();

    // One reference window at a time.
    frame.command("S_MenuPraz")->trigger();
    QApplication::processEvents();
    EXPECT_EQ(frame.findChildren<timesheet::TFormSpr*>().size(), 1);
    frame.command("S_MenuProd")->trigger();
    QApplication::processEvents();
    EXPECT_EQ(frame.findChildren<timesheet::TFormSpr*>().size(), 1);
    frame.mdiArea()->closeAllSubWindows();
    QApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(frame.commands().modes.referenceMode, 0);
    frame.command("S_MenuProd")->trigger();
    QApplication::processEvents();
    EXPECT_EQ(frame.findChildren<timesheet::TFormSpr*>().size(), 1);
    frame.mdiArea()->closeAllSubWindows();
    QApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    frame.FormClose();
}

}  // namespace
