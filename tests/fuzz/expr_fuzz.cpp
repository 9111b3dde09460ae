// Filter and key expressions: any text compiles or fails with a message;
// what compiles evaluates on blank, typical and odd records without fault.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "db/expr.h"

namespace {

const db::FieldList kFields = {
    {"FIO", db::FieldType::Character, 10, 0}, {"SUM", db::FieldType::Numeric, 8, 2},
    {"DATA1", db::FieldType::Date, 8, 0},     {"OK", db::FieldType::Logical, 1, 0},
    {"KOD", db::FieldType::Numeric, 11, 0},   {"NOTE", db::FieldType::Memo, 10, 0},
};

class Row : public db::RecordView {
public:
    explicit Row(std::vector<std::string> v) : v_(std::move(v)) {}
    std::string_view rawField(int f) const override { return v_.at(std::size_t(f)); }

private:
    std::vector<std::string> v_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    static const Row rows[] = {
        Row({"          ", "        ", "        ", " ", "           ", "          "}),
        Row({"\xC8\xE2\xE0\xED\xEE\xE2    ", "  100.50", "20240201", "T", "         12", "         1"}),
        Row({"%_*'\"    x", "-1e5    ", "9999xx31", "?", "abc        ", "          "}),
    };
    for (bool ci : {false, true}) {
        auto e = db::Expr::compile(text, kFields, {ci});
        if (!e.isOk()) {
            if (e.status().message().empty()) __builtin_trap();
            continue;
        }
        for (const Row& r : rows) {
            (void)e.value()->matches(r);
            (void)e.value()->key(r);
        }
    }
    return 0;
}
