#pragma once
// Entry points of subsystems that the frame calls but does not own: the form
// runner, the interface language switch, the print settings. Each is empty
// (a no-op) until the subsystem that provides it fills it in.
#include <functional>
#include <string>

namespace app {

struct FrameServices {
    // Run a form file (source 0: read the script from that file).
    std::function<void(const std::string& path, int source)> runFormFile;
    // Apply the interface language "", "U" or "E" from LANINK.DBF.
    std::function<void(const std::string& language)> applyLanguage;
    // Load the print settings from PRINTSET.DBF of the working folder.
    std::function<void()> loadPrintSettings;
};

}  // namespace app
