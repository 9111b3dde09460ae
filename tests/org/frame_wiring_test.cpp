// The organisation commands of the frame: enabled once installed, opening
// their windows with the selector modes, and handing the choice on.
#include <gtest/gtest.h>

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTableWidget>
#include <QToolButton>
#include <map>

#include "app/demo_data.h"
#include "app/kadr_o.h"
#include "app/qt_app.h"
#include "org/form_po_otd.h"
#include "org/org_commands.h"
#include "org/org_frame.h"
#include "support/temp_folder.h"
#include "ui/recording_messages.h"

#ifdef KADRY_ORG_WITH_RECORDS
#include <QTest>
#include <QTimer>

#include "db/sql.h"
#include "records/dann_form.h"
#include "records/form_kart.h"
#include "records/records_windows.h"
#include "ui/qt_text.h"
#endif

namespace {

QWidget* activeForm(app::Tkadr_o& frame) {
    QMdiSubWindow* sub = frame.mdiArea()->activeSubWindow();
    return sub ? sub->widget() : nullptr;
}

TEST(OrgFrame, CommandsOpenTheWindowsWithTheirSelectorModes) {
    testing_support::qtApp();
    testing_support::TempFolder work, data;
    ASSERT_TRUE(app::makeDemoData(data.path(), base::Date::fromYmd(2026, 12, 7)).isOk());
    work.write("setup.sdc", "!l!122026!l!\r\n!S8Default!S8\r\nS%&" + data.path() + "S%&\r\n!!!1!!!");
    ui::RecordingMessages msgs;
    app::Tkadr_o frame(work.path(), base::Date::fromYmd(2026, 12, 7));
    frame.useMessages(&msgs);
    ASSERT_TRUE(frame.FormCreate());
    frame.resize(1000, 700);
    frame.show();

    org::OrgCommands& commands = org::installFrame(frame);
    EXPECT_EQ(&commands, &org::installFrame(frame));  // installed once
    for (const char* name : {"S_MenuStat", "S_MenuPod", "N40", "N8", "N5"})
        EXPECT_TRUE(frame.command(name)->isEnabled()) << name;

    frame.command("S_MenuStat")->trigger();
    ASSERT_NE(activeForm(frame), nullptr);
    EXPECT_EQ(activeForm(frame)->objectName(), "FormPoDol");
    EXPECT_EQ(frame.commands().modes.selectorMode, 4);
    EXPECT_EQ(activeForm(frame)->findChild<QTableWidget*>("DBGridDol")->rowCount(), 12);
    if (const char* shots = std::getenv("KADRY_SHOTS")) frame.grab().save(QString::fromUtf8(shots) + "/frame_staffing.png");
    frame.mdiArea()->activeSubWindow()->close();
    QApplication::processEvents();
    EXPECT_EQ(frame.commands().modes.selectorMode, 0);

    frame.command("N40")->trigger();
    EXPECT_EQ(frame.commands().modes.selectorMode, 3);
    auto* groups = qobject_cast<org::TFormPoOtd*>(activeForm(frame));
    ASSERT_NE(groups, nullptr);
    EXPECT_TRUE(groups->showingGroups());
    frame.mdiArea()->activeSubWindow()->close();
    QApplication::processEvents();
    EXPECT_EQ(frame.commands().modes.selectorMode, 0);

    std::vector<std::string> opened;
    commands.entries().openCardFile = [&](const org::UnitChoice& c, const std::string& mode) {
        opened.push_back(mode + " " + c.codes);
    };
    frame.command("N8")->trigger();
    auto* chooser = qobject_cast<org::TFormPoOtd*>(activeForm(frame));
    ASSERT_NE(chooser, nullptr);
    EXPECT_EQ(frame.commands().modes.openMode, "kao");
    EXPECT_EQ(frame.commands().modes.selectorMode, 2);
    chooser->findChild<QTableWidget*>("DBGridPod")->selectRow(3);
    chooser->ToolButton3Click();
    EXPECT_EQ(opened, (std::vector<std::string>{"kao 0402/"}));
    // With the selector open the card-file commands open the card file at once.
    frame.command("N5")->trigger();
    EXPECT_EQ(opened.back(), "kag 0402/");
    EXPECT_EQ(frame.mdiArea()->subWindowList().size(), 1);
    frame.mdiArea()->closeAllSubWindows();
    QApplication::processEvents();
    EXPECT_EQ(frame.commands().modes.selectorMode, 0);
}

#ifdef KADRY_ORG_WITH_RECORDS
TEST(OrgFrame, TheChoiceOpensTheCardFileOfTheRecordsWindows) {
    testing_support::qtApp();
    testing_support::TempFolder work, data;
    ASSERT_TRUE(app::makeDemoData(data.path(), base::Date::fromYmd(2026, 12, 7)).isOk());
    work.write("setup.sdc", "!l!122026!l!\r\n!S8Default!S8\r\nS%&" + data.path() + "S%&\r\n!!!1!!!");
    ui::RecordingMessages msgs;
    app::Tkadr_o frame(work.path(), base::Date::fromYmd(2026, 12, 7));
    frame.useMessages(&msgs);
    ASSERT_TRUE(frame.FormCreate());
    frame.resize(1000, 700);
    frame.show();
    records::installRecordsWindows(frame);
    org::installFrame(frame);

    std::map<std::string, bool> enabledBefore;
    for (const char* name : {"N7", "N8", "N5", "S_MenuTabA", "S_MenuO", "N45", "S_MenuRTab"})
        enabledBefore[name] = frame.command(name)->isEnabled();

    frame.command("N8")->trigger();
    auto* chooser = qobject_cast<org::TFormPoOtd*>(activeForm(frame));
    ASSERT_NE(chooser, nullptr);
    chooser->findChild<QTableWidget*>("DBGridPod")->selectRow(2);
    chooser->ToolButton3Click();
    EXPECT_EQ(frame.commands().modes.chosenCodes, "0301/");
    EXPECT_EQ(frame.commands().modes.openMode, "kao");
    auto* cardFile = qobject_cast<records::TDannForm*>(activeForm(frame));
    ASSERT_NE(cardFile, nullptr);
    // The card file lists the chosen department's cards of its group, and says which.
    db::SqlFolder sql(data.path());
    auto expected = sql.query("Select KOD From DANN.DBF WHERE METKA <> \"A\" AND B_KOD = \"03\" AND BB_K = \"01\"", {});
    ASSERT_TRUE(expected);
    int64_t n = 0;
    for ((*expected)->first(); !(*expected)->eof(); (*expected)->next()) ++n;
    ASSERT_GT(n, 0);
    EXPECT_EQ(cardFile->model().rowCount(), n);
    const QString caption = QString::fromUtf8("ОТДЕЛ ") + ui::toQ(frame.commands().modes.chosenNames) + "  -  " +
                            QString::number(n) + QString::fromUtf8(" чел.");
    EXPECT_TRUE(cardFile->caption().startsWith(caption)) << cardFile->caption().toStdString();
    if (const char* shots = std::getenv("KADRY_SHOTS"))
        frame.grab().save(QString::fromUtf8(shots) + "/frame_card_file_department.png");
    for (const char* name : {"N7", "N8", "N5"}) EXPECT_FALSE(frame.command(name)->isEnabled()) << name;

    // Closing the card file gives back exactly the commands it switched off.
    for (QMdiSubWindow* w : frame.mdiArea()->subWindowList())
        if (w->widget() == cardFile) w->close();
    QTRY_VERIFY(frame.command("N8")->isEnabled());
    for (const auto& [name, on] : enabledBefore) EXPECT_EQ(frame.command(QString::fromStdString(name))->isEnabled(), on) << name;
    if (const char* shots = std::getenv("KADRY_SHOTS")) frame.grab().save(QString::fromUtf8(shots) + "/frame_choice.png");

    // With the selector still open, " ... по группам" lists the chosen department's group.
    frame.command("N5")->trigger();
    auto* groupFile = frame.findChild<records::TDannForm*>("DannForm");
    ASSERT_NE(groupFile, nullptr);
    auto inGroup = sql.query("Select KOD From DANN.DBF WHERE METKA <> \"A\" AND BB_K = \"01\"", {});
    ASSERT_TRUE(inGroup);
    int64_t g = 0;
    for ((*inGroup)->first(); !(*inGroup)->eof(); (*inGroup)->next()) ++g;
    EXPECT_EQ(groupFile->model().rowCount(), g);
    EXPECT_TRUE(groupFile->caption().startsWith(QString::fromUtf8("ГРУППА ") + ui::toQ(frame.commands().modes.chosenNames) +
                                                "  -  " + QString::number(g) + QString::fromUtf8(" чел.")))
        << groupFile->caption().toStdString();
}

// The personal card's position opens the staffing table as a modal chooser on
// the card's own position; the chosen one fills the card's position fields.
TEST(OrgFrame, ThePersonalCardChoosesItsPositionInTheStaffingTable) {
    testing_support::qtApp();
    testing_support::TempFolder work, data;
    ASSERT_TRUE(app::makeDemoData(data.path(), base::Date::fromYmd(2026, 12, 7)).isOk());
    work.write("setup.sdc", "!l!122026!l!\r\n!S8Default!S8\r\nS%&" + data.path() + "S%&\r\n!!!1!!!");
    ui::RecordingMessages msgs;
    app::Tkadr_o frame(work.path(), base::Date::fromYmd(2026, 12, 7));
    frame.useMessages(&msgs);
    ASSERT_TRUE(frame.FormCreate());
    frame.resize(1000, 700);
    frame.show();
    records::installRecordsWindows(frame);
    org::installFrame(frame);

    frame.command("N7")->trigger();
    auto* cardFile = frame.findChild<records::TDannForm*>("DannForm");
    ASSERT_NE(cardFile, nullptr);

    QString ownPosition, preselected, picked, taken, takenSalary;
    int selectorModeInChooser = -1;
    QTimer driver;
    QObject::connect(&driver, &QTimer::timeout, [&] {
        QWidget* chooserDialog = nullptr;
        records::TFormKart* card = nullptr;
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (!w->isVisible()) continue;
            if (w->objectName() == "FormPoDolChooser") chooserDialog = w;
            if (w->objectName() == "FormKart") card = static_cast<records::TFormKart*>(w);
        }
        if (chooserDialog) {
            selectorModeInChooser = frame.commands().modes.selectorMode;
            auto* grid = chooserDialog->findChild<QTableWidget*>("DBGridDol");
            preselected = grid->item(grid->currentRow(), 0)->text().trimmed();
            // Another position with a staff rate.
            for (int r = 0; r < grid->rowCount(); ++r)
                if (grid->item(r, 0)->text().trimmed() != preselected && grid->item(r, 5)->text().trimmed().toDouble() > 0) {
                    grid->setCurrentCell(r, 0);
                    picked = grid->item(r, 0)->text().trimmed();
                    break;
                }
            QTimer::singleShot(0, grid, [grid] { QTest::keyClick(grid, Qt::Key_Return); });
        } else if (card && ownPosition.isEmpty()) {
            ownPosition = ui::toQ(card->value("DOL")).trimmed();
            // Read the result and close the card only once the choice is over:
            // closing it from a later tick could land inside DolClick.
            QTimer::singleShot(0, card, [&, card] {
                card->DolClick();
                taken = ui::toQ(card->value("DOL")).trimmed();
                takenSalary = ui::toQ(card->value("DOL1")).trimmed();
                card->reject();
            });
        }
    });
    driver.start(20);
    cardFile->BitBtn1Click();
    driver.stop();

    ASSERT_FALSE(ownPosition.isEmpty());
    EXPECT_EQ(preselected, ownPosition);
    EXPECT_EQ(selectorModeInChooser, 5);
    EXPECT_EQ(frame.commands().modes.selectorMode, 0);
    ASSERT_FALSE(picked.isEmpty());
    EXPECT_EQ(taken, picked);
    EXPECT_FALSE(takenSalary.isEmpty());
}
#endif

}  // namespace
