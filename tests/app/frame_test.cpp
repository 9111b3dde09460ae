#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QTest>
#include <QToolButton>

#include "app/child_window.h"
#include "app/kadr_o.h"
#include "app/window_placement.h"
#include "qt_app.h"
#include "support/temp_folder.h"
#include "ui/recording_messages.h"

using testing_support::TempFolder;

namespace {

struct Fixture {
    TempFolder work, data;
    std::unique_ptr<app::Tkadr_o> frame;
    ui::RecordingMessages msgs;
    Fixture() {
        testing_support::qtApp();
        work.write("setup.sdc", "!l!032026!l!\r\n!S8Default!S8\r\nS%&" + data.path() + "S%&\r\n!!!1!!!");
        frame = std::make_unique<app::Tkadr_o>(work.path(), base::Date::fromYmd(2026, 12, 7));
        frame->useMessages(&msgs);
    }
};

// A child that performs the filter request and records its activations.
class FilterChild : public QWidget, public app::ChildWindow {
public:
    explicit FilterChild(app::CommandDispatcher& commands) : commands_(commands) {}
    void FormActivate() override {
        ++activations;
        if (commands_.take(app::Cmd::Filter)) ++filters;
    }
    int activations = 0, filters = 0;

private:
    app::CommandDispatcher& commands_;
};

}  // namespace

TEST(Frame, MenusToolbarAndStatusBarByComponentName) {
    Fixture f;
    app::Tkadr_o& w = *f.frame;
    EXPECT_EQ(w.windowTitle(), QString::fromUtf8("    VLT-ОТДЕЛ КАДРОВ 6.3"));
    const struct {
        const char* name;
        const char* caption;
        bool enabled;
    } items[] = {
        {"S_MenuHelp", "Помощь", true},       {"S_MenuPro", "О программе ...", true},
        {"S_MenuExit", "Выход", true},        {"N7", "Общая картотека", false},
        {"N8", " ...  по отделам", false},    {"N5", " ... по группам", false},
        {"S_MenuTabA", "Табель общий", false}, {"N28", "     Документы     ", false},
        {"S_MenuOtc", "    Отчеты    ", false}, {"korsp", "Корректировка списков", false},
        {"N18", "Продолжительность ", false}, {"N29", "Фильтр", true},
        {"S_MenuCalc", "Калькулятор ", false}, {"N10", "Установки программы", true},
        {"S_MenuCloAl", "Закрыть все окна", true}, {"N72", "Английский", false},
    };
    for (const auto& item : items) {
        QAction* a = w.findChild<QAction*>(item.name);
        ASSERT_NE(a, nullptr) << item.name;
        EXPECT_EQ(a->text(), QString::fromUtf8(item.caption)) << item.name;
        EXPECT_EQ(a->isEnabled(), item.enabled) << item.name;
        EXPECT_TRUE(a->isVisible()) << item.name;
    }
    EXPECT_EQ(w.findChild<QAction*>("N29")->shortcut(), QKeySequence(Qt::Key_F6));
    EXPECT_EQ(w.findChild<QMenu*>("MenuSpra")->title(), QString::fromUtf8("     Справочники     "));
    auto* kall = w.findChild<QToolButton*>("ToolButtonKall");
    ASSERT_NE(kall, nullptr);
    EXPECT_EQ(kall->toolTip(), QString::fromUtf8("Общая картотека"));
    EXPECT_FALSE(kall->isEnabled());
    EXPECT_EQ(w.findChild<QToolButton*>("ToolButtonExc")->toolTip(), QString::fromUtf8("Экспорт в Exel"));
    EXPECT_EQ(w.findChild<QToolButton*>("ToolButtonKal")->toolTip(), QString::fromUtf8(" Календарь Alt+Q"));
    EXPECT_TRUE(w.findChild<QCheckBox*>("CheckBox1")->isChecked());
    EXPECT_FALSE(w.findChild<QCheckBox*>("CheckBox2")->isChecked());
    EXPECT_EQ(w.findChild<QLabel*>("StatusPanel0")->text(), "ARDEL");

    // a later window's subsystem enables its command, and the button follows
    int opened = 0;
    w.setCommandHandler("N7", [&] { ++opened; });
    EXPECT_TRUE(kall->isEnabled());
    kall->click();
    EXPECT_EQ(opened, 1);

    ASSERT_TRUE(w.FormCreate());
    EXPECT_EQ(w.findChild<QLabel*>("StatusPanel1")->text(), QString::fromUtf8("Расчетный месяц    МАРТ  2026"));
    EXPECT_EQ(w.findChild<QLabel*>("StatusPanel2")->text(), QString::fromUtf8("   Текущая дата    07.12.2026"));
    w.FormClose();
}

TEST(Frame, CommandsBounceToTheActiveChild) {
    Fixture f;
    app::Tkadr_o& w = *f.frame;
    ASSERT_TRUE(w.FormCreate());
    w.show();
    auto* child = new FilterChild(w.commands());
    QMdiSubWindow* sub = w.mdiArea()->addSubWindow(child);
    sub->show();
    w.mdiArea()->setActiveSubWindow(sub);
    const int before = child->activations;
    w.findChild<QAction*>("N29")->trigger();  // F6
    QTRY_COMPARE(child->filters, 1);
    EXPECT_GT(child->activations, before);
    EXPECT_EQ(w.commands().flag(app::Cmd::Filter), 0);
    // a request the child does not support waits
    w.findChild<QAction*>("N27")->trigger();
    QTRY_VERIFY(child->activations > before + 1);
    EXPECT_EQ(w.commands().flag(app::Cmd::Add), 1);
    // the search-mode boxes exclude each other and bounce
    const int n = child->activations;
    w.findChild<QCheckBox*>("CheckBox2")->click();
    EXPECT_FALSE(w.findChild<QCheckBox*>("CheckBox1")->isChecked());
    EXPECT_FALSE(w.commands().searchFromStart);
    QTRY_VERIFY(child->activations > n);
    // "Закрыть все окна" twice: the second time there is nothing to close
    w.findChild<QAction*>("S_MenuCloAl")->trigger();
    QTRY_VERIFY(w.mdiArea()->subWindowList().isEmpty());
    w.findChild<QAction*>("S_MenuCloAl")->trigger();
    w.findChild<QAction*>("N11")->trigger();
    w.FormClose();
}

TEST(Frame, CommandsHandOpeningModesAndRules) {
    Fixture f;
    f.work.write("setup.sdc", "!l!032026!l!\r\nS%&" + f.data.path() + "S%&\r\n!!!!!!");  // view-only workstation
    f.frame = std::make_unique<app::Tkadr_o>(f.work.path(), base::Date::fromYmd(2026, 12, 7));
    f.frame->useMessages(&f.msgs);
    app::Tkadr_o& w = *f.frame;
    ASSERT_TRUE(w.FormCreate());
    std::vector<std::string> opened;
    for (const char* name : {"N7", "N8", "S_MenuPod", "N40", "S_MenuStat", "S_MenuUvol", "S_MenuTabA", "S_MenuProd", "S_MenuPraz"})
        w.setCommandHandler(name, [&, name] {
            opened.push_back(std::string(name) + " " + w.commands().modes.openMode + " " +
                             std::to_string(w.commands().modes.selectorMode) + " " +
                             std::to_string(w.commands().modes.referenceMode));
        });
    for (const char* name : {"N8", "S_MenuPod", "N40", "S_MenuStat", "S_MenuUvol", "S_MenuTabA", "S_MenuProd", "S_MenuPraz"})
        w.command(name)->trigger();
    w.commands().modes.referenceMode = 0;
    w.findChild<QToolButton*>("ToolButtonKall")->click();
    EXPECT_EQ(opened, (std::vector<std::string>{"N8 kao 0 0", "S_MenuPod  2 0", "N40  3 0", "S_MenuStat  4 0",
                                                 "S_MenuUvol arx 4 0", "S_MenuPraz arx 4 11", "N7 ka 4 0"}));
    // view-only: the timesheet refuses; KAL.DBF is missing: the calendars do nothing
    EXPECT_EQ(f.msgs.lines, std::vector<std::string>{"BOX:  Режим для только просмотра "});
    w.FormClose();
}

TEST(Frame, RecalculationAsksOnlyForAnExistingTimesheet) {
    Fixture f;
    app::Tkadr_o& w = *f.frame;
    ASSERT_TRUE(w.FormCreate());
    int opened = 0;
    w.setCommandHandler("S_MenuRTab", [&] { ++opened; });
    w.command("S_MenuRTab")->trigger();  // no T0326.DBF: nothing
    EXPECT_TRUE(f.msgs.lines.empty());
    f.data.write("T0326.DBF", "");
    f.msgs.answers = {2, 1};
    w.command("S_MenuRTab")->trigger();
    w.command("S_MenuRTab")->trigger();
    EXPECT_EQ(opened, 1);
    ASSERT_EQ(f.msgs.lines.size(), 2u);
    EXPECT_EQ(f.msgs.lines[0], "QUESTION: Табель T0326 уже расчитан | Ручные изменения будут потеряны |  Продолжить новый расчет? ");
    w.FormClose();
}

TEST(Frame, FirstActivationAndExitScript) {
    Fixture f;
    f.data.write("DOCUM/FRMK/BEG_VX.FRM", "");
    f.work.write("DOCUM/FRMK/END_VX.FRM", "");
    std::vector<std::string> runs;
    f.frame->services().runFormFile = [&](const std::string& path, int source) {
        runs.push_back(std::filesystem::path(path).filename().string() + " " + std::to_string(source));
    };
    ASSERT_TRUE(f.frame->FormCreate());
    ASSERT_TRUE(f.frame->FormActivate());
    EXPECT_FALSE(f.frame->values().firstActivationPending);
    f.frame->close();
    EXPECT_EQ(runs, (std::vector<std::string>{"BEG_VX.FRM 0", "END_VX.FRM 0"}));
    EXPECT_EQ(f.msgs.lines, std::vector<std::string>{
                                "SOOB:  Введите все праздники за год  |  Это необходимо для правильного  |  расчета табелей "});
}

TEST(Frame, ChildPlacementFromOkna) {
    Fixture f;
    app::Tkadr_o& w = *f.frame;
    ASSERT_TRUE(w.FormCreate());
    w.resize(1000, 800);
    w.show();
    ASSERT_TRUE(w.FormActivate());
    QWidget child;
    w.placeChild(&child, "FormTel");
    EXPECT_EQ(child.geometry(), QRect(1, 1, w.clientWidth() - 10, w.clientHeight() - 10));
    child.setGeometry(30, 40, 300, 200);
    w.rememberPlacement(&child, "FormTel");
    QWidget other;
    w.placeChild(&other, "FormTel");
    EXPECT_EQ(other.geometry(), QRect(30, 40, 300, 200));
    w.FormClose();
}

TEST(WindowPlacement, SavedAndReadBack) {
    TempFolder work;
    testing_support::qtApp();
    EXPECT_EQ(app::loadPlacement(work.path(), "FormPoOtd"), std::nullopt);
    const app::Placement def = app::defaultPlacement(1000, 700);
    EXPECT_EQ(def.width, 990);
    EXPECT_EQ(def.height, 690);
    ASSERT_TRUE(app::savePlacement(work.path(), "FormPoOtd", {10, 20, 300, 400}));
    ASSERT_TRUE(app::savePlacement(work.path(), "FormTel", {1, 2, 3, 4}));
    ASSERT_TRUE(app::savePlacement(work.path(), "FormPoOtd", {11, 21, 301, 401}));
    const auto p = app::loadPlacement(work.path(), "FormPoOtd");
    ASSERT_TRUE(p);
    EXPECT_EQ(p->top, 11);
    EXPECT_EQ(p->left, 21);
    EXPECT_EQ(p->height, 301);
    EXPECT_EQ(p->width, 401);
    EXPECT_EQ(app::loadPlacement(work.path(), "FormTel")->width, 4);
}
