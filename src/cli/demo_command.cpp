#include <ctime>

#include "app/demo_data.h"
#include "cli/commands.h"
#include "cli/text_output.h"

namespace cli {

// kadry demo make DIR: fills DIR with the starter data folder.
int runDemoCommand(const Args& args) {
    if (args.size() != 2 || args[0] != "make") {
        printError("usage: kadry demo make DIR");
        return 1;
    }
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    const auto today = base::Date::fromYmd(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
    const base::Status st = app::makeDemoData(args[1], today);
    if (!st) {
        printError(st.message());
        return 1;
    }
    return 0;
}

}  // namespace cli
