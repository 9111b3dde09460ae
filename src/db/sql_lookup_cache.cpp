#include "db/sql_lookup_cache.h"

#include <chrono>

#include "base/number_format.h"
#include "db/expr_bind.h"
#include "db/posix_file.h"

namespace db::sql {
namespace {

// A file time closer than this to now may be shared by a write still to
// come: coarse timestamps of network shares and their attribute caching
// (about a second) included.
constexpr int64_t kRacyWindowNs = 2'000'000'000;

int64_t nowNs() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::system_clock::now().time_since_epoch())
        .count();
}

}  // namespace

std::vector<int64_t> LookupCache::lookup(Table& table, int field, double value) {
    const auto state = posix::stateOfPath(table.path());
    if (!state) return table.findEqual(field, base::formatNumber(value));  // cannot stamp the file: no caching
    Stamp stamp;
    stamp.device = uint64_t(state->id.device);
    stamp.inode = uint64_t(state->id.inode);
    stamp.size = state->size;
    stamp.mtimeNs = state->mtimeNs;
    stamp.count = table.physicalCount();

    const auto key = std::make_pair(table.path(), field);
    auto it = entries_.find(key);
    if (it == entries_.end() || !(it->second.stamp == stamp)) {
        if (it != entries_.end()) entries_.erase(it);
        Entry e;
        e.stamp = stamp;
        table.scan([&](int64_t recNo, const RecordView& record) {
            const auto v = expr::parseStoredNumber(record.rawField(field));
            if (v) e.rows[*v].push_back(uint32_t(recNo));
            return true;
        });
        std::vector<int64_t> out;
        if (const auto found = e.rows.find(value); found != e.rows.end())
            out.assign(found->second.begin(), found->second.end());
        const bool racy = nowNs() - stamp.mtimeNs < kRacyWindowNs;
        if (!racy) entries_.emplace(key, std::move(e));
        return out;
    }
    std::vector<int64_t> out;
    if (const auto found = it->second.rows.find(value); found != it->second.rows.end())
        out.assign(found->second.begin(), found->second.end());
    return out;
}

}  // namespace db::sql
