#include <cstdio>

#include "cli/commands.h"

namespace cli {

void printUsage() {
    std::fputs(
        "usage: kadry                      open the program in the current (working) folder\n"
        "       kadry db info FILE         header and fields of a table\n"
        "       kadry db dump FILE         live records, TAB-separated\n"
        "       kadry db sql FOLDER STATEMENT\n"
        "                                  one local-SQL statement against a folder\n"
        "       kadry db check FILE        \"ok\" for a sound table, else what is wrong\n"
        "       kadry db pack FILE         remove deleted records\n"
        "       kadry script eval EXPR     value of one script expression\n"
        "       kadry script run FILE [--program-dir DIR] [--data-dir DIR] [--answer N]... [--vars]\n"
        "                                  run a script file headless\n"
        "       kadry timesheet calc --data DIR --month MMYYYY [--dept CODE]\n"
        "                                  calculate the month's timesheet\n",
        stdout);
}

}  // namespace cli
