#include "base/file_ops.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "base/case_tables.h"
#include "base/path_resolver.h"

namespace base {

namespace {

Status errnoStatus(const std::string& what, const std::string& nativePath) {
    const int e = errno;
    std::string msg = what + " " + nativeToText(nativePath) + ": " + std::strerror(e);
    if (e == ENOENT) return Status::notFound(msg);
    return Status::ioError(msg);
}

bool writeAll(int fd, const char* data, std::size_t size) {
    while (size > 0) {
        ssize_t n = ::write(fd, data, size);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        data += n;
        size -= std::size_t(n);
    }
    return true;
}

std::string folderOf(const std::string& native) {
    const auto slash = native.rfind('/');
    return slash == std::string::npos ? std::string() : native.substr(0, slash + 1);
}

}  // namespace

bool fileExists(std::string_view path) {
    struct stat st;
    return ::stat(resolvePath(path).c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool folderExists(std::string_view path) {
    struct stat st;
    return ::stat(resolvePath(path).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

Status syncFile(int fd) {
    if (::fsync(fd) != 0 && errno != EINVAL) return Status::ioError(std::strerror(errno));
    return Status::ok();
}

Status copyNative(const std::string& from, const std::string& to) {
    int in = ::open(from.c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0) return errnoStatus("open", from);
    int out = ::open(to.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0664);
    if (out < 0) {
        Status s = errnoStatus("create", to);
        ::close(in);
        return s;
    }
    char buf[1 << 16];
    Status result;
    for (;;) {
        ssize_t n = ::read(in, buf, sizeof buf);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) { result = errnoStatus("read", from); break; }
        if (n == 0) break;
        if (!writeAll(out, buf, std::size_t(n))) { result = errnoStatus("write", to); break; }
    }
    if (result.isOk()) result = syncFile(out);
    ::close(in);
    if (::close(out) != 0 && result.isOk()) result = errnoStatus("close", to);
    return result;
}

Status copyFile(std::string_view from, std::string_view to) {
    return copyNative(resolvePath(from), resolvePath(to));
}

Status renameFile(std::string_view from, std::string_view to) {
    const std::string a = resolvePath(from), b = resolvePath(to);
    if (::rename(a.c_str(), b.c_str()) != 0) return errnoStatus("rename", a);
    return Status::ok();
}

Status removeFile(std::string_view path) {
    const std::string p = resolvePath(path);
    if (::unlink(p.c_str()) != 0 && errno != ENOENT) return errnoStatus("delete", p);
    return Status::ok();
}

Status makeFolders(std::string_view path) {
    const std::string p = resolvePath(path);
    for (std::size_t pos = 1; pos <= p.size(); ++pos) {
        if (pos == p.size() || p[pos] == '/') {
            const std::string part = p.substr(0, pos);
            if (::mkdir(part.c_str(), 0775) != 0 && errno != EEXIST) return errnoStatus("mkdir", part);
        }
    }
    return Status::ok();
}

bool matchesMask(std::string_view name, std::string_view mask) {
    // Iterative wildcard match with backtracking to the last "*".
    std::size_t n = 0, m = 0, starM = std::string_view::npos, starN = 0;
    while (n < name.size()) {
        if (m < mask.size() && (mask[m] == '?' || upperAnsi(mask[m]) == upperAnsi(name[n]))) {
            ++n; ++m;
        } else if (m < mask.size() && mask[m] == '*') {
            starM = m++;
            starN = n;
        } else if (starM != std::string_view::npos) {
            m = starM + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (m < mask.size() && mask[m] == '*') ++m;
    return m == mask.size();
}

std::vector<std::string> listFiles(std::string_view folder, std::string_view mask) {
    std::vector<std::string> names;
    const std::string native = resolvePath(folder);
    DIR* dir = ::opendir(native.empty() ? "." : native.c_str());
    if (!dir) return names;
    while (dirent* e = ::readdir(dir)) {
        std::string full = withTrailingSeparator(native.empty() ? "." : native) + e->d_name;
        struct stat st;
        if (::stat(full.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) continue;
        std::string text = nativeToText(e->d_name);
        if (matchesMask(text, mask)) names.push_back(std::move(text));
    }
    ::closedir(dir);
    std::sort(names.begin(), names.end());
    return names;
}

Result<std::string> readFile(std::string_view path) {
    const std::string p = resolvePath(path);
    int fd = ::open(p.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return errnoStatus("open", p);
    std::string content;
    char buf[1 << 16];
    for (;;) {
        ssize_t n = ::read(fd, buf, sizeof buf);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            Status s = errnoStatus("read", p);
            ::close(fd);
            return s;
        }
        if (n == 0) break;
        content.append(buf, std::size_t(n));
    }
    ::close(fd);
    return content;
}

Status writeFileAtomic(std::string_view path, std::string_view content) {
    const std::string p = resolvePath(path);
    const std::string tmp = folderOf(p) + "." + p.substr(p.rfind('/') + 1) + ".tmp" + std::to_string(::getpid());
    int fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0664);
    if (fd < 0) return errnoStatus("create", tmp);
    Status s;
    if (!writeAll(fd, content.data(), content.size())) s = errnoStatus("write", tmp);
    if (s.isOk()) s = syncFile(fd);
    ::close(fd);
    if (s.isOk() && ::rename(tmp.c_str(), p.c_str()) != 0) s = errnoStatus("rename", tmp);
    if (!s.isOk()) ::unlink(tmp.c_str());
    return s;
}

}  // namespace base
