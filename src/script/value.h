#pragma once
// Script values: cp1251 text whose type is read from the text itself (C
// quoted text, D dd.mm.yyyy, N number, B .T./.F., U anything else), with a
// cache of the number the text holds so arithmetic need not re-read it.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "base/date.h"

namespace script {

struct Value {
    std::string text;
    // Number cache: 0 not read yet, 1 `num` holds the number, -1 not a number.
    mutable double num = 0;
    mutable signed char numState = 0;

    Value() = default;
    explicit Value(std::string t) : text(std::move(t)) {}
    Value(std::string t, double n) : text(std::move(t)), num(n), numState(1) {}

    void set(std::string t) { text = std::move(t); numState = 0; }
};

// The type letter of a value text.
char typeOf(std::string_view v);

inline bool isTrue(std::string_view v) { return v.size() == 3 && v[0] == '.' && v[1] == 'T' && v[2] == '.'; }
const std::string& trueText();
const std::string& falseText();
inline const std::string& logical(bool b) { return b ? trueText() : falseText(); }

// One enclosing pair of quote characters removed (a text argument's body).
std::string_view unquoted(std::string_view v);
// kQuote + text + kQuote.
std::string quoted(std::string_view text);

// Readers. nullopt when the text does not hold such a value.
std::optional<double> readNumber(std::string_view text);
std::optional<double> readNumberSlow(const Value& v);
inline std::optional<double> readNumber(const Value& v) {
    if (v.numState > 0) return v.num;
    return readNumberSlow(v);
}
std::optional<int64_t> readWhole(std::string_view text);
std::optional<base::Date> readDate(std::string_view text);  // "." or "/" separators

// Writers: the engine's one text for a number (15 significant digits) and a
// date. A number that is not finite has no text: callers refuse it first.
std::string numberText(double x);
// Writes the text of a number into `out`, reusing its buffer.
void setNumber(Value& out, double x);
Value numberValue(double x);  // cached number equals the number of the text

}  // namespace script
