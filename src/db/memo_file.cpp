#include "db/memo_file.h"

#include <vector>

#include "base/cp_literal.h"

namespace db {

namespace {

constexpr uint32_t kMaxMemo = 64u << 20;  // a memo longer than this is damage
constexpr uint32_t kFptBlock = 64;
constexpr uint32_t kDbtBlock = 512;

const unsigned char* u(const char* p) { return reinterpret_cast<const unsigned char*>(p); }

}  // namespace

const char* memoExtension(MemoKind kind) { return kind == MemoKind::Fpt ? ".FPT" : ".DBT"; }

MemoFile::MemoFile(std::unique_ptr<FileHandle> file, MemoKind kind, uint32_t blockSize)
    : file_(std::move(file)), kind_(kind), blockSize_(blockSize) {}

base::Result<std::unique_ptr<MemoFile>> MemoFile::open(const std::string& nativePath, MemoKind kind) {
    auto file = FileHandle::open(nativePath, false, "busy");
    if (!file) return file.status();
    char head[32] = {};
    auto got = posix::readAt((*file)->fd(), 0, head, sizeof head);
    if (!got) return got.status();
    if (*got < 8) return base::Status::corrupt("Файл примечаний повреждён"_cp);
    uint32_t blockSize = kDbtBlock;
    if (kind == MemoKind::Fpt) {
        blockSize = (uint32_t(u(head)[6]) << 8) | u(head)[7];
        if (blockSize == 0) blockSize = kFptBlock;
    } else if (kind == MemoKind::Dbt4 && *got >= 22) {
        const uint16_t size = getU16(u(head) + 20);
        if (size >= 32) blockSize = size;
    }
    return std::unique_ptr<MemoFile>(new MemoFile(std::move(*file), kind, blockSize));
}

base::Status MemoFile::create(const std::string& nativePath, MemoKind kind) {
    auto fd = posix::createNew(nativePath);
    if (!fd) return fd.status();
    std::string head(512, '\0');
    if (kind == MemoKind::Fpt) {
        putBigU32(head.data(), 512 / kFptBlock);
        head[6] = 0;
        head[7] = char(kFptBlock);
    } else {
        putU32(head.data(), 1);
        head[16] = 0x03;
        if (kind == MemoKind::Dbt4) putU16(head.data() + 20, uint16_t(kDbtBlock));
    }
    base::Status s = posix::writeAt(*fd, 0, head.data(), head.size());
    if (s.isOk()) s = posix::sync(*fd);
    posix::closeFd(*fd);
    return s;
}

base::Result<std::string> MemoFile::read(uint32_t block) const {
    if (block == 0) return std::string();
    const int64_t start = int64_t(block) * blockSize_;
    char head[8];
    auto got = posix::readAt(file_->fd(), start, head, sizeof head);
    if (!got) return got.status();
    if (*got < 8) return base::Status::corrupt("Ссылка за концом файла примечаний"_cp);
    uint32_t length = 0;
    int64_t dataStart = start;
    if (kind_ == MemoKind::Fpt) {
        length = getBigU32(u(head) + 4);
        dataStart = start + 8;
    } else if (u(head)[0] == 0xFF && u(head)[1] == 0xFF && u(head)[2] == 0x08 && u(head)[3] == 0x00) {
        length = getU32(u(head) + 4);
        length = length >= 8 ? length - 8 : 0;
        dataStart = start + 8;
    } else {
        // dBase III: the text runs to the first 0x1A.
        std::string text;
        std::vector<char> buf(blockSize_);
        for (int64_t pos = start; text.size() < kMaxMemo; pos += blockSize_) {
            auto n = posix::readAt(file_->fd(), pos, buf.data(), buf.size());
            if (!n) return n.status();
            if (*n == 0 && pos == start) return base::Status::corrupt("Ссылка за концом файла примечаний"_cp);
            for (std::size_t i = 0; i < *n; ++i) {
                if (buf[i] == 0x1A) return text;
                text += buf[i];
            }
            if (*n < buf.size()) break;
        }
        return text;
    }
    if (length > kMaxMemo) return base::Status::corrupt("Примечание повреждено"_cp);
    std::string text(length, '\0');
    auto n = posix::readAt(file_->fd(), dataStart, text.data(), length);
    if (!n) return n.status();
    text.resize(*n);
    return text;
}

base::Result<uint32_t> MemoFile::append(std::string_view text) {
    if (!file_->writable()) return base::Status::ioError("Файл примечаний только для чтения"_cp);
    char head[8];
    auto got = posix::readAt(file_->fd(), 0, head, sizeof head);
    if (!got) return got.status();
    uint32_t next = kind_ == MemoKind::Fpt ? getBigU32(u(head)) : getU32(u(head));
    auto st = posix::stateOf(file_->fd());
    if (!st) return st.status();
    // Never write below the end of the file, whatever the header says.
    const uint32_t endBlock = uint32_t((st->size + blockSize_ - 1) / blockSize_);
    if (next < endBlock) next = endBlock;
    if (next == 0) next = 1;
    std::string block;
    if (kind_ == MemoKind::Fpt) {
        block.assign(8, '\0');
        putBigU32(block.data(), 1);
        putBigU32(block.data() + 4, uint32_t(text.size()));
        block += text;
    } else if (kind_ == MemoKind::Dbt4) {
        block.assign(8, '\0');
        block[0] = char(0xFF);
        block[1] = char(0xFF);
        block[2] = 0x08;
        putU32(block.data() + 4, uint32_t(text.size() + 8));
        block += text;
    } else {
        block.assign(text);
        block += "\x1A\x1A";
    }
    const uint32_t blocks = uint32_t((block.size() + blockSize_ - 1) / blockSize_);
    block.resize(std::size_t(blocks) * blockSize_, '\0');
    base::Status s = posix::writeAt(file_->fd(), int64_t(next) * blockSize_, block.data(), block.size());
    if (!s) return s;
    char newNext[4];
    if (kind_ == MemoKind::Fpt) putBigU32(newNext, next + blocks);
    else putU32(newNext, next + blocks);
    s = posix::writeAt(file_->fd(), 0, newNext, 4);
    if (!s) return s;
    return next;
}

base::Status MemoFile::sync() { return posix::sync(file_->fd()); }

}  // namespace db
