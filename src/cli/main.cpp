// kadry: with no arguments the program window in the current (working)
// folder; with a first word one of the headless commands.
#include <cstring>
#include <string>

#include "cli/commands.h"

#ifdef KADRY_HAVE_GUI
#include "app/gui_main.h"
#endif
#ifdef KADRY_HAVE_RECORDS
#include "records/records_windows.h"
#endif
#ifdef KADRY_HAVE_TIMESHEET_WINDOWS
#include "timesheet/timesheet_windows.h"
#endif
#ifdef KADRY_HAVE_ORG
#include "org/org_frame.h"
#endif

int main(int argc, char** argv) {
    cli::Args rest;
    for (int i = 2; i < argc; ++i) rest.emplace_back(argv[i]);
    const std::string word = argc > 1 ? argv[1] : "";
    if (word == "db") return cli::runDbCommand(rest);
    if (word == "script") return cli::runScriptCommand(rest);
    if (word == "timesheet") return cli::runTimesheetCommand(rest);
#ifdef KADRY_HAVE_GUI
    if (word == "demo") return cli::runDemoCommand(rest);
    if (word.empty()) {
        std::vector<app::FrameInstaller> installers;
#ifdef KADRY_HAVE_RECORDS
        installers.push_back([](app::Tkadr_o& frame) { records::installRecordsWindows(frame); });
#endif
#ifdef KADRY_HAVE_TIMESHEET_WINDOWS
        installers.push_back([](app::Tkadr_o& frame) { timesheet::installTimesheetWindows(frame); });
#endif
#ifdef KADRY_HAVE_ORG
        installers.push_back([](app::Tkadr_o& frame) { org::installFrame(frame); });
#endif
        return app::runGui(argc, argv, installers);
    }
#endif
    cli::printUsage();
    return word.empty() || word == "--help" || word == "help" ? 0 : 1;
}
