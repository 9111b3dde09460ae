#include "app/catalogue.h"

#include "base/cp_literal.h"
#include "base/text_trim.h"

namespace app {

namespace {

std::string quoted(const std::vector<std::string>& values) {
    std::string out;
    for (const std::string& v : values) {
        if (!out.empty()) out += ", ";
        out += "\"" + v + "\"";
    }
    return out;
}

struct DictSpec {
    const char* fileN;
    const std::string& caption;
    const char* type;
    const char* width;
    bool nazn;
};

// The built-in field dictionary, in its stored order.
const std::vector<DictSpec>& dictionarySpecs() {
    static const std::vector<DictSpec> rows = {
        {"KOD", "КОД"_cp, "N", "0", true},
        {"NOM", "NN"_cp, "C", "5", false},
        {"LK", "Таб №"_cp, "N", "0", false},
        {"FAM", "Фамилия"_cp, "C", "20", false},
        {"IM", "Имя"_cp, "C", "12", false},
        {"OT", "Отчество"_cp, "C", "15", false},
        {"FIO", "ФИО"_cp, "C", "25", false},
        {"POL", "Пол"_cp, "C", "3", false},
        {"NACH", "Национальность"_cp, "C", "16", false},
        {"GR", "Год рождения"_cp, "D", "0", false},
        {"MR", "Место рождения"_cp, "C", "55", false},
        {"POD", "Отдел"_cp, "C", "50", true},
        {"DOL", "Должность"_cp, "C", "40", true},
        {"KDOL", "КД"_cp, "C", "3", true},
        {"DOL1", "Оклад"_cp, "F", "0", true},
        {"D_DOL", "Дата назначения"_cp, "D", "0", true},
        {"RAZR", "Разряд"_cp, "N", "0", true},
        {"KLAS", "Кдасс"_cp, "N", "0", true},
        {"B_KOD", "КОТ"_cp, "C", "2", true},
        {"BB_K", "КГР"_cp, "C", "2", true},
        {"KAT", "Категория"_cp, "C", "10", false},
        {"SOV", "Совместитель"_cp, "C", "3", false},
        {"PM", "Последнее место работы"_cp, "C", "50", false},
        {"SER", "Серия"_cp, "C", "8", false},
        {"NP", "Номер"_cp, "C", "10", false},
        {"KV", "Кем выдан"_cp, "C", "30", false},
        {"KKV", "когда"_cp, "D", "0", false},
        {"INDE", "Индекс"_cp, "C", "6", false},
        {"DA1", "Домашний адрес"_cp, "C", "60", false},
        {"TEL", "Телефон"_cp, "C", "9", false},
        {"TEL1", "Телефон"_cp, "C", "9", false},
        {"DWEE", "H"_cp, "C", "1", false},
        {"DLIT", "Dh"_cp, "C", "2", false},
        {"KAL", "Kal"_cp, "C", "2", false},
        {"TRUK", "№ трудовой"_cp, "C", "12", false},
        {"INN", "ИНН"_cp, "C", "10", false},
        {"PINN", "ИНПС"_cp, "C", "20", false},
        {"NTD", "НТД"_cp, "D", "0", false},
        {"MNTD", " "_cp, "N", "0", false},
        {"STAG", "Стаж обший"_cp, "N", "0", false},
        {"NSD", "НТД"_cp, "D", "0", false},
        {"MNSD", " "_cp, "N", "0", false},
        {"PSTAG", "Стаж обший"_cp, "N", "0", false},
        {"NPD", "НCД"_cp, "D", "0", false},  // "C" is the Latin letter, as delivered
        {"MNPD", " "_cp, "N", "0", false},
        {"TSTAG", "Стаж специальный"_cp, "N", "0", false},
        {"DATA_ISP", ""_cp, "D", "0", false},
        {"DATA_DOG", ""_cp, "D", "0", false},
        {"MET_T", "M"_cp, "C", "1", true},
        {"METKA", "M"_cp, "C", "1", true},
        {"KNET", "N"_cp, "C", "2", true},
        {"FOTO", "Foto"_cp, "C", "20", true},
    };
    return rows;
}

BuiltinTable makeDannSk() {
    BuiltinTable t{"DANN_SK.DBF",
                   "file_n CHARACTER(10), file_c CHARACTER(50), file_t CHARACTER(1), file_w CHARACTER(3), "
                   "file_v CHARACTER(3), file_s CHARACTER(11), file_p CHARACTER(20), nazn CHARACTER(1), "
                   "base CHARACTER(15), vis CHARACTER(1), file_cu CHARACTER(50), file_ce CHARACTER(50)",
                   {}};
    for (const DictSpec& r : dictionarySpecs()) {
        t.inserts.push_back(
            "INSERT INTO DANN_SK.DBF (file_n, file_c, file_t, file_w, file_v, nazn, base, vis) VALUES (" +
            quoted({r.fileN, r.caption, r.type, r.width, "10", r.nazn ? "*" : "", "DANN.DBF", "*"}) + ")");
    }
    return t;
}

struct TabSpec {
    const char* tab;
    const std::string& nameL;
    const std::string& nameS;
    const char* tip;
    const char* wid;
    const std::string& formul;
};

BuiltinTable makeTab() {
    // "formul" is 60 wide: the balance formula (row 14) is 51 characters.
    BuiltinTable t{"TAB.DBF",
                   "tab CHARACTER(3), nameL CHARACTER(25), nameS CHARACTER(4), wid CHARACTER(2), "
                   "tip CHARACTER(1), formul CHARACTER(60), metka CHARACTER(1)",
                   {}};
    // "B#" is written with the Latin B, "В#" with the Cyrillic one.
    static const std::vector<TabSpec> rows = {
        {"", "КОД"_cp, "КОД"_cp, "D", "0", "KOD;N"_cp},
        {"", "Код отдела"_cp, "КО"_cp, "D", "2", "B_KOD;C"_cp},
        {"", "Код группы"_cp, "КГ"_cp, "D", "2", "BB_K;C"_cp},
        {"", "Номер"_cp, "№№"_cp, "D", "3", "NOM;C"_cp},
        {"", "Таб номер"_cp, "Т№"_cp, "D", "0", "LK;N"_cp},
        {"", "Фамилия И.О."_cp, "КО"_cp, "D", "25", "FIO;C"_cp},
        {"001", "Рабочие дни"_cp, "ФР"_cp, "R", "6", "1/2/3/4/5/6/7/8/9/10/11/12/  (-#)"_cp},
        {"002", "Отпускные"_cp, "ОТ"_cp, "R", "4", "ОТ/"_cp},
        {"003", "Больничные"_cp, "БЛ"_cp, "R", "4", "БЛ/"_cp},
        {"004", "Командировки"_cp, "КО"_cp, "R", "3", "КО/"_cp},
        {"006", "Без содержания"_cp, "БС"_cp, "R", "3", "БС/"_cp},
        {"007", "Ученический"_cp, "УЧ"_cp, "R", "3", "УЧ/"_cp},
        {"019", "Выходные,праздники"_cp, "B#"_cp, "R", "3", "B#/П#/В#/"_cp},
        {"020", "Баланс"_cp, "БАЛ"_cp, "R", "3", "1/2/3/4/5/6/7/8/9/10/11/12/B#/П#/В#/ОТ/БЛ/УЧ/КО/БС/"_cp},
        {"021", "Рабочие часы"_cp, "ЧС"_cp, "H", "8", "1/2/3/4/5/6/7/8/9/10/11/12/  (-#)"_cp},
    };
    for (const TabSpec& r : rows) {
        if (r.tab[0] == '\0')
            t.inserts.push_back("INSERT INTO TAB.DBF (namel, names, tip, wid, formul, metka) VALUES (" +
                                quoted({r.nameL, r.nameS, r.tip, r.wid, r.formul, "+"}) + ")");
        else
            t.inserts.push_back("INSERT INTO TAB.DBF (tab, namel, names, tip, wid, formul, metka) VALUES (" +
                                quoted({r.tab, r.nameL, r.nameS, r.tip, r.wid, r.formul, "+"}) + ")");
    }
    return t;
}

}  // namespace

std::string createStatement(const std::string& name, const std::string& fieldList) {
    return "CREATE TABLE \"" + name + "\" (" + fieldList + ")";
}

const BuiltinTable& simTable() {
    static const BuiltinTable t{"SIM.DBF", "FILE_N CHARACTER(12), BEG CHARACTER(12), D_BEG DATE, ENDD CHARACTER(12)", {}};
    return t;
}

const BuiltinTable& prazTable() {
    static const BuiltinTable t{"PRAZ.DBF", "data DATE, name_p CHARACTER(25)", {}};
    return t;
}

const BuiltinTable& dannSkTable() {
    static const BuiltinTable t = makeDannSk();
    return t;
}

const BuiltinTable& kodIndTable() {
    static const BuiltinTable t{
        "KOD_IND.DBF",
        "kod INTEGER, b_kod CHARACTER(2), bb_k CHARACTER(2), kdol CHARACTER(3)",
        {"INSERT INTO KOD_IND.DBF (kod, b_kod, bb_k, kdol) VALUES (0, \"00\", \"00\", \"000\")"}};
    return t;
}

const BuiltinTable& otchetkTable() {
    static const BuiltinTable t{"OTCHETK.DBF", "name CHARACTER(26), fiel CHARACTER(20), znat CHARACTER(2)", {}};
    return t;
}

const BuiltinTable& tabTable() {
    static const BuiltinTable t = makeTab();
    return t;
}

const BuiltinTable& telKnTable() {
    static const BuiltinTable t{
        "TEL_KN.DBF",
        "Fio CHARACTER(25), tel CHARACTER(9), tel1 CHARACTER(9), da1 CHARACTER(60), note CHARACTER(50)",
        {}};
    return t;
}

const BuiltinTable& tabFilTable() {
    static const BuiltinTable t{
        "TAB_FIL.DBF",
        "Tname CHARACTER(25), Tzag CHARACTER(250), tfil1 CHARACTER(250), tfil2 CHARACTER(250)",
        {}};
    return t;
}

const BuiltinTable& errorTable() {
    static const BuiltinTable t{
        "ERROR.DBF", "Kod INTEGER, LK CHARACTER(5), fio CHARACTER(20), error INTEGER, Dbf CHARACTER(16)", {}};
    return t;
}

std::string dictionaryFieldList(const std::vector<DictionaryRow>& rows, DictionaryTarget target) {
    std::string list;
    for (const DictionaryRow& r : rows) {
        const bool selected = target == DictionaryTarget::Dann ? base::trimBlanks(r.base) == "DANN.DBF" : r.nazn == "*";
        if (!selected) continue;
        const std::string type = base::trimBlanks(r.fileT);
        std::string sqlType;
        if (type == "N") sqlType = "INTEGER";
        else if (type == "C" || type == "S") sqlType = "CHARACTER(" + base::trimBlanks(r.fileW) + ")";
        else if (type == "D") sqlType = "DATE";
        else if (type == "F") sqlType = "FLOAT(12,2)";
        else continue;
        list += ", " + base::trimBlanks(r.fileN) + " " + sqlType;
    }
    if (!list.empty()) list.erase(0, 2);
    // Order numbers are longer than two characters, and the restructuring
    // builds this column 10 wide too.
    if (target == DictionaryTarget::Nazn) list += (list.empty() ? "" : ", ") + std::string("osn CHARACTER(10), Data1 DATE");
    return list;
}

std::vector<DictionaryRow> builtinDictionaryRows() {
    std::vector<DictionaryRow> out;
    for (const DictSpec& r : dictionarySpecs()) out.push_back({r.fileN, r.type, r.width, r.nazn ? "*" : "", "DANN.DBF"});
    return out;
}

}  // namespace app
