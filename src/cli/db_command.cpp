#include "cli/commands.h"
#include "cli/text_output.h"

namespace cli {

int runDbCommand(const Args&) {
    printError("kadry db: not built yet");
    return 1;
}

}  // namespace cli
