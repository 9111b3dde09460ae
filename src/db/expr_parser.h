#pragma once
// Recursive-descent parser of conditions over a token stream:
//   or    := and { OR and }
//   and   := not { AND not }
//   not   := NOT not | '(' or ')' | test
//   test  := operand [ cmp operand | [NOT] LIKE operand | [NOT] BETWEEN operand AND operand ]
//   operand := term { '+' term }
//   term  := [qualifier '.'] name | string | [-] number | param
// BETWEEN and LIKE are SQL forms but harmless in filters.
#include <vector>

#include "base/status.h"
#include "db/expr_lexer.h"
#include "db/expr_tree.h"

namespace db::expr {

class Parser {
public:
    explicit Parser(const std::vector<Token>& tokens, std::size_t start = 0) : t_(tokens), i_(start) {}

    base::Result<NodePtr> parseCondition();
    base::Result<Operand> parseOperand();

    const Token& peek(std::size_t ahead = 0) const;
    const Token& take() { return t_[i_ < t_.size() - 1 ? i_++ : i_]; }
    std::size_t index() const { return i_; }
    bool atEnd() const { return peek().kind == Tok::End; }
    bool acceptKeyword(std::string_view upperWord);
    int paramCount() const { return params_; }
    void setParamCount(int n) { params_ = n; }

private:
    base::Result<NodePtr> parseOr();
    base::Result<NodePtr> parseAnd();
    base::Result<NodePtr> parseNot();
    base::Result<NodePtr> parseTest();
    base::Result<Operand> parseTerm();

    const std::vector<Token>& t_;
    std::size_t i_;
    int params_ = 0;
    int depth_ = 0;
    int tests_ = 0;
};

}  // namespace db::expr
