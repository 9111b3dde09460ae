#include "app/demo_data.h"

#include <cstdio>
#include <vector>

#include "app/bootstrap.h"
#include "app/catalogue.h"
#include "base/cp_literal.h"
#include "base/file_ops.h"
#include "base/number_format.h"
#include "base/path_resolver.h"
#include "db/sql.h"

namespace app {

namespace {

std::string q(const std::string& v) { return "\"" + v + "\""; }

std::string two(int n) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "%02d", n);
    return buf;
}

std::string three(int n) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "%03d", n);
    return buf;
}

class Filler {
public:
    explicit Filler(const std::string& folder) : sql_(folder) {}
    Filler& run(const std::string& statement) {
        if (status_) {
            auto r = sql_.execute(statement);
            if (!r) status_ = r.status();
        }
        return *this;
    }
    const base::Status& status() const { return status_; }

private:
    db::SqlFolder sql_;
    base::Status status_;
};

struct Dept {
    const char* code;
    const char* group;
    const std::string& name;
};

struct Position {
    const std::string& name;
    double salary;
    int grade;
    const char* klass;
    const std::string& category;
    int posts;
};

std::vector<base::Date> holidaysOf(int year) {
    std::vector<base::Date> days;
    for (int d = 1; d <= 8; ++d) days.push_back(base::Date::fromYmd(year, 1, d));
    for (auto [m, d] : {std::pair{2, 23}, {3, 8}, {5, 1}, {5, 9}, {6, 12}, {11, 4}})
        days.push_back(base::Date::fromYmd(year, m, d));
    return days;
}

void addReferenceTables(Filler& f, int year) {
    f.run(createStatement("BPOD.DBF", "BPOD CHARACTER(50), BB_K CHARACTER(2), COLOR CHARACTER(1)"));
    for (auto [code, name] : {std::pair{"01", "Управление"_cp}, {"02", "Производство"_cp}, {"03", "Обеспечение"_cp}})
        f.run("INSERT INTO BPOD.DBF (BPOD, BB_K) VALUES (" + q(name) + ", " + q(code) + ")");

    const Dept depts[] = {
        {"01", "01", "Администрация"_cp},   {"02", "01", "Бухгалтерия"_cp},      {"03", "01", "Отдел кадров"_cp},
        {"04", "02", "Механический цех"_cp}, {"05", "02", "Сборочный цех"_cp},    {"06", "03", "Склад"_cp},
        {"07", "03", "Транспортный участок"_cp},
    };
    f.run(createStatement("POD.DBF", "POD CHARACTER(50), B_KOD CHARACTER(2), BB_K CHARACTER(2), COLOR CHARACTER(1)"));
    for (const Dept& d : depts)
        f.run("INSERT INTO POD.DBF (POD, B_KOD, BB_K) VALUES (" + q(d.name) + ", " + q(d.code) + ", " + q(d.group) + ")");

    f.run(createStatement("nammec.dbf", "nam CHARACTER(10)"));
    for (const std::string* m : {&"Январь"_cp, &"Февраль"_cp, &"Март"_cp, &"Апрель"_cp, &"Май"_cp, &"Июнь"_cp,
                                 &"Июль"_cp, &"Август"_cp, &"Сентябрь"_cp, &"Октябрь"_cp, &"Ноябрь"_cp, &"Декабрь"_cp})
        f.run("INSERT INTO nammec.dbf (nam) VALUES (" + q(*m) + ")");

    f.run(createStatement("INFORG.DBF", "NAME CHARACTER(60), INN CHARACTER(12), ADRES CHARACTER(60), RUK CHARACTER(40)"));
    f.run("INSERT INTO INFORG.DBF (NAME, INN, ADRES, RUK) VALUES (" + q("ООО «Северный завод»"_cp) + ", " +
          q("3525000000") + ", " + q("г. Вологда, ул. Заводская, 1"_cp) + ", " + q("Иванов А.С."_cp) + ")");

    // Holidays of this year and the next, so the reminder stays quiet.
    const std::string names[] = {"Новогодние каникулы"_cp, "День защитника"_cp, "Женский день"_cp, "Праздник труда"_cp,
                                 "День Победы"_cp, "День России"_cp, "День единства"_cp};
    for (int y : {year, year + 1}) {
        const auto days = holidaysOf(y);
        for (std::size_t i = 0; i < days.size(); ++i)
            f.run("INSERT INTO PRAZ.DBF (data, name_p) VALUES (" + q(days[i].text()) + ", " +
                  q(names[i < 8 ? 0 : i - 7]) + ")");
    }

    // One shift calendar: a day of 24 hours, then three days off.
    std::string fields = "NOM INTEGER, MET CHARACTER(2), Data DATE, praz CHARACTER(1)";
    for (int d = 1; d <= 31; ++d) fields += ", d" + two(d) + " CHARACTER(4)";
    f.run(createStatement("KAL.DBF", fields));
    f.run("INSERT INTO KAL.DBF (NOM, MET, Data, praz, d01, d02, d03, d04) VALUES (1, \"4\", " +
          q(base::Date::fromYmd(year, 1, 1).text()) + ", \"*\", \"24\", " + q("В#"_cp) + ", " + q("В#"_cp) + ", " +
          q("В#"_cp) + ")");

    // Monthly norms of a five-day week of eight hours.
    fields = "Dyear CHARACTER(4), Dwee INTEGER, Dlit INTEGER";
    for (int m = 1; m <= 12; ++m) fields += ", D" + two(m) + " CHARACTER(3)";
    for (int m = 1; m <= 12; ++m) fields += ", H" + two(m) + " CHARACTER(4)";
    f.run(createStatement("PROD.DBF", fields));
    const auto holidays = holidaysOf(year);
    std::string cols = "Dyear, Dwee, Dlit", vals = q(std::to_string(year)) + ", 5, 8";
    for (int m = 1; m <= 12; ++m) {
        int days = 0;
        for (int d = 1; d <= base::daysInMonth(year, m); ++d) {
            const base::Date date = base::Date::fromYmd(year, m, d);
            bool holiday = false;
            for (const base::Date& h : holidays) holiday = holiday || h == date;
            if (date.weekday() <= 5 && !holiday) ++days;
        }
        cols += ", D" + two(m) + ", H" + two(m);
        vals += ", " + q(std::to_string(days)) + ", " + q(std::to_string(days * 8));
    }
    f.run("INSERT INTO PROD.DBF (" + cols + ") VALUES (" + vals + ")");
}

}  // namespace

base::Status makeDemoData(const std::string& folderIn, base::Date today) {
    const std::string folder = base::withTrailingSeparator(folderIn);
    if (!base::folderExists(folder))
        if (auto st = base::makeFolders(folder); !st) return st;
    if (base::fileExists(folder + "DANN.DBF")) return base::Status::invalid("DANN.DBF already exists in " + folder);
    const int year = today.year();

    for (const BuiltinTable* t : {&prazTable(), &dannSkTable(), &kodIndTable(), &otchetkTable(), &tabTable(), &telKnTable()})
        if (auto st = createIfMissing(folder, *t); !st) return st;
    Filler f(folder);
    f.run(createStatement("DANN.DBF", dictionaryFieldList(builtinDictionaryRows(), DictionaryTarget::Dann)));
    f.run(createStatement("NAZN.DBF", dictionaryFieldList(builtinDictionaryRows(), DictionaryTarget::Nazn)));
    addReferenceTables(f, year);

    const Position positions[] = {
        {"Директор"_cp, 150000, 18, "1", "руководит"_cp, 1},     {"Главный бухгалтер"_cp, 110000, 16, "1", "руководит"_cp, 1},
        {"Бухгалтер"_cp, 65000, 12, "2", "специалист"_cp, 3},    {"Инспектор по кадрам"_cp, 58000, 11, "2", "специалист"_cp, 2},
        {"Начальник цеха"_cp, 95000, 15, "1", "руководит"_cp, 2}, {"Мастер участка"_cp, 72000, 13, "2", "специалист"_cp, 4},
        {"Токарь"_cp, 60000, 5, "3", "рабочий"_cp, 10},          {"Слесарь-сборщик"_cp, 57000, 4, "3", "рабочий"_cp, 12},
        {"Кладовщик"_cp, 45000, 3, "3", "рабочий"_cp, 3},        {"Водитель"_cp, 52000, 4, "3", "рабочий"_cp, 6},
        {"Инженер-технолог"_cp, 78000, 13, "2", "специалист"_cp, 3}, {"Секретарь"_cp, 42000, 6, "3", "служащий"_cp, 1},
    };
    f.run(createStatement("DOL.DBF",
                          "dol CHARACTER(40), kdol CHARACTER(3), dol1 FLOAT(12,2), razr INTEGER, klas CHARACTER(2), "
                          "kat CHARACTER(10), stat INTEGER, s_stat INTEGER, color CHARACTER(15), color1 CHARACTER(15)"));
    int k = 0;
    for (const Position& p : positions)
        f.run("INSERT INTO DOL.DBF (dol, kdol, dol1, razr, klas, kat, stat, s_stat) VALUES (" + q(p.name) + ", " +
              q(three(++k)) + ", " + base::formatNumber(p.salary) + ", " + std::to_string(p.grade) + ", " + q(p.klass) +
              ", " + q(p.category) + ", " + std::to_string(p.posts) + ", 0)");

    // Cards: surname in both forms, first names and patronymics by sex.
    const std::string male[][2] = {
        {"Иванов"_cp, "Иванова"_cp},     {"Петров"_cp, "Петрова"_cp},     {"Смирнов"_cp, "Смирнова"_cp},
        {"Кузнецов"_cp, "Кузнецова"_cp}, {"Соколов"_cp, "Соколова"_cp},   {"Попов"_cp, "Попова"_cp},
        {"Лебедев"_cp, "Лебедева"_cp},   {"Козлов"_cp, "Козлова"_cp},     {"Новиков"_cp, "Новикова"_cp},
        {"Морозов"_cp, "Морозова"_cp},   {"Волков"_cp, "Волкова"_cp},     {"Соловьёв"_cp, "Соловьёва"_cp},
        {"Васильев"_cp, "Васильева"_cp}, {"Зайцев"_cp, "Зайцева"_cp},     {"Павлов"_cp, "Павлова"_cp},
        {"Семёнов"_cp, "Семёнова"_cp},   {"Голубев"_cp, "Голубева"_cp},   {"Виноградов"_cp, "Виноградова"_cp},
        {"Богданов"_cp, "Богданова"_cp}, {"Воробьёв"_cp, "Воробьёва"_cp}, {"Фёдоров"_cp, "Фёдорова"_cp},
        {"Михайлов"_cp, "Михайлова"_cp}, {"Беляев"_cp, "Беляева"_cp},     {"Тарасов"_cp, "Тарасова"_cp},
        {"Белов"_cp, "Белова"_cp},
    };
    const std::string menNames[] = {"Александр"_cp, "Сергей"_cp, "Дмитрий"_cp, "Андрей"_cp, "Алексей"_cp,
                                    "Михаил"_cp,    "Николай"_cp, "Владимир"_cp, "Евгений"_cp, "Игорь"_cp};
    const std::string womenNames[] = {"Елена"_cp, "Ольга"_cp, "Наталья"_cp, "Татьяна"_cp, "Ирина"_cp,
                                      "Светлана"_cp, "Анна"_cp, "Марина"_cp, "Екатерина"_cp, "Юлия"_cp};
    const std::string fathers[][2] = {
        {"Александрович"_cp, "Александровна"_cp}, {"Сергеевич"_cp, "Сергеевна"_cp}, {"Иванович"_cp, "Ивановна"_cp},
        {"Петрович"_cp, "Петровна"_cp},           {"Николаевич"_cp, "Николаевна"_cp}, {"Викторович"_cp, "Викторовна"_cp},
        {"Юрьевич"_cp, "Юрьевна"_cp},
    };
    const std::string streets[] = {"ул. Ленина"_cp, "ул. Садовая"_cp, "пр. Мира"_cp, "ул. Заводская"_cp, "ул. Лесная"_cp};
    // Department of each position (by index) for the sample cards.
    const char* deptOf[] = {"01", "02", "02", "03", "04", "04", "04", "05", "06", "07", "05", "01"};
    const std::string deptName[] = {"Администрация"_cp, "Бухгалтерия"_cp, "Отдел кадров"_cp, "Механический цех"_cp,
                                    "Сборочный цех"_cp, "Склад"_cp, "Транспортный участок"_cp};
    const char* groupOf[] = {"01", "01", "01", "02", "02", "03", "03"};
    // Positions handed out in this order, the large ones repeatedly.
    const int plan[] = {0, 1, 2, 2, 3, 3, 4, 4, 5, 5, 5, 5, 10, 10, 11, 8, 8, 9, 9, 9, 9};
    const int cards = 50;
    for (int i = 0; i < cards; ++i) {
        const bool woman = i % 3 == 1;
        const int sex = woman ? 1 : 0;
        const std::string& fam = male[(i * 7) % 25][sex];
        const std::string& im = woman ? womenNames[(i * 3) % 10] : menNames[(i * 3) % 10];
        const std::string& ot = fathers[(i * 5) % 7][sex];
        const std::string fio = fam + " " + im.substr(0, 1) + "." + ot.substr(0, 1) + ".";
        const int p = i < int(std::size(plan)) ? plan[i] : (i % 2 ? 6 : 7);
        const Position& pos = positions[p];
        const int d = std::stoi(deptOf[p]) - 1;
        const base::Date born = base::Date::fromYmd(1962 + (i * 13) % 40, 1 + (i * 5) % 12, 1 + (i * 11) % 28);
        const base::Date hired = base::Date::fromYmd(year - 1 - (i * 7) % 20, 1 + (i * 3) % 12, 1 + (i * 7) % 28);
        const base::Date career = hired.addDays(-365 * ((i * 3) % 9));
        const bool dismissed = i == 47 || i == 48;
        f.run("INSERT INTO DANN.DBF (KOD, NOM, LK, FAM, IM, OT, FIO, POL, NACH, GR, MR, POD, DOL, KDOL, DOL1, D_DOL, "
              "RAZR, KLAS, B_KOD, BB_K, KAT, SOV, SER, NP, INDE, DA1, TEL, DWEE, DLIT, KAL, NTD, MNTD, NPD, MNPD, "
              "METKA, KNET) VALUES (" +
              std::to_string(i + 1) + ", " + q(std::to_string(i + 1)) + ", " + std::to_string(1001 + i) + ", " + q(fam) +
              ", " + q(im) + ", " + q(ot) + ", " + q(fio) + ", " + q(woman ? "жен"_cp : "муж"_cp) + ", " +
              q("русский"_cp) + ", " + q(born.text()) + ", " + q("г. Вологда"_cp) + ", " + q(deptName[d]) + ", " +
              q(pos.name) + ", " + q(three(p + 1)) + ", " + base::formatNumber(pos.salary) + ", " + q(hired.text()) +
              ", " + std::to_string(pos.grade) + ", " + pos.klass + ", " + q(deptOf[p]) + ", " + q(groupOf[d]) + ", " +
              q(pos.category) + ", " + q("нет"_cp) + ", " + q("19 0" + std::to_string(i % 10)) + ", " +
              q(std::to_string(400000 + i * 1379)) + ", " + q("160000") + ", " +
              q(streets[i % 5] + ", д. "_cp + std::to_string(3 + i % 40) + ", кв. "_cp + std::to_string(1 + i * 3 % 90)) +
              ", " + q("72-" + two(10 + i % 90) + "-" + two((i * 17) % 100)) + ", \"5\", \"8\", \"\", " +
              q(career.text()) + ", 0, " + q(hired.text()) + ", 0, " + q(dismissed ? "Y" : "R") + ", \"1\")");
    }
    f.run("UPDATE KOD_IND.DBF SET kod = " + std::to_string(cards) + ", kdol = " + q(std::to_string(std::size(positions))));
    return f.status();
}

}  // namespace app
