// Expr: compile a filter or key text, bind it against a field list and
// evaluate it per record.
#include "db/expr.h"

#include <array>
#include <cmath>
#include <cstring>

#include "base/case_tables.h"
#include "base/cp_literal.h"
#include "base/number_format.h"
#include "db/expr_bind.h"
#include "db/expr_parser.h"
#include "base/text_trim.h"

namespace db {
namespace expr {
namespace {

using base::Status;

// ---- per-record value access ------------------------------------------------

bool isNumericType(FieldType t) { return t == FieldType::Numeric || t == FieldType::Float || t == FieldType::Integer; }

using UpperTable = std::array<unsigned char, 256>;

UpperTable makeUpperTable(bool caseInsensitive) {
    UpperTable t{};
    for (int i = 0; i < 256; ++i)
        t[i] = caseInsensitive ? static_cast<unsigned char>(base::upperAnsi(char(i))) : static_cast<unsigned char>(i);
    return t;
}

int compareBytes(std::string_view a, std::string_view b, const UpperTable& up) {
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const unsigned char x = up[(unsigned char)a[i]], y = up[(unsigned char)b[i]];
        if (x != y) return x < y ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

bool applyOp(CompareOp op, int cmp) {
    switch (op) {
        case CompareOp::Eq: return cmp == 0;
        case CompareOp::Ne: return cmp != 0;
        case CompareOp::Lt: return cmp < 0;
        case CompareOp::Gt: return cmp > 0;
        case CompareOp::Le: return cmp <= 0;
        case CompareOp::Ge: return cmp >= 0;
    }
    return false;
}

// Null (blank number or date) meets only "=" / "<>" with another null.
bool applyNull(CompareOp op, bool aNull, bool bNull) {
    if (op == CompareOp::Eq) return aNull && bNull;
    if (op == CompareOp::Ne) return aNull != bNull;
    return false;
}

// Text form of one operand for a text comparison.
struct TextGetter {
    int field = -1;
    FieldType type = FieldType::Character;
    bool raw = false;          // inside a "+" key: the stored bytes, untrimmed
    std::string constant;      // literal text
    std::vector<TextGetter> parts;  // "+" terms
    mutable std::string buffer;

    std::string_view get(const RecordView& r) const {
        if (!parts.empty()) {
            buffer.clear();
            for (const TextGetter& p : parts) buffer.append(p.get(r));
            return buffer;
        }
        if (field < 0) return constant;
        std::string_view v = r.rawField(field);
        if (raw) return v;
        if (type == FieldType::Date) {
            if (base::trimStoredRight(v).size() != 8) return {};
            buffer.assign({v[6], v[7], '.', v[4], v[5], '.', v[0], v[1], v[2], v[3]});
            return buffer;
        }
        return isNumericType(type) ? base::trimStored(v) : base::trimStoredRight(v);
    }
};

// ---- conditions ---------------------------------------------------------------

struct Cond {
    virtual ~Cond() = default;
    virtual bool eval(const RecordView& r) const = 0;
};
using CondPtr = std::unique_ptr<Cond>;

struct AndCond final : Cond {
    CondPtr a, b;
    bool eval(const RecordView& r) const override { return a->eval(r) && b->eval(r); }
};
struct OrCond final : Cond {
    CondPtr a, b;
    bool eval(const RecordView& r) const override { return a->eval(r) || b->eval(r); }
};
struct NotCond final : Cond {
    CondPtr a;
    bool eval(const RecordView& r) const override { return !a->eval(r); }
};
struct ConstCond final : Cond {
    bool value = true;
    bool eval(const RecordView&) const override { return value; }
};

struct TextCond final : Cond {
    TextGetter l, r;
    CompareOp op = CompareOp::Eq;
    bool prefix = false;  // r is a "starts with" pattern (trailing * removed)
    const UpperTable* up = nullptr;
    bool eval(const RecordView& rec) const override {
        const std::string_view a = base::trimStoredRight(l.get(rec));
        const std::string_view b = base::trimStoredRight(r.get(rec));
        if (!prefix) return applyOp(op, compareBytes(a, b, *up));
        const int cmp = compareBytes(a.substr(0, std::min(a.size(), b.size())), b, *up);
        return applyOp(op, cmp);
    }
};

struct NumberGetter {
    int field = -1;
    std::optional<double> constant;
    std::optional<double> get(const RecordView& r) const {
        return field < 0 ? constant : parseStoredNumber(r.rawField(field));
    }
};

struct NumberCond final : Cond {
    NumberGetter l, r;
    CompareOp op = CompareOp::Eq;
    bool eval(const RecordView& rec) const override {
        const auto a = l.get(rec), b = r.get(rec);
        if (!a || !b) return applyNull(op, !a, !b);
        return applyOp(op, *a < *b ? -1 : (*a > *b ? 1 : 0));
    }
};

// Dates compare in their stored form yyyymmdd; a C field holding dd.mm.yyyy
// is converted per record.
struct DateGetter {
    int field = -1;
    bool fromText = false;
    std::string constant;  // "" = empty date
    mutable std::string buffer;
    std::string_view get(const RecordView& r) const {
        if (field < 0) return constant;
        std::string_view v = r.rawField(field);
        if (!fromText) {
            v = base::trimStoredRight(v);
            return v.size() == 8 ? v : std::string_view();
        }
        const auto d = base::Date::parse(base::trimStored(v), true);
        if (!d || d->isEmpty()) return {};
        buffer = d->dbfText();
        return buffer;
    }
};

struct DateCond final : Cond {
    DateGetter l, r;
    CompareOp op = CompareOp::Eq;
    bool eval(const RecordView& rec) const override {
        const std::string_view a = l.get(rec), b = r.get(rec);
        if (a.empty() || b.empty()) return applyNull(op, a.empty(), b.empty());
        return applyOp(op, a.compare(b) < 0 ? -1 : (a == b ? 0 : 1));
    }
};

// Logical values: 'T' or 'F', 0 for empty.
char logicalOf(std::string_view v) {
    v = base::trimStored(v);
    if (v.empty()) return 0;
    switch (v.front()) {
        case 'T': case 't': case 'Y': case 'y': return 'T';
        case 'F': case 'f': case 'N': case 'n': return 'F';
        default: return 0;
    }
}

struct BoolGetter {
    int field = -1;
    char constant = 0;
    char get(const RecordView& r) const { return field < 0 ? constant : logicalOf(r.rawField(field)); }
};

struct BoolCond final : Cond {
    BoolGetter l, r;
    CompareOp op = CompareOp::Eq;
    bool eval(const RecordView& rec) const override {
        const char a = l.get(rec), b = r.get(rec);
        if (!a || !b) return applyNull(op, !a, !b);
        return applyOp(op, a == b ? 0 : (a == 'F' ? -1 : 1));
    }
};

// SQL LIKE: % any run, _ one character; case-sensitive; trailing blanks of
// both the value and the pattern are ignored.
bool likeMatch(std::string_view s, std::string_view p) {
    std::size_t si = 0, pi = 0, starP = std::string_view::npos, starS = 0;
    while (si < s.size()) {
        if (pi < p.size() && (p[pi] == '_' || p[pi] == s[si])) {
            ++si;
            ++pi;
        } else if (pi < p.size() && p[pi] == '%') {
            starP = pi++;
            starS = si;
        } else if (starP != std::string_view::npos) {
            pi = starP + 1;
            si = ++starS;
        } else {
            return false;
        }
    }
    while (pi < p.size() && p[pi] == '%') ++pi;
    return pi == p.size();
}

struct LikeCond final : Cond {
    TextGetter l, pattern;
    bool negated = false;
    bool eval(const RecordView& rec) const override {
        return likeMatch(base::trimStoredRight(l.get(rec)), base::trimStoredRight(pattern.get(rec))) != negated;
    }
};

struct LogicalFieldCond final : Cond {
    int field = -1;
    bool eval(const RecordView& rec) const override { return logicalOf(rec.rawField(field)) == 'T'; }
};

// ---- binding -------------------------------------------------------------------

enum class Kind { Text, Number, Date, Bool };

class Binder {
public:
    Binder(const BindContext& c, const UpperTable* up) : c_(c), up_(up) {}

    base::Result<CondPtr> cond(const Node& n);
    base::Result<TextGetter> keyGetter(const Operand& o) { return text(o, true); }

private:
    base::Result<int> field(const Operand& o);
    base::Result<CondPtr> compare(const Node& n);
    base::Result<TextGetter> text(const Operand& o, bool raw);
    base::Result<NumberGetter> number(const Operand& o);
    base::Result<DateGetter> date(const Operand& o);
    base::Result<BoolGetter> logical(const Operand& o);
    std::optional<FieldType> typeOf(const Operand& o);

    const BindContext& c_;
    const UpperTable* up_;  // owned by the expression, outlives the binder
};

std::string quoted(const Operand& o) { return "\"" + o.text + "\""; }
std::string at(const Operand& o) { return " (позиция "_cp + std::to_string(o.pos) + ")"; }

base::Result<int> Binder::field(const Operand& o) {
    const int i = c_.resolve ? c_.resolve(o.qualifier, o.text) : -1;
    if (i < 0) {
        const std::string name = o.qualifier.empty() ? o.text : o.qualifier + "." + o.text;
        return Status::invalid("Неизвестное поле "_cp + "\"" + name + "\"" + at(o));
    }
    return i;
}

std::optional<FieldType> Binder::typeOf(const Operand& o) {
    if (o.kind != Operand::Kind::Field) return std::nullopt;
    auto f = field(o);
    if (!f) return std::nullopt;
    return c_.fields[f.value()].type;
}

base::Result<TextGetter> Binder::text(const Operand& o, bool raw) {
    TextGetter g;
    g.raw = raw;
    switch (o.kind) {
        case Operand::Kind::Text:
        case Operand::Kind::Number:
            g.constant = o.text;
            return g;
        case Operand::Kind::Param:
            return Status::invalid("Параметр без значения "_cp + quoted(o) + at(o));
        case Operand::Kind::Field: {
            auto f = field(o);
            if (!f) return f.status();
            g.field = f.value();
            g.type = c_.fields[g.field].type;
            if (g.type == FieldType::Memo)
                return Status::invalid("Поле примечаний в условии не поддерживается: "_cp + quoted(o) + at(o));
            return g;
        }
        case Operand::Kind::Concat:
            for (const Operand& p : o.parts) {
                auto part = text(p, true);
                if (!part) return part;
                g.parts.push_back(std::move(part.value()));
            }
            return g;
    }
    return g;
}

base::Result<NumberGetter> Binder::number(const Operand& o) {
    NumberGetter g;
    if (o.kind == Operand::Kind::Field) {
        auto f = field(o);
        if (!f) return f.status();
        const FieldType t = c_.fields[f.value()].type;
        if (!isNumericType(t) && t != FieldType::Character)
            return Status::invalid("Несовместимые типы в сравнении с полем "_cp + quoted(o) + at(o));
        g.field = f.value();
        return g;
    }
    if (o.kind == Operand::Kind::Text || o.kind == Operand::Kind::Number) {
        if (base::trimStored(o.text).empty()) return g;  // empty: null
        const auto v = base::parseNumber(o.text);
        if (!v) return Status::invalid("Значение "_cp + quoted(o) + " не является числом"_cp + at(o));
        g.constant = v;
        return g;
    }
    return Status::invalid("Несовместимые типы в сравнении"_cp + at(o));
}

base::Result<DateGetter> Binder::date(const Operand& o) {
    DateGetter g;
    if (o.kind == Operand::Kind::Field) {
        auto f = field(o);
        if (!f) return f.status();
        const FieldType t = c_.fields[f.value()].type;
        if (t != FieldType::Date && t != FieldType::Character)
            return Status::invalid("Несовместимые типы в сравнении с полем "_cp + quoted(o) + at(o));
        g.field = f.value();
        g.fromText = t == FieldType::Character;
        return g;
    }
    if (o.kind == Operand::Kind::Text || o.kind == Operand::Kind::Number) {
        auto d = base::Date::parse(base::trimStored(o.text), true);
        if (!d) d = base::Date::parseDbf(base::trimStored(o.text));
        if (!d) return Status::invalid("Значение "_cp + quoted(o) + " не является датой"_cp + at(o));
        if (!d->isEmpty()) g.constant = d->dbfText();
        return g;
    }
    return Status::invalid("Несовместимые типы в сравнении"_cp + at(o));
}

base::Result<BoolGetter> Binder::logical(const Operand& o) {
    BoolGetter g;
    if (o.kind == Operand::Kind::Field) {
        auto f = field(o);
        if (!f) return f.status();
        g.field = f.value();
        return g;
    }
    if (o.kind == Operand::Kind::Text || o.kind == Operand::Kind::Number) {
        const std::string_view v = base::trimStored(o.text);
        if (v.empty()) return g;
        if (base::equalsIgnoreCase(v, "TRUE")) g.constant = 'T';
        else if (base::equalsIgnoreCase(v, "FALSE")) g.constant = 'F';
        else if (v.size() == 1) g.constant = logicalOf(v);
        if (!g.constant) return Status::invalid("Значение "_cp + quoted(o) + " не является логическим"_cp + at(o));
        return g;
    }
    return Status::invalid("Несовместимые типы в сравнении"_cp + at(o));
}

Kind kindOf(std::optional<FieldType> t) {
    if (!t) return Kind::Text;
    if (isNumericType(*t)) return Kind::Number;
    if (*t == FieldType::Date) return Kind::Date;
    if (*t == FieldType::Logical) return Kind::Bool;
    return Kind::Text;
}

bool isStarPattern(const Operand& o) {
    return o.kind == Operand::Kind::Text && !o.text.empty() && o.text.back() == '*';
}

base::Result<CondPtr> Binder::compare(const Node& n) {
    const auto lt = typeOf(n.lhs), rt = typeOf(n.rhs);
    if (n.lhs.kind == Operand::Kind::Field && !lt) return field(n.lhs).status();
    if (n.rhs.kind == Operand::Kind::Field && !rt) return field(n.rhs).status();
    const Kind lk = kindOf(lt), rk = kindOf(rt);
    Kind kind = Kind::Text;
    if (lk == Kind::Number || rk == Kind::Number) kind = Kind::Number;
    else if (lk == Kind::Date || rk == Kind::Date) kind = Kind::Date;
    else if (lk == Kind::Bool || rk == Kind::Bool) kind = Kind::Bool;
    else if (n.lhs.kind == Operand::Kind::Number && n.rhs.kind == Operand::Kind::Number) kind = Kind::Number;
    if (n.lhs.kind == Operand::Kind::Concat || n.rhs.kind == Operand::Kind::Concat) kind = Kind::Text;
    // A trailing * makes a "starts with" test on the value's text whatever its type.
    const bool star = isStarPattern(n.rhs);
    if (star) kind = Kind::Text;

    switch (kind) {
        case Kind::Text: {
            auto c = std::make_unique<TextCond>();
            auto l = text(n.lhs, false);
            if (!l) return l.status();
            auto r = text(n.rhs, false);
            if (!r) return r.status();
            c->l = std::move(l.value());
            c->r = std::move(r.value());
            if (star) {
                c->prefix = true;
                c->r.constant.pop_back();
                c->r.constant = std::string(base::trimStoredRight(c->r.constant));
            }
            if (c->r.field < 0 && c->r.parts.empty()) c->r.constant = std::string(base::trimStoredRight(c->r.constant));
            if (c->l.field < 0 && c->l.parts.empty()) c->l.constant = std::string(base::trimStoredRight(c->l.constant));
            c->op = n.op;
            c->up = up_;
            return CondPtr(std::move(c));
        }
        case Kind::Number: {
            auto c = std::make_unique<NumberCond>();
            auto l = number(n.lhs);
            if (!l) return l.status();
            auto r = number(n.rhs);
            if (!r) return r.status();
            c->l = l.value();
            c->r = r.value();
            c->op = n.op;
            return CondPtr(std::move(c));
        }
        case Kind::Date: {
            auto c = std::make_unique<DateCond>();
            auto l = date(n.lhs);
            if (!l) return l.status();
            auto r = date(n.rhs);
            if (!r) return r.status();
            c->l = std::move(l.value());
            c->r = std::move(r.value());
            c->op = n.op;
            return CondPtr(std::move(c));
        }
        case Kind::Bool: {
            auto c = std::make_unique<BoolCond>();
            auto l = logical(n.lhs);
            if (!l) return l.status();
            auto r = logical(n.rhs);
            if (!r) return r.status();
            c->l = l.value();
            c->r = r.value();
            c->op = n.op;
            return CondPtr(std::move(c));
        }
    }
    return Status::invalid("internal: comparison kind");
}

base::Result<CondPtr> Binder::cond(const Node& n) {
    switch (n.kind) {
        case Node::Kind::And:
        case Node::Kind::Or: {
            auto a = cond(*n.a);
            if (!a) return a;
            auto b = cond(*n.b);
            if (!b) return b;
            if (n.kind == Node::Kind::And) {
                auto c = std::make_unique<AndCond>();
                c->a = std::move(a.value());
                c->b = std::move(b.value());
                return CondPtr(std::move(c));
            }
            auto c = std::make_unique<OrCond>();
            c->a = std::move(a.value());
            c->b = std::move(b.value());
            return CondPtr(std::move(c));
        }
        case Node::Kind::Not: {
            auto a = cond(*n.a);
            if (!a) return a;
            auto c = std::make_unique<NotCond>();
            c->a = std::move(a.value());
            return CondPtr(std::move(c));
        }
        case Node::Kind::Compare:
            return compare(n);
        case Node::Kind::Like: {
            auto c = std::make_unique<LikeCond>();
            auto l = text(n.lhs, false);
            if (!l) return l.status();
            auto p = text(n.rhs, false);
            if (!p) return p.status();
            c->l = std::move(l.value());
            c->pattern = std::move(p.value());
            c->negated = n.negated;
            return CondPtr(std::move(c));
        }
        case Node::Kind::Value: {
            const auto t = typeOf(n.lhs);
            if (t && *t == FieldType::Logical) {
                auto c = std::make_unique<LogicalFieldCond>();
                c->field = field(n.lhs).value();
                return CondPtr(std::move(c));
            }
            if (n.lhs.kind == Operand::Kind::Field && !t) return field(n.lhs).status();
            return Status::invalid("Ожидается условие"_cp + at(n.lhs));
        }
    }
    return Status::invalid("internal: node kind");
}

}  // namespace

std::optional<double> parseStoredNumber(std::string_view raw) {
    std::size_t i = 0, n = raw.size();
    while (i < n && raw[i] == ' ') ++i;
    while (n > i && (raw[n - 1] == ' ' || raw[n - 1] == '\0')) --n;
    if (i == n) return std::nullopt;
    bool negative = false;
    if (raw[i] == '-' || raw[i] == '+') negative = raw[i++] == '-';
    uint64_t mantissa = 0;
    int digits = 0, scale = 0;
    bool point = false, any = false;
    for (; i < n; ++i) {
        const char c = raw[i];
        if (c >= '0' && c <= '9') {
            any = true;
            if (digits < 18) {
                mantissa = mantissa * 10 + uint64_t(c - '0');
                if (mantissa) ++digits;
                if (point) ++scale;
            } else if (!point) {
                --scale;
            }
        } else if (c == '.' && !point) {
            point = true;
        } else {
            return base::parseNumber(raw);  // exponent forms and the like
        }
    }
    if (!any) return std::nullopt;
    static constexpr double kPow10[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9,
                                        1e10, 1e11, 1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18};
    double v = double(mantissa);
    if (scale > 0) v = scale <= 18 ? v / kPow10[scale] : v / std::pow(10.0, scale);
    else if (scale < 0) v *= std::pow(10.0, -scale);
    return negative ? -v : v;
}

}  // namespace expr

namespace {

// Keeps the upper table alive for the conditions that point at it.
class OwningExpr final : public Expr {
public:
    bool matches(const RecordView& record) const override { return cond ? cond->eval(record) : true; }
    std::string key(const RecordView& record) const override {
        if (cond) return cond->eval(record) ? "T" : "F";
        std::string k(keyGetter.get(record));
        if (caseInsensitive)
            for (char& ch : k) ch = char((*up)[(unsigned char)ch]);
        return k;
    }
    std::unique_ptr<expr::UpperTable> up;
    expr::CondPtr cond;
    expr::TextGetter keyGetter;
    bool caseInsensitive = false;
};

}  // namespace

namespace expr {

base::Result<std::unique_ptr<Expr>> bind(const Node& root, const BindContext& context) {
    auto e = std::make_unique<OwningExpr>();
    e->up = std::make_unique<UpperTable>(makeUpperTable(context.options.caseInsensitive));
    e->caseInsensitive = context.options.caseInsensitive;
    Binder binder(context, e->up.get());
    if (root.kind == Node::Kind::Value) {
        const auto& o = root.lhs;
        const int f = o.kind == Operand::Kind::Field && context.resolve ? context.resolve(o.qualifier, o.text) : -1;
        const bool logicalField = f >= 0 && context.fields[f].type == FieldType::Logical;
        if (!logicalField) {
            auto k = binder.keyGetter(o);
            if (!k) return k.status();
            e->keyGetter = std::move(k.value());
            return std::unique_ptr<Expr>(std::move(e));
        }
    }
    auto c = binder.cond(root);
    if (!c) return c.status();
    e->cond = std::move(c.value());
    return std::unique_ptr<Expr>(std::move(e));
}

}  // namespace expr

base::Result<std::unique_ptr<Expr>> Expr::compile(std::string_view text, const FieldList& fields, ExprOptions options) {
    auto tokens = expr::tokenize(text);
    if (!tokens) return tokens.status();
    expr::Parser parser(tokens.value());
    auto tree = parser.parseCondition();
    if (!tree) return tree.status();
    if (!parser.atEnd()) return expr::syntaxError(parser.peek());
    expr::BindContext context{fields, nullptr, options};
    context.resolve = [&fields](std::string_view, std::string_view name) {
        for (std::size_t i = 0; i < fields.size(); ++i)
            if (base::equalsIgnoreCase(fields[i].name, name)) return int(i);
        return -1;
    };
    return expr::bind(*tree.value(), context);
}

}  // namespace db
