#pragma once
// The headless commands of `kadry`. Each takes the words after its own name
// (argv without "kadry db"), prints UTF-8 and returns the exit code.
#include <string>
#include <vector>

namespace cli {

using Args = std::vector<std::string>;

int runDbCommand(const Args& args);
// `kadry db sql FOLDER STATEMENT` (args after "sql"); dispatched by runDbCommand.
int runDbSqlCommand(const Args& args);
int runScriptCommand(const Args& args);
int runTimesheetCommand(const Args& args);
int runDemoCommand(const Args& args);  // hidden: fills a starter data folder

void printUsage();

}  // namespace cli
