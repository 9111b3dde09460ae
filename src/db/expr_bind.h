#pragma once
// Binding a parse tree against a field list: names are resolved, every
// comparison gets its type (text, number, date, logical) from the fields it
// meets, and literals are converted once. The result evaluates per record
// without allocating in the common paths.
#include <functional>
#include <memory>
#include <string_view>

#include "base/status.h"
#include "db/expr.h"
#include "db/expr_tree.h"

namespace db::expr {

struct BindContext {
    const FieldList& fields;
    // Field index of (qualifier, name), -1 when unknown. Default: by name.
    std::function<int(std::string_view qualifier, std::string_view name)> resolve;
    ExprOptions options;
};

base::Result<std::unique_ptr<Expr>> bind(const Node& root, const BindContext& context);

// Numbers as stored in N/F fields ("   12.50"); nullopt when blank or not a number.
std::optional<double> parseStoredNumber(std::string_view raw);

}  // namespace db::expr
