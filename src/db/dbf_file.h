#pragma once
// An open .DBF file: its decoded header, record I/O in blocks, appends under
// the header lock (record first, count last), the memo file, and the stamp
// that tells when someone else changed the file.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "base/status.h"
#include "db/dbf_format.h"
#include "db/file_registry.h"
#include "db/memo_file.h"

namespace db {

class DbfFile {
public:
    // `nativePath` is already resolved. Busy opens fail with `busyMessage`.
    static base::Result<std::unique_ptr<DbfFile>> open(const std::string& nativePath, bool exclusive,
                                                       std::string_view busyMessage);

    const DbfHeader& header() const { return header_; }
    const FieldList& fields() const { return header_.fields; }
    std::size_t recordLength() const { return header_.recordLength; }
    int codePage() const { return codePageOfDriver(header_.languageDriver); }
    const std::string& nativePath() const { return file_->nativePath(); }
    const std::string& memoPath() const { return memoPath_; }
    const std::string& rawHeader() const { return rawHeader_; }
    // What is wrong with the file; a file with problems is read-only.
    const std::vector<std::string>& problems() const { return problems_; }
    bool readOnly() const { return readOnly_; }
    bool exclusive() const { return file_->exclusive(); }
    FileHandle& handle() { return *file_; }

    int64_t recordCount() const { return count_; }
    // Re-reads the stored count and the file state; true when anything
    // changed since the last call (or our own last write).
    base::Result<bool> refreshState();

    // Reads records first..first+n-1 (1-based) into `out`; returns how many
    // were read. Character fields come back in cp1251 whatever the file uses.
    // With decode=false the bytes come exactly as stored.
    base::Result<int64_t> readRecords(int64_t first, int64_t n, char* out, bool decode = true) const;
    // Turns a record read with decoding back into the file's own bytes.
    void encodeInPlace(char* record) const;
    base::Status writeRecord(int64_t recNo, const char* data);
    base::Status writeDeleteMark(int64_t recNo, bool deleted);
    // Appends under the header lock; returns the new record's number.
    base::Result<int64_t> appendRecord(const char* data);

    bool hasMemo() const { return memo_ != nullptr; }
    int memoFd() const { return memo_ ? memo_->fd() : -1; }
    base::Result<std::string> readMemo(int field, std::string_view raw) const;
    // Writes `text` to the memo file and fills the field's slot with its block.
    base::Status writeMemo(int field, std::string_view text, char* slot);

    base::Status sync();

private:
    DbfFile() = default;
    base::Status checkWritable() const;
    void encodeForDisk(const char* data, std::string& out) const;
    void noteOwnWrite();

    std::unique_ptr<FileHandle> file_;
    std::unique_ptr<MemoFile> memo_;
    DbfHeader header_;
    std::string rawHeader_;
    std::string memoPath_;
    std::vector<std::string> problems_;
    bool readOnly_ = false;
    int64_t count_ = 0;
    bool cp866_ = false;
    std::vector<int> characterFields_;

    struct Stamp {
        uint32_t storedCount = 0;
        int64_t size = 0;
        int64_t mtimeNs = 0;
        uint64_t changes = 0;
        bool operator==(const Stamp&) const = default;
    };
    base::Result<Stamp> readStamp() const;
    Stamp stamp_;
};

// Companion file of a table (memo ".DBT"/".FPT", tags ".tags"): the existing
// file with that extension found without regard to case, else the table's
// stem + `ext` in the letter case of the table's own extension.
std::string companionPath(const std::string& nativeDbf, std::string_view ext);

}  // namespace db
