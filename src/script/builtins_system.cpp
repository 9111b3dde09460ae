// The dialog, file and settings functions the language core needs; the
// rest of that family (progress, folders, output windows) joins here.
#include "base/cp_literal.h"
#include "script/builtins.h"
#include "script/codes.h"
#include "script/interpreter.h"
#include "script/normalize.h"
#include "script/preprocess.h"
#include "script/runner.h"

namespace script {

namespace {

Host& host(CallContext& c) { return c.interpreter().host(); }

Value message(CallContext& c) {
    host(c).showMessage(Message{shown(c.text(0)), shown(c.text(1)), shown(c.text(2))});
    return numberValue(0);
}

Value question(CallContext& c) {
    return numberValue(host(c).askQuestion(Message{shown(c.text(0)), shown(c.text(1)), shown(c.text(2))},
                                           std::string(c.text(3))));
}

Value choice(CallContext& c) { return numberValue(host(c).askChoice(std::string(c.text(0)))); }

Value bezPokaza(CallContext& c) {
    c.interpreter().suppressOutput();
    return noValue();
}

Value vzaSetup(CallContext& c) { return textResult(host(c).readSetup(std::string(c.text(0)))); }

Value polSetup(CallContext& c) {
    host(c).writeSetup(std::string(c.text(0)), std::string(c.text(1)));
    return noValue();
}

Value filestr(CallContext& c) {
    const std::string name(c.text(0));
    auto text = host(c).readFile(name);
    if (!text) {
        host(c).showMessageBox("Файл "_cp + name + " отсутствует"_cp);
        return textResult("");
    }
    // Read as a text file: every line, the last one too, ends with CR LF.
    std::string lines = withCrLf(*text);
    if (!lines.empty() && lines.back() != '\n') lines += "\r\n";
    return textResult(lines);
}

Value strfile(CallContext& c) {
    host(c).writeFile(std::string(c.text(0)), std::string(c.text(1)));
    return noValue();
}

Value fileExists(CallContext& c) { return Value(logical(host(c).readFile(std::string(c.text(0))).has_value())); }

// The argument normalised as a bracketed statement, not evaluated.
Value macros(CallContext& c) {
    std::string_view t = c.raw(0);
    if (!t.empty() && t.front() == kQuote) t.remove_prefix(1);
    if (!t.empty() && t.back() == kQuote) t.remove_suffix(1);
    return Value(normalize("(" + std::string(t) + ")"));
}

// Runs another script file to its end with a fresh interpreter on the same
// host. A script that starts itself, directly or not, is stopped at a depth.
Value zapuskFrm(CallContext& c) {
    Interpreter& parent = c.interpreter();
    if (parent.scriptDepth() >= Interpreter::kMaxScriptDepth) {
        parent.markScriptDepthExceeded();
        c.fail("Слишком глубокая вложенность запуска форм: более "_cp + std::to_string(Interpreter::kMaxScriptDepth),
               "Обработка прервана"_cp);
    }
    Interpreter child(host(c));
    child.continueNestingOf(parent);
    runScriptFile(child, std::string(c.text(0)));
    if (child.scriptDepthExceeded()) {
        parent.markScriptDepthExceeded();
        parent.requestAbort();
    }
    return noValue();
}

Value freeForm(CallContext&) { return noValue(); }
Value netust(CallContext&) { return numberValue(1); }
Value netpath(CallContext& c) { return textResult(host(c).readSetup("S%&")); }
Value netstation(CallContext& c) { return textResult(host(c).readSetup("!!!")); }

}  // namespace

void addSystemBuiltins(BuiltinTable& t) {
    t["MESSAGE"] = t["СООБЩЕНИЕ"_cp] = message;
    t["QUESTION"] = t["ВОПРОС"_cp] = question;
    t["CHOICE"] = t["ВЫБОР"_cp] = choice;
    t["BEZ_POKAZA"] = bezPokaza;
    t["VZA_SETUP"] = vzaSetup;
    t["POL_SETUP"] = polSetup;
    t["FILESTR"] = filestr;
    t["STRFILE"] = strfile;
    t["FILEEXISTS"] = fileExists;
    t["MACROS"] = macros;
    t["FREE_FORM"] = freeForm;
    t["ZAPUSK_FRM"] = zapuskFrm;
    t["NETUST"] = t["СЕТЬ"_cp] = netust;
    t["NETPATH"] = t["СЕТЕВОЙПУТЬ"_cp] = netpath;
    t["NETSTATION"] = t["СТАНЦИЯ"_cp] = netstation;
}

}  // namespace script
