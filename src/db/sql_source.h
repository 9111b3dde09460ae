#pragma once
// What the SQL executor needs of an open table beyond the Cursor: a scan of
// the live records with their stored field texts, and an equality lookup
// that uses the table's hash index (thin over Table::scan and findEqual).
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "base/status.h"
#include "db/expr.h"
#include "db/sql_lookup_cache.h"
#include "db/table.h"

namespace db::sql {

class TableSource {
public:
    explicit TableSource(Table& table, LookupCache* lookups = nullptr) : table_(table), lookups_(lookups) {}

    // Calls `visit` for every live record in physical order.
    base::Status forEach(const std::function<void(int64_t recNo, const RecordView& record)>& visit);
    // The same for the given records (skipping those that are gone or deleted).
    base::Status forEachOf(const std::vector<int64_t>& recNos,
                           const std::function<void(int64_t recNo, const RecordView& record)>& visit);
    // Record numbers of the live records whose numeric field equals `value`,
    // in physical order; nullopt when the table offers no index for it.
    std::optional<std::vector<int64_t>> lookupNumber(int field, double value);

    Table& table() { return table_; }

private:
    Table& table_;
    LookupCache* lookups_;
};

}  // namespace db::sql
