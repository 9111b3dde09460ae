#include "app/settings_store.h"

#include "app/text_file.h"
#include "base/cp_literal.h"
#include "base/file_ops.h"
#include "base/path_resolver.h"

namespace app {

namespace {

constexpr std::size_t kMarker = 3;

std::string trimSpaces(std::string_view s) {
    const auto b = s.find_first_not_of(' ');
    if (b == std::string_view::npos) return {};
    const auto e = s.find_last_not_of(' ');
    return std::string(s.substr(b, e - b + 1));
}

}  // namespace

const std::vector<std::string>& knownSetupMarkers() {
    static const std::vector<std::string> markers = {
        "!l!", "!S8", "!S9", "iND", "S%&", "!!!", "F%&", "PV1", "PV2", "PV4",
        "PV5", "PV7", "5%&", "#~#", "#4#", "6T&", "!T2", "l!o", "!S2",
    };
    return markers;
}

std::string readSetupValue(std::string_view text, std::string_view marker) {
    const std::size_t first = text.find(marker);
    if (first == std::string_view::npos) return {};
    std::size_t last = first;
    for (std::size_t pos = text.find(marker, first + kMarker); pos != std::string_view::npos;
         pos = text.find(marker, pos + kMarker))
        last = pos;
    if (last == first) return {};
    return std::string(text.substr(first + kMarker, last - first - kMarker));
}

std::string writeSetupValue(std::string_view text, std::string_view marker, std::string_view value) {
    const std::size_t first = text.find(marker);
    std::string out(text);
    if (first == std::string_view::npos) {
        out.append(marker).append(value).append(marker);
        return out;
    }
    const std::string head(text.substr(0, first + kMarker));
    const std::string rest = trimSpaces(text.substr(first + kMarker));
    const std::size_t next = rest.find(marker);
    const std::string tail = next == std::string::npos ? rest : rest.substr(next);
    return head + std::string(value) + tail;
}

SettingsStore::SettingsStore(std::string folder, ui::Messages& messages)
    : folder_(base::withTrailingSeparator(std::move(folder))), messages_(messages) {}

std::string SettingsStore::path() const { return folder_ + "setup.sdc"; }

bool SettingsStore::exists() const { return base::fileExists(path()); }

std::string SettingsStore::ReadSetup(std::string_view marker) const {
    return readSetupValue(ReadTextFile(path(), messages_, "setup.sdc"), marker);
}

base::Status SettingsStore::WriteSetup(std::string_view marker, std::string_view value) const {
    // A marker inside a value would be read back as the end of that value or
    // of another one: refuse it instead of corrupting the store.
    std::vector<std::string> guarded = knownSetupMarkers();
    guarded.emplace_back(marker);
    for (const std::string& m : guarded) {
        if (value.find(m) != std::string_view::npos) {
            const std::string msg = "Значение параметра "_cp + std::string(marker) + " содержит метку "_cp + m +
                                    " и не сохранено"_cp;
            messages_.box(msg);
            return base::Status::invalid(msg);
        }
    }
    const std::string text = ReadTextFile(path(), messages_, "setup.sdc");
    return WriteTextFile(path(), writeSetupValue(text, marker, value));
}

}  // namespace app
