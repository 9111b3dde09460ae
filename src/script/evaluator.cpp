// Evaluation of one compiled statement: its groups in their fixed order,
// each group by the passes ^, * /, + -, :=, then comparisons and logic.
#include <cmath>

#include "base/cp_literal.h"
#include "script/codes.h"
#include "script/interpreter_parts.h"

namespace script {

namespace {

const Value kEmptyValue;

bool startsLiteral(std::string_view t) {
    return !t.empty() && (t[0] == kQuote || t[0] == '-' || (t[0] >= '0' && t[0] <= '9'));
}

const char* compareText(Op op) {
    switch (op) {
        case Op::Lt: return "<";
        case Op::Gt: return ">";
        case Op::Le: return "<=";
        case Op::Ge: return ">=";
        case Op::Eq: return "=";
        default: return "<>";
    }
}

}  // namespace

class Interpreter::Evaluator {
public:
    Evaluator(Interpreter& in, const Expr& e, Work& w) : in_(in), e_(e), p_(w.places) {}

    Value run(bool wantValue) {
        const int n = int(e_.tokens.size());
        if (int(p_.size()) < n) p_.resize(n);
        for (int i = 0; i < n; ++i) {
            Place& p = p_[i];
            p.v = &e_.tokens[i].literal;
            p.raw = true;
            p.empty = false;
        }
        const int groups = int(e_.groups.size());
        for (int g = 0; g < groups; ++g) {
            if (g == groups - 1 && !e_.appendOperands.empty() && appendInPlace()) return Value();
            group(e_.groups[g]);
        }
        if (!wantValue) return Value();
        for (int i = 0; i < n; ++i)
            if (!p_[i].empty) return *p_[i].v;
        return Value();
    }

    // One expression group over the places idx[0..n); returns the first
    // non-empty place after the passes, or -1.
    int expression(int* idx, int n);

private:
    const Token& tok(int i) const { return e_.tokens[i]; }
    bool isRawKind(int i, TokenKind k) const { return p_[i].raw && tok(i).kind == k; }
    bool isOp(int i) const { return p_[i].raw && tok(i).kind == TokenKind::Operator; }
    Op opOf(int i) const { return isOp(i) ? tok(i).op : Op::None; }

    void setNumberResult(int i, double x) {
        Place& p = p_[i];
        setNumber(p.own, x);
        p.v = &p.own;
        p.raw = false;
    }

    void setTextResult(int i, const std::string& text) {
        Place& p = p_[i];
        p.own.text.assign(text);
        p.own.numState = 0;
        p.v = &p.own;
        p.raw = false;
    }

    void setResult(int i, Value v) {
        Place& p = p_[i];
        p.own = std::move(v);
        p.v = &p.own;
        p.raw = false;
    }

    void group(const Group& g);
    void call(const Group& g, int* idx, int n);
    void resolve(int i);  // the lookup of step 11 for one place
    bool appendInPlace();
    // Restores the first k append operands to their compiled tokens.
    bool undoAppend(std::size_t k) {
        for (std::size_t j = 0; j < k; ++j) {
            const int i = e_.appendOperands[j];
            if (tok(i).kind == TokenKind::Name || tok(i).kind == TokenKind::Element) {
                p_[i].v = &tok(i).literal;
                p_[i].raw = true;
            }
        }
        return false;
    }

    [[noreturn]] void typeError(const std::string& text, int left, int right);
    double number(int i);
    int64_t wholeOf(int i);
    base::Date dateOf(int i);

    Interpreter& in_;
    const Expr& e_;
    std::vector<Place>& p_;
};

void Interpreter::Evaluator::group(const Group& g) {
    int idx[kMaxPlaces + 1];
    int n = 0;
    for (int i = g.begin; i <= g.end && n < kMaxPlaces; ++i) {
        if (p_[i].empty || isRawKind(i, TokenKind::Open) || isRawKind(i, TokenKind::Close)) continue;
        idx[n++] = i;
    }
    if (g.call) {
        call(g, idx, n);
    } else {
        const int first = expression(idx, n);
        Place& head = p_[g.begin];
        if (first < 0) {
            head.empty = true;
        } else if (first != g.begin || head.v != &head.own) {
            Place& src = p_[first];
            if (src.v == &src.own) {
                // The result stays where it was made: that place is empty
                // from now on and nothing writes into it again.
                head.v = src.v;
                head.raw = false;
            } else {
                setResult(g.begin, *src.v);  // a copy: a later call may change the variable
            }
            head.empty = head.v->text.empty();
        }
    }
    for (int i = g.begin + 1; i <= g.end; ++i) p_[i].empty = true;
}

void Interpreter::Evaluator::resolve(int i) {
    Place& p = p_[i];
    const Token& t = tok(i);
    if (p.raw) {
        if (t.kind == TokenKind::Name) {
            const Variable& var = *t.variable;
            if (var.defined) {
                const std::string& s = var.value.text;
                if (!s.empty() && (s.front() == ' ' || s.back() == ' ')) setResult(i, Value(std::string(trimSpaces(s))));
                else p.v = &var.value;
            }
            p.raw = false;
            return;
        }
        if (t.kind == TokenKind::Element) {
            std::string index = t.indexText;
            if (t.indexVar >= 0 && in_.vars_[t.indexVar].defined) index = in_.vars_[t.indexVar].value.text;
            if (auto* a = in_.findArray(t.arrayName)) {
                auto k = readWhole(index);
                if (k && *k >= 0 && *k < int64_t(a->size())) {
                    const std::string& s = (*a)[*k].text;
                    if (!s.empty() && (s.front() == ' ' || s.back() == ' ')) setResult(i, Value(std::string(trimSpaces(s))));
                    else p.v = &(*a)[*k];
                }
            }
            p.raw = false;
            return;
        }
        if (t.kind == TokenKind::Literal || t.kind == TokenKind::Operator) return;
    }
    if (startsLiteral(p.v->text)) return;
    // A value that reads as a name (a word a function gave back).
    auto it = in_.varIndex_.find(p.v->text);
    if (it != in_.varIndex_.end() && in_.vars_[it->second].defined) {
        setResult(i, in_.vars_[it->second].value);
    } else if (p.v->text.find_first_of(" ") != std::string::npos) {
        setResult(i, Value(std::string(trimSpaces(p.v->text))));
    }
}

void Interpreter::Evaluator::typeError(const std::string& text, int l, int r) {
    auto side = [&](int i) {
        if (i < 0) return std::string(" (U)");
        return shown(p_[i].v->text) + " (" + p_[i].type + ")";
    };
    const std::string left = l < 0 ? std::string(" (U)") : side(l);
    in_.fail(text + left + "  и  "_cp + side(r));
}

double Interpreter::Evaluator::number(int i) {
    auto n = readNumber(*p_[i].v);
    if (!n) in_.fail("Значение "_cp + shown(p_[i].v->text) + " не является числом"_cp, "Обработка прервана"_cp);
    return *n;
}

int64_t Interpreter::Evaluator::wholeOf(int i) {
    const double d = number(i);
    if (d != std::trunc(d) || std::fabs(d) > 9e15)
        in_.fail("Значение "_cp + shown(p_[i].v->text) + " не является целым числом"_cp, "Обработка прервана"_cp);
    return int64_t(d);
}

base::Date Interpreter::Evaluator::dateOf(int i) {
    auto d = readDate(p_[i].v->text);
    if (!d) in_.fail("Значение "_cp + shown(p_[i].v->text) + " не является датой"_cp, "Обработка прервана"_cp);
    return *d;
}

int Interpreter::Evaluator::expression(int* idx, int n) {
    // Typing: look names up (not an assignment's target), give type letters.
    unsigned ops = 0;
    for (int k = 0; k < n; ++k) {
        const int i = idx[k];
        if (isOp(i)) {
            ops |= 1u << unsigned(tok(i).op);
            p_[i].type = ' ';
            continue;
        }
        const bool target = k + 1 < n && opOf(idx[k + 1]) == Op::Assign;
        if (!target) resolve(i);
        p_[i].type = typeOf(p_[i].v->text);
    }
    auto left = [&](int k) {
        for (int j = k - 1; j >= 0; --j)
            if (!p_[idx[j]].empty) return j;
        return -1;
    };
    auto right = [&](int k) {
        for (int j = k + 1; j < n; ++j)
            if (!p_[idx[j]].empty) return j;
        return -1;
    };
    auto at = [&](int j) { return j < 0 ? -1 : idx[j]; };
    auto typeAt = [&](int j) { return j < 0 ? 'U' : p_[idx[j]].type; };
    auto finite = [&](double x, int l, int r) {
        if (!std::isfinite(x)) typeError("Переполнение при вычислении@"_cp, at(l), at(r));
        return x;
    };
    auto drop = [&](int j) {
        if (j >= 0) p_[idx[j]].empty = true;
    };
    auto has = [&](Op a, Op b = Op::None) {
        return (ops & (1u << unsigned(a))) || (b != Op::None && (ops & (1u << unsigned(b))));
    };

    // Pass 1: "^", from the left.
    if (has(Op::Pow)) {
        for (int k = 0; k < n; ++k) {
            if (p_[idx[k]].empty || opOf(idx[k]) != Op::Pow) continue;
            const int l = left(k);
            int r = right(k);
            // A signed exponent (2 ^ -1): the sign belongs to the exponent.
            bool negative = false;
            if (r >= 0 && opOf(idx[r]) == Op::Sub && right(r) >= 0 && typeAt(right(r)) == 'N') {
                drop(r);
                r = right(r);
                negative = true;
            }
            if (typeAt(l) != 'N' || typeAt(r) != 'N') typeError("Возвед. в степень несовместимых типов@"_cp, at(l), at(r));
            const double base = number(idx[l]);
            const int64_t e = negative ? -wholeOf(idx[r]) : wholeOf(idx[r]);
            double x = 1;
            if (e > 100000 || e < -100000) x = std::pow(base, double(e));
            else if (e >= 0) for (int64_t m = 0; m < e; ++m) x *= base;
            else for (int64_t m = 0; m < -e; ++m) x /= base;
            setNumberResult(idx[l], finite(x, l, r));
            drop(k);
            drop(r);
        }
    }
    // Pass 2: "*" and "/".
    if (has(Op::Mul, Op::Div)) {
        for (int k = 0; k < n; ++k) {
            const Op op = p_[idx[k]].empty ? Op::None : opOf(idx[k]);
            if (op != Op::Mul && op != Op::Div) continue;
            const int l = left(k), r = right(k);
            if (typeAt(l) != 'N' || typeAt(r) != 'N')
                typeError(op == Op::Mul ? "Умножение несовместимых типов@"_cp : "Деление несовместимых типов@"_cp, at(l), at(r));
            const double a = number(idx[l]), b = number(idx[r]);
            if (op == Op::Div && b == 0) typeError("Деление на ноль@"_cp, at(l), at(r));
            setNumberResult(idx[l], finite(op == Op::Mul ? a * b : a / b, l, r));
            drop(k);
            drop(r);
        }
    }
    // Pass 3: "+" and "-" (a "-" with no number or date on its left is a sign).
    if (has(Op::Add, Op::Sub)) {
        for (int k = 0; k < n; ++k) {
            const Op op = p_[idx[k]].empty ? Op::None : opOf(idx[k]);
            if (op != Op::Add && op != Op::Sub) continue;
            const int l = left(k), r = right(k);
            const char lt = typeAt(l), rt = typeAt(r);
            if (op == Op::Add) {
                if (lt == 'N' && rt == 'N') {
                    setNumberResult(idx[l], finite(number(idx[l]) + number(idx[r]), l, r));
                } else if (lt == 'D' && rt == 'N') {
                    base::Date d = dateOf(idx[l]).addDays(int32_t(wholeOf(idx[r])));
                    if (d.year() > 9999 || d.year() < 1) typeError("Переполнение при вычислении@"_cp, at(l), at(r));
                    setResult(idx[l], Value(d.text()));
                } else if (lt == 'C' && rt == 'C') {
                    Place& lp = p_[idx[l]];
                    const std::string& rs = p_[idx[r]].v->text;
                    if (lp.v == &lp.own) {
                        lp.own.text.pop_back();
                        lp.own.text.append(rs, 1, std::string::npos);
                        lp.own.numState = 0;
                    } else {
                        std::string s;
                        s.reserve(lp.v->text.size() + rs.size());
                        s.append(lp.v->text, 0, lp.v->text.size() - 1);
                        s.append(rs, 1, std::string::npos);
                        setResult(idx[l], Value(std::move(s)));
                    }
                } else {
                    typeError("Сложение несовместимых типов@"_cp, at(l), at(r));
                }
                drop(k);
                drop(r);
            } else if (rt == 'N' && (l < 0 || (lt != 'N' && lt != 'D'))) {
                setNumberResult(idx[r], -number(idx[r]));
                drop(k);
            } else {
                if (lt == 'N' && rt == 'N') {
                    setNumberResult(idx[l], finite(number(idx[l]) - number(idx[r]), l, r));
                } else if (lt == 'D' && rt == 'N') {
                    base::Date d = dateOf(idx[l]).addDays(-int32_t(wholeOf(idx[r])));
                    if (d.year() > 9999 || d.year() < 1) typeError("Переполнение при вычислении@"_cp, at(l), at(r));
                    setResult(idx[l], Value(d.text()));
                } else if (lt == 'D' && rt == 'D') {
                    const int32_t days = dateOf(idx[l]).dayNumber() - dateOf(idx[r]).dayNumber();
                    setNumberResult(idx[l], days);
                    p_[idx[l]].type = 'N';
                } else {
                    typeError("Вычитание несовместимых типов@"_cp, at(l), at(r));
                }
                drop(k);
                drop(r);
            }
        }
    }
    // Pass 4: the first ":=" of the group.
    if (has(Op::Assign)) {
        for (int k = 0; k < n; ++k) {
            if (p_[idx[k]].empty || opOf(idx[k]) != Op::Assign) continue;
            const int l = left(k), r = right(k);
            const Value& value = r < 0 ? kEmptyValue : *p_[idx[r]].v;
            if (l >= 0) {
                const int ti = idx[l];
                const Token& t = tok(ti);
                if (p_[ti].raw && t.kind == TokenKind::Name) {
                    Value looked = value;
                    if (!startsLiteral(value.text)) {
                        auto it = in_.varIndex_.find(value.text);
                        if (it != in_.varIndex_.end() && in_.vars_[it->second].defined) looked = in_.vars_[it->second].value;
                        else looked = Value(std::string(trimSpaces(value.text)));
                        in_.assignVar(t.var, looked);
                    } else {
                        in_.assignVar(t.var, value);
                    }
                } else {
                    in_.assign(p_[ti].v->text, value);
                }
            }
            drop(l);
            drop(k);
            drop(r);
            break;
        }
    }
    // Pass 5: comparisons and logic, one sweep, equal precedence.
    if (ops & ~((1u << unsigned(Op::Pow)) | (1u << unsigned(Op::Mul)) | (1u << unsigned(Op::Div)) |
                (1u << unsigned(Op::Add)) | (1u << unsigned(Op::Sub)) | (1u << unsigned(Op::Assign)))) {
        for (int k = 0; k < n; ++k) {
            const Op op = p_[idx[k]].empty ? Op::None : opOf(idx[k]);
            if (op < Op::Le) continue;
            const int r = right(k);
            if (op == Op::Not) {
                if (r >= 0) {
                    const bool t = isTrue(p_[idx[r]].v->text);
                    setTextResult(idx[r], logical(!t));
                }
                drop(k);
                continue;
            }
            const int l = left(k);
            bool result = false;
            if (op == Op::And || op == Op::Or) {
                const bool a = l >= 0 && isTrue(p_[idx[l]].v->text);
                const bool b = r >= 0 && isTrue(p_[idx[r]].v->text);
                result = op == Op::And ? a && b : a || b;
            } else {
                const char lt = typeAt(l), rt = typeAt(r);
                const bool equality = op == Op::Eq || op == Op::Ne;
                int cmp = 0;
                if (lt == 'N' && rt == 'N') {
                    const double a = number(idx[l]), b = number(idx[r]);
                    cmp = a < b ? -1 : a > b ? 1 : 0;
                } else if (lt == 'D' && rt == 'D') {
                    const int32_t a = dateOf(idx[l]).dayNumber(), b = dateOf(idx[r]).dayNumber();
                    cmp = a < b ? -1 : a > b ? 1 : 0;
                } else if (equality && lt == 'C' && rt == 'C') {
                    cmp = p_[idx[l]].v->text == p_[idx[r]].v->text ? 0 : 1;
                } else {
                    typeError("Сравнение "_cp + compareText(op) + " для несовместимых типов@"_cp, at(l), at(r));
                }
                switch (op) {
                    case Op::Lt: result = cmp < 0; break;
                    case Op::Gt: result = cmp > 0; break;
                    case Op::Le: result = cmp <= 0; break;
                    case Op::Ge: result = cmp >= 0; break;
                    case Op::Eq: result = cmp == 0; break;
                    default: result = cmp != 0; break;
                }
            }
            if (l >= 0) setTextResult(idx[l], logical(result));
            drop(k);
            drop(r);
        }
    }
    for (int k = 0; k < n; ++k)
        if (!p_[idx[k]].empty) return idx[k];
    return -1;
}

void Interpreter::Evaluator::call(const Group& g, int* idx, int n) {
    const Token& fn = tok(g.begin);
    const std::string& name = fn.literal.text;
    const Value* args[kMaxPlaces];
    int count = 0;
    if (n > 1) {
        int start = 1;
        for (int k = 1; k <= n; ++k) {
            if (k < n && !isRawKind(idx[k], TokenKind::Comma)) continue;
            const int len = k - start;
            if (len == 0) {
                args[count++] = &kEmptyValue;
            } else {
                int at = idx[start];
                if (len > 1) {
                    at = expression(idx + start, len);
                    if (at < 0) {
                        args[count++] = &kEmptyValue;
                        start = k + 1;
                        continue;
                    }
                }
                resolve(at);
                args[count++] = p_[at].v;
            }
            start = k + 1;
        }
    }
    Value result;
    if (fn.builtin >= 0) {
        CallContext ctx(in_, name, args, count, fn.tableSlot);
        result = in_.builtinList_[fn.builtin](ctx);
    } else if (fn.userFunction >= 0 && fn.tableSlot < 0) {
        result = in_.callUser(fn.userFunction, args, count);
    } else {
        throw ScriptError{Message{"Ошибка В строке "_cp + in_.statementNumberText(), "Неизвесная функция"_cp + shown(name),
                                  "Обработка прервана"_cp}};
    }
    setResult(g.begin, std::move(result));
    p_[g.begin].empty = p_[g.begin].own.text.empty();
}

// NAME := NAME + a + b ...: when every part is a text, the variable grows in
// place instead of being copied for every append.
bool Interpreter::Evaluator::appendInPlace() {
    const Token& target = e_.tokens[0];
    Variable& var = *target.variable;
    if (!var.defined || typeOf(var.value.text) != 'C') return false;
    // Look the operands up; when one is no text, put them back as they were
    // so that the ordinary evaluation looks each up once.
    for (std::size_t k = 0; k < e_.appendOperands.size(); ++k) {
        const int i = e_.appendOperands[k];
        if (p_[i].empty) return undoAppend(k);
        const Value* before = p_[i].v;
        const bool wasRaw = p_[i].raw;
        resolve(i);
        if (typeOf(p_[i].v->text) != 'C') {
            p_[i].v = before;
            p_[i].raw = wasRaw;
            return undoAppend(k);
        }
    }
    std::string& s = var.value.text;
    for (int i : e_.appendOperands) {
        if (p_[i].v == &var.value) setResult(i, var.value);  // S := S + S
        const std::string& part = p_[i].v->text;
        s.pop_back();
        s.append(part, 1, std::string::npos);
    }
    var.value.numState = 0;
    in_.lastAssignedVar_ = target.var;
    return true;
}

Value Interpreter::evaluate(const Expr& e, bool wantValue) {
    if (e.places > kMaxPlaces)
        fail("Оператор слишком длинный: более "_cp + std::to_string(kMaxPlaces - 1) + " лексем"_cp,
             "Разбейте его на несколько операторов"_cp);
    if (workDepth_ == int(workPool_.size())) workPool_.push_back(std::make_unique<Work>());
    Work& w = *workPool_[workDepth_];
    ++workDepth_;
    struct Release {
        int& depth;
        ~Release() { --depth; }
    } release{workDepth_};
    Evaluator ev(*this, e, w);
    return ev.run(wantValue);
}

Value Interpreter::callUser(int definition, const Value* const* args, int count) {
    if (callDepth_ + inheritedCallDepth_ >= kMaxCallDepth)
        fail("Слишком глубокая вложенность вызовов функций: более "_cp + std::to_string(kMaxCallDepth),
             "Обработка прервана"_cp);
    Statement& def = statements_[definition];
    if (!def.paramsLinked) {
        def.paramsLinked = true;
        const std::string& t = def.normalized;
        const std::size_t open = t.find(kOpen);
        const std::size_t close = t.rfind(kClose);
        if (open != std::string::npos && close != std::string::npos && close > open) {
            std::string inner = t.substr(open + 1, close - open - 1);
            std::size_t start = 0;
            while (start <= inner.size()) {
                std::size_t comma = inner.find(kComma, start);
                if (comma == std::string::npos) comma = inner.size();
                std::string name(trimSpaces(std::string_view(inner).substr(start, comma - start)));
                if (!name.empty()) def.params.push_back(slotOf(name));
                start = comma + 1;
            }
        }
    }
    for (std::size_t k = 0; k < def.params.size(); ++k) {
        Value v = int(k) < count ? *args[k] : Value();
        if (!v.text.empty() && !startsLiteral(v.text)) {
            auto it = varIndex_.find(v.text);
            if (it != varIndex_.end() && vars_[it->second].defined) v = vars_[it->second].value;
            else v = Value(std::string(trimSpaces(v.text)));
        }
        assignVar(def.params[k], v);
    }
    const int caller = current_;
    ++callDepth_;
    struct Leave {
        int& depth;
        ~Leave() { --depth; }
    } leave{callDepth_};
    Frame frame;
    execute(definition + 1, frame);
    current_ = caller;
    Value result = lastAssignedVar_ >= 0 ? vars_[lastAssignedVar_].value : lastAssigned_;
    if (result.text == "NILL") result = Value();
    return result;
}

void Interpreter::assign(const std::string& target, const Value& value) {
    Value v = value;
    if (!startsLiteral(v.text)) {
        auto it = varIndex_.find(v.text);
        if (it != varIndex_.end() && vars_[it->second].defined) v = vars_[it->second].value;
        else v = Value(std::string(trimSpaces(v.text)));
    }
    const std::size_t open = target.find_first_of(std::string{kLBracket, '['});
    if (open == std::string::npos) {
        assignVar(slotOf(target), v);
        return;
    }
    const std::size_t close = target.find_first_of(std::string{kRBracket, ']'}, open);
    const std::string name = target.substr(0, open);
    std::string index = target.substr(open + 1, close == std::string::npos ? std::string::npos : close - open - 1);
    if (!readWhole(index)) {
        auto it = varIndex_.find(index);
        if (it != varIndex_.end() && vars_[it->second].defined) index = vars_[it->second].value.text;
    }
    std::erase(index, ' ');
    auto* a = findArray(name);
    auto k = readWhole(index);
    if (!a || !k || *k < 0 || *k >= int64_t(a->size()) || std::to_string(*k) != index) {
        host_.showMessage(Message{"Элемент массива "_cp + shown(name) + "[" + shown(index) + "] не найден"_cp,
                                  "Строка будет пропущена"_cp, ""});
        return;
    }
    (*a)[*k] = v;
    lastAssignedVar_ = -1;
    lastAssigned_ = v;
}

}  // namespace script
