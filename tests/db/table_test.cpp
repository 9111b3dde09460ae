// Table: data-set navigation, editing, locate, filters, orders, tags, the
// equality hash and what another handle sees.
#include <gtest/gtest.h>

#include "table_fixture.h"

using namespace testing_support;
using db::OpenMode;

namespace {

std::vector<std::vector<std::string>> people() {
    return {{"Иванов"_cp, "3", "01.02.1980", "100"},
            {"петров"_cp, "1", "15.06.1975", "-20.5"},
            {"Сидоров"_cp, "2", "", "3000.25"},
            {"Иванова"_cp, "10", "01.02.1980", ""}};
}

class TableTest : public ::testing::Test {
protected:
    void SetUp() override { path = makeTable(dir, "PEOPLE.DBF", peopleFields(), people()); }
    TempFolder dir;
    std::string path;
};

}  // namespace

TEST(TableNavigation, EmptyTableIsBofAndEof) {
    TempFolder dir;
    auto t = openTable(makeTable(dir, "E.DBF", peopleFields()));
    t->first();
    EXPECT_TRUE(t->bof() && t->eof());
    t->next();
    t->prior();
    EXPECT_TRUE(t->bof() && t->eof());
    EXPECT_EQ(t->recNo(), 0);
    EXPECT_EQ(t->recordCount(), 0);
    EXPECT_FALSE(t->edit().isOk());
}

TEST_F(TableTest, NavigatesLikeADataSet) {
    auto t = openTable(path);
    EXPECT_EQ(t->recNo(), 1);  // opening positions on the first record
    EXPECT_TRUE(t->bof());
    t->next();
    EXPECT_FALSE(t->bof());
    t->moveBy(10);
    EXPECT_TRUE(t->eof());
    EXPECT_EQ(t->recNo(), 4);  // stays on the last record
    t->prior();
    EXPECT_FALSE(t->eof());
    EXPECT_EQ(t->recNo(), 3);
    t->last();
    EXPECT_TRUE(t->eof());
    EXPECT_EQ(t->position(), 4);
    t->moveBy(-10);
    EXPECT_TRUE(t->bof());
    EXPECT_EQ(t->recNo(), 1);
    EXPECT_TRUE(t->goToRecNo(3));
    EXPECT_EQ(t->text("fio"), "Сидоров"_cp);
    EXPECT_FALSE(t->goToRecNo(5));
}

TEST_F(TableTest, ReadsTypedValues) {
    auto t = openTable(path);
    ASSERT_TRUE(t->goToRecNo(2));
    EXPECT_EQ(t->text("SUM"), "-20.5");
    EXPECT_EQ(t->number(t->fieldIndex("kod")), 1.0);
    EXPECT_EQ(t->date(2), base::Date::fromYmd(1975, 6, 15));
    ASSERT_TRUE(t->goToRecNo(4));
    EXPECT_FALSE(t->number(3).has_value());
    EXPECT_TRUE(t->isBlank(3));
    ASSERT_TRUE(t->goToRecNo(3));
    EXPECT_TRUE(t->date(2).isEmpty());
}

TEST_F(TableTest, DeletedRecordsAreSkippedAndRecallable) {
    auto t = openTable(path);
    ASSERT_TRUE(t->goToRecNo(2));
    ASSERT_TRUE(t->deleteRecord().isOk());
    EXPECT_EQ(t->recNo(), 3);  // moved on to the next record
    EXPECT_EQ(t->recordCount(), 3);
    EXPECT_EQ(t->physicalCount(), 4);
    EXPECT_EQ(column(*t, "KOD"), (std::vector<std::string>{"3", "2", "10"}));
    ASSERT_TRUE(t->goToPosition(2));  // positions count live records only
    EXPECT_EQ(t->recNo(), 3);
    EXPECT_EQ(t->position(), 2);
    EXPECT_FALSE(t->goToPosition(4));
    t->setShowDeleted(true);
    ASSERT_TRUE(t->goToRecNo(2));
    EXPECT_TRUE(t->isDeleted());
    ASSERT_TRUE(t->recall().isOk());
    t->setShowDeleted(false);
    EXPECT_EQ(t->recordCount(), 4);
    // Deleting the last record moves back to the previous one.
    t->last();
    ASSERT_TRUE(t->deleteRecord().isOk());
    EXPECT_EQ(t->recNo(), 3);
}

TEST_F(TableTest, EditPostCancelAndWideValues) {
    auto t = openTable(path);
    ASSERT_TRUE(t->edit().isOk());
    ASSERT_TRUE(t->setText("FIO", "Новиков"_cp).isOk());
    EXPECT_EQ(t->text("FIO"), "Новиков"_cp);  // the edit buffer is what the cursor shows
    t->cancel();
    EXPECT_EQ(t->text("FIO"), "Иванов"_cp);

    EXPECT_FALSE(t->setText("FIO", std::string(21, 'x')).isOk());
    EXPECT_FALSE(t->setText("KOD", "1234567").isOk());
    EXPECT_FALSE(t->setText("DR", "32.01.2000").isOk());
    ASSERT_TRUE(t->setNumber(3, 12.345).isOk());
    ASSERT_TRUE(t->post().isOk());
    t.reset();
    auto again = openTable(path);
    EXPECT_EQ(again->text("FIO"), "Иванов"_cp);
    EXPECT_EQ(again->text("SUM"), "12.35");
}

TEST_F(TableTest, MovingPostsAPendingEdit) {
    auto t = openTable(path);
    ASSERT_TRUE(t->setText("KOD", "77").isOk());
    t->next();
    t->first();
    EXPECT_EQ(t->text("KOD"), "77");
}

TEST_F(TableTest, LocateConvertsTheValueToTheFieldType) {
    auto t = openTable(path);
    EXPECT_TRUE(t->locate("kod", "10"));
    EXPECT_EQ(t->recNo(), 4);
    EXPECT_TRUE(t->locate("KOD", "2.0"));
    EXPECT_EQ(t->recNo(), 3);
    EXPECT_TRUE(t->locate("DR", "01.02.1980"));
    EXPECT_EQ(t->recNo(), 1);
    EXPECT_FALSE(t->locate("FIO", "ПЕТРОВ"_cp));
    EXPECT_EQ(t->recNo(), 1);  // unchanged when nothing is found
    EXPECT_TRUE(t->locate("FIO", "ПЕТРОВ"_cp, {.caseInsensitive = true}));
    EXPECT_EQ(t->recNo(), 2);
    EXPECT_FALSE(t->locate("FIO", "Иван"_cp));
    EXPECT_TRUE(t->locate("FIO", "Иванова"_cp));
    EXPECT_TRUE(t->locate("FIO", "Иван"_cp, {.partialKey = true}));
    EXPECT_EQ(t->recNo(), 1);
    EXPECT_FALSE(t->locate("NOFIELD", "1"));
}

TEST_F(TableTest, FilterWithCaseInsensitiveComparison) {
    auto t = openTable(path);
    ASSERT_TRUE(t->setFilter("FIO = 'ПЕТРОВ'"_cp, true).isOk());
    EXPECT_EQ(column(*t, "KOD"), (std::vector<std::string>{"1"}));
    ASSERT_TRUE(t->setFilter("KOD > 1 and SUM <> 100").isOk());
    EXPECT_EQ(column(*t, "KOD"), (std::vector<std::string>{"2", "10"}));
    EXPECT_EQ(t->recordCount(), 2);
    ASSERT_TRUE(t->goToRecNo(1));  // hidden by the filter: next() goes to the next shown record
    t->next();
    EXPECT_EQ(t->recNo(), 3);
    EXPECT_FALSE(t->setFilter("KOD >").isOk());
    ASSERT_TRUE(t->setFilter("").isOk());
    EXPECT_EQ(t->recordCount(), 4);
}

TEST_F(TableTest, OrdersByFieldKeyAndSeek) {
    auto t = openTable(path);
    ASSERT_TRUE(t->setOrder("KOD").isOk());  // numeric, not text order
    EXPECT_EQ(column(*t, "KOD"), (std::vector<std::string>{"1", "2", "3", "10"}));
    ASSERT_TRUE(t->setOrder("SUM").isOk());  // blank first, negatives before positives
    EXPECT_EQ(column(*t, "SUM"), (std::vector<std::string>{"", "-20.5", "100", "3000.25"}));
    ASSERT_TRUE(t->setOrder("DR+FIO").isOk());
    EXPECT_EQ(column(*t, "KOD"), (std::vector<std::string>{"2", "1", "3", "10"}));  // blank date first
    ASSERT_TRUE(t->setOrder("FIO").isOk());
    EXPECT_TRUE(t->seek("Иванова"_cp, true));
    EXPECT_EQ(t->text("KOD"), "10");
    EXPECT_TRUE(t->seek("Ив"_cp, false));
    EXPECT_EQ(t->text("KOD"), "3");
    EXPECT_FALSE(t->seek("Ив"_cp, true));
    ASSERT_TRUE(t->setOrder("KOD").isOk());
    EXPECT_TRUE(t->seek("10", true));
    EXPECT_EQ(t->recNo(), 4);
    EXPECT_FALSE(t->setOrder("NOFIELD").isOk());
    // Appending in an order puts the record at its key's place.
    appendRows(*t, {{"Орлов"_cp, "5"}});
    EXPECT_EQ(column(*t, "KOD"), (std::vector<std::string>{"1", "2", "3", "5", "10"}));
}

TEST_F(TableTest, NamedTagsPersistBesideTheTable) {
    {
        auto t = openTable(path);
        ASSERT_TRUE(t->defineTag("ByName", "FIO+KOD").isOk());
        ASSERT_TRUE(t->defineTag("ByKod", "KOD").isOk());
        EXPECT_FALSE(t->defineTag("Bad", "NOFIELD+KOD").isOk());
    }
    EXPECT_NE(dir.read("PEOPLE.tags").find("BYNAME=FIO+KOD"), std::string::npos);
    auto t = openTable(path);
    EXPECT_EQ(t->tagNames(), (std::vector<std::string>{"BYNAME", "BYKOD"}));
    ASSERT_TRUE(t->setOrder("bykod").isOk());
    EXPECT_EQ(column(*t, "KOD"), (std::vector<std::string>{"1", "2", "3", "10"}));
    ASSERT_TRUE(t->deleteTag("BYKOD").isOk());
    EXPECT_EQ(t->tagNames(), (std::vector<std::string>{"BYNAME"}));
}

TEST_F(TableTest, FindEqualFollowsEditsAppendsAndDeletes) {
    auto t = openTable(path);
    const int kod = t->fieldIndex("KOD");
    EXPECT_EQ(t->findEqual(kod, "2"), (std::vector<int64_t>{3}));
    EXPECT_EQ(t->findEqual(t->fieldIndex("DR"), "01.02.1980"), (std::vector<int64_t>{1, 4}));
    EXPECT_EQ(t->findEqual(0, "Иванов  "_cp), (std::vector<int64_t>{1}));
    EXPECT_TRUE(t->findEqual(kod, "x").empty());
    appendRows(*t, {{"Орлов"_cp, "2"}});
    EXPECT_EQ(t->findEqual(kod, "2"), (std::vector<int64_t>{3, 5}));
    ASSERT_TRUE(t->goToRecNo(3));
    ASSERT_TRUE(t->setText(kod, "9").isOk());
    ASSERT_TRUE(t->post().isOk());
    EXPECT_EQ(t->findEqual(kod, "2"), (std::vector<int64_t>{5}));
    EXPECT_EQ(t->findEqual(kod, "9"), (std::vector<int64_t>{3}));
    ASSERT_TRUE(t->goToRecNo(5));
    ASSERT_TRUE(t->deleteRecord().isOk());
    EXPECT_TRUE(t->findEqual(kod, "2").empty());
    // Another handle's change drops the index.
    auto other = openTable(path);
    appendRows(*other, {{"Зайцев"_cp, "9"}});
    EXPECT_EQ(t->findEqual(kod, "9"), (std::vector<int64_t>{3, 6}));
}

TEST_F(TableTest, HandlesSeeEachOthersAppendsAfterRefresh) {
    auto a = openTable(path);
    auto b = openTable(path);
    appendRows(*b, {{"Орлов"_cp, "5"}});
    ASSERT_TRUE(a->refresh().isOk());
    EXPECT_EQ(a->recordCount(), 5);
    a->last();
    EXPECT_EQ(a->text("FIO"), "Орлов"_cp);
    // Appending from a handle that had not seen the other's record keeps both.
    appendRows(*b, {{"Б"_cp, "6"}});
    appendRows(*a, {{"А"_cp, "7"}});
    EXPECT_EQ(column(*a, "KOD"), (std::vector<std::string>{"3", "1", "2", "10", "5", "6", "7"}));
}

TEST_F(TableTest, ScanVisitsLiveRecordsInPhysicalOrder) {
    auto t = openTable(path);
    ASSERT_TRUE(t->goToRecNo(1));
    ASSERT_TRUE(t->deleteRecord().isOk());
    std::vector<int64_t> seen;
    ASSERT_TRUE(t->scan([&](int64_t r, const db::RecordView& rec) {
                     seen.push_back(r);
                     return rec.rawField(1) != "     2";
                 }).isOk());
    EXPECT_EQ(seen, (std::vector<int64_t>{2, 3}));
}

TEST_F(TableTest, ExclusiveOpenConflictsWithinTheProcess) {
    auto shared = openTable(path);
    auto ex = db::Table::open(path, OpenMode::Exclusive);
    ASSERT_FALSE(ex.isOk());
    EXPECT_EQ(ex.status().code(), base::Status::Code::Busy);
    EXPECT_EQ(ex.status().message(), " База блокирована "_cp);
    shared.reset();
    auto ex2 = openTable(path, OpenMode::Exclusive);
    ASSERT_TRUE(ex2);
    auto shared2 = db::Table::open(path);
    EXPECT_EQ(shared2.status().code(), base::Status::Code::Busy);
    // The registry holds one descriptor; closing the exclusive handle frees it.
    ex2.reset();
    EXPECT_TRUE(openTable(path));
}

TEST_F(TableTest, FindsTheFileWithoutRegardToCase) {
    auto t = openTable(dir.file("people.dbf"));
    ASSERT_TRUE(t);
    EXPECT_EQ(t->recordCount(), 4);
    auto missing = db::Table::open(dir.file("NONE.DBF"));
    EXPECT_EQ(missing.status().code(), base::Status::Code::NotFound);
    EXPECT_EQ(missing.status().message(), "Нет таблицы "_cp + dir.file("NONE.DBF"));
}
