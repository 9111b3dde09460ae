// The organisation commands of the frame: enabled once installed, opening
// their windows with the selector modes, and handing the choice on.
#include <gtest/gtest.h>

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTableWidget>
#include <QToolButton>

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

#include "records/records_windows.h"
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

    frame.command("N8")->trigger();
    auto* chooser = qobject_cast<org::TFormPoOtd*>(activeForm(frame));
    ASSERT_NE(chooser, nullptr);
    chooser->findChild<QTableWidget*>("DBGridPod")->selectRow(2);
    chooser->ToolButton3Click();
    EXPECT_EQ(frame.commands().modes.chosenCodes, "0301/");
    EXPECT_EQ(frame.commands().modes.openMode, "kao");
    QWidget* cardFile = activeForm(frame);
    ASSERT_NE(cardFile, nullptr);
    EXPECT_EQ(cardFile->objectName(), "DannForm");
    EXPECT_FALSE(frame.command("N8")->isEnabled());
    frame.mdiArea()->activeSubWindow()->close();
    QTRY_VERIFY(frame.command("N8")->isEnabled());
    EXPECT_TRUE(frame.command("N5")->isEnabled());
    if (const char* shots = std::getenv("KADRY_SHOTS")) frame.grab().save(QString::fromUtf8(shots) + "/frame_choice.png");
}
#endif

}  // namespace
