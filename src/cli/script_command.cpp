#include "cli/commands.h"
#include "cli/text_output.h"

namespace cli {

int runScriptCommand(const Args&) {
    printError("kadry script: not built yet");
    return 1;
}

}  // namespace cli
