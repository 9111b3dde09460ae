#include <gtest/gtest.h>

#include "base/cp1251.h"
#include "records/card_list.h"
#include "records/param_buffer.h"
#include "records/seniority_text.h"
#include "support/temp_folder.h"

namespace {

std::string cp(const std::string& s) { return base::utf8ToCp1251(s); }
std::string utf(const std::string& s) { return base::cp1251ToUtf8(s); }
base::Date d(int y, int m, int day) { return base::Date::fromYmd(y, m, day); }

TEST(SeniorityText, Cases) {
    struct Case { base::Date s, e; std::string text; } cases[] = {
        {d(2019, 3, 10), d(2020, 3, 5), "0 - 11 - 25"},
        {d(2020, 3, 6), d(2020, 3, 5), "Нет стажа"},
        {d(2000, 1, 1), d(2020, 1, 1), "20 - 0 - 0"},
        {d(2019, 12, 31), d(2020, 1, 1), "0 - 0 - 0"},  // the borrowed month counts 30 days
        {d(2019, 5, 20), d(2020, 5, 19), "0 - 11 - 29"},
        {base::Date(), d(2020, 1, 1), "Нет стажа"},
    };
    for (const auto& c : cases) EXPECT_EQ(utf(records::seniorityText(c.s, c.e)), c.text) << c.s.text();
    EXPECT_EQ(utf(records::untilLabel(d(2010, 2, 28), d(2010, 3, 1), cp("бессрочный"))), "бессрочный");
    EXPECT_EQ(utf(records::untilLabel(d(2010, 3, 1), d(2010, 3, 1), cp("НЕТ"))), "\nдо - 01.03.2010");
}

TEST(CardList, ViewsAndCaptions) {
    records::CardListView kao{"kao", "03", "01", cp(" Бухгалтерия ")};
    EXPECT_EQ(records::viewCondition(kao), "(METKA <> 'A') and (B_KOD = '03') and (BB_K = '01')");
    EXPECT_EQ(utf(records::listCaption(kao, 7)), "ОТДЕЛ Бухгалтерия  -  7 чел.");
    EXPECT_EQ(utf(records::captionAfterRemoval(kao, 6)), "6 чел. - ОТДЕЛ  Бухгалтерия");
    records::CardListView arx{"arx", "", "", ""};
    EXPECT_EQ(records::viewCondition(arx), "METKA = 'A'");
    EXPECT_EQ(utf(records::listCaption(arx, 0)), " Архив уволенных 0 чел.");
    EXPECT_EQ(utf(records::listCaption({"ka"}, 52)), " ВСЕГО - 52 чел.");
    EXPECT_EQ(utf(records::recordCaption(cp(" ВСЕГО - 52 чел.    Т№ 1   Old | Фильтр x"), "12", cp("Ким А.Б. "))),
              " ВСЕГО - 52 чел.     Т№ 12   Ким А.Б.| Фильтр x");
}

TEST(CardList, ExactFilterQuotesAndNests) {
    const db::FieldDef pod{"POD", db::FieldType::Character, 50, 0};
    const db::FieldDef sov{"SOV", db::FieldType::Character, 3, 0};
    const db::FieldDef lk{"LK", db::FieldType::Numeric, 11, 0};
    const db::FieldDef gr{"GR", db::FieldType::Date, 8, 0};
    std::string exact = records::addCondition("", *records::exactCondition(pod, cp("Цех №1")));
    exact = records::addCondition(exact, *records::exactCondition(sov, cp("Да")));
    EXPECT_EQ(utf(exact), "((POD = 'Цех №1')) and (SOV = 'Да')");
    EXPECT_EQ(*records::exactCondition(lk, " 12"), "LK = 12");
    EXPECT_EQ(*records::exactCondition(gr, "01.03.2010"), "GR = '01.03.2010'");
    // An apostrophe in a name must not break the filter.
    EXPECT_EQ(*records::exactCondition(pod, "G'ulomov"), "POD = \"G'ulomov\"");
    EXPECT_FALSE(records::exactCondition(pod, "a'b\"c"));
    EXPECT_EQ(records::listFilter({"ka"}, "(LK = 1)", "DOL1 > 5"), "(METKA <> 'A') and ((LK = 1)) and (DOL1 > 5)");
}

TEST(CardList, SortFieldFallsBackToFio) {
    const db::FieldList fields = {{"KOD", db::FieldType::Numeric, 11, 0}, {"FIO", db::FieldType::Character, 40, 0}};
    EXPECT_EQ(records::sortFieldFor("", fields), "FIO");
    EXPECT_EQ(records::sortFieldFor("kod", fields), "kod");
    EXPECT_EQ(records::sortFieldFor("OBR", fields), "FIO");  // saved from the common bases view
}

TEST(CardList, IncrementalSearch) {
    const std::vector<std::string> fio = {cp("Абдуллаев"), cp("Иванов"), cp("Каримов"), cp("Иваненко")};
    auto at = [&](int64_t i) { return fio[i]; };
    EXPECT_EQ(records::findRow(0, 4, cp("ИВ"), true, at), 1);
    EXPECT_EQ(records::findRow(2, 4, cp("ИВ"), true, at), 3);
    EXPECT_EQ(records::findRow(0, 4, cp("АР"), true, at), std::nullopt);
    EXPECT_EQ(records::findRow(0, 4, cp("АР"), false, at), 2);
    EXPECT_EQ(utf(records::notFoundText(cp("ЖЖ"), false)), "Строка \"ЖЖ\" не найдена ");
    EXPECT_EQ(utf(records::notFoundText(cp("ЖЖ"), true)), "Строка \"ЖЖ\" далее не найдена ");
}

TEST(CardList, PhotoNames) {
    testing_support::TempFolder data;
    data.write("FOTO/ivanov.jpg", "x");
    data.write("FOTO/notes.txt", "x");
    data.write("FOTO/a_very_long_name_of_a_photo.jpg", "x");
    auto ok = records::photoValueFor(data.path(), data.path() + "FOTO/ivanov.jpg", 20);
    EXPECT_EQ(*ok, "ivanov.jpg");
    EXPECT_EQ(*records::photoValueFor(data.path(), data.path() + "FOTO/notes.txt", 20), "EMPTY.BMP");
    EXPECT_EQ(*records::photoValueFor(data.path(), data.path() + "FOTO/missing.jpg", 20), "EMPTY.BMP");
    // Cut to the field it would name another file: refused.
    const auto cut = records::photoValueFor(data.path(), data.path() + "FOTO/a_very_long_name_of_a_photo.jpg", 20);
    EXPECT_FALSE(cut);
    EXPECT_EQ(records::photoPath("/d/", " "), "/d/FOTO/EMPTY.BMP");
}

TEST(ParamBuffer, RoundTripAndParsing) {
    const std::string text = cp("#DOL.ЗНАЧЕНИЕ.|Инженер|\r\n#DOL.ТИП.|C|\r\n#X.ЗНАЧЕНИЕ.||\r\nnoise\r\n#Y.ЗНАЧЕНИЕ.|a|b|\r\n");
    const auto e = records::parseBuffer(text);
    ASSERT_EQ(e.size(), 4u);
    EXPECT_EQ(utf(e[0].value), "Инженер");
    EXPECT_EQ(utf(e[1].property), "ТИП");
    EXPECT_EQ(e[2].value, "");
    EXPECT_EQ(e[3].value, "a|b");
}

}  // namespace
