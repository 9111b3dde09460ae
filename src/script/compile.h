#pragma once
// The compile stage: a normalised statement is cut into tokens with their
// bracket levels once, and the order in which its groups are evaluated (the
// deepest level first, each maximal run of one level a group) is fixed then.
// Running a statement replays that schedule; nothing is parsed again.
#include <cstdint>
#include <string>
#include <vector>

#include "script/value.h"

namespace script {

struct Variable;

enum class TokenKind : uint8_t { Literal, Name, Element, Operator, Open, Close, Comma, Call };

// Operators in the order of the evaluation passes.
enum class Op : uint8_t { None, Pow, Mul, Div, Add, Sub, Assign, Le, Ge, Ne, Gt, Lt, Eq, And, Or, Not };

struct Token {
    TokenKind kind = TokenKind::Name;
    Op op = Op::None;
    int level = 1;
    Value literal;  // the token's own text (a literal's number is read once)
    // Filled when the statement is linked to an interpreter:
    int var = -1;             // Name: its variable slot
    Variable* variable = nullptr;  // ... and the variable (the store never moves them)
    std::string arrayName;    // Element: NAME of NAME[index]
    std::string indexText;    // Element: the index as written
    int indexVar = -1;        // Element: the index variable's slot, if not a number
    int builtin = -1;         // Call: index of the built-in function
    int tableSlot = -1;       // Call: 0..9 for T0..T9 slot functions
    int userFunction = -1;    // Call: the defining statement
};

struct Group {
    int begin = 0, end = 0;  // token range, inclusive
    bool call = false;
};

struct Expr {
    std::vector<Token> tokens;
    std::vector<Group> groups;  // in evaluation order; the last spans the statement
    int places = 0;             // token places the statement needs
    // NAME := NAME + a + b ...: the operands of the appends (token indexes of
    // the final group's places), so a text can grow in place.
    std::vector<int> appendOperands;
    bool empty() const { return tokens.empty(); }
};

// The most token places one statement may use.
inline constexpr int kMaxPlaces = 201;

Expr compile(const std::string& normalized);

}  // namespace script
