#include "app/text_file.h"

#include "base/cp_literal.h"
#include "base/file_ops.h"

namespace app {

std::string ReadTextFile(std::string_view path, ui::Messages& messages) {
    return ReadTextFile(path, messages, path);
}

std::string ReadTextFile(std::string_view path, ui::Messages& messages, std::string_view shownName) {
    auto content = base::readFile(path);
    if (!content) {
        if (!base::fileExists(path)) messages.box("Файл "_cp + std::string(shownName) + " отсутствует"_cp);
        return {};
    }
    const std::string& raw = *content;
    std::string out;
    out.reserve(raw.size() + 2);
    std::size_t i = 0;
    while (i < raw.size()) {
        const std::size_t end = raw.find_first_of("\r\n", i);
        if (end == std::string::npos) {
            out.append(raw, i, std::string::npos);
            out += "\r\n";
            break;
        }
        out.append(raw, i, end - i);
        out += "\r\n";
        i = end + 1;
        if (raw[end] == '\r' && i < raw.size() && raw[i] == '\n') ++i;
    }
    return out;
}

base::Status WriteTextFile(std::string_view path, std::string_view text) {
    return base::writeFileAtomic(path, text);
}

}  // namespace app
