#pragma once
// The interpreter's private records, shared by its implementation files
// (interpreter.cpp, evaluator.cpp, machine.cpp). Not part of the interface.
#include <cstdint>
#include <unordered_map>
#include <vector>

#include "script/interpreter.h"

namespace script {

struct Interpreter::Statement {
    BlockRecord block;
    std::string normalized;  // ordinary statements
    Expr expr;               // ordinary statement, condition, FOR initial assignment
    Expr limit;              // FOR limit
    int forVar = -1;
    bool forInit = false;
    int whileSlot = -1;      // the fast path's table slot, 0..9
    bool empty = true;
    bool paramsLinked = false;
    std::vector<int> params;  // FUNCTION definitions: parameter slots
};

// Run-time marks of one statement, kept per call frame so that recursive
// functions do not share them.
struct StatementMarks {
    bool skip = false;
    int64_t current = 0;
    int64_t limit = 0;
};

struct Interpreter::Frame {
    std::vector<StatementMarks> dense;  // the top frame: one per statement
    std::unordered_map<int, StatementMarks> sparse;  // function frames
    StatementMarks& at(int s) { return dense.empty() ? sparse[s] : dense[s]; }
};

// A token place during one evaluation.
struct Interpreter::Place {
    const Value* v = nullptr;  // the current value: the token, `own`, or a variable
    Value own;
    char type = 'U';
    bool raw = true;    // still the compiled token (operator, bracket, comma, name)
    bool empty = false;
};

struct Interpreter::Work {
    std::vector<Place> places;
};

// How a run ends when it does not end by an error.
struct RunStop {
    enum Kind { End, Return, Terminate, Abort } kind;
};

}  // namespace script
