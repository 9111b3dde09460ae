#include "db/dbf_file.h"

#include <cstring>
#include <ctime>

#include "base/case_tables.h"
#include "base/cp_literal.h"
#include "base/path_resolver.h"
#include "db/dbf_values.h"

namespace db {

std::string companionPath(const std::string& nativeDbf, std::string_view ext) {
    const auto slash = nativeDbf.rfind('/');
    const auto dot = nativeDbf.rfind('.');
    const bool hasExt = dot != std::string::npos && (slash == std::string::npos || dot > slash);
    const std::string stem = hasExt ? nativeDbf.substr(0, dot) : nativeDbf;
    bool lower = false;
    if (hasExt)
        for (std::size_t i = dot + 1; i < nativeDbf.size(); ++i)
            if (nativeDbf[i] >= 'a' && nativeDbf[i] <= 'z') lower = true;
    std::string wanted(ext);
    if (lower) wanted = base::lowerAnsi(wanted);
    const std::string resolved = base::resolvePath(base::nativeToText(stem + wanted));
    return resolved;
}

base::Result<std::unique_ptr<DbfFile>> DbfFile::open(const std::string& nativePath, bool exclusive,
                                                     std::string_view busyMessage) {
    auto handle = FileHandle::open(nativePath, exclusive, busyMessage);
    if (!handle) return handle.status();
    std::unique_ptr<DbfFile> f(new DbfFile());
    f->file_ = std::move(*handle);
    // The header first, the size after: appenders write the record before
    // the count, so a size taken later always covers the count we read.
    std::string head(65536, '\0');
    auto got = posix::readAt(f->file_->fd(), 0, head.data(), head.size());
    if (!got) return got.status();
    head.resize(*got);
    auto st = posix::stateOf(f->file_->fd());
    if (!st) return st.status();
    auto decoded = decodeHeader(head, st->size);
    if (!decoded) return decoded.status();
    f->header_ = std::move(decoded->header);
    f->problems_ = std::move(decoded->problems);
    f->count_ = decoded->soundRecordCount;
    f->rawHeader_ = head.substr(0, f->header_.headerLength);
    f->cp866_ = f->codePage() == 866;
    for (std::size_t i = 0; i < f->header_.fields.size(); ++i)
        if (f->header_.fields[i].type == FieldType::Character) f->characterFields_.push_back(int(i));

    const MemoKind memo = memoKindOf(f->header_);
    if (memo != MemoKind::None) {
        f->memoPath_ = companionPath(nativePath, memoExtension(memo));
        auto m = MemoFile::open(f->memoPath_, memo);
        if (m) f->memo_ = std::move(*m);
        else f->problems_.push_back("Нет файла примечаний "_cp + base::nativeToText(f->memoPath_));
    }
    for (const FieldDef& fd : f->header_.fields) {
        const bool known = fd.type == FieldType::Character || fd.type == FieldType::Numeric ||
                           fd.type == FieldType::Float || fd.type == FieldType::Date ||
                           fd.type == FieldType::Logical || fd.type == FieldType::Memo ||
                           fd.type == FieldType::Integer;
        if (!known) f->problems_.push_back("Поле "_cp + fd.name + ": тип " + char(fd.type) + " только для чтения"_cp);
    }
    f->readOnly_ = !f->file_->writable() || !f->problems_.empty() || isVisualFoxPro(f->header_.version);
    auto stamp = f->readStamp();
    if (!stamp) return stamp.status();
    f->stamp_ = *stamp;
    return f;
}

base::Result<DbfFile::Stamp> DbfFile::readStamp() const {
    char head[8];
    auto got = posix::readAt(file_->fd(), 0, head, sizeof head);
    if (!got) return got.status();
    auto st = posix::stateOf(file_->fd());
    if (!st) return st.status();
    Stamp s;
    s.storedCount = *got == 8 ? decodeCount(head) : 0;
    s.size = st->size;
    s.mtimeNs = st->mtimeNs;
    s.changes = file_->changeCounter();
    return s;
}

base::Result<bool> DbfFile::refreshState() {
    auto s = readStamp();
    if (!s) return s.status();
    if (*s == stamp_) return false;
    stamp_ = *s;
    const int64_t room = (s->size - header_.headerLength) / int64_t(header_.recordLength);
    count_ = std::max<int64_t>(0, std::min<int64_t>(s->storedCount, room));
    return true;
}

void DbfFile::noteOwnWrite() {
    // Our own write must not look like someone else's change. The stored
    // count is what we know it to be; the size and time come from the file.
    file_->noteChange();
    stamp_.changes = file_->changeCounter();
    stamp_.storedCount = uint32_t(count_);
    if (auto st = posix::stateOf(file_->fd())) {
        stamp_.size = st->size;
        stamp_.mtimeNs = st->mtimeNs;
    }
}

void DbfFile::encodeInPlace(char* record) const {
    if (cp866_)
        for (int i : characterFields_) encode866(record + header_.offsets[i], std::size_t(header_.fields[i].length));
}

base::Result<int64_t> DbfFile::readRecords(int64_t first, int64_t n, char* out, bool decode) const {
    if (first < 1 || n <= 0) return int64_t(0);
    if (first + n - 1 > count_) n = count_ - first + 1;
    if (n <= 0) return int64_t(0);
    const std::size_t len = header_.recordLength;
    auto got = posix::readAt(file_->fd(), header_.headerLength + (first - 1) * int64_t(len), out,
                             std::size_t(n) * len);
    if (!got) return got.status();
    const int64_t records = int64_t(*got / len);
    if (cp866_ && decode)
        for (int64_t r = 0; r < records; ++r)
            for (int i : characterFields_)
                decode866(out + r * len + header_.offsets[i], std::size_t(header_.fields[i].length));
    return records;
}

base::Status DbfFile::checkWritable() const {
    if (!readOnly_) return base::Status::ok();
    if (!problems_.empty()) return base::Status::corrupt("Таблица повреждена и открыта только для чтения: "_cp + problems_[0]);
    return base::Status::ioError("Таблица открыта только для чтения"_cp);
}

void DbfFile::encodeForDisk(const char* data, std::string& out) const {
    out.assign(data, header_.recordLength);
    if (cp866_)
        for (int i : characterFields_)
            encode866(out.data() + header_.offsets[i], std::size_t(header_.fields[i].length));
}

base::Status DbfFile::writeRecord(int64_t recNo, const char* data) {
    if (auto s = checkWritable(); !s) return s;
    if (recNo < 1 || recNo > count_) return base::Status::invalid("Нет записи "_cp + std::to_string(recNo));
    std::string bytes;
    encodeForDisk(data, bytes);
    auto s = posix::writeAt(file_->fd(), header_.headerLength + (recNo - 1) * int64_t(header_.recordLength),
                            bytes.data(), bytes.size());
    if (s) noteOwnWrite();
    return s;
}

base::Status DbfFile::writeDeleteMark(int64_t recNo, bool deleted) {
    if (auto s = checkWritable(); !s) return s;
    if (recNo < 1 || recNo > count_) return base::Status::invalid("Нет записи "_cp + std::to_string(recNo));
    const char mark = deleted ? '*' : ' ';
    auto s = posix::writeAt(file_->fd(), header_.headerLength + (recNo - 1) * int64_t(header_.recordLength), &mark, 1);
    if (s) noteOwnWrite();
    return s;
}

base::Result<int64_t> DbfFile::appendRecord(const char* data) {
    if (auto s = checkWritable(); !s) return s;
    HeaderLock lock(*file_);
    if (!lock.status()) return lock.status();
    // Another process may have appended since we last looked.
    char head[8];
    auto got = posix::readAt(file_->fd(), 0, head, sizeof head);
    if (!got) return got.status();
    if (*got < 8) return base::Status::corrupt("Заголовок таблицы повреждён"_cp);
    const uint32_t stored = decodeCount(head);
    if (stored == 0xFFFFFFFFu) return base::Status::invalid("Таблица переполнена"_cp);
    std::string bytes;
    encodeForDisk(data, bytes);
    bytes += '\x1A';
    const int64_t offset = header_.headerLength + int64_t(stored) * int64_t(header_.recordLength);
    // The record first, the count last: a crash in between loses only this
    // unfinished record.
    if (auto s = posix::writeAt(file_->fd(), offset, bytes.data(), bytes.size()); !s) return s;
    DbfHeader h = header_;
    h.recordCount = stored + 1;
    const std::time_t now = std::time(nullptr);
    std::tm tm{};
    localtime_r(&now, &tm);
    h.year = 1900 + tm.tm_year;
    h.month = tm.tm_mon + 1;
    h.day = tm.tm_mday;
    h.version = uint8_t(head[0]);
    char counter[8];
    encodeCountAndDate(h, counter);
    if (auto s = posix::writeAt(file_->fd(), 0, counter, sizeof counter); !s) return s;
    count_ = int64_t(stored) + 1;
    noteOwnWrite();
    return count_;
}

base::Result<std::string> DbfFile::readMemo(int field, std::string_view raw) const {
    if (!memo_) return std::string();
    uint32_t block = 0;
    if (raw.size() == 4 && isVisualFoxPro(header_.version)) {
        block = getU32(reinterpret_cast<const unsigned char*>(raw.data()));
    } else {
        const std::string_view t = trimmedRaw(raw);
        for (char c : t) {
            if (c < '0' || c > '9') return base::Status::corrupt("Ссылка на примечание повреждена"_cp);
            block = block * 10 + uint32_t(c - '0');
        }
    }
    auto text = memo_->read(block);
    if (text && cp866_) decode866(text->data(), text->size());
    return text;
}

base::Status DbfFile::writeMemo(int field, std::string_view text, char* slot) {
    if (auto s = checkWritable(); !s) return s;
    const FieldDef& f = header_.fields[std::size_t(field)];
    if (text.empty()) {
        encodeBlank(f, slot);
        return base::Status::ok();
    }
    if (!memo_) return base::Status::ioError("Нет файла примечаний"_cp);
    std::string bytes(text);
    if (cp866_) encode866(bytes.data(), bytes.size());
    HeaderLock lock(*file_);
    if (!lock.status()) return lock.status();
    auto block = memo_->append(bytes);
    if (!block) return block.status();
    const std::string digits = std::to_string(*block);
    if (digits.size() > std::size_t(f.length)) return doesNotFit(f);
    std::memset(slot, ' ', std::size_t(f.length));
    std::memcpy(slot + f.length - digits.size(), digits.data(), digits.size());
    return base::Status::ok();
}

base::Status DbfFile::sync() {
    if (!file_->writable()) return base::Status::ok();
    if (memo_) memo_->sync();
    return posix::sync(file_->fd());
}

}  // namespace db
