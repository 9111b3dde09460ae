// The local-SQL parser over every statement shape the program issues.
#include <gtest/gtest.h>

#include "base/cp_literal.h"
#include "db/sql_parser.h"

namespace {

using db::sql::Statement;

TEST(SqlParser, AcceptsTheProgramsStatements) {
    const std::string statements[] = {
        "Select D.*, O.*, S.*, V.* From DANN.DBF as D, OBRS.DBF as O, SPOLS as S, VOEN as V WHERE O.KOD = D.KOD "
        "AND S.KOD = D.KOD AND V.KOD = D.KOD ORDER BY FIO",
        "Select * From PRI_2026.DBF WHERE (DATA BETWEEN \"01.01.2026\" AND \"31.01.2026\") AND (N_VID =3) ORDER BY DATA",
        "UPDATE PRI_2026.DBF SET SB  = \"\" WHERE LICH_N = 5",
        "INSERT INTO NAZN.DBF (KOD) VALUES (\"12\")",
        "INSERT INTO KOD_IND.DBF (kod, b_kod, bb_k, kdol) VALUES (0, \"00\", \"00\", \"000\")",
        "CREATE TABLE \"DANN_SK.DBF\" (file_n CHARACTER(10), file_c CHARACTER(50), kod INTEGER, d DATE, s FLOAT(12,2))",
        "Select * From DANN.DBF WHERE METKA = \"A\" ORDER BY ",
        "Select * From DANN.DBF WHERE (METKA <> \"A\") AND (B_KOD = \"05\") AND (BB_K = \"01\") ORDER BY FIO",
        "DELETE FROM Dann.DBF WHERE KOD = 17",
        "Delete FROM PRI_2026.DBF WHERE LICH_N = 4",
        "Select * From KOM.DBF WHERE (((DATA1 >= \"01.03.2026\") AND (DATA1 <= \"31.03.2026\")) OR ((DATA2 >= "
        "\"01.03.2026\") AND (DATA2 <= \"31.03.2026\")) OR ((DATA1 < \"01.03.2026\") AND (DATA2 > \"31.03.2026\"))) AND "
        "(KOD =7)",
        "Select * From T0326.DBF  ORDER BY FIO",
        "SELECT FIO, TEL, TEL1, DA1, NOTE From TEL_KN.DBF WHERE FIO LIKE \"L%\" ORDER BY FIO",
        "Select * From TAB.DBF WHERE METKA = \"+\"",
        "UPDATE DoclistK.DBF SET NAME = :v, N = ? WHERE N_VID = 2;",
        "select * from dann order by B_KOD desc, FIO asc",
        "Select * From TMMYY.DBF WHERE ((B_KOD = \"B\") AND (BB_K = \"G\")) OR (LK = 99999)",
        "Select * From X WHERE NOT (A = 1) AND B NOT LIKE 'a%' AND C NOT BETWEEN 1 AND 2",
    };
    for (const std::string& text : statements) {
        auto s = db::sql::parse(text);
        EXPECT_TRUE(s.isOk()) << text << "\n" << s.status().message();
    }
}

TEST(SqlParser, JoinListAndQualifiedStars) {
    auto s = db::sql::parse("Select D.*, O.* From DANN.DBF as D, OBRS O, \"SPOLS\" WHERE O.KOD = D.KOD");
    ASSERT_TRUE(s.isOk()) << s.status().message();
    ASSERT_EQ(s->tables.size(), 3u);
    EXPECT_EQ(s->tables[0].name, "DANN.DBF");
    EXPECT_EQ(s->tables[0].alias, "D");
    EXPECT_EQ(s->tables[1].alias, "O");
    EXPECT_EQ(s->tables[2].name, "SPOLS");
    EXPECT_EQ(s->tables[2].alias, "");
    ASSERT_EQ(s->items.size(), 2u);
    EXPECT_EQ(s->items[1].kind, db::sql::SelectItem::Kind::TableColumns);
    EXPECT_EQ(s->items[1].qualifier, "O");
}

TEST(SqlParser, CreateTableTypes) {
    auto s = db::sql::parse("CREATE TABLE \"T.DBF\" (kod INTEGER, fio CHARACTER(25), d DATE, s FLOAT(12,2))");
    ASSERT_TRUE(s.isOk());
    const db::FieldList& f = s->definitions;
    ASSERT_EQ(f.size(), 4u);
    EXPECT_EQ(f[0].name, "KOD");
    EXPECT_EQ(f[0].type, db::FieldType::Numeric);
    EXPECT_EQ(f[0].length, 11);
    EXPECT_EQ(f[1].type, db::FieldType::Character);
    EXPECT_EQ(f[1].length, 25);
    EXPECT_EQ(f[2].type, db::FieldType::Date);
    EXPECT_EQ(f[3].length, 12);
    EXPECT_EQ(f[3].decimals, 2);
}

TEST(SqlParser, ErrorsGivePositionAndToken) {
    struct Case {
        std::string text, part;
    } cases[] = {
        {"SELEC * FROM A", "позиции 1: \"SELEC\""_cp},
        {"SELECT * FORM A", "позиции 10: \"FORM\""_cp},
        {"SELECT * FROM A WHERE", "позиции 22"_cp},
        {"SELECT * FROM A WHERE B = ", "неожиданный конец"_cp},
        {"UPDATE A SET B 1", "позиции 16"_cp},
        {"INSERT INTO A (B, C) VALUES (1)", "Число значений"_cp},
        {"CREATE TABLE A (B WORD)", "\"WORD\""},
        {"SELECT * FROM A WHERE B = 'x", "Незакрытая строка"_cp},
        {"SELECT * FROM A ORDER BY B,", "позиции 28"_cp},
        {"SELECT * FROM A extra words", "\"words\""},
    };
    for (const Case& c : cases) {
        auto s = db::sql::parse(c.text);
        ASSERT_FALSE(s.isOk()) << c.text;
        EXPECT_NE(s.status().message().find(c.part), std::string::npos) << c.text << " -> " << s.status().message();
    }
}

}  // namespace
