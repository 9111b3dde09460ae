#pragma once
// One descriptor per file (device, inode) for the whole process, and the
// shared/exclusive open locks of tables.
//
// fcntl locks belong to the process and vanish when any descriptor of the
// file is closed, and they never conflict inside one process. So the
// registry keeps one entry per file: its single descriptor, how many handles
// hold it shared, whether one holds it exclusive. Conflicts between handles
// of this process are decided here; conflicts with other processes by
// byte-range locks far beyond any table's data (see docs/table_engine.md):
//   kOpenLockByte    read lock per sharing process, write lock when exclusive
//   kHeaderLockByte  write lock while a process appends or rewrites the header
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "base/status.h"
#include "db/posix_file.h"

namespace db {

inline constexpr int64_t kOpenLockByte = 0x7FFF0000;
inline constexpr int64_t kHeaderLockByte = 0x7FFF0001;

struct SharedFile;

class FileHandle {
public:
    // Opens an existing file. Exclusive fails at once with Status::busy
    // (message `busyMessage`) while any other handle or process has it open;
    // shared fails the same way while someone holds it exclusive.
    static base::Result<std::unique_ptr<FileHandle>> open(const std::string& nativePath, bool exclusive,
                                                          std::string_view busyMessage);
    ~FileHandle();
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;

    int fd() const;
    bool writable() const;
    bool exclusive() const { return exclusive_; }
    const std::string& nativePath() const { return path_; }

    // Serialises appends and header rewrites across processes. Nested calls
    // within the process only count.
    base::Status lockHeader();
    void unlockHeader();

    // Bumped by every write through any handle of this process, so sibling
    // handles notice that their cached pages are stale.
    uint64_t changeCounter() const;
    void noteChange();

private:
    FileHandle(std::shared_ptr<SharedFile> file, bool exclusive, std::string path);
    std::shared_ptr<SharedFile> file_;
    bool exclusive_;
    std::string path_;
};

// Holds the header lock for a scope.
class HeaderLock {
public:
    explicit HeaderLock(FileHandle& file) : file_(file), status_(file.lockHeader()) {}
    ~HeaderLock() {
        if (status_.isOk()) file_.unlockHeader();
    }
    const base::Status& status() const { return status_; }

private:
    FileHandle& file_;
    base::Status status_;
};

}  // namespace db
