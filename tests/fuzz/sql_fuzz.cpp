// Local SQL: any text parses or fails with a message; the WHERE clause of
// what parses binds against a field list (with random parameters bound as
// values) and evaluates without fault.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "base/case_tables.h"
#include "db/expr_bind.h"
#include "db/sql_parser.h"

namespace {

const db::FieldList kFields = {
    {"KOD", db::FieldType::Numeric, 11, 0},  {"FIO", db::FieldType::Character, 25, 0},
    {"DATA", db::FieldType::Date, 8, 0},     {"DOL1", db::FieldType::Numeric, 12, 2},
    {"METKA", db::FieldType::Character, 1, 0}, {"OK", db::FieldType::Logical, 1, 0},
};

class Row : public db::RecordView {
public:
    std::string_view rawField(int f) const override {
        static const char* const v[] = {"         42", "Petrov                   ", "20260115", "     1500.50", "R",
                                        "F"};
        return v[f];
    }
};

// Parameters become literal texts, as the executor binds them.
void bindParams(db::expr::Operand& o) {
    if (o.kind == db::expr::Operand::Kind::Param) {
        o.kind = db::expr::Operand::Kind::Text;
        o.text = o.text.empty() ? "01.02.2026" : o.text;
    }
    for (auto& p : o.parts) bindParams(p);
}
void bindParams(db::expr::Node* n) {
    if (!n) return;
    bindParams(n->lhs);
    bindParams(n->rhs);
    bindParams(n->a.get());
    bindParams(n->b.get());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    auto s = db::sql::parse(text);
    if (!s.isOk()) {
        if (s.status().message().empty()) __builtin_trap();
        return 0;
    }
    if (!s.value().where) return 0;
    bindParams(s.value().where.get());
    db::expr::BindContext ctx{kFields, nullptr, {}};
    ctx.resolve = [](std::string_view, std::string_view name) {
        for (std::size_t i = 0; i < kFields.size(); ++i)
            if (base::equalsIgnoreCase(kFields[i].name, name)) return int(i);
        return -1;
    };
    auto e = db::expr::bind(*s.value().where, ctx);
    if (e.isOk()) (void)e.value()->matches(Row());
    return 0;
}
