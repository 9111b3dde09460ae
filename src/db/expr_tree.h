#pragma once
// The parse tree of a condition or key expression, shared by filter texts
// (Expr::compile) and SQL WHERE clauses. Names are unresolved here; binding
// against a field list types every comparison (see expr_bind.h).
#include <memory>
#include <string>
#include <vector>

namespace db::expr {

enum class CompareOp { Eq, Ne, Lt, Gt, Le, Ge };

struct Operand {
    enum class Kind { Field, Text, Number, Param, Concat };
    Kind kind = Kind::Text;
    std::string qualifier;  // table alias of a qualified name (D.KOD), else empty
    std::string text;       // field name, literal text, number as written, param name
    int paramIndex = -1;    // 0-based ordinal of a "?" parameter
    int pos = 0;
    std::vector<Operand> parts;  // Concat: the "+" terms
};

struct Node {
    enum class Kind { Compare, Like, And, Or, Not, Value };
    Kind kind = Kind::Value;
    CompareOp op = CompareOp::Eq;
    bool negated = false;  // NOT LIKE
    Operand lhs, rhs;      // Compare, Like (rhs = pattern); Value uses lhs
    std::unique_ptr<Node> a, b;  // And/Or: a, b; Not: a
};

using NodePtr = std::unique_ptr<Node>;

}  // namespace db::expr
