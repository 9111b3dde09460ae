#pragma once
// Sort keys of an order: a field name, a "+" join of field names, or any
// other key expression (through Expr). Byte order of keys is key order:
//   one numeric field  - an order-preserving 8-byte encoding of the value
//                        (blank first);
//   fields joined by + - the stored bytes joined (C blank-padded, N right-
//                        aligned, D yyyymmdd), as a dBase expression index.
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "base/status.h"
#include "db/expr.h"
#include "db/field.h"

namespace db {

class OrderKey {
public:
    static base::Result<OrderKey> compile(std::string_view expression, const FieldList& fields);

    std::string key(const RecordView& record) const;
    // The key (or key prefix) a seek for the user's `value` looks for.
    std::string seekKey(std::string_view value) const;
    const std::string& expression() const { return expression_; }

private:
    std::string expression_;
    const FieldList* fieldList_ = nullptr;
    std::vector<int> fields_;
    bool numeric_ = false;
    std::shared_ptr<Expr> expr_;
};

// Order-preserving bytes of a double.
std::string encodeSortableNumber(double value);

}  // namespace db
