// The card file and the personal card on the offscreen platform, over the
// demo data folder, found by their component names.
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <gtest/gtest.h>

#include "app/demo_data.h"
#include "app/mask_edit_n.h"
#include "db/sql.h"
#include "base/cp1251.h"
#include "base/text_trim.h"
#include "records/assignments.h"
#include "records/card_tables.h"
#include "records/dann_form.h"
#include "records/form_dialogs.h"
#include "records/form_kart.h"
#include "records/history_model.h"
#include "records/working_copy.h"
#include "support/temp_folder.h"
#include "ui/qt_text.h"
#include "ui/recording_messages.h"
#include "../app/qt_app.h"

namespace {

class RecordsWindows : public ::testing::Test {
protected:
    void SetUp() override {
        testing_support::qtApp();
        ASSERT_TRUE(app::makeDemoData(data.path(), base::Date::fromYmd(2026, 12, 11)).isOk());
        env.ctx.workFolder = work.path();
        env.ctx.dataFolder = data.path();
        env.ctx.workstation = "1";
        env.ctx.firstOfMonth = base::Date::fromYmd(2026, 12, 1);
        env.ctx.today = base::Date::fromYmd(2026, 12, 11);
        env.ctx.messages = &messages;
        env.forms = &forms;
        env.storeSortField = [this](const std::string& f) { storedSort = f; };
        env.font = QFont("DejaVu Sans", 9);
    }

    void shot(QWidget& w, const char* name) {
        if (const char* dir = std::getenv("KADRY_SHOTS")) w.grab().save(QString(dir) + "/" + name);
    }

    testing_support::TempFolder work, data;
    ui::RecordingMessages messages;
    records::NoRuntimeForms forms;
    records::RecordsEnv env;
    std::string storedSort;
};

TEST_F(RecordsWindows, CardFileListsSearchesFiltersSorts) {
    // Readable widths for the screenshot (the built-in rows hold 10 pixels).
    {
        db::SqlFolder sql(data.path());
        ASSERT_TRUE(sql.execute("UPDATE DANN_SK.DBF SET file_v = \"70\"").isOk());
    }
    records::TDannForm form(env, {"ka"});
    form.resize(1200, 700);
    form.show();
    form.FormActivate();
    auto* grid = form.findChild<QTableView*>("DBGridDann");
    ASSERT_TRUE(grid);
    const int n = form.model().rowCount();
    EXPECT_GT(n, 10);
    EXPECT_TRUE(form.caption().startsWith(QString::fromUtf8(" ВСЕГО - %1 чел.").arg(n))) << form.caption().toStdString();
    EXPECT_TRUE(form.caption().contains(QString::fromUtf8("Т№")));
    for (const char* b : {"BitBtn1", "BitBtn2", "BitBtn3", "BitBtn4", "BitBtn5", "BitBtn6", "BitBtn7"})
        EXPECT_TRUE(form.findChild<QPushButton*>(b)) << b;
    shot(form, "card_file.png");

    // Sorted by FIO: incremental search in the FIO column.
    int fioColumn = -1;
    for (int c = 0; c < int(form.model().columns().size()); ++c)
        if (form.model().columns()[c].field == "FIO") fioColumn = c;
    ASSERT_GE(fioColumn, 0);
    grid->setCurrentIndex(form.model().index(0, fioColumn));
    const std::string target = form.model().text(n / 2, "FIO");
    form.SearchChar(target[0]);
    form.SearchChar(target[1]);
    EXPECT_EQ(base::cp1251ToUtf8(form.model().text(form.currentRow(), "FIO")).substr(0, 4),
              base::cp1251ToUtf8(target).substr(0, 4));
    form.SearchChar('#');
    EXPECT_EQ(messages.lines.back().rfind("BOX: Строка", 0), 0u);
    EXPECT_TRUE(form.searchText().empty());

    // Exact filter on the department of the current card, then cancel.
    int podColumn = -1;
    for (int c = 0; c < int(form.model().columns().size()); ++c)
        if (form.model().columns()[c].field == "POD") podColumn = c;
    ASSERT_GE(podColumn, 0);
    grid->setCurrentIndex(form.model().index(0, podColumn));
    const std::string pod = form.model().text(0, "POD");
    form.BitBtn5Click();
    EXPECT_LT(form.model().rowCount(), n);
    for (int r = 0; r < form.model().rowCount(); ++r) EXPECT_EQ(form.model().text(r, "POD"), pod);
    EXPECT_TRUE(form.caption().contains(QString::fromUtf8(" Фильтр (POD = ")));
    form.CancelFilter();
    EXPECT_EQ(form.model().rowCount(), n);

    // Sort by the current column: stored under "iND".
    int lkColumn = -1;
    for (int c = 0; c < int(form.model().columns().size()); ++c)
        if (form.model().columns()[c].field == "LK") lkColumn = c;
    grid->setCurrentIndex(form.model().index(0, lkColumn));
    form.BitBtn6Click();
    EXPECT_EQ(storedSort, "LK");
    EXPECT_LE(std::stod(form.model().text(0, "LK")), std::stod(form.model().text(1, "LK")));
}

TEST_F(RecordsWindows, EmptyArchiveDisablesTheCommands) {
    records::TDannForm form(env, {"arx"});
    form.show();
    form.FormActivate();
    EXPECT_EQ(form.caption(), QString::fromUtf8(" Архив уволенных 0 чел."));
    for (const char* b : {"BitBtn1", "BitBtn2", "BitBtn3", "BitBtn4", "BitBtn5", "BitBtn6", "BitBtn7"})
        EXPECT_FALSE(form.findChild<QPushButton*>(b)->isEnabled()) << b;
    form.BitBtn2Click();  // nothing to act on
    EXPECT_TRUE(messages.lines.empty());
}

TEST_F(RecordsWindows, PersonalCardShowsTheCard) {
    auto dict = app::loadDictionary(data.file("DANN_SK.DBF"));
    ASSERT_TRUE(dict);
    // The card file gives a card its assignment row when the cursor reaches it.
    ASSERT_TRUE(records::ensureAssignmentRow(env.ctx, *dict, 1, false).isOk());
    ASSERT_TRUE(records::makeWorkingCopy(env.ctx, *dict, 1).isOk());
    records::TFormKart card(env, *dict, false);
    card.show();
    auto* pages = card.findChild<QTabWidget*>("PageControl1");
    ASSERT_TRUE(pages);
    QStringList tabs;
    for (int i = 0; i < pages->count(); ++i) tabs << pages->tabText(i);
    EXPECT_EQ(tabs.join(","), QString::fromUtf8("Лист 1,Назначения,Больничные,Отпуска,Командировки,Дополнительно"));
    EXPECT_TRUE(card.windowTitle().startsWith(QString::fromUtf8(" Личная карточка - ")));
    EXPECT_FALSE(card.value("FAM").empty());
    EXPECT_TRUE(card.findChild<TMaskEditN*>("DBEditDOL1"));
    EXPECT_TRUE(card.findChild<QLabel*>("LabelStagNTD")->text().startsWith(QString::fromUtf8("Стаж ")));
    for (const char* b : {"BitBtnList1", "BitBtn1", "BitBtn7", "BitBtn12", "BitBtn13"})
        EXPECT_TRUE(card.findChild<QPushButton*>(b)) << b;
    EXPECT_GE(card.history(records::HistoryTab::Assignments)->rowCount(), 1);
    card.resize(1000, 620);
    shot(card, "personal_card.png");
}

TEST_F(RecordsWindows, NewAssignmentDialogAndDeleteChoice) {
    records::TFormNewDan hiring(base::Date::fromYmd(2026, 12, 1), true, QFont());
    EXPECT_FALSE(hiring.findChild<QPushButton*>("BitBtn2")->isEnabled());
    hiring.findChild<QLineEdit*>("Edit1")->setText("17");
    hiring.findChild<QPushButton*>("BitBtn1")->click();
    EXPECT_EQ(hiring.answer().kind, records::NewAssignmentAnswer::New);
    EXPECT_EQ(hiring.answer().orderNumber, "17");
    EXPECT_EQ(hiring.answer().orderDate.text(), "01.12.2026");

    records::TFormDelYv dismissed(false, work.path());
    EXPECT_TRUE(dismissed.findChild<QPushButton*>("BitBtn1")->isHidden());
    EXPECT_EQ(dismissed.findChild<QPushButton*>("BitBtn2")->text(), QString::fromUtf8("В архив уволенных"));
    records::TFormDelYv archived(true, work.path());
    archived.show();
    EXPECT_TRUE(archived.findChild<QPushButton*>("BitBtn1")->isVisible());
    EXPECT_EQ(archived.findChild<QPushButton*>("BitBtn2")->text(), QString::fromUtf8("В общий список"));
}

}  // namespace

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>

#include "app/kadr_o.h"
#include "records/records_windows.h"

namespace {

TEST(RecordsInFrame, CardFileOpensFromTheFrameCommand) {
    testing_support::qtApp();
    testing_support::TempFolder work, data;
    ASSERT_TRUE(app::makeDemoData(data.path(), base::Date::fromYmd(2026, 12, 7)).isOk());
    work.write("setup.sdc", "!l!122026!l!\r\n!S8Default!S8\r\nS%&" + data.path() + "S%&\r\n!!!1!!!");
    ui::RecordingMessages msgs;
    app::Tkadr_o frame(work.path(), base::Date::fromYmd(2026, 12, 7));
    frame.useMessages(&msgs);
    ASSERT_TRUE(frame.FormCreate());
    records::installRecordsWindows(frame);
    frame.resize(1280, 800);
    frame.show();
    QAction* n7 = frame.command("N7");
    ASSERT_TRUE(n7);
    ASSERT_TRUE(n7->isEnabled());
    n7->trigger();
    QApplication::processEvents();
    auto* form = frame.findChild<records::TDannForm*>("DannForm");
    ASSERT_TRUE(form);
    EXPECT_TRUE(form->caption().startsWith(QString::fromUtf8(" ВСЕГО - ")));
    EXPECT_TRUE(form->caption().contains(QString::fromUtf8("Т№"))) << form->caption().toStdString();
    EXPECT_FALSE(n7->isEnabled());  // one card file at a time
    // The frame's edit command reaches the card file through the bounce.
    frame.commands().setFlag(app::Cmd::CancelFilter, 1);
    form->FormActivate();
    EXPECT_EQ(frame.commands().flag(app::Cmd::CancelFilter), 0);
    if (const char* dir = std::getenv("KADRY_SHOTS")) frame.grab().save(QString(dir) + "/frame_card_file.png");
    frame.mdiArea()->closeAllSubWindows();
    QApplication::processEvents();
    EXPECT_TRUE(n7->isEnabled());
}

}  // namespace

#include <QTimer>

namespace {

// Drives the modal windows of a hire: the personal card gets a name and a
// number and is saved, the new-assignment question answers "new", the card
// closes; the card file then lists the new card.
TEST_F(RecordsWindows, HireThroughTheCardFile) {
    records::TDannForm form(env, {"ka"});
    form.show();
    form.FormActivate();
    const int before = form.model().rowCount();
    int step = 0;
    QTimer driver;
    QObject::connect(&driver, &QTimer::timeout, [&] {
        // The newest visible modal dialog (the offscreen platform has no active window).
        QWidget* modal = nullptr;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->isVisible() && w->isModal() && (!modal || w->objectName() == "FormNewDan")) modal = w;
        if (!modal) return;
        if (modal->objectName() == "FormNewDan") {
            modal->findChild<QLineEdit*>("Edit1")->setText("5");
            // Clicked after this tick returns: a timer does not fire inside its own slot.
            QTimer::singleShot(0, modal->findChild<QPushButton*>("BitBtn1"), &QPushButton::click);
        } else if (modal->objectName() == "FormKart" && step == 0) {
            step = 1;
            auto* card = static_cast<records::TFormKart*>(modal);
            card->setValue("FAM", base::utf8ToCp1251("Новиков"));
            card->setValue("IM", base::utf8ToCp1251("Олег"));
            card->setValue("OT", base::utf8ToCp1251("Ильич"));
            card->setValue("LK", "9999");
            card->setValue("D_DOL", "10.12.2026");
            // Save, and close the card only once the save and its new-assignment
            // dialog are over: closing it from a later tick could land while
            // the save is still running and take its working copy away.
            QTimer::singleShot(0, card, [card, &step] {
                card->findChild<QPushButton*>("BitBtnList1")->click();
                step = 2;
                card->reject();
            });
        }
    });
    driver.start(20);
    form.BitBtn3Click();
    driver.stop();
    EXPECT_EQ(step, 2);
    EXPECT_EQ(form.model().rowCount(), before + 1);
    const int row = form.currentRow();
    EXPECT_EQ(base::cp1251ToUtf8(form.model().text(row, "FIO")), "Новиков О.И.");
    EXPECT_EQ(form.model().text(row, "LK"), "9999");
    db::SqlFolder sql(data.path());
    auto nazn = sql.query("Select * From NAZN.DBF WHERE KOD = :k", {{"k", std::to_string(form.currentCode())}});
    ASSERT_TRUE(nazn);
    ASSERT_EQ((*nazn)->recordCount(), 1);
    (*nazn)->first();
    EXPECT_EQ((*nazn)->text("OSN"), "5");
    EXPECT_EQ((*nazn)->text("D_DOL"), "10.12.2026");
}

}  // namespace

#include <QHeaderView>

namespace {

TEST_F(RecordsWindows, ClosingSavesTheColumnLayoutIntoTheDictionary) {
    auto* form = new records::TDannForm(env, {"ka"});
    form->show();
    form->FormActivate();
    auto* grid = form->findChild<QTableView*>("DBGridDann");
    int fio = -1;
    for (int c = 0; c < int(form->model().columns().size()); ++c)
        if (form->model().columns()[c].field == "FIO") fio = c;
    ASSERT_GT(fio, 0);
    grid->horizontalHeader()->moveSection(grid->horizontalHeader()->visualIndex(fio), 0);
    grid->setColumnWidth(fio, 123);
    form->close();  // deletes itself
    QApplication::processEvents();
    auto dict = app::loadDictionary(data.file("DANN_SK.DBF"));
    ASSERT_TRUE(dict);
    EXPECT_EQ((*dict)[0].name(), "FIO");
    EXPECT_EQ(base::trimBlanks((*dict)[0].fileV), "123");
    EXPECT_EQ((*dict)[1].name(), "KOD");
}

}  // namespace

#include <QKeyEvent>

namespace {

TEST_F(RecordsWindows, SecondSheetShowsTheUserFields) {
    auto dict = app::loadDictionary(data.file("DANN_SK.DBF"));
    ASSERT_TRUE(dict);
    app::DictionaryEntry money, text;
    money.fileN = "PREM";
    money.fileC = base::utf8ToCp1251("Премия");
    money.fileT = "F";
    money.base = "DANN.DBF";
    text = money;
    text.fileN = "ADR2";
    text.fileC = base::utf8ToCp1251("Адрес 2");
    text.fileT = "C";
    text.fileV = "80";
    dict->push_back(money);
    dict->push_back(text);
    ASSERT_TRUE(records::makeWorkingCopy(env.ctx, *dict, 1).isOk());
    records::TFormKart card(env, *dict, false);
    card.show();
    auto* pages = card.findChild<QTabWidget*>("PageControl1");
    EXPECT_EQ(pages->tabText(1), QString::fromUtf8("Лист 2"));
    EXPECT_EQ(card.findChild<QLabel*>("Label4")->text(), QString::fromUtf8("Премия"));
    auto* first = card.findChild<TMaskEditN*>("MaskEditN4");
    auto* second = card.findChild<QLineEdit*>("Edit5");
    ASSERT_TRUE(first && second);
    EXPECT_EQ(second->width(), 80);
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    pages->setCurrentIndex(1);
    QApplication::setActiveWindow(&card);
    first->setFocus();
    QApplication::sendEvent(first, &enter);
    EXPECT_TRUE(second->hasFocus());
    QApplication::sendEvent(second, &enter);
    EXPECT_TRUE(card.findChild<QPushButton*>("BitBtnList3")->hasFocus());
}

}  // namespace

#include "records_fixture.h"

namespace {

// Dismissal and its undo reach the data folder when the card closes, also
// without a save.
TEST_F(RecordsWindows, DismissalAndUndoReachTheDataFolder) {
    records_test::FormStandIn stand(work);
    stand.answer = "#D_DOL.ЗНАЧЕНИЕ.|05.12.2026|\r\n";
    env.forms = &stand;
    auto dict = app::loadDictionary(data.file("DANN_SK.DBF"));
    ASSERT_TRUE(dict);
    auto metka = [&] {
        db::SqlFolder sql(data.path());
        auto r = sql.query("Select METKA, D_DOL From DANN.DBF WHERE KOD = 3");
        (*r)->first();
        return (*r)->text(0) + " " + (*r)->text(1);
    };
    ASSERT_TRUE(records::ensureAssignmentRow(env.ctx, *dict, 3, false).isOk());
    {
        ASSERT_TRUE(records::makeWorkingCopy(env.ctx, *dict, 3).isOk());
        records::TFormKart card(env, *dict, false);
        card.BitBtn1Click();
        EXPECT_TRUE(card.windowTitle().contains(QString::fromUtf8("Уволен")));
        EXPECT_EQ(card.findChild<QPushButton*>("BitBtn1")->text(), QString::fromUtf8("Снять увольнение"));
        EXPECT_FALSE(card.findChild<QPushButton*>("BitBtnList1")->isEnabled());
        card.reject();
        EXPECT_TRUE(card.wroteBack());
    }
    EXPECT_EQ(metka(), "Y 05.12.2026");
    {
        ASSERT_TRUE(records::makeWorkingCopy(env.ctx, *dict, 3).isOk());
        records::TFormKart card(env, *dict, false);
        EXPECT_TRUE(card.readOnly());
        card.BitBtn1Click();  // undo
        EXPECT_FALSE(card.readOnly());
        card.reject();
    }
    EXPECT_EQ(metka().substr(0, 1), "R");
    EXPECT_EQ(stand.titles, std::vector<std::string>{"Увольнения"});
}

}  // namespace

namespace {

TEST_F(RecordsWindows, DepartmentViewListsOneDepartment) {
    db::SqlFolder sql(data.path());
    auto pod = sql.query("Select POD, B_KOD, BB_K From POD.DBF");
    ASSERT_TRUE(pod);
    (*pod)->first();
    const std::string name = (*pod)->text(0), dept = (*pod)->text(1), group = (*pod)->text(2);
    records::TDannForm form(env, {"kao", dept, group, name});
    form.show();
    form.FormActivate();
    ASSERT_GT(form.model().rowCount(), 0);
    for (int r = 0; r < form.model().rowCount(); ++r) EXPECT_EQ(form.model().text(r, "B_KOD"), dept);
    EXPECT_TRUE(form.caption().startsWith(QString::fromUtf8("ОТДЕЛ ") + ui::toQ(base::trimBlanks(name)) + "  -  "));
}

}  // namespace
