#include "db/table_ops.h"

#include <algorithm>
#include <cstring>
#include <ctime>
#include <numeric>

#include "base/cp_literal.h"
#include "base/file_ops.h"
#include "base/path_resolver.h"
#include "db/dbf_file.h"
#include "db/order_key.h"
#include "db/tag_file.h"

namespace db {

namespace {

const std::string& busyText() { return "База занята"_cp; }

std::string tempBeside(const std::string& native) {
    const auto slash = native.rfind('/');
    const std::string folder = slash == std::string::npos ? "" : native.substr(0, slash + 1);
    const std::string name = slash == std::string::npos ? native : native.substr(slash + 1);
    static int serial = 0;
    return folder + "." + name + ".tmp" + std::to_string(posix::processId()) + "-" + std::to_string(++serial);
}

bool exists(const std::string& native) { return posix::stateOfPath(native).isOk(); }

// Temporaries a killed rewrite left beside `native`. Called only while we
// hold the exclusive lock, so no one else can be writing one of them.
void removeStaleTemps(const std::string& native) {
    const auto slash = native.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : native.substr(0, slash + 1);
    const std::string name = slash == std::string::npos ? native : native.substr(slash + 1);
    const std::string mask = base::nativeToText("." + name + ".tmp*");
    for (const std::string& stale : base::listFiles(base::nativeToText(folder), mask))
        posix::removePath(base::withTrailingSeparator(folder) + base::textToNative(stale));
}

// A file written beside its final place, synced, then renamed over it.
class TempFile {
public:
    explicit TempFile(const std::string& finalPath) : final_(finalPath), temp_(tempBeside(finalPath)) {}
    ~TempFile() {
        if (fd_ >= 0) posix::closeFd(fd_);
        if (!done_) posix::removePath(temp_);
    }
    base::Status create() {
        auto fd = posix::createNew(temp_);
        if (!fd) return fd.status();
        fd_ = *fd;
        return base::Status::ok();
    }
    base::Status write(const char* data, std::size_t n) {
        auto s = posix::writeAt(fd_, offset_, data, n);
        offset_ += int64_t(n);
        return s;
    }
    base::Status write(const std::string& s) { return write(s.data(), s.size()); }
    base::Status overwrite(int64_t offset, const std::string& s) { return posix::writeAt(fd_, offset, s.data(), s.size()); }
    // Syncs and moves the file to its final name (over what is there).
    base::Status commit() {
        if (auto s = posix::sync(fd_); !s) return s;
        posix::closeFd(fd_);
        fd_ = -1;
        if (auto s = posix::renameOver(temp_, final_); !s) return s;
        done_ = true;
        return posix::syncFolderOf(final_);
    }
    // Like commit but fails when the final name exists.
    base::Status commitNew() {
        if (auto s = posix::sync(fd_); !s) return s;
        posix::closeFd(fd_);
        fd_ = -1;
        if (!posix::linkNew(temp_, final_))
            return base::Status::invalid("Таблица уже существует: "_cp + base::nativeToText(final_));
        posix::removePath(temp_);
        done_ = true;
        return posix::syncFolderOf(final_);
    }

private:
    std::string final_, temp_;
    int fd_ = -1;
    int64_t offset_ = 0;
    bool done_ = false;
};

base::Result<std::unique_ptr<DbfFile>> openExclusive(const std::string& native) {
    auto f = DbfFile::open(native, true, busyText());
    if (!f) return f.status();
    if (!(*f)->problems().empty())
        return base::Status::corrupt("Таблица повреждена: "_cp + (*f)->problems()[0]);
    if (!(*f)->handle().writable()) return base::Status::ioError("Таблица только для чтения"_cp);
    return f;
}

// The stored header with a new record count and today's date.
std::string headerWithCount(const DbfFile& f, uint32_t count) {
    std::string head = f.rawHeader();
    DbfHeader h = f.header();
    h.recordCount = count;
    const std::time_t now = std::time(nullptr);
    std::tm tm{};
    localtime_r(&now, &tm);
    h.year = 1900 + tm.tm_year;
    h.month = tm.tm_mon + 1;
    h.day = tm.tm_mday;
    encodeCountAndDate(h, head.data());
    return head;
}

// Rewrites the table with its live records (or none), streaming block by
// block. With `zap` the memo file starts afresh too: no record refers to it.
base::Status rewriteLive(const std::string& native, bool zap) {
    auto opened = openExclusive(native);
    if (!opened) return opened.status();
    DbfFile& f = **opened;
    removeStaleTemps(native);
    TempFile out(native);
    if (auto s = out.create(); !s) return s;
    if (auto s = out.write(headerWithCount(f, 0)); !s) return s;
    const std::size_t len = f.recordLength();
    const int64_t per = std::max<int64_t>(1, int64_t((1 << 20) / len));
    std::string buf(std::size_t(per) * len, '\0'), block;
    uint32_t kept = 0;
    for (int64_t first = 1; !zap && first <= f.recordCount(); first += per) {
        auto got = f.readRecords(first, per, buf.data(), false);
        if (!got) return got.status();
        block.clear();
        for (int64_t i = 0; i < *got; ++i) {
            const char* p = buf.data() + std::size_t(i) * len;
            if (p[0] == '*') continue;
            block.append(p, len);
            ++kept;
        }
        if (auto s = out.write(block); !s) return s;
    }
    if (auto s = out.write(std::string("\x1A")); !s) return s;
    if (auto s = out.overwrite(0, headerWithCount(f, kept)); !s) return s;
    // The exclusive lock on the old file is held until the new one is in place.
    if (auto s = out.commit(); !s) return s;
    if (!zap || f.memoPath().empty()) return base::Status::ok();
    const std::string temp = tempBeside(f.memoPath());
    if (auto s = MemoFile::create(temp, memoKindOf(f.header())); !s) return s;
    return posix::renameOver(temp, f.memoPath());
}

// Rewrites the table with the records chosen (and ordered) by `pick`, which
// gets all records (decoded to cp1251) and returns the indices to keep.
template <class Pick>
base::Status rewrite(const std::string& native, Pick&& pick) {
    auto opened = openExclusive(native);
    if (!opened) return opened.status();
    DbfFile& f = **opened;
    removeStaleTemps(native);
    const std::size_t len = f.recordLength();
    std::string records(std::size_t(f.recordCount()) * len, '\0');
    auto got = f.readRecords(1, f.recordCount(), records.data(), true);
    if (!got) return got.status();
    records.resize(std::size_t(*got) * len);
    auto keep = pick(f, records);
    if (!keep) return keep.status();
    TempFile out(native);
    if (auto s = out.create(); !s) return s;
    if (auto s = out.write(headerWithCount(f, uint32_t(keep->size()))); !s) return s;
    std::string block;
    block.reserve(1 << 20);
    for (std::size_t i : *keep) {
        const std::size_t at = block.size();
        block.append(records, i * len, len);
        f.encodeInPlace(block.data() + at);
        if (block.size() >= (1 << 20)) {
            if (auto s = out.write(block); !s) return s;
            block.clear();
        }
    }
    block += '\x1A';
    if (auto s = out.write(block); !s) return s;
    return out.commit();
}

using Keep = base::Result<std::vector<std::size_t>>;

std::vector<std::size_t> liveRecords(const DbfFile& f, const std::string& records) {
    std::vector<std::size_t> keep;
    const std::size_t len = f.recordLength();
    for (std::size_t i = 0, n = records.size() / len; i < n; ++i)
        if (records[i * len] != '*') keep.push_back(i);
    return keep;
}

// Copies a whole file (to the first `limit` bytes, or all) into place.
base::Status copyInto(int fromFd, int64_t limit, const std::string& to, const std::string& trailer) {
    TempFile out(to);
    if (auto s = out.create(); !s) return s;
    std::string buf(1 << 20, '\0');
    for (int64_t pos = 0; limit < 0 || pos < limit;) {
        std::size_t want = buf.size();
        if (limit >= 0) want = std::size_t(std::min<int64_t>(int64_t(want), limit - pos));
        auto got = posix::readAt(fromFd, pos, buf.data(), want);
        if (!got) return got.status();
        if (*got == 0) break;
        if (auto s = out.write(buf.data(), *got); !s) return s;
        pos += int64_t(*got);
    }
    if (!trailer.empty())
        if (auto s = out.write(trailer); !s) return s;
    return out.commit();
}

// Copies `from` (opened shared) over `to` (held exclusively when it exists).
base::Status copyOver(const std::string& from, const std::string& to, bool withTags) {
    auto source = DbfFile::open(from, false, busyText());
    if (!source) return source.status();
    DbfFile& src = **source;
    // The target only needs locking, not reading: a damaged one may be replaced.
    std::unique_ptr<FileHandle> target;
    if (exists(to)) {
        auto t = FileHandle::open(to, true, busyText());
        if (!t) return t.status();
        target = std::move(*t);
        removeStaleTemps(to);
    }
    // Records are appended beyond the stored count before the count grows,
    // so copying header + count records under the header lock is consistent.
    HeaderLock lock(src.handle());
    if (src.handle().writable() && !lock.status()) return lock.status();
    src.refreshState();
    if (src.hasMemo()) {
        const std::string memoTo = companionPath(to, memoExtension(memoKindOf(src.header())));
        if (auto s = copyInto(src.memoFd(), -1, memoTo, ""); !s) return s;
    }
    const int64_t bytes = src.header().headerLength + src.recordCount() * int64_t(src.recordLength());
    if (auto s = copyInto(src.handle().fd(), bytes, to, "\x1A"); !s) return s;
    if (withTags) {
        auto tags = readTags(from);
        if (auto s = writeTags(to, tags); !s) return s;
    }
    return base::Status::ok();
}

}  // namespace

bool tableExists(std::string_view path) { return base::fileExists(path); }

base::Status createTable(std::string_view path, const FieldList& fields, TableFlavor flavor, bool replaceExisting) {
    if (auto s = validateFields(fields); !s) return s;
    const std::string native = base::resolvePath(path);
    std::unique_ptr<FileHandle> old;
    if (exists(native)) {
        if (!replaceExisting) return base::Status::invalid("Таблица уже существует: "_cp + std::string(path));
        auto f = FileHandle::open(native, true, busyText());
        if (!f) return f.status();
        old = std::move(*f);
    }
    const DbfHeader h = makeHeader(fields, flavor == TableFlavor::FoxPro);
    TempFile out(native);
    if (auto s = out.create(); !s) return s;
    if (auto s = out.write(encodeHeader(h) + "\x1A"); !s) return s;
    // The table first: a memo file is never put beside a table that is not
    // ours, and a crash before the memo leaves an empty table, nothing lost.
    if (auto s = old ? out.commit() : out.commitNew(); !s) return s;
    posix::removePath(tagFilePath(native));  // tags of a former table do not apply
    const MemoKind memo = memoKindOf(h);
    if (memo == MemoKind::None) return base::Status::ok();
    const std::string memoPath = companionPath(native, memoExtension(memo));
    const std::string temp = tempBeside(memoPath);
    if (auto s = MemoFile::create(temp, memo); !s) return s;
    if (auto s = posix::renameOver(temp, memoPath); !s) {
        posix::removePath(temp);
        return s;
    }
    return base::Status::ok();
}

base::Status packTable(std::string_view path) {
    const std::string native = base::resolvePath(path);
    if (!exists(native)) return base::Status::ok();
    return rewriteLive(native, false);
}

base::Status zapTable(std::string_view path) {
    const std::string native = base::resolvePath(path);
    if (!exists(native)) return base::Status::ok();
    return rewriteLive(native, true);
}

namespace {
class StoredRecord final : public RecordView {
public:
    StoredRecord(const DbfHeader& h, const char* p) : h_(h), p_(p) {}
    std::string_view rawField(int i) const override {
        return {p_ + h_.offsets[std::size_t(i)], std::size_t(h_.fields[std::size_t(i)].length)};
    }

private:
    const DbfHeader& h_;
    const char* p_;
};
}  // namespace

base::Status sortTable(std::string_view path, std::string_view keyExpression) {
    const std::string native = base::resolvePath(path);
    if (!exists(native)) return base::Status::notFound("Нет таблицы "_cp + std::string(path));
    return rewrite(
        native,
        [&](const DbfFile& f, const std::string& records) -> Keep {
            auto key = OrderKey::compile(keyExpression, f.fields());
            if (!key) return key.status();
            std::vector<std::size_t> keep = liveRecords(f, records);
            std::vector<std::string> keys;
            keys.reserve(keep.size());
            for (std::size_t i : keep) keys.push_back(key->key(StoredRecord(f.header(), records.data() + i * f.recordLength())));
            std::vector<std::size_t> order(keep.size());
            std::iota(order.begin(), order.end(), std::size_t(0));
            std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) { return keys[a] < keys[b]; });
            for (std::size_t& i : order) i = keep[i];
            return order;
        });
}

base::Status copyTable(std::string_view from, std::string_view to) {
    return copyOver(base::resolvePath(from), base::resolvePath(to), true);
}

base::Status replaceTable(std::string_view target, std::string_view source) {
    const std::string src = base::resolvePath(source);
    const bool tags = exists(tagFilePath(src));
    return copyOver(src, base::resolvePath(target), tags);
}

base::Status deleteTable(std::string_view path) {
    const std::string native = base::resolvePath(path);
    if (!exists(native)) return base::Status::ok();
    auto f = DbfFile::open(native, true, busyText());
    std::unique_ptr<FileHandle> damaged;
    if (!f && f.status().code() == base::Status::Code::Corrupt) {
        // A table too damaged to read can still be deleted; its memo file,
        // which we cannot name for sure, stays.
        auto h = FileHandle::open(native, true, busyText());
        if (!h) return h.status();
        damaged = std::move(*h);
    } else if (!f) {
        return f.status();
    } else if (!(*f)->memoPath().empty()) {
        if (auto s = posix::removePath((*f)->memoPath()); !s) return s;
    }
    if (auto s = posix::removePath(tagFilePath(native)); !s) return s;
    if (auto s = posix::removePath(native); !s) return s;
    return posix::syncFolderOf(native);
}

base::Status renameTable(std::string_view from, std::string_view to) {
    const std::string a = base::resolvePath(from), b = base::resolvePath(to);
    auto f = DbfFile::open(a, true, busyText());
    if (!f) return f.status();
    std::unique_ptr<DbfFile> target;
    if (exists(b) && posix::stateOfPath(b)->id != posix::stateOfPath(a)->id) {
        auto t = DbfFile::open(b, true, busyText());
        if (!t) return t.status();
        target = std::move(*t);
    }
    if (!(*f)->memoPath().empty()) {
        const std::string memoTo = companionPath(b, memoExtension(memoKindOf((*f)->header())));
        if (auto s = posix::renameOver((*f)->memoPath(), memoTo); !s) return s;
    }
    const std::string tagsFrom = tagFilePath(a);
    if (exists(tagsFrom)) {
        if (auto s = posix::renameOver(tagsFrom, tagFilePath(b)); !s) return s;
    } else {
        posix::removePath(tagFilePath(b));
    }
    if (auto s = posix::renameOver(a, b); !s) return s;
    return posix::syncFolderOf(b);
}

}  // namespace db
