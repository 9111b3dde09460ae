// Fuzzes opening a whole table file (header, records, memo references)
// through DbfFile: write the bytes to a file, open, read every record and
// memo. Nothing may crash; damaged files must open read-only or fail.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "db/dbf_file.h"
#include "db/dbf_values.h"

namespace {

std::string folder() {
    static std::string dir = [] {
        char pattern[] = "/tmp/kadry-fuzz-XXXXXX";
        return std::string(::mkdtemp(pattern));
    }();
    return dir;
}

void writeFile(const std::string& path, const uint8_t* data, std::size_t size) {
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return;
    std::fwrite(data, 1, size, f);
    std::fclose(f);
}

}  // namespace

// Input: the first two bytes say how much of the rest is the memo file.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    const std::size_t memoSize = std::min<std::size_t>((data[0] | (data[1] << 8)), size - 2);
    const std::string table = folder() + "/T.DBF";
    writeFile(folder() + "/T.DBT", data + 2, memoSize);
    writeFile(folder() + "/T.FPT", data + 2, memoSize);
    writeFile(table, data + 2 + memoSize, size - 2 - memoSize);
    auto f = db::DbfFile::open(table, false, "busy");
    if (!f) return 0;
    const db::DbfFile& file = **f;
    if (!file.problems().empty() && !file.readOnly()) __builtin_trap();
    const std::size_t len = file.recordLength();
    const int64_t count = std::min<int64_t>(file.recordCount(), 256);
    std::vector<char> buf(len * std::size_t(count) + 1);
    auto got = file.readRecords(1, count, buf.data());
    if (!got) return 0;
    for (int64_t r = 0; r < *got; ++r)
        for (std::size_t i = 0; i < file.fields().size(); ++i) {
            const db::FieldDef& fd = file.fields()[i];
            const std::string_view raw(buf.data() + std::size_t(r) * len + file.header().offsets[i],
                                       std::size_t(fd.length));
            if (fd.type == db::FieldType::Memo) (void)file.readMemo(int(i), raw);
            else (void)db::fieldText(fd, raw);
        }
    return 0;
}
