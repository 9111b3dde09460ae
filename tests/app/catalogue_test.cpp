#include <gtest/gtest.h>

#include "app/catalogue.h"
#include "base/cp1251.h"
#include "base/cp_literal.h"

using app::DictionaryRow;
using app::DictionaryTarget;

TEST(Catalogue, DefaultDictionaryGivesTheTwoFieldLists) {
    const auto rows = app::builtinDictionaryRows();
    ASSERT_EQ(rows.size(), 52u);
    EXPECT_EQ(app::dictionaryFieldList(rows, DictionaryTarget::Dann),
              "KOD INTEGER, NOM CHARACTER(5), LK INTEGER, FAM CHARACTER(20), IM CHARACTER(12), OT CHARACTER(15), "
              "FIO CHARACTER(25), POL CHARACTER(3), NACH CHARACTER(16), GR DATE, MR CHARACTER(55), "
              "POD CHARACTER(50), DOL CHARACTER(40), KDOL CHARACTER(3), DOL1 FLOAT(12,2), D_DOL DATE, "
              "RAZR INTEGER, KLAS INTEGER, B_KOD CHARACTER(2), BB_K CHARACTER(2), KAT CHARACTER(10), "
              "SOV CHARACTER(3), PM CHARACTER(50), SER CHARACTER(8), NP CHARACTER(10), KV CHARACTER(30), "
              "KKV DATE, INDE CHARACTER(6), DA1 CHARACTER(60), TEL CHARACTER(9), TEL1 CHARACTER(9), "
              "DWEE CHARACTER(1), DLIT CHARACTER(2), KAL CHARACTER(2), TRUK CHARACTER(12), INN CHARACTER(10), "
              "PINN CHARACTER(20), NTD DATE, MNTD INTEGER, STAG INTEGER, NSD DATE, MNSD INTEGER, "
              "PSTAG INTEGER, NPD DATE, MNPD INTEGER, TSTAG INTEGER, DATA_ISP DATE, DATA_DOG DATE, "
              "MET_T CHARACTER(1), METKA CHARACTER(1), KNET CHARACTER(2), FOTO CHARACTER(20)");
    EXPECT_EQ(app::dictionaryFieldList(rows, DictionaryTarget::Nazn),
              "KOD INTEGER, POD CHARACTER(50), DOL CHARACTER(40), KDOL CHARACTER(3), DOL1 FLOAT(12,2), "
              "D_DOL DATE, RAZR INTEGER, KLAS INTEGER, B_KOD CHARACTER(2), BB_K CHARACTER(2), "
              "MET_T CHARACTER(1), METKA CHARACTER(1), KNET CHARACTER(2), FOTO CHARACTER(20), "
              "osn CHARACTER(10), Data1 DATE");
}

TEST(Catalogue, UserRowsUnknownTypesAndOtherBases) {
    std::vector<DictionaryRow> rows = {
        {"KOD ", "N", "0", "*", "DANN.DBF"},
        {" EXTRA", " S", " 7 ", "", "DANN.DBF       "},
        {"BAD", "X", "5", "*", "DANN.DBF"},
        {"NOTE", "C", "30", "*", "VOEN.DBF"},
    };
    EXPECT_EQ(app::dictionaryFieldList(rows, DictionaryTarget::Dann), "KOD INTEGER, EXTRA CHARACTER(7)");
    EXPECT_EQ(app::dictionaryFieldList(rows, DictionaryTarget::Nazn),
              "KOD INTEGER, NOTE CHARACTER(30), osn CHARACTER(10), Data1 DATE");
}

TEST(Catalogue, StatementsAsComposed) {
    EXPECT_EQ(app::createStatement(app::prazTable().name, app::prazTable().fieldList),
              "CREATE TABLE \"PRAZ.DBF\" (data DATE, name_p CHARACTER(25))");
    ASSERT_EQ(app::kodIndTable().inserts.size(), 1u);
    EXPECT_EQ(app::kodIndTable().inserts[0],
              "INSERT INTO KOD_IND.DBF (kod, b_kod, bb_k, kdol) VALUES (0, \"00\", \"00\", \"000\")");
    const auto& sk = app::dannSkTable().inserts;
    ASSERT_EQ(sk.size(), 52u);
    EXPECT_EQ(base::cp1251ToUtf8(sk[0]),
              "INSERT INTO DANN_SK.DBF (file_n, file_c, file_t, file_w, file_v, nazn, base, vis) VALUES "
              "(\"KOD\", \"КОД\", \"N\", \"0\", \"10\", \"*\", \"DANN.DBF\", \"*\")");
    EXPECT_NE(base::cp1251ToUtf8(sk[43]).find("(\"NPD\", \"НCД\", \"D\""), std::string::npos);
    const auto& tab = app::tabTable();
    ASSERT_EQ(tab.inserts.size(), 15u);
    EXPECT_NE(tab.fieldList.find("formul CHARACTER(60)"), std::string::npos);
    EXPECT_EQ(base::cp1251ToUtf8(tab.inserts[0]),
              "INSERT INTO TAB.DBF (namel, names, tip, wid, formul, metka) VALUES "
              "(\"КОД\", \"КОД\", \"D\", \"0\", \"KOD;N\", \"+\")");
    EXPECT_EQ(base::cp1251ToUtf8(tab.inserts[13]),
              "INSERT INTO TAB.DBF (tab, namel, names, tip, wid, formul, metka) VALUES (\"020\", \"Баланс\", "
              "\"БАЛ\", \"R\", \"3\", \"1/2/3/4/5/6/7/8/9/10/11/12/B#/П#/В#/ОТ/БЛ/УЧ/КО/БС/\", \"+\")");
    // the balance formula fits its column whole
    EXPECT_EQ(std::string("1/2/3/4/5/6/7/8/9/10/11/12/B#/П#/В#/ОТ/БЛ/УЧ/КО/БС/"_cp).size(), 51u);
}
