// The output contract of kadry db info, dump, check and pack.
#include <gtest/gtest.h>

#include "db/dbf_format.h"
#include "kadry_runner.h"
#include "table_fixture.h"

using namespace testing_support;
using db::FieldType;

namespace {

Output kadry(const std::string& args) { return runCommand(std::string(KADRY_BIN) + " db " + args + " 2>/dev/null"); }

class DbCommand : public ::testing::Test {
protected:
    void SetUp() override {
        path = dir.file("T.DBF");
        ASSERT_TRUE(db::createTable(path, {field("fio", FieldType::Character, 10), field("SUM", FieldType::Numeric, 8, 2),
                                           field("DR", FieldType::Date, 8), field("OK", FieldType::Logical, 1),
                                           field("NOTE", FieldType::Memo, 10)})
                        .isOk());
        auto t = openTable(path);
        appendRows(*t, {{"Иванов"_cp, "12.5", "01.03.2010", "T", "строка 1\r\nстрока 2"_cp},
                        {"deleted", "1"},
                        {"", "", "", "", ""}});
        ASSERT_TRUE(t->goToRecNo(2));
        ASSERT_TRUE(t->deleteRecord().isOk());
    }
    TempFolder dir;
    std::string path;
};

}  // namespace

TEST_F(DbCommand, InfoPrintsVersionCodePageCountAndFields) {
    const Output r = kadry("info " + shellQuoted(path));
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out,
              "version 0x83 codepage 1251 records 3\n"
              "FIO C 10 0\n"
              "SUM N 8 2\n"
              "DR D 8 0\n"
              "OK L 1 0\n"
              "NOTE M 10 0\n");
}

TEST_F(DbCommand, DumpPrintsLiveRecordsTabSeparatedInUtf8) {
    const Output r = kadry("dump " + shellQuoted(path));
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out,
              "FIO\tSUM\tDR\tOK\tNOTE\n"
              "Иванов\t12.50\t01.03.2010\tT\tстрока 1\\nстрока 2\n"
              "\t\t\t\t\n");
}

TEST_F(DbCommand, CheckSaysOkOrWhatIsWrong) {
    EXPECT_EQ(kadry("check " + shellQuoted(path)).out, "ok\n");
    EXPECT_EQ(kadry("pack " + shellQuoted(path)).code, 0);
    EXPECT_EQ(kadry("info " + shellQuoted(path)).out.substr(0, 37), "version 0x83 codepage 1251 records 2\n");

    std::string bytes = dir.read("T.DBF");
    std::string badMemo = bytes;
    badMemo.replace(193 + 28, 10, "      9999");  // record 1's memo block, past the memo file
    dir.write("T.DBF", badMemo);
    const Output memo = kadry("check " + shellQuoted(path));
    EXPECT_EQ(memo.code, 1);
    EXPECT_NE(memo.out.find("Запись 1: поле NOTE: Ссылка за концом файла примечаний"), std::string::npos) << memo.out;
    db::putU32(bytes.data() + 4, 50);
    dir.write("T.DBF", bytes);
    const Output r = kadry("check " + shellQuoted(path));
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.out.find("Записей в заголовке 50, в файле только 2"), std::string::npos) << r.out;

    std::filesystem::remove(dir.file("T.DBT"));
    EXPECT_NE(kadry("check " + shellQuoted(path)).out.find("Нет файла примечаний"), std::string::npos);
    dir.write("T.DBF", bytes.substr(0, 40));
    EXPECT_EQ(kadry("check " + shellQuoted(path)).code, 1);
    EXPECT_EQ(kadry("dump " + shellQuoted(path)).code, 1);
    EXPECT_EQ(kadry("pack " + shellQuoted(dir.file("NONE.DBF"))).code, 1);
}
