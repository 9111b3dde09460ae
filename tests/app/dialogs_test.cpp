#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include "app/command_dispatcher.h"
#include "app/form_delete.h"
#include "app/form_parol.h"
#include "app/form_soob.h"
#include "app/form_ustpro.h"
#include "app/form_vopr.h"
#include "support/temp_folder.h"
#include "ui/recording_messages.h"
#include "base/cp_literal.h"
#include "qt_app.h"

namespace {

app::UiContext context() {
    testing_support::qtApp();
    return {};
}

// Clicks the named button of the next modal dialog once it is open.
void clickLater(const char* button, const std::function<void(QWidget*)>& inspect = {}) {
    QTimer::singleShot(0, [button, inspect] {
        QWidget* dialog = QApplication::activeModalWidget();
        ASSERT_NE(dialog, nullptr);
        if (inspect) inspect(dialog);
        dialog->findChild<QPushButton*>(button)->click();
    });
}

}  // namespace

TEST(FormSoob, OnePanelForOneLineAndRedGreeting) {
    const app::UiContext ui = context();
    app::TFormSoob one(ui, "Только первая"_cp, "", "  ", "");
    EXPECT_EQ(one.windowTitle(), QString::fromUtf8("Сообщение"));
    EXPECT_FALSE(one.findChild<QLabel*>("Panel1")->isHidden());
    EXPECT_TRUE(one.findChild<QLabel*>("Panel2")->isHidden());
    EXPECT_TRUE(one.findChild<QLabel*>("Panel3")->isHidden());
    auto* button = one.findChild<QPushButton*>("BitBtn1");
    EXPECT_EQ(button->text(), QString::fromUtf8("Закрыть"));
    EXPECT_EQ(button->geometry().top(), one.findChild<QLabel*>("Panel1")->geometry().bottom() + 1 + 10);

    app::TFormSoob greet(ui, " Поздравляем Завод! "_cp, "Поздравляем: 31.12.2026 - Новый год"_cp, "", "");
    EXPECT_TRUE(greet.findChild<QLabel*>("Panel1")->styleSheet().contains("red"));
    EXPECT_TRUE(greet.findChild<QLabel*>("Panel2")->font().italic());
    EXPECT_TRUE(greet.findChild<QLabel*>("Panel1")->font().bold());

    app::UiContext english = ui;
    english.language = "E";
    app::TFormSoob en(english, "x", "", "", "");
    EXPECT_EQ(en.windowTitle(), "Message");
}

TEST(FormVopr, AnswersByButtonAndLanguage) {
    const app::UiContext ui = context();
    clickLater("BitBtn1", [](QWidget* d) {
        EXPECT_EQ(d->windowTitle(), QString::fromUtf8("Выбор ответа"));
        EXPECT_EQ(d->findChild<QPushButton*>("BitBtn2")->text(), QString::fromUtf8("  Отказаться  "));
        EXPECT_EQ(d->findChild<QLabel*>("Panel2")->text(), QString::fromUtf8("вторая"));
    });
    EXPECT_EQ(app::TFormVopr::Ask(ui, "первая"_cp, "вторая"_cp, ""), 1);
    clickLater("BitBtn2");
    EXPECT_EQ(app::TFormVopr::Ask(ui, "a", "b", "c"), 2);
    QTimer::singleShot(0, [] { QApplication::activeModalWidget()->close(); });
    EXPECT_EQ(app::TFormVopr::Ask(ui, "a", "b", "c"), 0);
    app::UiContext english = ui;
    english.language = "E";
    app::TFormVopr en(english, "a", "b", "c", "");
    EXPECT_EQ(en.windowTitle(), "Question");
    EXPECT_EQ(en.findChild<QPushButton*>("BitBtn1")->text(), "OK");
}

TEST(FormDelete, AnswersThroughTheDeleteFlag) {
    const app::UiContext ui = context();
    app::CommandDispatcher commands;
    commands.setFlag(app::Cmd::Delete, 2);
    clickLater("BitBtn1", [](QWidget* d) {
        EXPECT_EQ(d->windowTitle(), QString::fromUtf8("Удалить столбец - КОД"));
    });
    EXPECT_TRUE(app::TFormDelete::Confirm(ui, commands, "  КОД  "_cp));
    EXPECT_EQ(commands.flag(app::Cmd::Delete), 1);
    commands.setFlag(app::Cmd::Delete, 0);
    clickLater("BitBtn2", [](QWidget* d) { EXPECT_EQ(d->windowTitle(), QString::fromUtf8("            Удалить ?")); });
    EXPECT_FALSE(app::TFormDelete::Confirm(ui, commands));
    commands.setFlag(app::Cmd::Delete, 3);
    QTimer::singleShot(0, [] {
        EXPECT_EQ(QApplication::activeModalWidget()->windowTitle(), QString::fromUtf8("Удалить файл - a.frm"));
        QApplication::activeModalWidget()->close();
    });
    EXPECT_FALSE(app::TFormDelete::Confirm(ui, commands, "a.frm"));
    EXPECT_EQ(commands.flag(app::Cmd::Delete), 0);
}

TEST(FormParol, AskModeReturnsTheTypedTextOrExit) {
    const app::UiContext ui = context();
    QTimer::singleShot(0, [] {
        QWidget* d = QApplication::activeModalWidget();
        EXPECT_EQ(d->windowTitle(), QString::fromUtf8("  Запрос пароля"));
        auto* edit = d->findChild<QLineEdit*>("Edit1");
        EXPECT_EQ(edit->echoMode(), QLineEdit::Password);
        edit->setText(QString::fromUtf8(" пароль "));
        // the set area lies below the visible part in ask mode
        EXPECT_GT(d->findChild<QLineEdit*>("Edit2")->geometry().top(), d->height());
        d->findChild<QPushButton*>("BitBtn1")->click();
    });
    EXPECT_EQ(app::TFormParol::Ask(ui), std::optional<std::string>(" пароль "_cp));
    clickLater("BitBtn2");
    EXPECT_EQ(app::TFormParol::Ask(ui), std::nullopt);
}

TEST(CommandDispatcher, FlagsBounceAndWaitForASupportingWindow) {
    app::CommandDispatcher commands;
    int bounces = 0, prints = 0;
    commands.setBounce([&] { ++bounces; });
    commands.setBeforePrint([&] { ++prints; });
    commands.raise(app::Cmd::Filter);
    EXPECT_EQ(bounces, 1);
    EXPECT_EQ(commands.flag(app::Cmd::Filter), 1);
    // a window without a filter leaves the request for the next one
    EXPECT_FALSE(commands.take(app::Cmd::Add));
    EXPECT_TRUE(commands.take(app::Cmd::Filter));
    EXPECT_EQ(commands.flag(app::Cmd::Filter), 0);
    commands.raiseExcel();
    EXPECT_EQ(commands.flag(app::Cmd::Excel), 1);
    EXPECT_EQ(commands.flag(app::Cmd::Print), 1);
    EXPECT_EQ(prints, 1);
    EXPECT_EQ(bounces, 2);
}

TEST(FormUstpro, SavesTheDataFolderWithItsSeparator) {
    context();
    testing_support::TempFolder work;
    ui::RecordingMessages msgs;
    work.write("setup.sdc", "S%&C:\\OLD\\S%&\r\n!!!1!!!");
    app::SettingsStore store(work.path(), msgs);
    const std::pair<const char*, const char*> cases[] = {
        {"  D:\\KADR  ", "D:\\KADR\\"}, {"/srv/kadr", "/srv/kadr/"}, {"/srv/kadr/", "/srv/kadr/"}, {"   ", "/srv/kadr/"}};
    for (const auto& [typed, stored] : cases) {
        app::TFormUstpro form(store);
        EXPECT_EQ(form.windowTitle(), QString::fromUtf8("  Установки программы "));
        form.findChild<QLineEdit*>("Edit14")->setText(typed);
        form.findChild<QPushButton*>("BitBtn2")->click();
        EXPECT_EQ(store.ReadSetup("S%&"), stored) << typed;  // a blank path is not stored
    }
    EXPECT_EQ(store.ReadSetup("!!!"), "1");
}
