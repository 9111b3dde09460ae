#pragma once
// Memo files beside a table: .DBT (dBase III: text ended by 0x1A; dBase IV:
// a length-prefixed block) and .FPT (FoxPro: big-endian block header).
// New memo texts are always appended; old blocks are left as they were.
// Callers hold the table's header lock while they append.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "base/status.h"
#include "db/dbf_format.h"
#include "db/file_registry.h"

namespace db {

class MemoFile {
public:
    static base::Result<std::unique_ptr<MemoFile>> open(const std::string& nativePath, MemoKind kind);
    // Writes an empty memo file of `kind`.
    static base::Status create(const std::string& nativePath, MemoKind kind);

    base::Result<std::string> read(uint32_t block) const;
    // Appends `text`; returns its first block number.
    base::Result<uint32_t> append(std::string_view text);
    bool writable() const { return file_->writable(); }
    int fd() const { return file_->fd(); }
    base::Status sync();

private:
    MemoFile(std::unique_ptr<FileHandle> file, MemoKind kind, uint32_t blockSize);
    std::unique_ptr<FileHandle> file_;
    MemoKind kind_;
    uint32_t blockSize_;
};

// The memo extension for a table kind (".DBT" or ".FPT").
const char* memoExtension(MemoKind kind);

}  // namespace db
