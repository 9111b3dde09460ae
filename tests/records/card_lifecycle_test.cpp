#include "records/card_lifecycle.h"

#include "base/file_ops.h"
#include "db/table.h"
#include "db/table_ops.h"
#include "records/card_codes.h"
#include "records/working_copy.h"
#include "records_fixture.h"

using namespace records_test;
using records::CardFileState;

namespace {

class CardLifecycle : public ::testing::Test, public RecordsFixture {};

TEST_F(CardLifecycle, HireTakesTheNextCodeAndFillsTheCard) {
    sql("UPDATE KOD_IND.DBF SET kod = 41");
    sql("UPDATE DANN_SK.DBF SET file_p = \"Узбек\" WHERE file_n = \"NACH\"");
    dict = *app::loadDictionary(data.file("DANN_SK.DBF"));
    struct Case { std::string view, dept, group; std::string expect; } cases[] = {
        {"kao", "03", "01", "42|03|01|Бухгалтерия|R|0|2|01.03.2010|01.03.2010|Узбек"},
        {"ka", "", "", "43||||R|0|2|01.03.2010|01.03.2010|Узбек"},
    };
    for (const auto& c : cases) {
        CardFileState state{c.view, c.dept, c.group, ""};
        auto code = records::hireCard(ctx, dict, state);
        ASSERT_TRUE(code) << utf(code.status().message());
        EXPECT_TRUE(state.hiring);
        const auto card = rows("DANN.DBF", {"KOD", "B_KOD", "BB_K", "POD", "METKA", "LK", "KNET", "GR", "NTD", "NACH"}, *code);
        ASSERT_EQ(card.size(), 1u);
        EXPECT_EQ(card[0], c.expect) << c.view;
        EXPECT_EQ(counter(), std::to_string(*code));
        for (const char* ext : {"OBRS.DBF", "SPOLS.DBF", "VOEN.DBF"}) EXPECT_EQ(rows(ext, {"KOD"}, *code).size(), 1u) << ext;
    }
    // Codes are never reused: deleting card 43 and hiring again gives 44.
    ok(records::deleteEmptyCard(ctx, 43));
    CardFileState state;
    EXPECT_EQ(*records::hireCard(ctx, dict, state), 44);
}

TEST_F(CardLifecycle, QuotesInValuesAreBoundNotSpliced) {
    sql("INSERT INTO POD.DBF (POD, B_KOD, BB_K) VALUES (:p, \"09\", \"02\")", {{"p", cp("Цех \"Восток\" и O'Neil")}});
    CardFileState state{"kao", "09", "02", ""};
    auto code = records::hireCard(ctx, dict, state);
    ASSERT_TRUE(code) << utf(code.status().message());
    EXPECT_EQ(rows("DANN.DBF", {"POD"}, *code), std::vector<std::string>{"Цех \"Восток\" и O'Neil"});
}

TEST_F(CardLifecycle, HireRefusesWhenTheCounterIsHeld) {
    auto held = db::Table::open(data.file("KOD_IND.DBF"));
    ASSERT_TRUE(held);
    CardFileState state;
    auto code = records::hireCard(ctx, dict, state);
    EXPECT_FALSE(code);
    EXPECT_FALSE(state.hiring);  // the mark is set only once the code is taken
    EXPECT_EQ(messages.lines, std::vector<std::string>{"BOX:  База блокирована "});
    EXPECT_TRUE(rows("DANN.DBF", {"KOD"}).empty());
}

TEST_F(CardLifecycle, ViewOnlyWorkstationDoesNothing) {
    ctx.workstation = "";
    CardFileState state;
    EXPECT_FALSE(records::hireCard(ctx, dict, state));
    addCard(5, {{"METKA", "A"}, {"LK", "3"}, {"FIO", "Ким"}});
    EXPECT_FALSE(records::deleteArchivedCard(ctx, 5));
    EXPECT_EQ(counter(), "0");
    EXPECT_EQ(rows("DANN.DBF", {"KOD"}).size(), 1u);
}

TEST_F(CardLifecycle, HireCreatesMissingExtensionTablesFirst) {
    EXPECT_FALSE(db::tableExists(data.file("VOEN.DBF")));
    CardFileState state;
    auto code = records::hireCard(ctx, dict, state);
    ASSERT_TRUE(code);
    EXPECT_EQ(rows("VOEN.DBF", {"KOD"}, *code), std::vector<std::string>{"1"});
}

TEST_F(CardLifecycle, CopyOfADismissedCardIsAWorkingCard) {
    sql("UPDATE KOD_IND.DBF SET kod = 10");
    addCard(10, {{"METKA", "Y"}, {"MET_T", "*"}, {"LK", "77"}, {"FAM", "Ганиев"}, {"FIO", "Ганиев А.Б."},
                 {"DOL", "Инженер"}, {"ADRES2", "12 Навои"}});
    CardFileState state{"kao", "03", "01", ""};
    auto code = records::copyCard(ctx, dict, state, 10);
    ASSERT_TRUE(code) << utf(code.status().message());
    EXPECT_EQ(*code, 11);
    EXPECT_TRUE(state.hiring);
    auto copy = records::openWorkingCopy(ctx);
    ASSERT_TRUE(copy);
    EXPECT_EQ((*copy)->text("KOD"), "11");
    EXPECT_EQ((*copy)->text("LK"), "0");
    EXPECT_EQ((*copy)->text("METKA"), "R");
    EXPECT_EQ((*copy)->text("MET_T"), "");
    EXPECT_EQ(utf((*copy)->text("DOL")), "Инженер");
    EXPECT_EQ(utf((*copy)->text("ADRES2")), "12 Навои");
    EXPECT_EQ(rows("DANN.DBF", {"METKA", "LK", "B_KOD", "D_DOL", "NTD", "NPD", "NSD"}, 11),
              std::vector<std::string>{"R|0|03|01.03.2010|01.03.2010|01.03.2010|01.03.2010"});
    (*copy)->close();
    // Closing the card writes the copy back into the new card.
    ok(records::writeBack(ctx));
    EXPECT_EQ(rows("DANN.DBF", {"METKA", "FAM", "ADRES2"}, 11), std::vector<std::string>{"R|Ганиев|12 Навои"});
    EXPECT_EQ(rows("DANN.DBF", {"METKA"}, 10), std::vector<std::string>{"Y"});
}

TEST(CardRemoval, DecisionTable) {
    using K = records::RemovalKind;
    struct Case { records::CardSummary card; K kind; } cases[] = {
        {{1, "R", "5", "Ким А.", "", "", ""}, K::DismissFirst},
        {{1, "R", "0", "", "", "", ""}, K::DeleteEmpty},
        {{1, "R", "", "", "", "", ""}, K::DeleteEmpty},
        {{1, "R", "0", "Ким А.", "", "", ""}, K::AskDismissed},
        {{1, "R", "5", "", "", "", ""}, K::AskDismissed},
        {{1, "Y", "5", "Ким А.", "", "", ""}, K::AskDismissed},
        {{1, "A", "5", "Ким А.", "", "", ""}, K::AskArchived},
    };
    for (const auto& c : cases) EXPECT_EQ(records::classifyRemoval(c.card), c.kind) << c.card.metka << c.card.lk;
}

TEST_F(CardLifecycle, ArchiveMovesBothWaysAndRefusesAWorkingCard) {
    addCard(1, {{"METKA", "Y"}, {"LK", "1"}, {"FIO", "А"}});
    addCard(2, {{"METKA", "A"}, {"LK", "2"}, {"FIO", "Б"}});
    addCard(3, {{"METKA", "R"}, {"LK", "0"}, {"FIO", "В"}});
    for (int64_t code : {1, 2, 3}) {
        auto card = records::readCardSummary(ctx, code);
        ASSERT_TRUE(card);
        records::moveArchive(ctx, *card);
    }
    EXPECT_EQ(rows("DANN.DBF", {"KOD", "METKA"}), (std::vector<std::string>{"1|A", "2|Y", "3|R"}));
    EXPECT_EQ(messages.lines, std::vector<std::string>{"SOOB: До удаления в архив | надо сотрудника уволить | "});
}

TEST_F(CardLifecycle, DeletingAnArchivedCardKeepsCopiesWhereTablesExist) {
    addCard(7, {{"METKA", "A"}, {"LK", "9"}, {"FIO", "Г'уломов А.А."}});
    addCard(8, {{"METKA", "A"}, {"LK", "10"}, {"FIO", "Другой"}});
    sql("INSERT INTO NAZN.DBF (KOD, DOL) VALUES (7, \"Инженер\")");
    sql("INSERT INTO NAZN.DBF (KOD, DOL) VALUES (7, \"Уволен\")");
    sql("INSERT INTO NAZN.DBF (KOD, DOL) VALUES (8, \"Инженер\")");
    sql("INSERT INTO BOLL.DBF (KOD, KOL_D) VALUES (7, 3)");
    sql("INSERT INTO OTP.DBF (KOD, KOL_D) VALUES (7, 24)");
    sql("INSERT INTO KOM.DBF (KOD, KOM) VALUES (7, \"Ташкент\")");
    ok(records::ensureExtensionTables(ctx));
    sql("INSERT INTO OBRS.DBF (KOD) VALUES (7)");
    // Copies for cards and assignments only.
    sql("CREATE TABLE DELET_D.DBF (KOD INTEGER, FIO CHARACTER(40), datep DATE, nm INTEGER)");
    sql("CREATE TABLE DELET_N.DBF (KOD INTEGER, DOL CHARACTER(50), datep DATE, nm INTEGER)");

    ok(records::deleteArchivedCard(ctx, 7));
    EXPECT_EQ(rows("DANN.DBF", {"KOD"}), std::vector<std::string>{"8"});
    EXPECT_EQ(rows("NAZN.DBF", {"KOD"}), std::vector<std::string>{"8"});
    for (const char* t : {"BOLL.DBF", "OTP.DBF", "KOM.DBF"}) EXPECT_TRUE(rows(t, {"KOD"}).empty()) << t;
    EXPECT_EQ(rows("OBRS.DBF", {"KOD"}), std::vector<std::string>{"7"});  // extension rows stay
    EXPECT_EQ(rows("DELET_D.DBF", {"KOD", "FIO", "DATEP", "NM"}), std::vector<std::string>{"7|Г'уломов А.А.|17.03.2010|2"});
    EXPECT_EQ(rows("DELET_N.DBF", {"KOD", "DOL", "DATEP", "NM"}),
              (std::vector<std::string>{"7|Инженер|17.03.2010|2", "7|Уволен|17.03.2010|2"}));
}

TEST_F(CardLifecycle, FreePersonnelNumberAndNumberUse) {
    addCard(1, {{"LK", "1"}});
    addCard(2, {{"LK", "2"}});
    addCard(3, {{"LK", "4"}});
    EXPECT_EQ(*records::freePersonnelNumber(ctx), 3);
    EXPECT_TRUE(*records::personnelNumberUsed(ctx, "4", 1));
    EXPECT_FALSE(*records::personnelNumberUsed(ctx, "4", 3));  // its own number
    EXPECT_FALSE(*records::personnelNumberUsed(ctx, "5", 1));
}

TEST_F(CardLifecycle, WorkingCopyIsRefusedWhenTheDataFolderIsTheWorkingFolder) {
    addCard(1, {{"LK", "1"}});
    ctx.workFolder = ctx.dataFolder;
    auto st = records::makeWorkingCopy(ctx, dict, 1);
    EXPECT_FALSE(st);
    EXPECT_EQ(rows("DANN.DBF", {"LK"}), std::vector<std::string>{"1"});
}

}  // namespace

#include "records/print_table.h"

namespace {

TEST_F(CardLifecycle, PrintTableHoldsTheListInOrderWithPositions) {
    addCard(1, {{"FIO", "Яковлев"}, {"METKA", "R"}, {"NOM", "77"}});
    addCard(2, {{"FIO", "Абаев"}, {"METKA", "R"}});
    addCard(3, {{"FIO", "Архивный"}, {"METKA", "A"}});
    auto list = db::Table::open(data.file("DANN.DBF"));
    ASSERT_TRUE(list);
    ok((*list)->setFilter("METKA <> 'A'"));
    ok((*list)->setOrder("FIO"));
    ok(records::buildPrintTable(ctx, dict, **list));
    db::SqlFolder w(work.path());
    auto r = w.query("Select * From DANN_C.DBF");
    ASSERT_TRUE(r);
    std::vector<std::string> got;
    for ((*r)->first(); !(*r)->eof(); (*r)->next()) got.push_back(utf((*r)->text("NOM") + "|" + (*r)->text("FIO")));
    EXPECT_EQ(got, (std::vector<std::string>{"1|Абаев", "2|Яковлев"}));
    EXPECT_GE((*r)->fieldIndex("ADRES2"), 0);  // user fields too
    EXPECT_EQ(records::printColumns(dict).front().field, "KOD");
}

}  // namespace
