// kadry script eval EXPR
// kadry script run FILE [--program-dir DIR] [--data-dir DIR] [--answer N]... [--vars]
#include <algorithm>
#include <filesystem>

#include "base/cp1251.h"
#include "base/path_resolver.h"
#include "cli/commands.h"
#include "cli/text_output.h"
#include "script/codes.h"
#include "script/headless_host.h"
#include "script/interpreter.h"
#include "script/runner.h"

namespace cli {

namespace {

int usage() {
    printError("usage: kadry script eval EXPR");
    printError("       kadry script run FILE [--program-dir DIR] [--data-dir DIR] [--answer N]... [--vars]");
    return 1;
}

std::string absolute(const std::string& native) {
    std::error_code ec;
    auto p = std::filesystem::absolute(native, ec);
    return ec ? native : p.lexically_normal().string();
}

int eval(const Args& args) {
    if (args.size() != 2) return usage();
    const std::string cwd = std::filesystem::current_path().string();
    script::HeadlessHost host(cwd, cwd);
    host.onMessage([](const std::string& line) { printError(line); });
    script::Interpreter in(host);
    auto value = in.evaluateText(script::toInternalQuotes(base::utf8ToCp1251(args[1])));
    if (!value) return 2;
    printLine(script::shown(*value));
    return 0;
}

int run(const Args& args) {
    std::string file, programDir = std::filesystem::current_path().string(), dataDir;
    bool vars = false;
    std::vector<int> answers;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto next = [&]() -> const std::string* { return i + 1 < args.size() ? &args[++i] : nullptr; };
        if (a == "--vars") {
            vars = true;
        } else if (a == "--program-dir" || a == "--data-dir" || a == "--answer") {
            const std::string* v = next();
            if (!v) return usage();
            if (a == "--program-dir") programDir = *v;
            else if (a == "--data-dir") dataDir = *v;
            else {
                try {
                    answers.push_back(std::stoi(*v));
                } catch (...) {
                    printError("kadry script run: --answer needs a number: " + *v);
                    return 1;
                }
            }
        } else if (file.empty() && a.rfind("--", 0) != 0) {
            file = a;
        } else {
            return usage();
        }
    }
    if (file.empty()) return usage();
    programDir = absolute(programDir);
    dataDir = dataDir.empty() ? programDir : absolute(dataDir);

    script::HeadlessHost host(programDir, dataDir);
    for (int a : answers) host.addAnswer(a);
    host.onMessage([](const std::string& line) { printLine("MESSAGE: " + line); });
    script::Interpreter in(host);
    auto result = script::runScriptFile(in, base::nativeToText(absolute(file)));
    if (!result.found) return 1;
    if (vars) {
        auto list = in.variables();
        std::sort(list.begin(), list.end());
        for (const auto& [name, value] : list) printLine(script::shown(name) + "=" + script::shown(value));
    }
    const bool completed = result.run.ended && !result.run.terminated;
    return completed ? 0 : 2;
}

}  // namespace

int runScriptCommand(const Args& args) {
    if (args.empty()) return usage();
    if (args[0] == "eval") return eval(args);
    if (args[0] == "run") return run(args);
    return usage();
}

}  // namespace cli
