#include "script/interpreter.h"

#include <algorithm>

#include "base/case_tables.h"
#include "base/cp_literal.h"
#include "script/codes.h"
#include "script/interpreter_parts.h"
#include "script/normalize.h"
#include "script/preprocess.h"

namespace script {

namespace {

const BuiltinTable& standardBuiltins() {
    static const BuiltinTable table = [] {
        BuiltinTable t;
        addTextBuiltins(t);
        addNumberBuiltins(t);
        addDateBuiltins(t);
        addArrayBuiltins(t);
        addSystemBuiltins(t);
        return t;
    }();
    return table;
}

// "T1".."T9", "T0" -> 1..9, 0; anything else -1.
int slotNumber(std::string_view name) {
    if (name.size() >= 2 && name[0] == 'T' && name[1] >= '0' && name[1] <= '9') return name[1] - '0';
    return -1;
}

std::string afterFirstSpace(std::string_view s) {
    std::size_t sp = s.find(' ');
    return sp == std::string_view::npos ? std::string() : std::string(trimSpaces(s.substr(sp + 1)));
}

}  // namespace

Interpreter::Interpreter(Host& host) : host_(host), builtins_(standardBuiltins()) {
    host_.addBuiltins(builtins_);
    for (const auto& [name, fn] : builtins_) {
        builtinIndex_[name] = int(builtinList_.size());
        builtinList_.push_back(fn);
    }
}

Interpreter::~Interpreter() = default;

bool Interpreter::load(const std::string& scriptText) {
    loaded_ = false;
    statements_.clear();
    statementTexts_.clear();
    listing_.clear();
    vars_.clear();
    varIndex_.clear();
    creationOrder_.clear();
    arrays_.clear();
    userFunctions_.clear();
    lastAssignedVar_ = -1;
    lastAssigned_ = Value();
    host_.closeAllSlots();

    const std::string modulesFolder = host_.dataFolder() + "DOCUM/FRMZ/";
    std::string text = includeModules(scriptText, [&](const std::string& name) {
        return host_.readFile(modulesFolder + name);
    });
    if (trimSpaces(text).empty()) return false;
    progress_ = !stepMode_ && text.find("@ИНДИКАТОР"_cp) != std::string::npos;

    auto pre = preprocess(text);
    if (auto* m = std::get_if<Message>(&pre)) {
        host_.showMessage(*m);
        return false;
    }
    auto& list = std::get<StatementList>(pre);
    statementTexts_ = std::move(list.statements);
    listing_ = std::move(list.listing);

    BlockResult blocks = blockPass(statementTexts_);
    for (const Message& w : blocks.warnings) host_.showMessage(w);
    if (blocks.failed) {
        host_.showMessage(blocks.error);
        return false;
    }
    Message bracketError;
    if (!bracketCheck(statementTexts_, bracketError)) {
        host_.showMessage(bracketError);
        return false;
    }
    statements_.resize(statementTexts_.size());
    for (std::size_t s = 0; s < statements_.size(); ++s) statements_[s].block = blocks.records[s];
    prepare();
    loaded_ = true;
    return true;
}

// Normalises and compiles every statement once, then links names to slots
// and calls to their functions.
void Interpreter::prepare() {
    const int n = int(statements_.size());
    for (int s = 0; s < n; ++s) {
        Statement& st = statements_[s];
        const std::string& text = statementTexts_[s];
        st.empty = trimSpaces(text).empty();
        if (st.empty) continue;
        switch (st.block.keyword) {
            case Keyword::None: st.normalized = normalize(text); break;
            case Keyword::If: {
                std::string c = afterFirstSpace(text);
                std::string upper = base::upperAnsi(c);
                if (upper.size() > 4 && upper.compare(upper.size() - 4, 4, "THEN") == 0)
                    c = std::string(trimSpaces(std::string_view(c).substr(0, c.size() - 4)));
                st.normalized = normalize(c);
                break;
            }
            case Keyword::Case: st.normalized = normalize(afterFirstSpace(text)); break;
            case Keyword::While: {
                st.normalized = normalize(afterFirstSpace(text));
                const std::string upper = base::upperAnsi(st.normalized);
                const std::size_t notPos = upper.find(".NOT.");
                if (notPos != std::string::npos && upper.find(".EOF") != std::string::npos &&
                    upper.find(".AND.") == std::string::npos && upper.find(".OR.") == std::string::npos) {
                    const std::size_t t = upper.find('T', notPos + 5);
                    if (t != std::string::npos) st.whileSlot = slotNumber(std::string_view(upper).substr(t, 2));
                }
                break;
            }
            case Keyword::For: {
                const std::string upper = base::upperAnsi(text);
                const std::size_t to = upper.find(" TO ");
                const std::string head = to == std::string::npos ? text : text.substr(0, to);
                const std::string init(trimSpaces(head.size() > 3 ? std::string_view(head).substr(3) : ""));
                const std::string limit = to == std::string::npos ? std::string() : std::string(trimSpaces(text.substr(to + 4)));
                st.forInit = init.find(":=") != std::string::npos;
                const std::size_t assignPos = init.find(":=");
                st.normalized = normalize(init);
                st.limit = compile(normalize(limit));
                st.forVar = slotOf(base::upperAnsi(trimSpaces(init.substr(0, assignPos))));
                break;
            }
            default: break;
        }
    }
    for (int s = 0; s < n; ++s) {
        Statement& st = statements_[s];
        if (st.empty) continue;
        const Keyword k = st.block.keyword;
        if (k == Keyword::None || k == Keyword::If || k == Keyword::Case || k == Keyword::While || k == Keyword::For)
            st.expr = compile(st.normalized);
        link(st.expr);
        link(st.limit);
    }
}

void Interpreter::link(Expr& e) {
    for (Token& t : e.tokens) {
        const std::string& text = t.literal.text;
        switch (t.kind) {
            case TokenKind::Name:
                t.var = slotOf(text);
                t.variable = &vars_[t.var];
                break;
            case TokenKind::Element: {
                const std::size_t open = text.find(kLBracket);
                const std::size_t close = text.find(kRBracket, open);
                t.arrayName = text.substr(0, open);
                t.indexText = text.substr(open + 1, close == std::string::npos ? std::string::npos : close - open - 1);
                if (!readWhole(t.indexText)) t.indexVar = slotOf(t.indexText);
                break;
            }
            case TokenKind::Call: {
                if (auto it = builtinIndex_.find(text); it != builtinIndex_.end()) {
                    t.builtin = it->second;
                } else if (int slot = slotNumber(text); slot >= 0 && text.find('.') != std::string::npos) {
                    t.tableSlot = slot;
                    auto fn = builtinIndex_.find("T." + text.substr(text.find('.') + 1));
                    if (fn != builtinIndex_.end()) t.builtin = fn->second;
                } else {
                    t.userFunction = findUserFunction(text);
                }
                break;
            }
            default: break;
        }
    }
}

int Interpreter::slotOf(const std::string& name) {
    auto [it, inserted] = varIndex_.try_emplace(name, int(vars_.size()));
    if (inserted) vars_.push_back(Variable{name, Value(), false});
    return it->second;
}

int Interpreter::findUserFunction(const std::string& name) {
    if (auto it = userFunctions_.find(name); it != userFunctions_.end()) return it->second;
    const std::string wanted = "FUNCTION" + name + kOpen;
    int found = -1;
    for (std::size_t s = 0; s < statements_.size() && found < 0; ++s)
        if (statements_[s].normalized.find(wanted) != std::string::npos) found = int(s);
    userFunctions_[name] = found;
    return found;
}

std::vector<std::pair<std::string, std::string>> Interpreter::variables() const {
    std::vector<std::pair<std::string, std::string>> out;
    for (int slot : creationOrder_) out.emplace_back(vars_[slot].name, vars_[slot].value.text);
    return out;
}

std::vector<std::pair<std::string, std::string>> Interpreter::arrayElements() const {
    std::vector<std::pair<std::string, std::string>> out;
    for (const auto& [name, elements] : arrays_)
        for (std::size_t i = 0; i < elements.size(); ++i)
            out.emplace_back(name + "[" + std::to_string(i) + "]", elements[i].text);
    return out;
}

const std::string* Interpreter::variable(const std::string& name) const {
    auto it = varIndex_.find(name);
    if (it == varIndex_.end() || !vars_[it->second].defined) return nullptr;
    return &vars_[it->second].value.text;
}

void Interpreter::setVariable(const std::string& name, const std::string& value) {
    assignVar(slotOf(name), Value(value));
}

std::vector<Value>* Interpreter::findArray(const std::string& name) {
    for (auto& [n, elements] : arrays_)
        if (n == name) return &elements;
    return nullptr;
}

std::vector<Value>& Interpreter::makeArray(const std::string& name) {
    if (auto* a = findArray(name)) return *a;
    arrays_.emplace_back(name, std::vector<Value>());
    return arrays_.back().second;
}

void Interpreter::removeArray(const std::string& name) {
    std::erase_if(arrays_, [&](const auto& a) { return a.first == name; });
}

void Interpreter::assignVar(int slot, const Value& value) {
    Variable& v = vars_[slot];
    if (&v.value != &value) v.value = value;
    if (!v.defined) {
        v.defined = true;
        creationOrder_.push_back(slot);
    }
    lastAssignedVar_ = slot;
}

void Interpreter::fail(const std::string& line2, const std::string& line3) const {
    throw ScriptError{Message{"Ошибка в строке "_cp + statementNumberText(), line2, line3}};
}

void Interpreter::reportError(const Message& m) { host_.showMessage(m); }

}  // namespace script

namespace script {
int Interpreter::statementCount() const { return int(statements_.size()); }
}  // namespace script
