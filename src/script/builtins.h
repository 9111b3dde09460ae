#pragma once
// The function library: every built-in is a plain function over its call
// context, registered by name in one table (one file per family).
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>

#include "base/date.h"
#include "script/value.h"

namespace script {

class Interpreter;

// One call: the arguments in their two forms (as written, and with one
// enclosing pair of quotes removed) and typed readers that stop the run
// with a message when an argument cannot be converted.
class CallContext {
public:
    CallContext(Interpreter& in, const std::string& name, const Value* const* args, int count, int slot)
        : in_(in), name_(name), args_(args), count_(count), slot_(slot) {}

    Interpreter& interpreter() { return in_; }
    const std::string& name() const { return name_; }
    int count() const { return count_; }
    int slot() const { return slot_; }  // T0..T9 slot of a table function, else -1

    std::string_view raw(int i) const;   // as written ("" when missing)
    std::string_view text(int i) const;  // quotes removed
    const Value& value(int i) const;
    double number(int i) const;
    int64_t whole(int i) const;
    base::Date date(int i) const;

    // Stops the run: "Ошибка в строке n" / line2 / line3.
    [[noreturn]] void fail(const std::string& line2, const std::string& line3 = std::string()) const;

private:
    Interpreter& in_;
    const std::string& name_;
    const Value* const* args_;
    int count_;
    int slot_;
};

using BuiltinFn = Value (*)(CallContext&);
using BuiltinTable = std::unordered_map<std::string, BuiltinFn>;

// Families of the library; each adds its functions under every name.
void addTextBuiltins(BuiltinTable&);
void addNumberBuiltins(BuiltinTable&);
void addDateBuiltins(BuiltinTable&);
void addArrayBuiltins(BuiltinTable&);
void addSystemBuiltins(BuiltinTable&);

// Text results come back quoted; "no value" is the empty text.
inline Value textResult(std::string_view s) { return Value(quoted(s)); }
inline Value noValue() { return Value(); }

}  // namespace script
