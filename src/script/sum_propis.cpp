#include "script/sum_propis.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <vector>

#include "base/cp_literal.h"
#include "script/codes.h"
#include "script/host.h"

namespace script {

namespace {

// Items of the section marker..next "#", each the trimmed text before ";".
std::vector<std::string> section(const std::string& vocabulary, const std::string& marker, std::size_t count) {
    std::vector<std::string> items(count);
    const std::size_t at = vocabulary.find(marker);
    if (at == std::string::npos) return items;
    const std::size_t from = at + marker.size();
    const std::size_t end = vocabulary.find('#', from);
    std::string_view body = std::string_view(vocabulary).substr(from, end == std::string::npos ? std::string::npos : end - from);
    std::size_t k = 0, start = 0, semi;
    while (k < count && (semi = body.find(';', start)) != std::string_view::npos) {
        std::string item(trimSpaces(body.substr(start, semi - start)));
        // Items stand one per line: line breaks around them are no part of the word.
        while (!item.empty() && (item.front() == '\r' || item.front() == '\n' || item.front() == ' ')) item.erase(0, 1);
        while (!item.empty() && (item.back() == '\r' || item.back() == '\n' || item.back() == ' ')) item.pop_back();
        items[k++] = item;
        start = semi + 1;
    }
    return items;
}

// Noun form 1, 2 or 3 of a group by its last two characters.
int form(const std::string& group) {
    const char last = group.empty() ? ' ' : group.back();
    const char tens = group.size() >= 2 ? group[group.size() - 2] : ' ';
    if (tens == '1') return 3;
    if (last == '1') return 1;
    if (last == '2' || last == '3' || last == '4') return 2;
    return 3;
}

bool blank(const std::string& s) { return trimSpaces(s).empty(); }

// The amount in fixed notation with at least two decimals, so an amount the
// number format would write in exponent form still reads as digits.
std::string fixedText(double amount) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.15g", amount);
    std::string general = buf;
    if (general.find_first_of("eE") != std::string::npos) {
        std::snprintf(buf, sizeof buf, "%.6f", amount);
        general = buf;
        while (!general.empty() && general.back() == '0') general.pop_back();
        if (!general.empty() && general.back() == '.') general.pop_back();
    }
    return general;
}

}  // namespace

base::Result<std::string> amountInWords(const std::string& voc, double amount, bool fractionDigits, bool noCases,
                                        const std::string& languageIn, int width) {
    if (!(amount >= 0) || amount >= 2147483648.0)
        return base::Status::invalid("Недопустимое число для суммы прописью: "_cp + fixedText(amount));
    const std::string language = blank(languageIn) ? "РУССКИЙ"_cp : std::string(trimSpaces(languageIn));
    const auto units = section(voc, language + "-ЕДИНИЦЫ"_cp, 9);
    const auto thousandsUnits = section(voc, language + "-ТЫСЯЧИ"_cp, 11);
    const auto teens = section(voc, language + "-ВТОРОЙ ДЕСЯТОК"_cp, 10);
    const auto tens = section(voc, language + "-ДЕСЯТКИ"_cp, 8);
    const auto hundreds = section(voc, language + "-СОТНИ"_cp, 9);
    const auto billion = section(voc, language + "-МИЛЛИАРД"_cp, 3);
    const auto million = section(voc, language + "-МИЛЛИОН"_cp, 3);
    const auto thousand = section(voc, language + "-ТЫСЯЧА"_cp, 3);
    const std::string cases = noCases ? "-ВАЛЮТА БЕЗ ПАДЕЖЕЙ "_cp : "-ВАЛЮТА С ПАДЕЖАМИ "_cp;
    const auto currency = section(voc, language + cases + "РУБЛИ"_cp, 3);
    const auto fractionUnit = section(voc, language + cases + "КОПЕЙКИ"_cp, 3);

    std::string text = fixedText(amount);
    std::size_t dot = text.find('.');
    if (dot == std::string::npos) {
        text += ".00";
        dot = text.find('.');
    } else if (text.size() - dot == 2) {
        text += '0';
    }
    std::string integer = text.substr(0, dot);
    std::string fraction = text.substr(dot + 1, 2);
    if (std::stoll(integer) == 0) integer.clear();
    if (std::stoll(fraction) == 0) fraction.clear();
    if (integer.empty() && fraction.empty()) return std::string();

    while (integer.size() % 3 != 0) integer.insert(integer.begin(), ' ');
    std::vector<std::string> groups;
    for (std::size_t i = 0; i < integer.size(); i += 3) groups.push_back(integer.substr(i, 3));
    const int g = int(groups.size());

    auto digitWords = [&](const std::string& grp, bool thousandsGroup) {
        std::string w;
        const char h = grp[0], t = grp[1], u = grp[2];
        if (h >= '1' && h <= '9') w += hundreds[h - '1'] + " ";
        if (t == '1') return w + teens[u - '0'] + " ";
        if (t >= '2' && t <= '9') w += tens[t - '2'] + " ";
        if (u >= '1' && u <= '9') w += (thousandsGroup ? thousandsUnits[u - '1'] : units[u - '1']) + " ";
        return w;
    };

    std::string out;
    for (int k = 0; k < g; ++k) {
        const std::string& grp = groups[k];
        const bool last = k == g - 1;
        if (blank(grp) && !last) continue;
        out += digitWords(grp, g >= 2 && k == g - 2);
        const int f = form(grp);
        const int fromEnd = g - 1 - k;  // 3 thousand millions, 2 millions, 1 thousands
        if (last) out += currency[f - 1] + " ";
        else if (grp != "000") {
            if (fromEnd == 3) out += billion[f - 1] + " ";
            else if (fromEnd == 2) out += million[f - 1] + " ";
            else if (fromEnd == 1) out += thousand[f - 1] + " ";
        }
    }
    if (!fraction.empty()) {
        std::string grp = fraction;
        while (grp.size() < 3) grp.insert(grp.begin(), ' ');
        std::string w = fractionDigits ? std::string(trimSpaces(grp)) + " " : digitWords(grp, false);
        while (!w.empty() && w.back() == ' ') w.pop_back();
        out += w + "_" + fractionUnit[form(grp) - 1] + " ";
    }

    if (width > 0) {
        std::string broken, rest = out;
        while (int(rest.size()) > width) {
            std::string piece = rest.substr(0, std::size_t(width));
            const std::size_t sp = piece.rfind(' ');
            if (sp != std::string::npos) piece = piece.substr(0, sp + 1);
            broken += piece + "\r\n";
            rest.erase(0, piece.size());
        }
        out = broken + rest;
    }
    for (char& ch : out)
        if (ch == '_') ch = ' ';
    return out;
}

base::Result<std::string> amountInWords(Host& host, double amount, bool fractionDigits, bool noCases,
                                        const std::string& language, int width) {
    auto voc = host.readFile("Sum_Prop.sdc");
    if (!voc) host.showMessageBox("Файл "_cp + "Sum_Prop.sdc" + " отсутствует"_cp);
    return amountInWords(voc ? *voc : std::string(), amount, fractionDigits, noCases, language, width);
}

}  // namespace script
