#include "db/sql_source.h"

#include "base/number_format.h"

namespace db::sql {

base::Status TableSource::forEach(const std::function<void(int64_t, const RecordView&)>& visit) {
    return table_.scan([&visit](int64_t recNo, const RecordView& record) {
        visit(recNo, record);
        return true;
    });
}

base::Status TableSource::forEachOf(const std::vector<int64_t>& recNos,
                                   const std::function<void(int64_t, const RecordView&)>& visit) {
    for (int64_t rec : recNos) {
        // A record found by a kept hash may have been deleted since.
        if (!table_.goToRecNo(rec) || table_.isDeleted()) continue;
        visit(rec, table_.record());
    }
    return base::Status::ok();
}

std::optional<std::vector<int64_t>> TableSource::lookupNumber(int field, double value) {
    if (lookups_) return lookups_->lookup(table_, field, value);
    return table_.findEqual(field, base::formatNumber(value));
}

}  // namespace db::sql
