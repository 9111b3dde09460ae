#pragma once
// What start-up asks of the windows and of the subsystems built elsewhere.
// Every call has a harmless default so that logic tests and the headless
// tools can run start-up without windows; the frame window overrides them.
#include <optional>
#include <string>

namespace app {

class StartupHost {
public:
    virtual ~StartupHost() = default;

    // The table engine is built in, so it is always there. (On the original
    // platform a missing engine started an installer from the program folder.)
    virtual bool engineAvailable() { return true; }
    // Splash picture, shown non-modal for two seconds.
    virtual void showSplash(const std::string& /*picture*/) {}
    // The settings window opened modally when the data folder is not found.
    virtual void openSettingsWindow() {}
    // Interface language "", "U" or "E" (translation table present).
    virtual void applyLanguage(const std::string& /*language*/) {}
    // Print settings from PRINTSET.DBF of the working folder.
    virtual void loadPrintSettings() {}
    // The access password dialog in its ask mode: the typed text, or
    // nullopt when the user left it with "  Выход  ".
    virtual std::optional<std::string> askPassword() { return std::string(); }
    // The form runner's "run form file" with the given source (0: the file).
    virtual void runFormFile(const std::string& /*path*/, int /*source*/) {}
    // Hourglass cursor around long work.
    virtual void setBusy(bool /*busy*/) {}
};

}  // namespace app
