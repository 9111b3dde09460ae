#include <gtest/gtest.h>

#include "app/settings_store.h"
#include "app/text_file.h"
#include "base/cp_literal.h"
#include "support/temp_folder.h"
#include "ui/recording_messages.h"

using app::readSetupValue;
using app::writeSetupValue;

TEST(SetupRead, CasesOnText) {
    struct Case {
        std::string text, marker, expected;
    };
    const Case cases[] = {
        {"!!!1!!!", "!!!", "1"},
        {"!!!!!!", "!!!", ""},                      // the marker twice in a row
        {"!!!1", "!!!", ""},                        // only once
        {"abc", "!!!", ""},                         // absent
        {"!l!122026!l!\r\n!S8Default!S8", "!S8", "Default"},
        {"PV1a\r\nbPV1", "PV1", "a\r\nb"},          // markers found across line breaks
        {"PV1aPV1bPV1", "PV1", "aPV1b"},            // first to last, inner marker included
        {"iNDiND\r\n", "iND", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(readSetupValue(c.text, c.marker), c.expected) << c.text;
}

TEST(SetupWrite, CasesOnText) {
    struct Case {
        std::string text, marker, value, expected;
    };
    const Case cases[] = {
        // absent: appended to the text as read (ReadTextFile ended it with CR LF)
        {"!l!122026!l!\r\n", "PV1", "1", "!l!122026!l!\r\nPV11PV1"},
        {"", "PV1", "1", "PV11PV1"},
        // replaces only the value between the first two markers
        {"!l!122026!l!\r\n!S8Default!S8\r\n", "!l!", "012027", "!l!012027!l!\r\n!S8Default!S8\r\n"},
        {"!!!1!!!", "!!!", "", "!!!!!!"},
        // spaces around the rest are dropped, line breaks kept
        {"A%&  old A%&  \r\n", "A%&", "new", "A%&newA%&  \r\n"},
        // a single marker: the old text stays behind the new value
        {"S%&C:\\X\\\r\n", "S%&", "D:\\", "S%&D:\\C:\\X\\\r\n"},
    };
    for (const Case& c : cases) EXPECT_EQ(writeSetupValue(c.text, c.marker, c.value), c.expected) << c.text;
}

TEST(SetupWrite, KeepsTheWholeTailOfALongFile) {
    std::string text = "!l!122026!l!\r\n";
    for (int i = 0; i < 2000; ++i) text += "X" + std::to_string(i) + "\r\n";
    const std::string out = writeSetupValue(text, "!l!", "012027");
    EXPECT_EQ(out.substr(14), text.substr(14));
}

TEST(TextFile, LinesEndWithCrLf) {
    testing_support::TempFolder dir;
    ui::RecordingMessages msgs;
    const std::pair<std::string, std::string> cases[] = {
        {"", ""}, {"a", "a\r\n"}, {"a\r\n", "a\r\n"}, {"a\nb", "a\r\nb\r\n"},
        {"a\rb\r\n\r\n", "a\r\nb\r\n\r\n"}, {"\n", "\r\n"},
    };
    for (const auto& [content, expected] : cases) {
        dir.write("f.txt", content);
        EXPECT_EQ(app::ReadTextFile(dir.file("f.txt"), msgs), expected);
    }
    EXPECT_TRUE(msgs.lines.empty());
    ASSERT_TRUE(app::WriteTextFile(dir.file("g.txt"), "x\r\ny"));
    EXPECT_EQ(dir.read("g.txt"), "x\r\ny");
}

TEST(SettingsStore, MissingFileShowsTheMessageAndWriteCreatesIt) {
    testing_support::TempFolder dir;
    ui::RecordingMessages msgs;
    app::SettingsStore store(dir.path(), msgs);
    EXPECT_EQ(store.ReadSetup("!!!"), "");
    EXPECT_EQ(store.ReadSetup("S%&"), "");
    ASSERT_EQ(msgs.lines.size(), 2u);
    EXPECT_EQ(msgs.lines[0], "BOX: Файл setup.sdc отсутствует");
    ASSERT_TRUE(store.WriteSetup("!!!", "1"));
    EXPECT_EQ(dir.read("setup.sdc"), "!!!1!!!");
    EXPECT_EQ(store.ReadSetup("!!!"), "1");
}

TEST(SettingsStore, AppendsOnANewLineAndReplacesInPlace) {
    testing_support::TempFolder dir;
    ui::RecordingMessages msgs;
    dir.write("setup.sdc", "!l!122026!l!\r\n!S8Default!S8");
    app::SettingsStore store(dir.path(), msgs);
    ASSERT_TRUE(store.WriteSetup("PV1", "1"));
    EXPECT_EQ(dir.read("setup.sdc"), "!l!122026!l!\r\n!S8Default!S8\r\nPV11PV1");
    EXPECT_EQ(store.ReadSetup("PV1"), "1");
    ASSERT_TRUE(store.WriteSetup("!l!", "012027"));
    EXPECT_EQ(dir.read("setup.sdc"), "!l!012027!l!\r\n!S8Default!S8\r\nPV11PV1\r\n");
    EXPECT_EQ(store.ReadSetup("!S8"), "Default");
    ASSERT_TRUE(store.WriteSetup("S%&", "C:\\ДАННЫЕ\\"_cp));
    EXPECT_EQ(store.ReadSetup("S%&"), "C:\\ДАННЫЕ\\"_cp);
    EXPECT_TRUE(msgs.lines.empty());
}

TEST(SettingsStore, RefusesAValueHoldingAMarker) {
    testing_support::TempFolder dir;
    ui::RecordingMessages msgs;
    dir.write("setup.sdc", "!!!1!!!\r\nS%&C:\\A\\S%&");
    app::SettingsStore store(dir.path(), msgs);
    for (const char* bad : {"x!!!y", "aS%&", "PV1"}) {
        const auto st = store.WriteSetup("F%&", bad);
        EXPECT_FALSE(st) << bad;
    }
    EXPECT_FALSE(store.WriteSetup("!!!", "1!!!"));
    EXPECT_EQ(dir.read("setup.sdc"), "!!!1!!!\r\nS%&C:\\A\\S%&");
    ASSERT_EQ(msgs.lines.size(), 4u);
    EXPECT_EQ(msgs.lines[0], "BOX: Значение параметра F%& содержит метку !!! и не сохранено");
}
