// kadry timesheet calc --data DIR --month MMYYYY [--dept CODE]: the full
// calculation of the month's timesheet for a data folder, written into it.
#include <string>

#include "base/cp1251.h"
#include "base/cp_literal.h"
#include "base/path_resolver.h"
#include "cli/commands.h"
#include "cli/text_output.h"
#include "timesheet/accounting_month.h"
#include "timesheet/folder_calculation.h"

namespace cli {

namespace {

struct CalcArgs {
    std::string data;
    std::string month;
    std::string dept;
};

bool parseArgs(const Args& args, CalcArgs& out) {
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (i + 1 >= args.size()) return false;
        if (a == "--data") out.data = args[++i];
        else if (a == "--month") out.month = args[++i];
        else if (a == "--dept") out.dept = args[++i];
        else return false;
    }
    return !out.data.empty() && !out.month.empty();
}

int runCalc(const Args& args) {
    CalcArgs a;
    if (!parseArgs(args, a)) {
        printError("usage: kadry timesheet calc --data DIR --month MMYYYY [--dept CODE]");
        return 1;
    }
    timesheet::FolderCalcOptions options;
    const auto month = timesheet::parseAccountingMonth(a.month);
    if (!month) {
        printError("Неверный расчетный месяц \""_cp + base::utf8ToCp1251(a.month) + "\": нужен ММГГГГ"_cp);
        return 1;
    }
    options.month = *month;
    options.dataDir = base::withTrailingSeparator(base::nativeToText(a.data));
    options.department = base::utf8ToCp1251(a.dept);
    auto report = timesheet::calculateMonthInFolder(options);
    if (!report) {
        printError(report.status().message());
        return 1;
    }
    for (const std::string& note : report->notes) printLine(note);
    for (const std::string& card : report->lockedCards)
        printLine("Карточка занята другой станцией, отметка не снята: "_cp + card);
    printLine(report->table + ": "_cp + std::to_string(report->employees) + " чел."_cp);
    printLine(" Расчет закончен "_cp);
    return 0;
}

}  // namespace

int runTimesheetCommand(const Args& args) {
    if (!args.empty() && args[0] == "calc") return runCalc(args);
    printError("usage: kadry timesheet calc --data DIR --month MMYYYY [--dept CODE]");
    return 1;
}

}  // namespace cli
