#pragma once
// Equality lookups on numeric fields ("KOD = n") kept between statements.
// A statement opens its table afresh, so a hash index held by the table
// handle would be rebuilt by every query; this cache keeps the hash per
// (file, field) and trusts it while the file's size, modification time and
// record count stay the same. A hash built while the file's time is too
// recent to tell a later write apart (2 s, for the coarse times and
// attribute caches of network shares) is used once and not kept, so a change
// made in the same clock tick is never missed. Candidates are always checked
// against the whole condition, so a stale entry can only cost time.
#include <cstdint>
#include <map>
#include <string>
#include <unordered_map>
#include <vector>

#include "db/table.h"

namespace db::sql {

class LookupCache {
public:
    std::vector<int64_t> lookup(Table& table, int field, double value);

private:
    struct Stamp {
        uint64_t device = 0, inode = 0;  // a packed or replaced table is a new file
        int64_t size = -1;
        int64_t mtimeNs = 0;
        int64_t count = -1;
        bool operator==(const Stamp&) const = default;
    };
    struct Entry {
        Stamp stamp;
        std::unordered_map<double, std::vector<uint32_t>> rows;
    };
    std::map<std::pair<std::string, int>, Entry> entries_;
};

}  // namespace db::sql
