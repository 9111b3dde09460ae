#include <fcntl.h>

#include "base/file_ops.h"
#include "org/colour_names.h"
#include "org/form_values.h"
#include "org/position_counter.h"
#include "org/staffing.h"
#include "org_fixture.h"

using namespace org;
using org_test::cp;
using org_test::OrgData;
using org_test::u8;

namespace {

class Staffing : public OrgData {
protected:
    void SetUp() override {
        OrgData::SetUp();
        position("001", "Директор", "150000", "red", "c1");
        position("002", "Бухгалтер", "65000.5", "", "");
        position("003", "Токарь", "60000", "", "c3");
        setCounter("3");
    }
    void position(const std::string& code, const std::string& name, const std::string& salary,
                  const std::string& color, const std::string& color1) {
        run("INSERT INTO DOL.DBF (dol, kdol, dol1, razr, klas, kat, stat, s_stat, color, color1) "
            "VALUES (:n, :k, :s, 5, \"2\", \"k\", 2, 1, :c, :c1)",
            {{"n", cp(name)}, {"k", code}, {"s", salary}, {"c", color}, {"c1", color1}});
    }
    void setCounter(const std::string& value) { run("UPDATE KOD_IND.DBF SET kdol = :v", {{"v", value}}); }
    std::vector<PositionRow> positions() {
        auto r = loadPositions(ctx);
        EXPECT_TRUE(r.isOk());
        return r.isOk() ? *r : std::vector<PositionRow>{};
    }
    int64_t recNoOf(const std::string& code) {
        const auto all = positions();
        const int i = findPosition(all, code);
        return i < 0 ? 0 : all[i].recNo;
    }
    std::vector<std::string> table() { return rows("Select dol, kdol, dol1, color, color1 From DOL.DBF"); }
};

TEST_F(Staffing, CodesComeFromTheCounterAndAreNeverReused) {
    setCounter("41");
    auto code = takePositionCode(ctx);
    ASSERT_TRUE(code.isOk());
    EXPECT_EQ(*code, "042");
    EXPECT_EQ(counter(), "42");

    setCounter("3");
    auto added = addPosition(ctx);
    ASSERT_TRUE(added.isOk());
    EXPECT_EQ(rows("Select kdol, dol From DOL.DBF").back(), "004|");
    const auto rowsBefore = positions();
    ASSERT_TRUE(deletePosition(ctx, *added, [] { return true; }));
    auto again = addPosition(ctx);
    ASSERT_TRUE(again.isOk());
    EXPECT_EQ(rows("Select kdol From DOL.DBF").back(), "005");
    EXPECT_EQ(rowsBefore.size(), positions().size());
}

TEST_F(Staffing, CounterSkipsCodesTheTableAlreadyHolds) {
    setCounter("1");  // behind the table: "002" and "003" are taken
    auto code = takePositionCode(ctx);
    ASSERT_TRUE(code.isOk());
    EXPECT_EQ(*code, "004");
    EXPECT_EQ(counter(), "4");
}

TEST_F(Staffing, CounterRefusesAfter999) {
    setCounter("999");
    auto code = takePositionCode(ctx);
    ASSERT_FALSE(code.isOk());
    EXPECT_EQ(u8(code.status().message()), " Коды должностей исчерпаны (999) ");
    EXPECT_EQ(counter(), "999");
    EXPECT_FALSE(addPosition(ctx).isOk());
    EXPECT_EQ(positions().size(), 3u);
}

TEST_F(Staffing, CounterHeldByAnotherUserIsReported) {
    auto holder = db::Table::open(data.file("KOD_IND.DBF"), db::OpenMode::Shared);
    ASSERT_TRUE(holder.isOk());
    auto code = takePositionCode(ctx);
    ASSERT_FALSE(code.isOk());
    EXPECT_EQ(u8(code.status().message()), " База блокирована ");
    EXPECT_FALSE(copyPosition(ctx, recNoOf("001")).isOk());
    (*holder)->close();
    EXPECT_EQ(counter(), "3");
    EXPECT_EQ(positions().size(), 3u);
}

TEST_F(Staffing, CopyTakesEveryFieldAndANewCode) {
    auto copy = copyPosition(ctx, recNoOf("001"));
    ASSERT_TRUE(copy.isOk());
    EXPECT_EQ(rows("Select dol, kdol, dol1, razr, klas, kat, stat, s_stat, color, color1 From DOL.DBF").back(),
              "Директор|004|150000|5|2|k|2|1|red|c1");
    EXPECT_EQ(counter(), "4");
}

TEST_F(Staffing, APositionHeldByAnEmployedCardIsNotDeleted) {
    card(1, "01", "01", "A", "002", "R");
    card(2, "01", "01", "A", "003", "Y");
    card(3, "01", "01", "A", "003", "A");
    int asked = 0;
    auto confirm = [&] { return ++asked, true; };
    EXPECT_FALSE(deletePosition(ctx, recNoOf("002"), confirm));
    EXPECT_EQ(msgs.lines.back(), "SOOB:  Данная должность  |  используется в картотеке сотрудников  |  Удаление невозможно ");
    EXPECT_EQ(asked, 0);
    EXPECT_FALSE(deletePosition(ctx, recNoOf("003"), [] { return false; }));
    EXPECT_EQ(positions().size(), 3u);
    EXPECT_TRUE(deletePosition(ctx, recNoOf("003"), confirm));  // dismissed and archived cards do not hold it
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(rows("Select kdol From DOL.DBF"), (std::vector<std::string>{"001", "002"}));
}

TEST_F(Staffing, MovingExchangesAllFieldsWithTheNeighbour) {
    auto moved = movePosition(ctx, recNoOf("001"), true);
    ASSERT_TRUE(moved.isOk());
    EXPECT_EQ(table(), (std::vector<std::string>{"Бухгалтер|002|65000.5||", "Директор|001|150000|red|c1",
                                                 "Токарь|003|60000||c3"}));
    EXPECT_EQ(*moved, recNoOf("001"));  // the cursor follows the moved row
    auto up = movePosition(ctx, recNoOf("003"), false);
    ASSERT_TRUE(up.isOk());
    EXPECT_EQ(table()[1], "Токарь|003|60000||c3");
    EXPECT_TRUE(msgs.lines.empty());

    const auto before = table();
    EXPECT_EQ(*movePosition(ctx, recNoOf("002"), false), recNoOf("002"));
    EXPECT_EQ(msgs.lines.back(), "SOOB:  Начало справочника  |  | ");
    EXPECT_EQ(*movePosition(ctx, recNoOf("001"), true), recNoOf("001"));
    EXPECT_EQ(msgs.lines.back(), "SOOB:  Конец справочника  |  | ");
    EXPECT_EQ(table(), before);
}

TEST_F(Staffing, FormValuesAreStoredByFieldType) {
    struct Case {
        const char* entry;
        const char* column;
        const char* expected;
    } cases[] = {
        {"#razr.ЗНАЧЕНИЕ.|12.00|", "razr", "12"},      {"#stat.ЗНАЧЕНИЕ.||", "stat", "0"},
        {"#dol1.ЗНАЧЕНИЕ.|1234,5|", "dol1", "1234.5"}, {"#dol1.ЗНАЧЕНИЕ.|99.25|", "dol1", "99.25"},
        {"#DOL.ЗНАЧЕНИЕ.|Слесарь|", "dol", "Слесарь"},  {"#klas.ЗНАЧЕНИЕ.||", "klas", ""},
        {"#NOPE.ЗНАЧЕНИЕ.|1|#s_stat.ЗНАЧЕНИЕ.|7|", "s_stat", "7"},
    };
    for (const Case& c : cases) {
        auto t = db::Table::open(data.file("DOL.DBF"));
        ASSERT_TRUE(t.isOk());
        ASSERT_TRUE((*t)->goToRecNo(recNoOf("002")));
        const auto st = applyFormValues(**t, cp(c.entry));
        EXPECT_TRUE(st.isOk()) << c.entry << ": " << u8(st.message());
        (*t)->close();
        EXPECT_EQ(rows(std::string("Select ") + c.column + " From DOL.DBF WHERE kdol = \"002\"").at(0), c.expected)
            << c.entry;
    }
}

TEST_F(Staffing, AValueThatDoesNotFitStoresNothing) {
    for (const char* text : {"#dol.ЗНАЧЕНИЕ.|Новое|#razr.ЗНАЧЕНИЕ.|abc|",
                             "#dol.ЗНАЧЕНИЕ.|Новое|#kdol.ЗНАЧЕНИЕ.|1234|"}) {
        auto t = db::Table::open(data.file("DOL.DBF"));
        ASSERT_TRUE((*t)->goToRecNo(recNoOf("002")));
        const auto st = applyFormValues(**t, cp(text));
        EXPECT_FALSE(st.isOk()) << text;
        EXPECT_EQ(u8(st.message()).rfind(" Поле ", 0), 0u) << u8(st.message());
        (*t)->close();
        EXPECT_EQ(rows("Select dol, razr From DOL.DBF WHERE kdol = \"002\"").at(0), "Бухгалтер|5");
    }
}

TEST_F(Staffing, EditWritesDocBufAndStoresDocFrm) {
    std::array<std::string, 4> files;
    std::string seenBuffer;
    auto form = [&](const std::string&, const std::array<std::string, 4>& f) {
        files = f;
        seenBuffer = work.read("doc_buf");
        work.write("doc_frm", cp("#dol.ЗНАЧЕНИЕ.|Главный бухгалтер|\r\n#dol1.ЗНАЧЕНИЕ.|110000|\r\n"));
    };
    work.write("doc_frm", "stale");
    ASSERT_TRUE(editPosition(ctx, recNoOf("002"), form));
    EXPECT_EQ(files, (std::array<std::string, 4>{"kr_dol1.frm", "kr_dol2.frm", "kr_dol3.frm", "kr_dol4.frm"}));
    EXPECT_EQ(u8(seenBuffer),
              "#DOL.ЗНАЧЕНИЕ.|Бухгалтер|\r\n#DOL.ТИП.|C|\r\n#DOL.РАЗМЕР.|40|\r\n"
              "#KDOL.ЗНАЧЕНИЕ.|002|\r\n#KDOL.ТИП.|C|\r\n#KDOL.РАЗМЕР.|3|\r\n"
              "#DOL1.ЗНАЧЕНИЕ.|65000.5|\r\n#DOL1.ТИП.|F|\r\n"
              "#RAZR.ЗНАЧЕНИЕ.|5|\r\n#RAZR.ТИП.|I|\r\n"
              "#KLAS.ЗНАЧЕНИЕ.|2|\r\n#KLAS.ТИП.|C|\r\n#KLAS.РАЗМЕР.|2|\r\n"
              "#KAT.ЗНАЧЕНИЕ.|k|\r\n#KAT.ТИП.|C|\r\n#KAT.РАЗМЕР.|10|\r\n"
              "#STAT.ЗНАЧЕНИЕ.|2|\r\n#STAT.ТИП.|I|\r\n#S_STAT.ЗНАЧЕНИЕ.|1|\r\n#S_STAT.ТИП.|I|\r\n"
              "#COLOR.ЗНАЧЕНИЕ.||\r\n#COLOR.ТИП.|C|\r\n#COLOR.РАЗМЕР.|15|\r\n"
              "#COLOR1.ЗНАЧЕНИЕ.||\r\n#COLOR1.ТИП.|C|\r\n#COLOR1.РАЗМЕР.|15|\r\n");
    EXPECT_EQ(rows("Select dol, dol1 From DOL.DBF WHERE kdol = \"002\"").at(0), "Главный бухгалтер|110000");
    EXPECT_FALSE(base::fileExists(work.file("doc_frm")));

    // A form closed without confirming leaves nothing: the row stays.
    EXPECT_FALSE(editPosition(ctx, recNoOf("002"), [](const std::string&, const std::array<std::string, 4>&) {}));
    EXPECT_EQ(rows("Select dol From DOL.DBF WHERE kdol = \"002\"").at(0), "Главный бухгалтер");
}

TEST(ColourNames, LaterAndLongerNamesWin) {
    struct Case {
        const char* text;
        uint32_t rgb;
    } cases[] = {
        {"красный", 0xFF0000}, {"  Red ", 0xFF0000},     {"светлосерый", 0xC0C0C0}, {"синезеленый", 0x008080},
        {"темносиний", 0x000080}, {"dark blue", 0x0000FF}, {"что-то", 0x000000},     {"", 0x000000},
    };
    for (const Case& c : cases) EXPECT_EQ(colourOfName(cp(c.text)), c.rgb) << c.text;
}

}  // namespace
