#include "app/field_dictionary.h"

#include <gtest/gtest.h>

#include "base/cp_literal.h"
#include "db/table.h"
#include "support/temp_folder.h"
#include "ui/recording_messages.h"

namespace {

app::DictionaryEntry row(std::string n, std::string t, std::string base = "DANN.DBF", std::string vis = "*",
                         std::string v = "10") {
    app::DictionaryEntry e;
    e.fileN = n;
    e.fileC = "cap " + n;
    e.fileT = t;
    e.fileW = t == "C" ? "20" : "0";
    e.fileV = v;
    e.base = base;
    e.vis = vis;
    return e;
}

app::Dictionary sample() {
    app::Dictionary d = {row("KOD", "N"), row("LK", "N"), row("FIO", "C"), row("GR", "D", "DANN.DBF", " "),
                         row("DOL1", "F", "DANN.DBF", "*", "0"), row("FOTO", "C"), row("USER1", "C"),
                         row("ODD", "X"), row("OBR", "C", "OBRS.DBF")};
    d[0].nazn = "*";
    d[4].nazn = "*";
    d[1].fileCu = "uz LK";
    d[6].fileP = "def";
    return d;
}

std::vector<std::string> names(const app::Dictionary& d) {
    std::vector<std::string> out;
    for (const auto& e : d) out.push_back(e.name());
    return out;
}

TEST(FieldDictionary, ReadersFollowTheRules) {
    const auto d = sample();
    const auto cols = app::gridColumns(d, "");
    ASSERT_EQ(cols.size(), 6u);  // GR invisible, ODD unknown, OBR another base
    EXPECT_EQ(cols[0].field, "KOD");
    EXPECT_TRUE(cols[0].rightAligned);
    EXPECT_FALSE(cols[2].rightAligned);
    EXPECT_EQ(cols[3].field, "DOL1");
    EXPECT_EQ(cols[3].width, 1);  // file_v "0"
    // Uzbek captions replace the Russian ones even when empty.
    const auto uz = app::gridColumns(d, "U");
    EXPECT_EQ(uz[1].title, "uz LK");
    EXPECT_EQ(uz[0].title, "");

    ASSERT_EQ(app::userFields(d).size(), 1u);
    EXPECT_EQ(app::userFields(d)[0]->name(), "USER1");
    EXPECT_EQ(app::assignmentCopyFields(d), std::vector<std::string>{"DOL1"});
    EXPECT_EQ(app::cardFields(d).size(), 7u);

    const auto defaults = app::newCardDefaults(d, base::Date::fromYmd(2010, 3, 1));
    ASSERT_EQ(defaults.size(), 2u);
    EXPECT_EQ(defaults[0], (std::pair<std::string, std::string>{"GR", "01.03.2010"}));
    EXPECT_EQ(defaults[1], (std::pair<std::string, std::string>{"USER1", "def"}));
}

TEST(FieldDictionary, LayoutReorderMovesBuiltinColumns) {
    const auto d = sample();
    // FIO dragged to the front and widened; user field USER1 in the grid too.
    const auto out = app::reorderedForLayout(d, {{"FIO", 120}, {"KOD", 10}, {"USER1", 50}, {"LK", 15}});
    EXPECT_EQ(names(out), (std::vector<std::string>{"FIO", "KOD", "LK", "GR", "DOL1", "FOTO", "USER1", "ODD", "OBR"}));
    EXPECT_EQ(out[0].fileV, "120");
    EXPECT_EQ(out[6].fileV, "10");  // user fields keep their width

    // Every row of the card base: the scan stops at the end.
    app::Dictionary all = {row("A", "C"), row("FOTO", "C"), row("B", "C")};
    EXPECT_EQ(names(app::reorderedForLayout(all, {{"FOTO", 5}, {"A", 7}})),
              (std::vector<std::string>{"FOTO", "A", "B"}));

    // A card row behind a row of another base is not doubled.
    app::Dictionary mixed = {row("A", "C"), row("X", "C", "OBRS.DBF"), row("B", "C"), row("FOTO", "C")};
    EXPECT_EQ(names(app::reorderedForLayout(mixed, {{"B", 5}, {"A", 7}})),
              (std::vector<std::string>{"B", "A", "X", "FOTO"}));
}

TEST(FieldDictionary, SavingLayoutWritesTheDataFolderDictionary) {
    testing_support::TempFolder work, data;
    auto d = sample();
    d[1].fileCu = "Tabel raqami";
    ASSERT_TRUE(app::writeDictionary(data.file("DANN_SK.DBF"), d));
    ui::RecordingMessages msgs;
    const std::vector<app::ColumnLayout> before = {{"KOD", 10}, {"LK", 10}, {"FIO", 10}};
    ASSERT_TRUE(app::saveColumnLayout(work.path(), data.path(), before, before, msgs));  // unchanged: nothing
    ASSERT_TRUE(app::saveColumnLayout(work.path(), data.path(), before, {{"FIO", 99}, {"KOD", 10}, {"LK", 10}}, msgs));
    auto back = app::loadDictionary(data.file("DANN_SK.DBF"));
    ASSERT_TRUE(back);
    EXPECT_EQ(names(*back)[0], "FIO");
    EXPECT_EQ((*back)[0].fileV, "99");
    EXPECT_EQ((*back)[2].fileCu, "Tabel raqami");
    EXPECT_EQ(back->size(), d.size());
    EXPECT_TRUE(msgs.lines.empty());

    // Held by another workstation: the message and nothing written.
    auto held = db::Table::open(data.file("DANN_SK.DBF"));
    ASSERT_TRUE(held);
    EXPECT_FALSE(app::saveColumnLayout(work.path(), data.path(), before, {{"LK", 5}}, msgs));
    ASSERT_EQ(msgs.lines.size(), 1u);
    EXPECT_EQ(msgs.lines[0], "SOOB:  Не удается сохранить размеры колонок  |  База структуры блокирована | ");
}

}  // namespace
