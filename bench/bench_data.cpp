#include "bench_data.h"

#include <cstdint>

#include "base/cp_literal.h"

namespace bench {
namespace {

// The card's fields as the default dictionary builds them.
const char* const kDann =
    "KOD INTEGER, NOM CHARACTER(5), LK INTEGER, FAM CHARACTER(20), IM CHARACTER(12), OT CHARACTER(15), FIO "
    "CHARACTER(25), POL CHARACTER(3), NACH CHARACTER(16), GR DATE, MR CHARACTER(55), POD CHARACTER(50), DOL "
    "CHARACTER(40), KDOL CHARACTER(3), DOL1 FLOAT(12,2), D_DOL DATE, RAZR INTEGER, KLAS INTEGER, B_KOD CHARACTER(2), "
    "BB_K CHARACTER(2), KAT CHARACTER(10), SOV CHARACTER(3), PM CHARACTER(50), SER CHARACTER(8), NP CHARACTER(10), "
    "KV CHARACTER(30), KKV DATE, INDE CHARACTER(6), DA1 CHARACTER(60), TEL CHARACTER(9), TEL1 CHARACTER(9), DWEE "
    "CHARACTER(1), DLIT CHARACTER(2), KAL CHARACTER(2), TRUK CHARACTER(12), INN CHARACTER(10), PINN CHARACTER(20), "
    "NTD DATE, MNTD INTEGER, STAG INTEGER, NSD DATE, MNSD INTEGER, PSTAG INTEGER, NPD DATE, MNPD INTEGER, TSTAG "
    "INTEGER, DATA_ISP DATE, DATA_DOG DATE, MET_T CHARACTER(1), METKA CHARACTER(1), KNET CHARACTER(2), FOTO "
    "CHARACTER(20)";
const char* const kNazn =
    "KOD INTEGER, POD CHARACTER(50), DOL CHARACTER(40), KDOL CHARACTER(3), DOL1 FLOAT(12,2), D_DOL DATE, RAZR "
    "INTEGER, KLAS INTEGER, B_KOD CHARACTER(2), BB_K CHARACTER(2), MET_T CHARACTER(1), METKA CHARACTER(1), KNET "
    "CHARACTER(2), FOTO CHARACTER(20), OSN CHARACTER(2), DATA1 DATE";

std::vector<Column> parseColumns(const std::string& list) {
    std::vector<Column> out;
    std::size_t start = 0;
    while (start < list.size()) {
        // split at ", " outside parentheses
        int depth = 0;
        std::size_t end = start;
        for (; end < list.size(); ++end) {
            if (list[end] == '(') ++depth;
            if (list[end] == ')') --depth;
            if (list[end] == ',' && depth == 0) break;
        }
        std::string item = list.substr(start, end - start);
        while (!item.empty() && item.front() == ' ') item.erase(0, 1);
        const std::size_t blank = item.find(' ');
        out.push_back({item.substr(0, blank), item.substr(blank + 1)});
        start = end + 1;
    }
    return out;
}

uint64_t mix(uint64_t x) {
    x += 0x9E3779B97F4A7C15ull;
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
    return x ^ (x >> 31);
}

const std::vector<std::string>& surnames() {
    static const std::vector<std::string> v = {
        "Иванов"_cp,  "Петров"_cp,   "Сидоров"_cp,  "Кузнецов"_cp, "Смирнов"_cp, "Попов"_cp,
        "Васильев"_cp, "Соколов"_cp, "Михайлов"_cp, "Новиков"_cp,  "Фёдоров"_cp, "Морозов"_cp,
        "Волков"_cp,  "Алексеев"_cp, "Лебедев"_cp,  "Семёнов"_cp,  "Егоров"_cp,  "Павлов"_cp,
        "Козлов"_cp,  "Степанов"_cp, "Николаев"_cp, "Орлов"_cp,    "Андреев"_cp, "Макаров"_cp};
    return v;
}
const std::vector<std::string>& names() {
    static const std::vector<std::string> v = {"Александр"_cp, "Сергей"_cp, "Дмитрий"_cp, "Андрей"_cp,
                                               "Алексей"_cp,   "Ольга"_cp,  "Елена"_cp,   "Наталья"_cp,
                                               "Ирина"_cp,     "Татьяна"_cp};
    return v;
}
const std::vector<std::string>& posts() {
    static const std::vector<std::string> v = {"Инженер"_cp, "Бухгалтер"_cp, "Экономист"_cp, "Слесарь"_cp,
                                               "Водитель"_cp, "Начальник отдела"_cp, "Оператор"_cp};
    return v;
}

std::string two(int n) { return (n < 10 ? "0" : "") + std::to_string(n); }
std::string date(uint64_t h, int fromYear, int years) {
    return two(int(h % 28) + 1) + "." + two(int((h >> 8) % 12) + 1) + "." +
           std::to_string(fromYear + int((h >> 16) % uint64_t(years)));
}

}  // namespace

const std::vector<Column>& dannColumns() {
    static const std::vector<Column> c = parseColumns(kDann);
    return c;
}
const std::vector<Column>& naznColumns() {
    static const std::vector<Column> c = parseColumns(kNazn);
    return c;
}

std::string createStatement(const std::string& table, const std::vector<Column>& columns) {
    std::string s = "CREATE TABLE \"" + table + "\" (";
    for (std::size_t i = 0; i < columns.size(); ++i) s += (i ? ", " : "") + columns[i].name + " " + columns[i].sqlType;
    return s + ")";
}

Row makeCard(int kod) {
    const uint64_t h = mix(uint64_t(kod));
    const std::string& fam = surnames()[h % surnames().size()];
    const std::string& im = names()[(h >> 8) % names().size()];
    const std::string& ot = names()[(h >> 16) % names().size()];
    Row r;
    for (const Column& c : dannColumns()) {
        const std::string& n = c.name;
        if (n == "KOD") r.push_back(std::to_string(kod));
        else if (n == "LK") r.push_back(std::to_string(1000 + kod));
        else if (n == "FAM") r.push_back(fam);
        else if (n == "IM") r.push_back(im);
        else if (n == "OT") r.push_back(ot + "ович"_cp);
        else if (n == "FIO") r.push_back(fam + " " + im.substr(0, 1) + "." + ot.substr(0, 1) + ". " + std::to_string(h % 997));
        else if (n == "POL") r.push_back((h & 1) ? "муж"_cp : "жен"_cp);
        else if (n == "GR") r.push_back(date(h >> 3, 1950, 50));
        else if (n == "MR") r.push_back("г. Ташкент"_cp);
        else if (n == "POD") r.push_back("Отдел "_cp + std::to_string(h % 40));
        else if (n == "DOL") r.push_back(posts()[(h >> 5) % posts().size()]);
        else if (n == "KDOL") r.push_back(std::to_string(100 + (h >> 7) % 800));
        else if (n == "DOL1") r.push_back(std::to_string(1000 + (h >> 9) % 9000) + ".50");
        else if (n == "D_DOL" || n == "NTD" || n == "NPD") r.push_back(date(h >> 11, 1990, 30));
        else if (n == "RAZR") r.push_back(std::to_string((h >> 13) % 12));
        else if (n == "B_KOD") r.push_back(two(int((h >> 17) % 40)));
        else if (n == "BB_K") r.push_back(two(int((h >> 19) % 8)));
        else if (n == "DA1") r.push_back("ул. Навои, д. "_cp + std::to_string(h % 200));
        else if (n == "TEL") r.push_back(std::to_string(1000000 + h % 8999999));
        else if (n == "METKA") r.push_back(h % 10 == 0 ? "A" : (h % 20 == 1 ? "Y" : "R"));
        else if (n == "DWEE") r.push_back("5");
        else if (n == "STAG") r.push_back(std::to_string((h >> 23) % 40));
        else r.push_back("");
    }
    return r;
}

Row makeAssignment(int index, int cards) {
    const uint64_t h = mix(uint64_t(index) + 0x51ED);
    Row r;
    for (const Column& c : naznColumns()) {
        const std::string& n = c.name;
        if (n == "KOD") r.push_back(std::to_string(1 + int(h % uint64_t(cards))));
        else if (n == "POD") r.push_back("Отдел "_cp + std::to_string((h >> 7) % 40));
        else if (n == "DOL") r.push_back(posts()[(h >> 5) % posts().size()]);
        else if (n == "DOL1") r.push_back(std::to_string(1000 + (h >> 9) % 9000) + ".00");
        else if (n == "D_DOL" || n == "DATA1") r.push_back(date(h >> 11, 1990, 36));
        else if (n == "RAZR") r.push_back(std::to_string((h >> 13) % 12));
        else if (n == "B_KOD") r.push_back(two(int((h >> 17) % 40)));
        else if (n == "METKA") r.push_back(h % 10 == 0 ? "A" : "R");
        else if (n == "OSN") r.push_back(std::to_string((h >> 21) % 99));
        else r.push_back("");
    }
    return r;
}

}  // namespace bench
