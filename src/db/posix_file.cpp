#include "db/posix_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "base/path_resolver.h"

namespace db::posix {

base::Status errnoStatus(const std::string& what, const std::string& nativePath) {
    const int e = errno;
    std::string msg = what + " " + base::nativeToText(nativePath) + ": " + std::strerror(e);
    if (e == ENOENT) return base::Status::notFound(msg);
    return base::Status::ioError(msg);
}

base::Result<int> openExisting(const std::string& nativePath, bool& writable) {
    int fd = ::open(nativePath.c_str(), O_RDWR | O_CLOEXEC);
    writable = fd >= 0;
    if (fd < 0 && (errno == EACCES || errno == EROFS || errno == EPERM))
        fd = ::open(nativePath.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return errnoStatus("open", nativePath);
    return fd;
}

base::Result<int> createNew(const std::string& nativePath) {
    int fd = ::open(nativePath.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0664);
    if (fd < 0) return errnoStatus("create", nativePath);
    return fd;
}

void closeFd(int fd) {
    if (fd >= 0) ::close(fd);
}

namespace {
FileState toState(const struct stat& st) {
    FileState s;
    s.id = {st.st_dev, st.st_ino};
    s.size = st.st_size;
    s.mtimeNs = int64_t(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    return s;
}
}  // namespace

base::Result<FileState> stateOf(int fd) {
    struct stat st;
    if (::fstat(fd, &st) != 0) return errnoStatus("stat", "");
    return toState(st);
}

base::Result<FileState> stateOfPath(const std::string& nativePath) {
    struct stat st;
    if (::stat(nativePath.c_str(), &st) != 0) return errnoStatus("stat", nativePath);
    return toState(st);
}

base::Result<std::size_t> readAt(int fd, int64_t offset, char* data, std::size_t n) {
    std::size_t done = 0;
    while (done < n) {
        ssize_t r = ::pread(fd, data + done, n - done, off_t(offset + int64_t(done)));
        if (r < 0 && errno == EINTR) continue;
        if (r < 0) return errnoStatus("read", "");
        if (r == 0) break;
        done += std::size_t(r);
    }
    return done;
}

base::Status writeAt(int fd, int64_t offset, const char* data, std::size_t n) {
    std::size_t done = 0;
    while (done < n) {
        ssize_t r = ::pwrite(fd, data + done, n - done, off_t(offset + int64_t(done)));
        if (r < 0 && errno == EINTR) continue;
        if (r < 0) return errnoStatus("write", "");
        done += std::size_t(r);
    }
    return base::Status::ok();
}

base::Status truncateTo(int fd, int64_t size) {
    if (::ftruncate(fd, off_t(size)) != 0) return errnoStatus("truncate", "");
    return base::Status::ok();
}

base::Status sync(int fd) {
    if (::fsync(fd) != 0 && errno != EINVAL) return errnoStatus("fsync", "");
    return base::Status::ok();
}

base::Status syncFolderOf(const std::string& nativePath) {
    const auto slash = nativePath.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : nativePath.substr(0, slash);
    int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return base::Status::ok();  // best effort: some file systems refuse
    ::fsync(fd);
    ::close(fd);
    return base::Status::ok();
}

base::Status renameOver(const std::string& from, const std::string& to) {
    if (::rename(from.c_str(), to.c_str()) != 0) return errnoStatus("rename", from);
    return base::Status::ok();
}

base::Status removePath(const std::string& nativePath) {
    if (::unlink(nativePath.c_str()) != 0 && errno != ENOENT) return errnoStatus("delete", nativePath);
    return base::Status::ok();
}

base::Status linkNew(const std::string& from, const std::string& to) {
    if (::link(from.c_str(), to.c_str()) != 0) return errnoStatus("link", to);
    return base::Status::ok();
}

int processId() { return int(::getpid()); }

base::Result<bool> lockRange(int fd, int64_t offset, int64_t length, LockKind kind, bool wait) {
    struct flock fl;
    std::memset(&fl, 0, sizeof fl);
    fl.l_type = kind == LockKind::Read ? F_RDLCK : kind == LockKind::Write ? F_WRLCK : F_UNLCK;
    fl.l_whence = SEEK_SET;
    fl.l_start = off_t(offset);
    fl.l_len = off_t(length);
    for (;;) {
        if (::fcntl(fd, wait ? F_SETLKW : F_SETLK, &fl) == 0) return true;
        if (errno == EINTR) continue;
        if (errno == EAGAIN || errno == EACCES) return false;
        return errnoStatus("lock", "");
    }
}

}  // namespace db::posix
