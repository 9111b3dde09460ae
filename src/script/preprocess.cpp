#include "script/preprocess.h"

#include "base/cp_literal.h"
#include "script/codes.h"

namespace script {

namespace {

std::string trimmed(std::string_view s) { return std::string(trimSpaces(s)); }

void replaceAll(std::string& s, std::string_view from, std::string_view to) {
    if (from.empty()) return;
    std::size_t pos = 0;
    while ((pos = s.find(from, pos)) != std::string::npos) {
        s.replace(pos, from.size(), to);
        pos += to.size();
    }
}

// Lines of the text split at CR LF (a bare LF counts too); a final line
// ending does not start an extra line.
std::vector<std::string_view> splitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t lf = text.find('\n', start);
        std::size_t end = lf == std::string_view::npos ? text.size() : lf;
        std::size_t cut = end > start && text[end - 1] == '\r' ? end - 1 : end;
        lines.push_back(text.substr(start, cut - start));
        if (lf == std::string_view::npos) break;
        start = lf + 1;
    }
    return lines;
}

}  // namespace

std::string withCrLf(std::string_view text) {
    std::string out;
    out.reserve(text.size() + text.size() / 16);
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) out += '\r';
        out += text[i];
    }
    return out;
}

std::variant<std::string, Message> removeBlockComments(std::string text) {
    std::size_t open;
    while ((open = text.find("/*")) != std::string::npos) {
        std::size_t close = text.find("*/", open + 2);
        if (close == std::string::npos)
            return Message{"Не верно закрыты комментарии \"/*\" или \"*/\""_cp, "Обработка прервана"_cp, ""};
        text.erase(open, close + 2 - open);
    }
    return text;
}

std::string includeModules(std::string script,
                           const std::function<std::optional<std::string>(const std::string&)>& readModule) {
    const std::string& marker = "@МОДУЛИ"_cp;
    if (script.find(marker) == std::string::npos) return script;
    std::string flat = script;
    replaceAll(flat, "\r\n", "");
    flat += '#';
    std::size_t from = flat.find(marker) + marker.size();
    std::string list = flat.substr(from, flat.find('#', from) - from);
    std::string names;
    for (char c : list)
        if (c != ' ') names += c;
    names += ',';
    std::size_t start = 0, comma;
    while ((comma = names.find(',', start)) != std::string::npos) {
        std::string name = trimmed(std::string_view(names).substr(start, comma - start));
        start = comma + 1;
        if (name.empty()) continue;
        if (auto module = readModule(name))
            script += "#\r\n#// Модуль "_cp + name + " ==========\r\n" + *module;
    }
    return script;
}

std::variant<StatementList, Message> preprocess(std::string_view source) {
    std::string text;
    text.reserve(source.size());
    for (char c : source)
        if (c != '\x1A') text += c;
    replaceAll(text, "'#'", "&&!77");

    std::string joined;
    joined.reserve(text.size());
    for (std::string_view raw : splitLines(text)) {
        std::string_view line = trimSpaces(raw);
        if (line.empty()) {
            joined += '#';
            continue;
        }
        if (line == "/*" || line == "*/" || line.substr(0, 2) == "//") joined += '#';
        joined += line;
    }
    if (!joined.empty() && joined[0] == '#') joined[0] = ' ';
    if (joined.empty() || joined.back() != '#') joined += '#';

    StatementList out;
    int depth = 0;
    std::size_t start = 0, hash;
    while ((hash = joined.find('#', start)) != std::string::npos) {
        std::string piece = trimmed(std::string_view(joined).substr(start, hash - start));
        start = hash + 1;
        replaceAll(piece, "&&!77", "'#'");
        out.listing.push_back(piece);
        for (char& c : piece)
            if (c == '\'') c = kQuote;

        const std::size_t a = piece.find("/*"), b = piece.find("*/");
        bool openedOutermost = false;
        std::string statement = piece;
        if (a != std::string::npos && b != std::string::npos) {
            statement = trimmed(std::string_view(piece).substr(0, a)) + trimmed(std::string_view(piece).substr(b + 2));
        } else if (a != std::string::npos) {
            openedOutermost = depth == 0;
            statement = depth == 0 ? trimmed(std::string_view(piece).substr(0, a)) : std::string();
            ++depth;
        } else if (b != std::string::npos) {
            statement = trimmed(std::string_view(piece).substr(b + 2));
            --depth;
        }
        if (depth > 0 && !openedOutermost) statement.clear();
        if (std::size_t c = statement.find("//"); c != std::string::npos)
            statement = trimmed(std::string_view(statement).substr(0, c));
        out.statements.push_back(std::move(statement));
    }

    if (depth > 0)
        return Message{"Не хватает "_cp + std::to_string(depth) + " закрытия коментария \"*/\""_cp,
                       "Обработка прервана"_cp, ""};
    if (depth < 0)
        return Message{"Не хватает "_cp + std::to_string(-depth) + " открытия коментария \"/*\""_cp,
                       "Обработка прервана"_cp, ""};
    return out;
}

}  // namespace script
