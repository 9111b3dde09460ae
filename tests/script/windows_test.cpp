// The step debugger and the progress window on the offscreen platform.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

#include "base/cp1251.h"
#include "script/headless_host.h"
#include "script/interpreter.h"
#include "script/runner.h"
#include "script/windows/form_indikat.h"
#include "script/windows/form_interp.h"
#include "script/windows/gui_host.h"

namespace {

QApplication& app() {
    static int argc = 1;
    static char name[] = "test_script_windows";
    static char* argv[] = {name, nullptr};
    static QApplication a(argc, argv);
    return a;
}

const std::string kScript = base::utf8ToCp1251(
    "#ИТОГ := 0\r\n#FOR I := 1 TO 3\r\n#  ИТОГ := ИТОГ + I\r\n#ENDF\r\n#ARRAY(A, 2)\r\n#A[1] := 'два'\r\n#RETURN\r\n");

template <class T>
T* child(QWidget& w, const char* name) {
    return w.findChild<T*>(name);
}

TEST(ScriptWindows, DebuggerListsRunsAndShowsVariables) {
    app();
    script::HeadlessHost inner("/tmp", "/tmp");
    script::windows::TFormInterp form(inner, kScript);
    form.resize(1000, 640);
    form.show();
    auto* listing = child<QListWidget>(form, "ListBox1");
    ASSERT_NE(listing, nullptr);
    EXPECT_EQ(listing->count(), 7);
    EXPECT_EQ(base::utf8ToCp1251(listing->item(2)->text().toStdString()), base::utf8ToCp1251("ИТОГ := ИТОГ + I"));
    EXPECT_TRUE(child<QCheckBox>(form, "CheckBox1")->isChecked());

    form.BitBtn20Click();
    EXPECT_TRUE(form.completed());
    auto* vars = child<QListWidget>(form, "ListBox2");
    QStringList rows;
    for (int i = 0; i < vars->count(); ++i) rows << vars->item(i)->text();
    EXPECT_EQ(rows, (QStringList{QString::fromUtf8("N : итог = 6"), "N : i = 4"}));
    auto* arrays = child<QListWidget>(form, "ListBox3");
    ASSERT_EQ(arrays->count(), 2);
    EXPECT_EQ(arrays->item(1)->text(), QString::fromUtf8("C : a[1] = 'два'"));
    EXPECT_EQ(listing->currentRow(), 6);

    const char* shot = std::getenv("KADRY_SCREENSHOT_DIR");
    if (shot) form.grab().save(QString(shot) + "/tforminterp.png");
}

TEST(ScriptWindows, ManualModeWaitsForEachStepAndBreakpointsPause) {
    app();
    script::HeadlessHost inner("/tmp", "/tmp");
    script::windows::TFormInterp form(inner, kScript);
    form.show();
    child<QCheckBox>(form, "CheckBox2")->click();
    EXPECT_FALSE(child<QCheckBox>(form, "CheckBox1")->isChecked());
    EXPECT_EQ(child<QPushButton>(form, "BitBtn23")->text(), QString::fromUtf8("Скрыть переменные"));
    form.toggleBreakpoint(4);

    int steps = 0, pauses = 0;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] {
        auto* stop = child<QPushButton>(form, "BitBtn15");
        if (stop->text() == QString::fromUtf8("Продолжить")) {
            ++pauses;
            EXPECT_EQ(child<QListWidget>(form, "ListBox1")->currentRow(), 4);
            stop->click();
        }
        ++steps;
        child<QPushButton>(form, "BitBtn17")->click();
    });
    timer.start(15);
    form.BitBtn20Click();
    timer.stop();
    EXPECT_TRUE(form.completed());
    EXPECT_EQ(pauses, 1);
    EXPECT_GE(steps, 7);  // one release for each of the 7 statements that stop
    EXPECT_EQ(*form.interpreter().variable("I"), "4");
}

TEST(ScriptWindows, FinishAbortsARunningScript) {
    app();
    script::HeadlessHost inner("/tmp", "/tmp");
    script::windows::TFormInterp form(inner, base::utf8ToCp1251("#N := 0\r\n#WHILE 1 = 1\r\n#  N := N + 1\r\n#ENDW\r\n"));
    form.show();
    child<QCheckBox>(form, "CheckBox2")->click();
    QTimer::singleShot(50, [&] { child<QPushButton>(form, "BitBtn21")->click(); });
    form.BitBtn20Click();
    EXPECT_FALSE(form.completed());
    EXPECT_TRUE(form.interpreter().abortRequested());
}

TEST(ScriptWindows, ProgressWindowFollowsTheRun) {
    app();
    script::HeadlessHost inner("/tmp", "/tmp");
    script::windows::GuiHost host(inner, nullptr);
    script::Interpreter in(host);
    host.setInterpreter(&in);
    const auto r = script::runScriptText(in, base::utf8ToCp1251("@ИНДИКАТОР\r\n#A := 1\r\n#B := 2\r\n"));
    EXPECT_TRUE(r.completed);

    script::windows::TFormIndikat w;
    w.setMaximum(10);
    w.setPosition(5);
    w.setStatus(QString::fromUtf8("Выполнение 50%  "));
    w.setLine(3, QString::fromUtf8("ВКЛЮЧИТЬ."), true);
    w.setLine(8, "x", true);
    EXPECT_EQ(w.findChild<QProgressBar*>("ProgressBar1")->value(), 5);
    EXPECT_EQ(w.windowTitle(), QString::fromUtf8("  Индикатор выполнения "));
}

}  // namespace
