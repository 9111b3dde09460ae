#pragma once
// One evaluator for filter expressions, index keys and SQL WHERE clauses.
//
//   = <> < > <= >=, and / or / not (any case), parentheses,
//   "..." and '...' texts, numbers, dates 'dd.mm.yyyy',
//   a trailing * in a text compared with = meaning "starts with",
//   "+" joining fields and texts into a key (FIO+B_KOD).
//
// An expression is compiled once against a field list, then evaluated per
// record through a RecordView.
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "base/date.h"
#include "base/status.h"
#include "db/field.h"

namespace db {

// What an expression sees of one record.
class RecordView {
public:
    virtual ~RecordView() = default;
    // Raw field text as stored (C blank-padded, N digits, D yyyymmdd, L T/F/?).
    virtual std::string_view rawField(int field) const = 0;
};

struct ExprOptions {
    bool caseInsensitive = false;
};

class Expr {
public:
    // Parse errors carry the position and the token in their message.
    static base::Result<std::unique_ptr<Expr>> compile(std::string_view text, const FieldList& fields,
                                                      ExprOptions options = {});
    virtual ~Expr() = default;

    // For conditions.
    virtual bool matches(const RecordView& record) const = 0;
    // For index keys: the key text of the record (fields joined as stored,
    // numbers right-aligned, dates yyyymmdd) so that byte order is key order.
    virtual std::string key(const RecordView& record) const = 0;
};

}  // namespace db
