#pragma once
// The engine's only contact with POSIX file services: descriptors, positioned
// reads and writes, sync, identity and fcntl byte-range locks. Nothing else in
// src/db calls open/pread/pwrite/fcntl directly.
#include <sys/types.h>

#include <cstdint>
#include <string>

#include "base/status.h"

namespace db::posix {

struct FileId {
    dev_t device = 0;
    ino_t inode = 0;
    friend bool operator==(const FileId&, const FileId&) = default;
    friend auto operator<=>(const FileId& a, const FileId& b) {
        if (auto c = a.device <=> b.device; c != 0) return c;
        return a.inode <=> b.inode;
    }
};

struct FileState {
    FileId id;
    int64_t size = 0;
    int64_t mtimeNs = 0;
};

base::Status errnoStatus(const std::string& what, const std::string& nativePath);

// Opens read-write, or read-only when writing is refused (`writable` tells).
base::Result<int> openExisting(const std::string& nativePath, bool& writable);
// Creates a new file; fails when it exists.
base::Result<int> createNew(const std::string& nativePath);
void closeFd(int fd);

base::Result<FileState> stateOf(int fd);
base::Result<FileState> stateOfPath(const std::string& nativePath);  // NotFound when missing

// Reads up to n bytes at offset; returns the count actually read (short at EOF).
base::Result<std::size_t> readAt(int fd, int64_t offset, char* data, std::size_t n);
base::Status writeAt(int fd, int64_t offset, const char* data, std::size_t n);
base::Status truncateTo(int fd, int64_t size);
base::Status sync(int fd);
base::Status syncFolderOf(const std::string& nativePath);
base::Status renameOver(const std::string& from, const std::string& to);
base::Status removePath(const std::string& nativePath);  // missing is not an error
// A second name for `from`; fails when `to` exists (an atomic "create new").
base::Status linkNew(const std::string& from, const std::string& to);
int processId();

enum class LockKind { Read, Write, Unlock };
// Byte-range lock; `wait` blocks until granted, else fails at once.
// Returns false (no error) when another process holds a conflicting lock.
base::Result<bool> lockRange(int fd, int64_t offset, int64_t length, LockKind kind, bool wait);

}  // namespace db::posix
