#include "records/card_list.h"

#include "base/case_tables.h"
#include "base/cp_literal.h"
#include "base/file_ops.h"
#include "base/number_format.h"
#include "records/card_tables.h"
#include "base/text_trim.h"

namespace records {

std::optional<std::string> filterLiteral(std::string_view value) {
    if (value.find('\'') == std::string_view::npos) return "'" + std::string(value) + "'";
    if (value.find('"') == std::string_view::npos) return "\"" + std::string(value) + "\"";
    return std::nullopt;
}

std::string viewCondition(const CardListView& v) {
    // Codes that cannot be written as a literal match nothing.
    auto lit = [](const std::string& s) { return filterLiteral(s).value_or("'\x01'"); };
    if (v.view == "arx") return "METKA = 'A'";
    if (v.view == "kao") return "(METKA <> 'A') and (B_KOD = " + lit(v.deptCode) + ") and (BB_K = " + lit(v.groupCode) + ")";
    if (v.view == "kag") return "(METKA <> 'A') and (BB_K = " + lit(v.groupCode) + ")";
    return "METKA <> 'A'";
}

std::string listCaption(const CardListView& v, int64_t n) {
    const std::string count = std::to_string(n);
    if (v.view == "kao") return "ОТДЕЛ "_cp + base::trimBlanks(v.deptNames) + "  -  " + count + " чел."_cp;
    if (v.view == "kag") return "ГРУППА "_cp + base::trimBlanks(v.deptNames) + "  -  " + count + " чел."_cp;
    if (v.view == "arx") return " Архив уволенных "_cp + count + " чел."_cp;
    return " ВСЕГО - "_cp + count + " чел."_cp;
}

std::string captionAfterRemoval(const CardListView& v, int64_t n) {
    const std::string count = std::to_string(n);
    if (v.view == "arx") return " Архив уволенных "_cp + count + " чел."_cp;
    if (v.view == "kao") return count + " чел. - ОТДЕЛ  "_cp + base::trimBlanks(v.deptNames);
    if (v.view == "kag") return count + " чел. - ГРУППА  "_cp + base::trimBlanks(v.deptNames);
    return " ВСЕГО - "_cp + count + " чел."_cp;
}

std::string recordCaption(const std::string& caption, const std::string& lk, const std::string& fio) {
    const std::string mark = "чел."_cp;
    const auto at = caption.find(mark);
    std::string head = at == std::string::npos ? caption : caption.substr(0, std::min(caption.size(), at + mark.size() + 1));
    std::string out = head + "    Т№ "_cp + base::trimBlanks(lk) + "   " + base::trimBlanks(fio);
    const auto bar = caption.find('|');
    if (bar != std::string::npos) out += base::trimBlanks(caption.substr(bar));
    return out;
}

std::string sortFieldFor(const std::string& stored, const db::FieldList& dannFields) {
    const std::string s = base::trimBlanks(stored);
    if (s.empty()) return "FIO";
    for (const auto& f : dannFields)
        if (base::equalsIgnoreCase(f.name, s)) return s;
    return "FIO";
}

std::optional<std::string> exactCondition(const db::FieldDef& field, const std::string& value) {
    switch (field.type) {
        case db::FieldType::Numeric:
        case db::FieldType::Float:
        case db::FieldType::Integer: {
            std::string v = base::trimBlanks(value);
            if (v.empty()) v = "0";
            if (!base::parseNumber(v)) return std::nullopt;
            return field.name + " = " + v;
        }
        default: {
            const auto lit = filterLiteral(base::trimBlanks(value));
            if (!lit) return std::nullopt;
            return field.name + " = " + *lit;
        }
    }
}

std::string addCondition(const std::string& exact, const std::string& condition) {
    if (exact.empty()) return "(" + condition + ")";
    return "(" + exact + ") and (" + condition + ")";
}

std::string listFilter(const CardListView& v, const std::string& exact, const std::string& dialog) {
    std::string f = "(" + viewCondition(v) + ")";
    if (!exact.empty()) f += " and (" + exact + ")";
    if (!dialog.empty()) f += " and (" + dialog + ")";
    return f;
}

std::optional<int64_t> findRow(int64_t from, int64_t count, const std::string& text, bool fromStart,
                               const std::function<std::string(int64_t)>& valueAt) {
    const std::string needle = base::upperAnsi(text);
    if (base::trimBlanks(needle).empty()) from = 0;
    for (int64_t row = std::max<int64_t>(from, 0); row < count; ++row) {
        const std::string v = base::upperAnsi(base::trimBlanks(valueAt(row)));
        const auto at = v.find(needle);
        if (at == std::string::npos) continue;
        if (!fromStart || at == 0) return row;
    }
    return std::nullopt;
}

std::string notFoundText(const std::string& text, bool continued) {
    return "Строка \""_cp + text + (continued ? "\" далее не найдена "_cp : "\" не найдена "_cp);
}

std::string photoPath(const std::string& dataFolder, const std::string& foto) {
    const std::string name = base::trimBlanks(foto);
    return dataFolder + "FOTO/" + (name.empty() ? std::string("EMPTY.BMP") : name);
}

base::Result<std::string> photoValueFor(const std::string& dataFolder, const std::string& chosenPath,
                                        int fieldWidth) {
    std::string path = chosenPath;
    for (char& c : path)
        if (c == '\\') c = '/';
    const std::string upper = base::upperAnsi(path);
    const auto at = upper.rfind("FOTO/");
    std::string name = base::trimBlanks(at == std::string::npos ? path.substr(path.rfind('/') + 1) : path.substr(at + 5));
    if (int(name.size()) > fieldWidth)
        return base::Status::invalid(" Слишком длинное имя файла фотографии "_cp);
    const std::string ext = upper.size() >= 4 ? upper.substr(upper.size() - 4) : std::string();
    if (name.empty() || !base::fileExists(dataFolder + "FOTO/" + name) || (ext != ".BMP" && ext != ".JPG"))
        return std::string("EMPTY.BMP");
    return name;
}

}  // namespace records
