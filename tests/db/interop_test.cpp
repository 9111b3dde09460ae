// Interoperation with an independent DBF implementation (Debian's shapelib
// tools dbfcreate, dbfadd, dbfdump): what we write they read with the same
// values, Cyrillic bytes included, and what they write opens in ours.
#include <gtest/gtest.h>

#include <map>

#include "kadry_runner.h"
#include "table_fixture.h"

using namespace testing_support;
using db::FieldType;

namespace {

// dbfdump -m prints "Record: n" and then "NAME: value" lines.
std::vector<std::map<std::string, std::string>> dbfdumpRecords(const std::string& path) {
    std::vector<std::map<std::string, std::string>> records;
    const Output r = runCommand("dbfdump -m " + shellQuoted(path));
    EXPECT_EQ(r.code, 0);
    std::size_t pos = 0;
    while (pos < r.out.size()) {
        auto end = r.out.find('\n', pos);
        if (end == std::string::npos) end = r.out.size();
        const std::string line = r.out.substr(pos, end - pos);
        pos = end + 1;
        if (line.rfind("Record:", 0) == 0) {
            records.emplace_back();
            continue;
        }
        const auto colon = line.find(": ");
        if (colon == std::string::npos || records.empty()) continue;
        std::string value = line.substr(colon + 2);
        while (!value.empty() && value.back() == ' ') value.pop_back();
        while (!value.empty() && value.front() == ' ') value.erase(0, 1);
        records.back()[line.substr(0, colon)] = value;
    }
    return records;
}

class Interop : public ::testing::Test {
protected:
    void SetUp() override {
        if (!toolAvailable("dbfdump") || !toolAvailable("dbfcreate") || !toolAvailable("dbfadd"))
            GTEST_SKIP() << "shapelib tools (dbfcreate, dbfadd, dbfdump) are not installed";
    }
    TempFolder dir;
};

}  // namespace

TEST_F(Interop, TablesWeWriteReadTheSameInDbfdump) {
    const std::string path = dir.file("OURS.DBF");
    ASSERT_TRUE(db::createTable(path, {field("FIO", FieldType::Character, 25), field("KOD", FieldType::Numeric, 9),
                                       field("DOL1", FieldType::Numeric, 12, 2), field("DR", FieldType::Date, 8),
                                       field("OK", FieldType::Logical, 1)})
                    .isOk());
    {
        auto t = openTable(path);
        appendRows(*t, {{"Ёлкина Юлия Щукина"_cp, "123456789", "1500.5", "01.03.2010", "T"},
                        {"Smith", "-7", "", "", "F"},
                        {"", "0", "-0.25", "29.02.2000", ""}});
    }
    const auto records = dbfdumpRecords(path);
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(records[0].at("FIO"), "Ёлкина Юлия Щукина"_cp);
    EXPECT_EQ(records[0].at("KOD"), "123456789");
    EXPECT_EQ(records[0].at("DOL1"), "1500.50");
    // dbfdump prints nothing for D and L fields; they must not disturb the rest.
    EXPECT_EQ(records[1].at("KOD"), "-7");
    EXPECT_EQ(records[2].at("DOL1"), "-0.25");
}

TEST_F(Interop, TablesDbfcreateWritesOpenInOurs) {
    const std::string path = dir.file("THEIRS.DBF");
    ASSERT_EQ(runCommand("dbfcreate " + shellQuoted(path) + " -s FIO 20 -n KOD 6 0 -n SUM 10 2").code, 0);
    ASSERT_EQ(runCommand("dbfadd " + shellQuoted(path) + " " + shellQuoted("Иванов Пётр"_cp) + " 42 1234.5").code, 0);
    ASSERT_EQ(runCommand("dbfadd " + shellQuoted(path) + " Smith -3 0").code, 0);
    auto t = openTable(path);
    ASSERT_TRUE(t);
    EXPECT_TRUE(t->problems().empty());
    EXPECT_EQ(column(*t, "FIO"), (std::vector<std::string>{"Иванов Пётр"_cp, "Smith"}));
    EXPECT_EQ(column(*t, "SUM"), (std::vector<std::string>{"1234.5", "0"}));
    EXPECT_TRUE(t->locate("kod", "-3"));
    // And we can add to it; dbfdump sees our record.
    appendRows(*t, {{"Петров"_cp, "7", "1.25"}});
    t.reset();
    const auto records = dbfdumpRecords(path);
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(records[2].at("FIO"), "Петров"_cp);
    EXPECT_EQ(records[2].at("SUM"), "1.25");
}
