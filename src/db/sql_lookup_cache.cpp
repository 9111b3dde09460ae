#include "db/sql_lookup_cache.h"

#include <chrono>
#include <filesystem>

#include "base/number_format.h"
#include "db/expr_bind.h"

namespace db::sql {
namespace {

namespace fs = std::filesystem;

// A file time closer than this to now may be shared by a write still to come.
constexpr std::chrono::milliseconds kRacyWindow{100};

}  // namespace

std::vector<int64_t> LookupCache::lookup(Table& table, int field, double value) {
    std::error_code ec;
    const fs::path path(table.path());
    const auto size = fs::file_size(path, ec);
    const auto time = ec ? fs::file_time_type() : fs::last_write_time(path, ec);
    if (ec) return table.findEqual(field, base::formatNumber(value));  // cannot stamp the file: no caching
    Stamp stamp;
    stamp.size = int64_t(size);
    stamp.mtimeNs = std::chrono::duration_cast<std::chrono::nanoseconds>(time.time_since_epoch()).count();
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
        const bool racy = fs::file_time_type::clock::now() - time < kRacyWindow;
        if (!racy) entries_.emplace(key, std::move(e));
        return out;
    }
    std::vector<int64_t> out;
    if (const auto found = it->second.rows.find(value); found != it->second.rows.end())
        out.assign(found->second.begin(), found->second.end());
    return out;
}

}  // namespace db::sql
