// Whole-table operations: create, pack, zap, sort, copy, rename, delete,
// replace, and the busy answer while another handle holds the table.
#include <gtest/gtest.h>

#include <filesystem>

#include "db/dbf_format.h"
#include "table_fixture.h"

using namespace testing_support;
using db::FieldType;

namespace {

std::vector<std::vector<std::string>> phoneBook() {
    return {{"Сидоров"_cp, "1", "02.02.2000"}, {"Антонов"_cp, "2", "01.01.2001"},
            {"Петров"_cp, "3", "03.03.2003"},  {"Антонов"_cp, "4", "01.01.1999"}};
}

db::FieldList phoneFields() {
    return {field("FIO", FieldType::Character, 20), field("KOD", FieldType::Numeric, 5),
            field("DATA", FieldType::Date, 8)};
}

std::vector<std::string> liveColumn(const std::string& path, const std::string& name) {
    auto t = openTable(path);
    return t ? column(*t, name) : std::vector<std::string>{};
}

std::vector<std::string> filesIn(const TempFolder& dir) {
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(dir.path())) names.push_back(e.path().filename());
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace

TEST(TableOps, CreateChecksTheFieldList) {
    TempFolder dir;
    EXPECT_TRUE(db::createTable(dir.file("A.DBF"), phoneFields()).isOk());
    EXPECT_FALSE(db::createTable(dir.file("A.DBF"), phoneFields()).isOk());  // exists
    EXPECT_TRUE(db::createTable(dir.file("A.DBF"), phoneFields(), db::TableFlavor::DBase3, true).isOk());
    const std::vector<db::FieldList> bad = {
        {},
        {field("TOOLONGNAME1", FieldType::Character, 5)},
        {field("FIO", FieldType::Character, 5), field("fio", FieldType::Character, 5)},
        {field("1A", FieldType::Character, 5)},
        {field("C", FieldType::Character, 0)},
        {field("N", FieldType::Numeric, 12, 11)},
        {field("D", FieldType::Date, 6)},
        {field("I", FieldType::Integer, 4)},
    };
    for (std::size_t i = 0; i < bad.size(); ++i)
        EXPECT_FALSE(db::createTable(dir.file("B" + std::to_string(i) + ".DBF"), bad[i]).isOk()) << i;
    auto t = openTable(dir.file("A.DBF"));
    EXPECT_EQ(t->fields()[0].name, "FIO");
    EXPECT_EQ(t->recordCount(), 0);
}

TEST(TableOps, PackAndZapKeepTheStructure) {
    TempFolder dir;
    const std::string path = makeTable(dir, "TEL.DBF", phoneFields(), phoneBook());
    {
        auto t = openTable(path);
        ASSERT_TRUE(t->goToRecNo(2));
        ASSERT_TRUE(t->deleteRecord().isOk());
    }
    ASSERT_TRUE(db::packTable(path).isOk());
    auto t = openTable(path);
    t->setShowDeleted(true);
    EXPECT_EQ(column(*t, "KOD"), (std::vector<std::string>{"1", "3", "4"}));
    t.reset();
    ASSERT_TRUE(db::zapTable(path).isOk());
    t = openTable(path);
    EXPECT_EQ(t->physicalCount(), 0);
    EXPECT_EQ(t->fields().size(), 3u);
    t.reset();
    EXPECT_TRUE(db::packTable(dir.file("MISSING.DBF")).isOk());  // nothing happens
    EXPECT_EQ(filesIn(dir), (std::vector<std::string>{"TEL.DBF"}));  // no temp files left
}

TEST(TableOps, SortByFieldAndByPlusKey) {
    TempFolder dir;
    const std::string path = makeTable(dir, "TEL.DBF", phoneFields(), phoneBook());
    ASSERT_TRUE(db::sortTable(path, "fio").isOk());
    EXPECT_EQ(liveColumn(path, "KOD"), (std::vector<std::string>{"2", "4", "3", "1"}));
    ASSERT_TRUE(db::sortTable(path, "FIO+DATA").isOk());
    EXPECT_EQ(liveColumn(path, "KOD"), (std::vector<std::string>{"4", "2", "3", "1"}));
    {
        auto t = openTable(path);
        ASSERT_TRUE(t->deleteRecord().isOk());
    }
    ASSERT_TRUE(db::sortTable(path, "KOD").isOk());
    auto t = openTable(path);
    t->setShowDeleted(true);
    EXPECT_EQ(column(*t, "KOD"), (std::vector<std::string>{"1", "2", "3"}));  // deleted dropped
    t.reset();
    EXPECT_FALSE(db::sortTable(path, "NOFIELD").isOk());
    EXPECT_EQ(liveColumn(path, "KOD"), (std::vector<std::string>{"1", "2", "3"}));
}

TEST(TableOps, CopyRenameDeleteMoveCompanionFiles) {
    TempFolder dir;
    const std::string path = dir.file("NOTES.DBF");
    ASSERT_TRUE(db::createTable(path, {field("ID", FieldType::Numeric, 3), field("TXT", FieldType::Memo, 10)}).isOk());
    {
        auto t = openTable(path);
        appendRows(*t, {{"1", "памятка"_cp}});
        ASSERT_TRUE(t->defineTag("BYID", "ID").isOk());
    }
    ASSERT_TRUE(db::copyTable(path, dir.file("COPY.DBF")).isOk());
    EXPECT_EQ(liveColumn(dir.file("COPY.DBF"), "TXT"), (std::vector<std::string>{"памятка"_cp}));
    EXPECT_EQ(openTable(dir.file("COPY.DBF"))->tagNames(), (std::vector<std::string>{"BYID"}));

    ASSERT_TRUE(db::renameTable(dir.file("COPY.DBF"), dir.file("MOVED.DBF")).isOk());
    EXPECT_EQ(liveColumn(dir.file("MOVED.DBF"), "TXT"), (std::vector<std::string>{"памятка"_cp}));
    ASSERT_TRUE(db::deleteTable(dir.file("MOVED.DBF")).isOk());
    EXPECT_EQ(filesIn(dir), (std::vector<std::string>{"NOTES.DBF", "NOTES.DBT", "NOTES.tags"}));
}

TEST(TableOps, ReplaceSwapsTheWholeTable) {
    TempFolder dir;
    const std::string target = makeTable(dir, "T.DBF", phoneFields(), phoneBook());
    const std::string source = makeTable(dir, "NEW.DBF", phoneFields(), {{"Один"_cp, "9"}});
    ASSERT_TRUE(db::replaceTable(target, source).isOk());
    EXPECT_EQ(liveColumn(target, "KOD"), (std::vector<std::string>{"9"}));
    EXPECT_EQ(liveColumn(source, "KOD"), (std::vector<std::string>{"9"}));
}

TEST(TableOps, EveryRewriteIsBusyWhileAnotherHandleHoldsTheTable) {
    TempFolder dir;
    const std::string path = makeTable(dir, "T.DBF", phoneFields(), phoneBook());
    const std::string other = makeTable(dir, "O.DBF", phoneFields());
    auto held = openTable(path);
    const std::vector<std::pair<const char*, base::Status>> results = {
        {"pack", db::packTable(path)},
        {"zap", db::zapTable(path)},
        {"sort", db::sortTable(path, "FIO")},
        {"delete", db::deleteTable(path)},
        {"rename", db::renameTable(path, dir.file("X.DBF"))},
        {"replace", db::replaceTable(path, other)},
        {"copy over", db::copyTable(other, path)},
        {"create over", db::createTable(path, phoneFields(), db::TableFlavor::DBase3, true)},
    };
    for (const auto& [what, s] : results) {
        EXPECT_EQ(s.code(), base::Status::Code::Busy) << what << ": " << s.message();
        EXPECT_EQ(s.message(), "База занята"_cp) << what;
    }
    EXPECT_EQ(column(*held, "KOD"), (std::vector<std::string>{"1", "2", "3", "4"}));
    held.reset();
    EXPECT_TRUE(db::packTable(path).isOk());
}

TEST(TableOps, DamagedTablesAreNeverRewritten) {
    TempFolder dir;
    const std::string path = makeTable(dir, "T.DBF", phoneFields(), phoneBook());
    std::string bytes = dir.read("T.DBF");
    db::putU32(bytes.data() + 4, 99);  // more records than the file holds
    dir.write("T.DBF", bytes);
    EXPECT_EQ(db::packTable(path).code(), base::Status::Code::Corrupt);
    EXPECT_EQ(dir.read("T.DBF"), bytes);
    auto t = openTable(path);
    ASSERT_TRUE(t);
    EXPECT_EQ(t->recordCount(), 4);
    EXPECT_TRUE(t->isReadOnly());
    t.reset();
    // A sound copy may replace a damaged table, and a table too damaged to
    // open may still be deleted.
    const std::string good = makeTable(dir, "GOOD.DBF", phoneFields(), {{"Один"_cp, "1"}});
    ASSERT_TRUE(db::replaceTable(path, good).isOk());
    EXPECT_EQ(liveColumn(path, "KOD"), (std::vector<std::string>{"1"}));
    dir.write("T.DBF", bytes.substr(0, 20));
    EXPECT_TRUE(db::deleteTable(path).isOk());
    EXPECT_FALSE(db::tableExists(path));
}
