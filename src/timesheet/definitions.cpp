#include "timesheet/definitions.h"

#include <cstdio>

#include "base/cp_literal.h"
#include "timesheet/text_util.h"

namespace timesheet {

std::vector<Definition> defaultDefinitions() {
    const std::string days = "1/2/3/4/5/6/7/8/9/10/11/12/  (-#)";
    // Rows 019 and 020 start with the Latin "B#" (a day off without calendar)
    // and also name the Cyrillic "В#": the formulas rely on the difference.
    return {
        {"", "КОД"_cp, "КОД"_cp, "0", "D", "KOD;N", "+"},
        {"", "Код отдела"_cp, "КО"_cp, "2", "D", "B_KOD;C", "+"},
        {"", "Код группы"_cp, "КГ"_cp, "2", "D", "BB_K;C", "+"},
        {"", "Номер"_cp, "№№"_cp, "3", "D", "NOM;C", "+"},
        {"", "Таб номер"_cp, "Т№"_cp, "0", "D", "LK;N", "+"},
        {"", "Фамилия И.О."_cp, "КО"_cp, "25", "D", "FIO;C", "+"},
        {"001", "Рабочие дни"_cp, "ФР"_cp, "6", "R", days, "+"},
        {"002", "Отпускные"_cp, "ОТ"_cp, "4", "R", "ОТ/"_cp, "+"},
        {"003", "Больничные"_cp, "БЛ"_cp, "4", "R", "БЛ/"_cp, "+"},
        {"004", "Командировки"_cp, "КО"_cp, "3", "R", "КО/"_cp, "+"},
        {"006", "Без содержания"_cp, "БС"_cp, "3", "R", "БС/"_cp, "+"},
        {"007", "Ученический"_cp, "УЧ"_cp, "3", "R", "УЧ/"_cp, "+"},
        {"019", "Выходные,праздники"_cp, "B#", "3", "R", "B#/"_cp + "П#/В#/"_cp, "+"},
        {"020", "Баланс"_cp, "БАЛ"_cp, "3", "R",
         "1/2/3/4/5/6/7/8/9/10/11/12/B#/"_cp + "П#/В#/ОТ/БЛ/УЧ/КО/БС/"_cp, "+"},
        {"021", "Рабочие часы"_cp, "ЧС"_cp, "8", "H", days, "+"},
    };
}

std::vector<Definition> definitionsInUse(const std::vector<Definition>& rows) {
    std::vector<Definition> out;
    for (const Definition& d : rows)
        if (trimmed(d.metka) == "+") out.push_back(d);
    return out;
}

bool isCardDefinition(const Definition& d) { return trimmed(d.tip) == "D"; }

bool isResultDefinition(const Definition& d) {
    const std::string_view t = trimmed(d.tip);
    return t == "R" || t == "H" || t == "C";
}

std::string resultFieldName(const Definition& d) {
    return std::string(trimmed(d.tip)) + std::string(trimmed(d.tab));
}

bool holdsPlusHash(std::string_view formula) { return formula.find("+#") != std::string_view::npos; }
bool holdsMinusHash(std::string_view formula) { return formula.find("-#") != std::string_view::npos; }

bool formulaNamesMark(std::string_view formula, std::string_view mark) {
    const std::string_view m = trimmed(mark);
    if (m.empty()) return false;
    for (std::size_t pos = formula.find(m); pos != std::string_view::npos; pos = formula.find(m, pos + 1))
        if (pos + m.size() < formula.size() && formula[pos + m.size()] == '/') return true;
    return false;
}

std::string monthTableName(int month, int year) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "T%02d%02d.DBF", month, year % 100);
    return buf;
}

std::string dayFieldName(int day) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "D%02d", day);
    return buf;
}

}  // namespace timesheet
