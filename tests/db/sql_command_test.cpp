// The `kadry db sql FOLDER STATEMENT` contract: a SELECT prints like dump,
// other statements print "N rows", UTF-8 in and out, errors on stderr.
#include <gtest/gtest.h>

#include "kadry_runner.h"
#include "support/temp_folder.h"

namespace {

using testing_support::runCommand;
using testing_support::shellQuoted;

testing_support::Output sql(const testing_support::TempFolder& dir, const std::string& statement,
                            bool withErrors = false) {
    return runCommand(std::string(KADRY_BIN) + " db sql " + shellQuoted(dir.path()) + " " + shellQuoted(statement) +
                      (withErrors ? " 2>&1" : ""));
}

TEST(SqlCommand, StatementsAndSelectOutput) {
    testing_support::TempFolder dir;
    EXPECT_EQ(sql(dir, "CREATE TABLE \"TEL_KN.DBF\" (Fio CHARACTER(25), tel CHARACTER(9), d DATE, s FLOAT(12,2), "
                       "k INTEGER)")
                  .out,
              "0 rows\n");
    EXPECT_EQ(sql(dir, "INSERT INTO TEL_KN.DBF (FIO, TEL, D, S, K) VALUES (\"Щукин Ё.\", \"12-34\", \"01.03.10\", "
                       "\"12.5\", 7)")
                  .out,
              "1 rows\n");
    EXPECT_EQ(sql(dir, "INSERT INTO tel_kn (FIO) VALUES (\"Абрамов\")").out, "1 rows\n");
    const auto all = sql(dir, "SELECT FIO, TEL, D, S, K From TEL_KN.DBF ORDER BY FIO");
    EXPECT_EQ(all.code, 0);
    EXPECT_EQ(all.out, "FIO\tTEL\tD\tS\tK\nАбрамов\t\t\t\t\nЩукин Ё.\t12-34\t01.03.2010\t12.50\t7\n");
    EXPECT_EQ(sql(dir, "UPDATE TEL_KN.DBF SET TEL = \"\" WHERE FIO LIKE \"Щ%\"").out, "1 rows\n");
    EXPECT_EQ(sql(dir, "DELETE FROM TEL_KN WHERE K = 7").out, "1 rows\n");
    EXPECT_EQ(sql(dir, "select fio from tel_kn").out, "FIO\nАбрамов\n");
}

TEST(SqlCommand, ErrorsExitNonZeroWithTheMessage) {
    testing_support::TempFolder dir;
    const auto bad = sql(dir, "SELECT * FORM X", true);
    EXPECT_NE(bad.code, 0);
    EXPECT_NE(bad.out.find("позиции 10: \"FORM\""), std::string::npos) << bad.out;
    const auto missing = sql(dir, "SELECT * FROM NOPE", true);
    EXPECT_NE(missing.code, 0);
    EXPECT_NE(missing.out.find("NOPE"), std::string::npos) << missing.out;
}

}  // namespace
