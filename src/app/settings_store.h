#pragma once
// The per-workstation settings in setup.sdc: a run of marker + value +
// marker triples (three-character markers, no separators; line breaks carry
// no meaning). Every call reads the whole file; nothing is cached.
#include <string>
#include <string_view>
#include <vector>

#include "base/status.h"
#include "ui/messages.h"

namespace app {

// The markers the program uses; a value containing one of them is refused.
const std::vector<std::string>& knownSetupMarkers();

class SettingsStore {
public:
    // `folder`: the working folder (stored path, may be empty for the current folder).
    SettingsStore(std::string folder, ui::Messages& messages);

    // The text between the first and the last occurrence of `marker`
    // (non-overlapping, left to right); "" when it occurs fewer than twice.
    std::string ReadSetup(std::string_view marker) const;
    // Stores `value` under `marker`: replaces the value of an existing entry
    // in place, or appends a new entry at the end.
    base::Status WriteSetup(std::string_view marker, std::string_view value) const;

    std::string path() const;  // stored path of setup.sdc
    bool exists() const;

private:
    std::string folder_;
    ui::Messages& messages_;
};

// Pure forms of the two rules, on the file's text.
std::string readSetupValue(std::string_view text, std::string_view marker);
std::string writeSetupValue(std::string_view text, std::string_view marker, std::string_view value);

}  // namespace app
