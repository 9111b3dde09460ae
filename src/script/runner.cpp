#include "script/runner.h"

#include "base/cp_literal.h"
#include "script/codes.h"
#include "script/preprocess.h"

namespace script {

RunResult runScriptText(Interpreter& in, const std::string& source) {
    auto text = removeBlockComments(withCrLf(source));
    if (auto* m = std::get_if<Message>(&text)) {
        in.host().showMessage(*m);
        return RunResult{};
    }
    if (!in.load(std::get<std::string>(text))) return RunResult{};
    return in.run();
}

FileRunResult runScriptFile(Interpreter& in, const std::string& storedPath) {
    FileRunResult r;
    const std::string path(trimSpaces(storedPath));
    auto text = in.host().readFile(path);
    if (!text) {
        in.host().showMessageBox("Файл формы не найден "_cp + path);
        return r;
    }
    r.found = true;
    r.run = runScriptText(in, *text);
    return r;
}

}  // namespace script
