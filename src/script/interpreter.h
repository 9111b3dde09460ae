#pragma once
// One interpreter: all state of one run (statements, variables, arrays,
// flags, call frames) lives here, never in globals, so two windows can run
// scripts at once. Stages: preprocess -> block pass -> bracket check ->
// prepare (normalise and compile every statement once) -> execute.
#include <deque>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "script/block_pass.h"
#include "script/builtins.h"
#include "script/compile.h"
#include "script/host.h"
#include "script/message.h"
#include "script/value.h"

namespace script {

struct RunResult {
    bool started = false;     // preprocessing and checks passed
    bool completed = false;   // ended normally and output not suppressed
    bool ended = false;       // reached its end, RETURN or END_FUNCTION at top
    bool aborted = false;     // an error or an abort request stopped it
    bool terminated = false;  // TERMINATE asked the program to close
};

struct Variable {
    std::string name;
    Value value;
    bool defined = false;
};

class Interpreter {
public:
    explicit Interpreter(Host& host);
    ~Interpreter();
    Interpreter(const Interpreter&) = delete;
    Interpreter& operator=(const Interpreter&) = delete;

    // Includes modules, preprocesses and checks; false (message shown) when
    // the script cannot start. An empty script loads and does nothing.
    bool load(const std::string& scriptText);
    RunResult run();
    // The value of one expression (the internal quote in its text), or
    // nullopt after an error, which was shown.
    std::optional<std::string> evaluateText(const std::string& expression);

    // --- State seen by the debugger, the tests and the built-ins.
    Host& host() { return host_; }
    const std::vector<std::string>& listing() const { return listing_; }
    int statementCount() const;
    int currentStatement() const { return current_; }
    long long executedStatements() const { return executed_; }
    std::vector<std::pair<std::string, std::string>> variables() const;  // creation order
    std::vector<std::pair<std::string, std::string>> arrayElements() const;
    const std::string* variable(const std::string& name) const;
    void setVariable(const std::string& name, const std::string& value);
    void requestAbort() { abort_ = true; }
    bool abortRequested() const { return abort_; }
    void suppressOutput() { suppressOutput_ = true; }
    bool stepMode() const { return stepMode_; }
    void setStepMode(bool on) { stepMode_ = on; }

    // Arrays: NAME -> elements NAME[0..n-1].
    std::vector<Value>* findArray(const std::string& name);
    std::vector<Value>& makeArray(const std::string& name);
    void removeArray(const std::string& name);

    // Stops the current statement with "Ошибка в строке n" / line2 / line3.
    [[noreturn]] void fail(const std::string& line2, const std::string& line3 = std::string()) const;
    std::string statementNumberText() const { return std::to_string(current_ + 1); }

    // Deepest nesting of user-function calls before the run is stopped.
    static constexpr int kMaxCallDepth = 400;
    // Deepest nesting of scripts started by scripts (ZAPUSK_FRM).
    static constexpr int kMaxScriptDepth = 16;
    int scriptDepth() const { return scriptDepth_; }
    // A script started by a script continues the nesting of its starter:
    // both count against one call depth.
    void continueNestingOf(const Interpreter& starter) {
        scriptDepth_ = starter.scriptDepth_ + 1;
        inheritedCallDepth_ = starter.inheritedCallDepth_ + starter.callDepth_;
    }
    // Set when this run stopped at the script depth limit, so that every
    // script of the chain stops too.
    bool scriptDepthExceeded() const { return scriptDepthExceeded_; }
    void markScriptDepthExceeded() { scriptDepthExceeded_ = true; }

private:
    struct Statement;
    struct Frame;
    struct Place;
    struct Work;
    class Evaluator;
    friend class Evaluator;

    void prepare();
    void link(Expr& e);
    int slotOf(const std::string& name);
    int findUserFunction(const std::string& name);

    // Main loop from `start` in `frame`; returns at END_FUNCTION of a call.
    void execute(int start, Frame& frame);
    std::string condition(Statement& st);  // a WHILE condition's value
    Value evaluate(const Expr& e, bool wantValue = true);
    Value callUser(int definition, const Value* const* args, int count);
    void assign(const std::string& target, const Value& value);
    void assignVar(int slot, const Value& value);
    void reportError(const Message& m);
    void progressAfter(int index);

    Host& host_;
    BuiltinTable builtins_;
    std::vector<BuiltinFn> builtinList_;
    std::unordered_map<std::string, int> builtinIndex_;

    std::vector<std::string> statementTexts_;
    std::vector<std::string> listing_;
    std::vector<Statement> statements_;

    std::deque<Variable> vars_;  // a deque: references stay valid as it grows
    std::unordered_map<std::string, int> varIndex_;
    std::vector<int> creationOrder_;
    std::vector<std::pair<std::string, std::vector<Value>>> arrays_;

    int lastAssignedVar_ = -1;  // the last assigned value: a variable ...
    Value lastAssigned_;        // ... or this copy (array elements)
    std::unordered_map<std::string, int> userFunctions_;

    std::vector<std::unique_ptr<Work>> workPool_;
    int workDepth_ = 0;
    int callDepth_ = 0;
    int current_ = 0;
    long long executed_ = 0;
    bool abort_ = false;
    bool suppressOutput_ = false;
    bool stepMode_ = false;
    bool loaded_ = false;
    bool progress_ = false;
    bool progressTaken_ = false;
    int progressShown_ = -1;
    int scriptDepth_ = 0;
    int inheritedCallDepth_ = 0;
    bool scriptDepthExceeded_ = false;
};

}  // namespace script
