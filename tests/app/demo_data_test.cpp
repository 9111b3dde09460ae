#include <gtest/gtest.h>

#include <cstdlib>
#include <set>

#include "support/temp_folder.h"
#include "table_dump.h"

using testing_support::tableRows;

// `kadry demo make DIR`, as `make run` calls it, leaves a complete data folder.
TEST(DemoData, MakeFillsAFreshFolderOnce) {
    testing_support::TempFolder dir;
    const std::string folder = dir.path() + "data";
    const std::string command = std::string(KADRY_BIN) + " demo make " + folder + " 2>/dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0);
    const std::string d = folder + "/";
    EXPECT_EQ(tableRows(d + "DANN.DBF").size(), 50u);
    EXPECT_EQ(tableRows(d + "TAB.DBF").size(), 15u);
    EXPECT_EQ(tableRows(d + "DANN_SK.DBF").size(), 52u);
    EXPECT_EQ(tableRows(d + "KOD_IND.DBF"), std::vector<std::string>{"50|00|00|12"});
    EXPECT_EQ(tableRows(d + "POD.DBF").size(), 7u);
    EXPECT_EQ(tableRows(d + "BPOD.DBF").size(), 3u);
    EXPECT_EQ(tableRows(d + "DOL.DBF").size(), 12u);
    EXPECT_EQ(tableRows(d + "nammec.dbf").at(0), "Январь");
    EXPECT_GE(tableRows(d + "PRAZ.DBF").size(), 9u);
    EXPECT_EQ(tableRows(d + "KAL.DBF").size(), 1u);
    EXPECT_EQ(tableRows(d + "PROD.DBF").size(), 1u);
    // every card's department, code and group agree with POD.DBF
    std::set<std::string> departments;
    for (const std::string& row : tableRows(d + "POD.DBF")) departments.insert(row.substr(0, row.size() - 1));
    auto dann = db::Table::open(d + "DANN.DBF");
    ASSERT_TRUE(dann);
    for ((*dann)->first(); !(*dann)->eof(); (*dann)->next()) {
        const std::string key = base::cp1251ToUtf8((*dann)->text("POD") + "|" + (*dann)->text("B_KOD") + "|" +
                                                   (*dann)->text("BB_K"));
        EXPECT_TRUE(departments.count(key)) << key;
    }
    // a second run refuses to overwrite
    EXPECT_NE(std::system(command.c_str()), 0);
}
