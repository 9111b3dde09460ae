#include "db/expr_parser.h"

#include "base/cp_literal.h"

namespace db::expr {
namespace {

// Nesting and length limits, so hostile input cannot exhaust the stack in
// parsing, binding, evaluating or freeing the tree.
constexpr int kMaxDepth = 200;
constexpr int kMaxTests = 5000;

bool isWord(const Token& t, std::string_view w) {
    if (t.kind != Tok::Ident) return false;
    if (isKeyword(t, w)) return true;
    // dotted dBase forms .AND. .OR. .NOT.
    return t.text.size() == w.size() + 2 && t.text.front() == '.' &&
           isKeyword(Token{Tok::Ident, t.text.substr(1, w.size()), 0, 0}, w);
}

bool isReserved(const Token& t) {
    for (std::string_view w : {"AND", "OR", "NOT", "LIKE", "BETWEEN", "ORDER", "WHERE", "FROM"})
        if (isWord(t, w)) return true;
    return false;
}

NodePtr makeNode(Node::Kind k) {
    auto n = std::make_unique<Node>();
    n->kind = k;
    return n;
}

}  // namespace

const Token& Parser::peek(std::size_t ahead) const {
    const std::size_t k = i_ + ahead;
    return k < t_.size() ? t_[k] : t_.back();
}

bool Parser::acceptKeyword(std::string_view w) {
    if (!isWord(peek(), w)) return false;
    take();
    return true;
}

base::Result<NodePtr> Parser::parseCondition() { return parseOr(); }

base::Result<NodePtr> Parser::parseOr() {
    auto left = parseAnd();
    if (!left) return left;
    NodePtr node = std::move(left.value());
    while (acceptKeyword("OR")) {
        auto right = parseAnd();
        if (!right) return right;
        NodePtr n = makeNode(Node::Kind::Or);
        n->a = std::move(node);
        n->b = std::move(right.value());
        node = std::move(n);
    }
    return node;
}

base::Result<NodePtr> Parser::parseAnd() {
    auto left = parseNot();
    if (!left) return left;
    NodePtr node = std::move(left.value());
    while (acceptKeyword("AND")) {
        auto right = parseNot();
        if (!right) return right;
        NodePtr n = makeNode(Node::Kind::And);
        n->a = std::move(node);
        n->b = std::move(right.value());
        node = std::move(n);
    }
    return node;
}

base::Result<NodePtr> Parser::parseNot() {
    if (++depth_ > kMaxDepth) return syntaxError(peek(), "меньшая вложенность"_cp);
    struct Guard {
        int& d;
        ~Guard() { --d; }
    } guard{depth_};
    if (acceptKeyword("NOT")) {
        auto inner = parseNot();
        if (!inner) return inner;
        NodePtr n = makeNode(Node::Kind::Not);
        n->a = std::move(inner.value());
        return n;
    }
    if (peek().kind == Tok::LParen) {
        take();
        auto inner = parseOr();
        if (!inner) return inner;
        if (peek().kind != Tok::RParen) return syntaxError(peek(), "\")\"");
        take();
        return inner;
    }
    return parseTest();
}

base::Result<NodePtr> Parser::parseTest() {
    if (++tests_ > kMaxTests) return syntaxError(peek(), "более короткое условие"_cp);
    auto lhs = parseOperand();
    if (!lhs) return lhs.status();
    const Token& t = peek();
    if (t.kind == Tok::Compare) {
        take();
        NodePtr n = makeNode(Node::Kind::Compare);
        const std::string_view op = t.text;
        n->op = op == "=" || op == "==" ? CompareOp::Eq
                : op == "<>" || op == "!=" ? CompareOp::Ne
                : op == "<"  ? CompareOp::Lt
                : op == ">"  ? CompareOp::Gt
                : op == "<=" ? CompareOp::Le
                             : CompareOp::Ge;
        auto rhs = parseOperand();
        if (!rhs) return rhs.status();
        n->lhs = std::move(lhs.value());
        n->rhs = std::move(rhs.value());
        return n;
    }
    bool negated = false;
    if (isWord(t, "NOT") && (isWord(peek(1), "LIKE") || isWord(peek(1), "BETWEEN"))) {
        take();
        negated = true;
    }
    if (acceptKeyword("LIKE")) {
        NodePtr n = makeNode(Node::Kind::Like);
        n->negated = negated;
        auto rhs = parseOperand();
        if (!rhs) return rhs.status();
        n->lhs = std::move(lhs.value());
        n->rhs = std::move(rhs.value());
        return n;
    }
    if (acceptKeyword("BETWEEN")) {
        auto low = parseOperand();
        if (!low) return low.status();
        if (!acceptKeyword("AND")) return syntaxError(peek(), "AND");
        auto high = parseOperand();
        if (!high) return high.status();
        NodePtr ge = makeNode(Node::Kind::Compare);
        ge->op = CompareOp::Ge;
        ge->lhs = lhs.value();
        ge->rhs = std::move(low.value());
        NodePtr le = makeNode(Node::Kind::Compare);
        le->op = CompareOp::Le;
        le->lhs = std::move(lhs.value());
        le->rhs = std::move(high.value());
        NodePtr n = makeNode(Node::Kind::And);
        n->a = std::move(ge);
        n->b = std::move(le);
        if (!negated) return n;
        NodePtr no = makeNode(Node::Kind::Not);
        no->a = std::move(n);
        return no;
    }
    if (negated) return syntaxError(peek(), "LIKE");
    NodePtr n = makeNode(Node::Kind::Value);
    n->lhs = std::move(lhs.value());
    return n;
}

base::Result<Operand> Parser::parseOperand() {
    auto first = parseTerm();
    if (!first) return first;
    if (peek().kind != Tok::Plus) return first;
    Operand cat;
    cat.kind = Operand::Kind::Concat;
    cat.pos = first.value().pos;
    cat.parts.push_back(std::move(first.value()));
    while (peek().kind == Tok::Plus) {
        take();
        auto next = parseTerm();
        if (!next) return next;
        cat.parts.push_back(std::move(next.value()));
    }
    return cat;
}

base::Result<Operand> Parser::parseTerm() {
    const Token& t = peek();
    Operand o;
    o.pos = t.pos;
    switch (t.kind) {
        case Tok::String:
            take();
            o.kind = Operand::Kind::Text;
            o.text = std::string(t.text);
            return o;
        case Tok::Number:
            take();
            o.kind = Operand::Kind::Number;
            o.text = std::string(t.text);
            return o;
        case Tok::Minus:
            if (peek(1).kind != Tok::Number) return syntaxError(peek(1), "число"_cp);
            take();
            o.kind = Operand::Kind::Number;
            o.text = "-" + std::string(take().text);
            return o;
        case Tok::Param:
            take();
            o.kind = Operand::Kind::Param;
            o.text = std::string(t.text);
            if (o.text.empty()) o.paramIndex = params_++;
            return o;
        case Tok::Ident: {
            if (isReserved(t)) return syntaxError(t, "имя поля или значение"_cp);
            take();
            o.kind = Operand::Kind::Field;
            if (isWord(Token{Tok::Ident, t.text, 0, 0}, "T") || isWord(Token{Tok::Ident, t.text, 0, 0}, "F")) {
                if (t.text.front() == '.') {  // .T. / .F.
                    o.kind = Operand::Kind::Text;
                    o.text = std::string(1, t.text[1]);
                    return o;
                }
            }
            if (peek().kind == Tok::Dot && peek(1).kind == Tok::Ident) {
                take();
                o.qualifier = std::string(t.text);
                o.text = std::string(take().text);
            } else {
                o.text = std::string(t.text);
            }
            return o;
        }
        default:
            return syntaxError(t, "имя поля или значение"_cp);
    }
}

}  // namespace db::expr
