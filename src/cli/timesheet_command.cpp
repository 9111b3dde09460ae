#include "cli/commands.h"
#include "cli/text_output.h"

namespace cli {

int runTimesheetCommand(const Args&) {
    printError("kadry timesheet: not built yet");
    return 1;
}

}  // namespace cli
