#include "db/file_registry.h"

#include <map>
#include <mutex>
#include <vector>

namespace db {

struct SharedFile {
    posix::FileId id;
    int fd = -1;
    bool writable = false;
    int sharedCount = 0;
    bool exclusive = false;
    int headerDepth = 0;
    uint64_t changes = 0;
    // Descriptors opened on this file by a race (the path changed between
    // stat and open); closing them early would drop our fcntl locks.
    std::vector<int> spareFds;
};

namespace {

// The registry is process-wide by nature: fcntl locks are per process.
class FileRegistry {
public:
    static FileRegistry& instance() {
        static FileRegistry registry;
        return registry;
    }
    std::mutex mutex;
    std::map<posix::FileId, std::shared_ptr<SharedFile>> files;
};

base::Status busy(std::string_view message) { return base::Status::busy(std::string(message)); }

// Takes (or upgrades nothing: a file is only ever shared or exclusive) the
// process-level open lock for a fresh descriptor.
base::Result<bool> takeOpenLock(int fd, bool exclusive, bool writable) {
    const bool writeLock = exclusive && writable;
    return posix::lockRange(fd, kOpenLockByte, 1, writeLock ? posix::LockKind::Write : posix::LockKind::Read,
                            false);
}

}  // namespace

base::Result<std::unique_ptr<FileHandle>> FileHandle::open(const std::string& nativePath, bool exclusive,
                                                           std::string_view busyMessage) {
    FileRegistry& reg = FileRegistry::instance();
    std::lock_guard<std::mutex> guard(reg.mutex);
    for (int attempt = 0; attempt < 5; ++attempt) {
        auto before = posix::stateOfPath(nativePath);
        if (!before) return before.status();
        auto it = reg.files.find(before->id);
        if (it != reg.files.end()) {
            SharedFile& f = *it->second;
            if (f.exclusive || (exclusive && f.sharedCount > 0)) return busy(busyMessage);
            if (exclusive) f.exclusive = true;
            else ++f.sharedCount;
            return std::unique_ptr<FileHandle>(new FileHandle(it->second, exclusive, nativePath));
        }
        bool writable = false;
        auto fd = posix::openExisting(nativePath, writable);
        if (!fd) return fd.status();
        auto opened = posix::stateOf(*fd);
        if (!opened) {
            posix::closeFd(*fd);
            return opened.status();
        }
        if (opened->id != before->id) {
            // Replaced between stat and open: keep the descriptor if we know
            // that file (closing it would release our locks), then retry.
            auto other = reg.files.find(opened->id);
            if (other != reg.files.end()) other->second->spareFds.push_back(*fd);
            else posix::closeFd(*fd);
            continue;
        }
        auto locked = takeOpenLock(*fd, exclusive, writable);
        if (!locked || !*locked) {
            posix::closeFd(*fd);
            if (!locked) return locked.status();
            return busy(busyMessage);
        }
        // Someone may have renamed a new file over the path while we waited
        // for the lock: then we hold a lock on a file nobody will see.
        auto after = posix::stateOfPath(nativePath);
        if (!after || after->id != opened->id) {
            posix::closeFd(*fd);
            continue;
        }
        auto file = std::make_shared<SharedFile>();
        file->id = opened->id;
        file->fd = *fd;
        file->writable = writable;
        file->exclusive = exclusive;
        file->sharedCount = exclusive ? 0 : 1;
        reg.files.emplace(file->id, file);
        return std::unique_ptr<FileHandle>(new FileHandle(file, exclusive, nativePath));
    }
    return busy(busyMessage);
}

FileHandle::FileHandle(std::shared_ptr<SharedFile> file, bool exclusive, std::string path)
    : file_(std::move(file)), exclusive_(exclusive), path_(std::move(path)) {}

FileHandle::~FileHandle() {
    FileRegistry& reg = FileRegistry::instance();
    std::lock_guard<std::mutex> guard(reg.mutex);
    SharedFile& f = *file_;
    if (exclusive_) f.exclusive = false;
    else --f.sharedCount;
    if (f.exclusive || f.sharedCount > 0) return;
    // Last handle: closing the descriptor releases every fcntl lock.
    posix::closeFd(f.fd);
    for (int spare : f.spareFds) posix::closeFd(spare);
    f.fd = -1;
    reg.files.erase(f.id);
}

int FileHandle::fd() const { return file_->fd; }
bool FileHandle::writable() const { return file_->writable; }

base::Status FileHandle::lockHeader() {
    if (!file_->writable) return base::Status::ioError("read-only file");
    if (file_->headerDepth++ > 0) return base::Status::ok();
    auto granted = posix::lockRange(file_->fd, kHeaderLockByte, 1, posix::LockKind::Write, true);
    if (!granted || !*granted) {
        --file_->headerDepth;
        return granted ? base::Status::busy("header lock") : granted.status();
    }
    return base::Status::ok();
}

void FileHandle::unlockHeader() {
    if (file_->headerDepth <= 0) return;
    if (--file_->headerDepth == 0) posix::lockRange(file_->fd, kHeaderLockByte, 1, posix::LockKind::Unlock, false);
}

uint64_t FileHandle::changeCounter() const { return file_->changes; }
void FileHandle::noteChange() { ++file_->changes; }

}  // namespace db
