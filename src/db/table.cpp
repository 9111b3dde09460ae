#include "db/table.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <numeric>
#include <optional>
#include <unordered_map>

#include "base/case_tables.h"
#include "base/cp_literal.h"
#include "base/number_format.h"
#include "base/path_resolver.h"
#include "db/dbf_file.h"
#include "db/dbf_values.h"
#include "db/order_key.h"
#include "db/tag_file.h"
#include "base/text_trim.h"

namespace db {

namespace {

constexpr std::size_t kBlockBytes = 256 * 1024;
constexpr int64_t kRandomBlock = 16;  // records read around a random access
constexpr const char* kNoRecord = "Нет текущей записи";

// A record as stored, seen through the field layout of its table.
class RawRecord final : public RecordView {
public:
    explicit RawRecord(const DbfHeader& h, const char* data = nullptr) : h_(h), data_(data) {}
    void reset(const char* data) { data_ = data; }
    std::string_view rawField(int field) const override {
        if (!data_ || field < 0 || std::size_t(field) >= h_.fields.size()) return {};
        return {data_ + h_.offsets[std::size_t(field)], std::size_t(h_.fields[std::size_t(field)].length)};
    }
    const char* data() const { return data_; }

private:
    const DbfHeader& h_;
    const char* data_;
};

bool isNumeric(FieldType t) { return t == FieldType::Numeric || t == FieldType::Float || t == FieldType::Integer; }

// Key of a stored field in the equality hash.
std::string hashKeyOfRaw(const FieldDef& f, std::string_view raw) {
    if (isNumeric(f.type)) {
        auto n = fieldNumber(f, raw);
        return n ? encodeSortableNumber(*n) : std::string();
    }
    if (f.type == FieldType::Logical) return fieldText(f, raw);
    if (f.type == FieldType::Date) return fieldDate(f, raw).isEmpty() ? std::string() : std::string(raw);
    return std::string(base::trimStoredRight(raw));
}

// The same key for a value given as text; nullopt when it cannot match.
std::optional<std::string> hashKeyOfValue(const FieldDef& f, std::string_view value) {
    const std::string_view t = trimmedRaw(value);
    if (isNumeric(f.type)) {
        if (t.empty()) return std::string();
        auto n = base::parseNumber(t);
        if (!n) return std::nullopt;
        return encodeSortableNumber(*n);
    }
    if (f.type == FieldType::Date) {
        auto d = base::Date::parse(t, true);
        if (!d) return std::nullopt;
        return d->isEmpty() ? std::string() : d->dbfText();
    }
    if (f.type == FieldType::Logical) {
        char slot = ' ';
        if (!encodeText(f, t, &slot)) return std::nullopt;
        return fieldText(f, std::string_view(&slot, 1));
    }
    return std::string(base::trimStoredRight(value));
}

struct HashIndex {
    std::unordered_map<std::string, std::vector<uint32_t>> map;
};

}  // namespace

struct Table::Impl {
    std::unique_ptr<DbfFile> file;
    OpenMode mode = OpenMode::Shared;
    std::string path;
    std::size_t len = 0;

    // Block cache of records cacheFirst .. cacheFirst + cacheCount - 1.
    std::vector<char> cache;
    int64_t cacheFirst = 0, cacheCount = 0, lastRead = -10;
    int64_t blockRecords = 1;
    std::string blank;  // an empty record, seen when there is no current one

    int64_t cur = 0;
    bool bof = true, eof = true;

    bool showDeleted = false;
    std::unique_ptr<Expr> filter;
    std::optional<OrderKey> order;
    bool viewActive = false;
    std::vector<uint32_t> view;
    std::vector<std::string> keys;  // parallel to view while ordered
    std::size_t viewPos = 0;
    bool viewPosValid = false;

    int64_t deletedCount = -1;  // unknown
    std::vector<uint32_t> liveRank;  // live records up to each record number; empty = unknown
    std::vector<uint8_t> deletedMarks;  // per record, with the hashes
    std::map<int, HashIndex> hashes;
    std::map<int, int> locateCounts;

    bool editing = false, appending = false, dirty = false;
    std::string buffer, oldBuffer;
    std::map<int, std::string> memoEdits;

    mutable std::unique_ptr<RawRecord> current;

    int64_t count() const { return file->recordCount(); }
    const DbfHeader& header() const { return file->header(); }

    void dropCache() { cacheCount = 0; }

    const char* load(int64_t first, int64_t n) {
        first = std::max<int64_t>(1, first);
        n = std::min(n, count() - first + 1);
        if (n <= 0) return nullptr;
        if (cache.size() < std::size_t(n) * len) cache.resize(std::size_t(blockRecords) * len);
        auto got = file->readRecords(first, n, cache.data());
        if (!got || *got <= 0) {
            cacheCount = 0;
            return nullptr;
        }
        cacheFirst = first;
        cacheCount = *got;
        return cache.data();
    }

    const char* ptr(int64_t r) {
        if (r < 1 || r > count()) return nullptr;
        if (r >= cacheFirst && r < cacheFirst + cacheCount) {
            lastRead = r;
            return cache.data() + std::size_t(r - cacheFirst) * len;
        }
        const bool forward = r == lastRead + 1;
        const bool backward = r == lastRead - 1;
        const int64_t n = forward || backward ? blockRecords : std::min(blockRecords, kRandomBlock);
        const int64_t first = backward ? r - n + 1 : r;
        if (!load(first, n)) return nullptr;
        lastRead = r;
        if (r < cacheFirst || r >= cacheFirst + cacheCount) return nullptr;
        return cache.data() + std::size_t(r - cacheFirst) * len;
    }

    void patchCache(int64_t r, const char* data, std::size_t offset, std::size_t n) {
        if (r >= cacheFirst && r < cacheFirst + cacheCount)
            std::memcpy(cache.data() + std::size_t(r - cacheFirst) * len + offset, data, n);
    }

    bool visible(const char* p) const {
        if (!showDeleted && p[0] == '*') return false;
        if (!filter) return true;
        RawRecord rec(header(), p);
        return filter->matches(rec);
    }

    int64_t nextVisible(int64_t from) {
        for (int64_t r = std::max<int64_t>(1, from); r <= count(); ++r) {
            const char* p = ptr(r);
            if (!p) return 0;
            if (visible(p)) return r;
        }
        return 0;
    }

    int64_t prevVisible(int64_t from) {
        for (int64_t r = std::min(from, count()); r >= 1; --r) {
            const char* p = ptr(r);
            if (!p) return 0;
            if (visible(p)) return r;
        }
        return 0;
    }

    // Visits every record in blocks with a buffer of its own.
    template <class F>
    void scanAll(F&& visit) {
        std::vector<char> buf(std::size_t(blockRecords) * len);
        for (int64_t first = 1; first <= count(); first += blockRecords) {
            auto got = file->readRecords(first, blockRecords, buf.data());
            if (!got || *got <= 0) return;
            for (int64_t i = 0; i < *got; ++i)
                if (!visit(first + i, buf.data() + std::size_t(i) * len)) return;
        }
    }

    void rebuildView() {
        view.clear();
        keys.clear();
        viewPosValid = false;
        if (!viewActive) return;
        std::vector<std::string> unsortedKeys;
        RawRecord rec(header());
        scanAll([&](int64_t r, const char* p) {
            if (!visible(p)) return true;
            view.push_back(uint32_t(r));
            if (order) {
                rec.reset(p);
                unsortedKeys.push_back(order->key(rec));
            }
            return true;
        });
        if (order) {
            std::vector<uint32_t> idx(view.size());
            std::iota(idx.begin(), idx.end(), 0u);
            std::stable_sort(idx.begin(), idx.end(),
                             [&](uint32_t a, uint32_t b) { return unsortedKeys[a] < unsortedKeys[b]; });
            std::vector<uint32_t> sorted(view.size());
            keys.resize(view.size());
            for (std::size_t i = 0; i < idx.size(); ++i) {
                sorted[i] = view[idx[i]];
                keys[i] = std::move(unsortedKeys[idx[i]]);
            }
            view.swap(sorted);
        }
        placeInView();
    }

    // Finds the current record in the view.
    void placeInView() {
        viewPosValid = false;
        for (std::size_t i = 0; i < view.size(); ++i)
            if (view[i] == cur) {
                viewPos = i;
                viewPosValid = true;
                return;
            }
    }

    void onExternalChange() {
        dropCache();
        deletedCount = -1;
        liveRank.clear();
        deletedMarks.clear();
        hashes.clear();
        if (cur > count()) setCurrent(0);
        rebuildView();
    }

    void revalidate() {
        auto changed = file->refreshState();
        if (changed && *changed) onExternalChange();
    }

    int64_t countDeleted() {
        if (deletedCount >= 0) return deletedCount;
        int64_t n = 0;
        scanAll([&](int64_t, const char* p) {
            if (p[0] == '*') ++n;
            return true;
        });
        deletedCount = n;
        return n;
    }

    void setCurrent(int64_t r) {
        cur = r;
        if (r == 0) bof = eof = true;
    }

    HashIndex& hashFor(int field) {
        auto it = hashes.find(field);
        if (it != hashes.end()) return it->second;
        HashIndex& h = hashes[field];
        const FieldDef& f = header().fields[std::size_t(field)];
        const std::size_t off = header().offsets[std::size_t(field)];
        const bool marks = deletedMarks.empty();
        if (marks) deletedMarks.assign(std::size_t(count()) + 1, 0);
        scanAll([&](int64_t r, const char* p) {
            h.map[hashKeyOfRaw(f, std::string_view(p + off, std::size_t(f.length)))].push_back(uint32_t(r));
            if (marks) deletedMarks[std::size_t(r)] = p[0] == '*';
            return true;
        });
        return h;
    }

    void hashAdd(int64_t r, const char* p) {
        if (hashes.empty()) return;
        if (deletedMarks.size() <= std::size_t(r)) deletedMarks.resize(std::size_t(r) + 1, 0);
        deletedMarks[std::size_t(r)] = p[0] == '*';
        for (auto& [field, h] : hashes) {
            const FieldDef& f = header().fields[std::size_t(field)];
            const std::size_t off = header().offsets[std::size_t(field)];
            auto& list = h.map[hashKeyOfRaw(f, std::string_view(p + off, std::size_t(f.length)))];
            list.insert(std::upper_bound(list.begin(), list.end(), uint32_t(r)), uint32_t(r));
        }
    }

    void hashRemove(int64_t r, const char* p) {
        for (auto& [field, h] : hashes) {
            const FieldDef& f = header().fields[std::size_t(field)];
            const std::size_t off = header().offsets[std::size_t(field)];
            auto it = h.map.find(hashKeyOfRaw(f, std::string_view(p + off, std::size_t(f.length))));
            if (it == h.map.end()) continue;
            auto& list = it->second;
            list.erase(std::remove(list.begin(), list.end(), uint32_t(r)), list.end());
        }
    }

    const std::vector<uint32_t>& ranks() {
        if (!liveRank.empty()) return liveRank;
        liveRank.assign(std::size_t(count()) + 1, 0);
        scanAll([&](int64_t r, const char* p) {
            liveRank[std::size_t(r)] = liveRank[std::size_t(r) - 1] + (p[0] != '*');
            return true;
        });
        return liveRank;
    }

    void setMark(int64_t r, bool deleted) {
        liveRank.clear();
        if (std::size_t(r) < deletedMarks.size()) deletedMarks[std::size_t(r)] = deleted;
    }
};

Table::Table() : impl_(std::make_unique<Impl>()) {}

Table::~Table() { close(); }

base::Result<std::unique_ptr<Table>> Table::open(std::string_view path, OpenMode mode) {
    const std::string native = base::resolvePath(path);
    auto file = DbfFile::open(native, mode == OpenMode::Exclusive, " База блокирована "_cp);
    if (!file && file.status().code() == base::Status::Code::NotFound)
        return base::Status::notFound("Нет таблицы "_cp + std::string(path));
    if (!file) return file.status();
    std::unique_ptr<Table> t(new Table());
    Impl& m = *t->impl_;
    m.file = std::move(*file);
    m.mode = mode;
    m.path = native;
    m.len = m.file->recordLength();
    m.blockRecords = std::max<int64_t>(1, int64_t(kBlockBytes / m.len));
    m.blank.assign(m.len, ' ');
    for (std::size_t i = 0; i < m.header().fields.size(); ++i)
        encodeBlank(m.header().fields[i], m.blank.data() + m.header().offsets[i]);
    m.current = std::make_unique<RawRecord>(m.header());
    t->first();
    return t;
}

const std::string& Table::path() const { return impl_->path; }
OpenMode Table::mode() const { return impl_->mode; }
uint8_t Table::versionByte() const { return impl_->file ? impl_->file->header().version : 0; }
int Table::codePage() const { return impl_->file ? impl_->file->codePage() : 0; }

const FieldList& Table::fields() const {
    static const FieldList none;
    return impl_->file ? impl_->file->fields() : none;
}

int64_t Table::physicalCount() const { return impl_->file ? impl_->count() : 0; }
bool Table::isReadOnly() const { return !impl_->file || impl_->file->readOnly(); }
const std::vector<std::string>& Table::problems() const {
    static const std::vector<std::string> none;
    return impl_->file ? impl_->file->problems() : none;
}

// ---- navigation ----

void Table::first() {
    Impl& m = *impl_;
    if (!m.file) return;
    if (m.editing) post();
    m.revalidate();
    if (m.viewActive) {
        if (m.view.empty()) return m.setCurrent(0);
        m.viewPos = 0;
        m.viewPosValid = true;
        m.cur = m.view[0];
    } else {
        const int64_t r = m.nextVisible(1);
        if (!r) return m.setCurrent(0);
        m.cur = r;
    }
    m.bof = true;
    m.eof = false;
}

void Table::last() {
    Impl& m = *impl_;
    if (!m.file) return;
    if (m.editing) post();
    m.revalidate();
    if (m.viewActive) {
        if (m.view.empty()) return m.setCurrent(0);
        m.viewPos = m.view.size() - 1;
        m.viewPosValid = true;
        m.cur = m.view[m.viewPos];
    } else {
        const int64_t r = m.prevVisible(m.count());
        if (!r) return m.setCurrent(0);
        m.cur = r;
    }
    m.bof = false;
    m.eof = true;
}

void Table::next() {
    Impl& m = *impl_;
    if (!m.file) return;
    if (m.editing) post();
    if (m.cur == 0) {
        m.eof = true;
        return;
    }
    if (m.viewActive) {
        if (!m.viewPosValid) m.placeInView();
        if (!m.viewPosValid && !m.order) {
            // On a record the filter hides: go on to the next one it shows.
            const auto it = std::upper_bound(m.view.begin(), m.view.end(), uint32_t(m.cur));
            if (it == m.view.end()) {
                m.eof = true;
                return;
            }
            m.viewPos = std::size_t(it - m.view.begin());
            m.viewPosValid = true;
            m.cur = *it;
            m.bof = m.eof = false;
            return;
        }
        if (!m.viewPosValid) return first();
        if (m.viewPos + 1 < m.view.size()) {
            m.cur = m.view[++m.viewPos];
            m.bof = m.eof = false;
        } else {
            m.bof = false;
            m.eof = true;
        }
        return;
    }
    const int64_t r = m.nextVisible(m.cur + 1);
    m.bof = false;
    if (r) {
        m.cur = r;
        m.eof = false;
    } else {
        m.eof = true;
    }
}

void Table::prior() {
    Impl& m = *impl_;
    if (!m.file) return;
    if (m.editing) post();
    if (m.cur == 0) {
        m.bof = true;
        return;
    }
    if (m.viewActive) {
        if (!m.viewPosValid) m.placeInView();
        if (!m.viewPosValid && !m.order) {
            const auto it = std::lower_bound(m.view.begin(), m.view.end(), uint32_t(m.cur));
            if (it == m.view.begin()) {
                m.bof = true;
                return;
            }
            m.viewPos = std::size_t(it - m.view.begin()) - 1;
            m.viewPosValid = true;
            m.cur = m.view[m.viewPos];
            m.bof = m.eof = false;
            return;
        }
        if (!m.viewPosValid) return first();
        if (m.viewPos > 0) {
            m.cur = m.view[--m.viewPos];
            m.bof = m.eof = false;
        } else {
            m.eof = false;
            m.bof = true;
        }
        return;
    }
    const int64_t r = m.prevVisible(m.cur - 1);
    m.eof = false;
    if (r) {
        m.cur = r;
        m.bof = false;
    } else {
        m.bof = true;
    }
}

bool Table::bof() const { return impl_->bof; }
bool Table::eof() const { return impl_->eof; }

int64_t Table::recordCount() const {
    Impl& m = *impl_;
    if (!m.file) return 0;
    m.revalidate();
    if (m.viewActive) return int64_t(m.view.size());
    return m.showDeleted ? m.count() : m.count() - m.countDeleted();
}

int64_t Table::position() const {
    Impl& m = *impl_;
    if (!m.file || m.cur == 0 || m.appending) return 0;
    if (m.viewActive) {
        if (!m.viewPosValid) m.placeInView();
        return m.viewPosValid ? int64_t(m.viewPos) + 1 : 0;
    }
    if (m.showDeleted || m.countDeleted() == 0) return m.cur;
    const auto& rank = m.ranks();
    return std::size_t(m.cur) < rank.size() ? int64_t(rank[std::size_t(m.cur)]) : 0;
}

bool Table::goToPosition(int64_t pos) {
    Impl& m = *impl_;
    if (!m.file || pos < 1) return false;
    if (m.editing) post();
    if (m.viewActive) {
        if (pos > int64_t(m.view.size())) return false;
        m.viewPos = std::size_t(pos - 1);
        m.viewPosValid = true;
        m.cur = m.view[m.viewPos];
    } else if (m.showDeleted || m.countDeleted() == 0) {
        if (pos > m.count()) return false;
        m.cur = pos;
    } else {
        const auto& rank = m.ranks();
        const auto it = std::lower_bound(rank.begin(), rank.end(), uint32_t(pos));
        if (it == rank.end()) return false;
        m.cur = int64_t(it - rank.begin());
    }
    m.bof = m.eof = false;
    return true;
}

int64_t Table::recNo() const { return impl_->appending ? 0 : impl_->cur; }

bool Table::goToRecNo(int64_t recNo) {
    Impl& m = *impl_;
    if (!m.file) return false;
    if (m.editing) post();
    if (recNo < 1 || recNo > m.count()) return false;
    m.cur = recNo;
    m.bof = m.eof = false;
    m.viewPosValid = false;
    if (m.viewActive && m.viewPos < m.view.size() && m.view[m.viewPos] == uint32_t(recNo)) m.viewPosValid = true;
    return true;
}

// ---- reading ----

const RecordView& Table::record() const {
    Impl& m = *impl_;
    if (!m.file) {
        static const DbfHeader none;
        static RawRecord closed(none);
        return closed;
    }
    const char* p = nullptr;
    {
        if (m.editing) p = m.buffer.data();
        else if (m.cur > 0) p = m.ptr(m.cur);
    }
    m.current->reset(p ? p : (m.blank.empty() ? nullptr : m.blank.data()));
    return *m.current;
}

std::string Table::text(int field) const {
    const FieldList& list = fields();
    if (field < 0 || std::size_t(field) >= list.size()) return {};
    const FieldDef& f = list[std::size_t(field)];
    if (f.type == FieldType::Memo) {
        Impl& m = *impl_;
        if (m.editing) {
            auto it = m.memoEdits.find(field);
            if (it != m.memoEdits.end()) return it->second;
        }
        auto text = m.file->readMemo(field, rawField(field));
        return text ? *text : std::string();
    }
    return fieldText(f, rawField(field));
}

base::Result<std::string> Table::memoText(int field) const {
    const FieldList& list = fields();
    if (field < 0 || std::size_t(field) >= list.size() || list[std::size_t(field)].type != FieldType::Memo)
        return base::Status::invalid("Поле не примечание"_cp);
    Impl& m = *impl_;
    if (m.editing) {
        auto it = m.memoEdits.find(field);
        if (it != m.memoEdits.end()) return it->second;
    }
    return m.file->readMemo(field, rawField(field));
}

std::optional<double> Table::number(int field) const {
    const FieldList& list = fields();
    if (field < 0 || std::size_t(field) >= list.size()) return std::nullopt;
    return fieldNumber(list[std::size_t(field)], rawField(field));
}

base::Date Table::date(int field) const {
    const FieldList& list = fields();
    if (field < 0 || std::size_t(field) >= list.size()) return {};
    return fieldDate(list[std::size_t(field)], rawField(field));
}

bool Table::isBlank(int field) const {
    const FieldList& list = fields();
    if (field < 0 || std::size_t(field) >= list.size()) return true;
    return fieldIsBlank(list[std::size_t(field)], rawField(field));
}

bool Table::isDeleted() const {
    Impl& m = *impl_;
    if (!m.file || m.cur == 0 || m.appending) return false;
    const char* p = m.ptr(m.cur);
    return p && p[0] == '*';
}

// ---- editing ----

base::Status Table::edit() {
    Impl& m = *impl_;
    if (!m.file) return base::Status::invalid("Таблица закрыта"_cp);
    if (m.editing) return base::Status::ok();
    if (m.file->readOnly()) return base::Status::ioError("Таблица открыта только для чтения"_cp);
    if (m.cur == 0) return base::Status::invalid(kNoRecord + std::string());
    const char* p = m.ptr(m.cur);
    if (!p) return base::Status::ioError("Не удалось прочитать запись"_cp);
    m.buffer.assign(p, m.len);
    m.oldBuffer = m.buffer;
    m.editing = true;
    m.appending = false;
    return base::Status::ok();
}

base::Status Table::append() {
    Impl& m = *impl_;
    if (!m.file) return base::Status::invalid("Таблица закрыта"_cp);
    if (m.editing) {
        if (auto s = post(); !s) return s;
    }
    if (m.file->readOnly()) return base::Status::ioError("Таблица открыта только для чтения"_cp);
    m.buffer = m.blank;
    m.editing = m.appending = true;
    return base::Status::ok();
}

namespace {
base::Status badField(int field) { return base::Status::invalid("Нет поля номер "_cp + std::to_string(field + 1)); }
}  // namespace

base::Status Table::setText(int field, std::string_view value) {
    Impl& m = *impl_;
    if (!m.editing)
        if (auto s = edit(); !s) return s;
    const FieldList& list = fields();
    if (field < 0 || std::size_t(field) >= list.size()) return badField(field);
    const FieldDef& f = list[std::size_t(field)];
    if (f.type == FieldType::Memo) {
        m.memoEdits[field] = std::string(value);
        return base::Status::ok();
    }
    return encodeText(f, value, m.buffer.data() + m.header().offsets[std::size_t(field)]);
}

base::Status Table::setNumber(int field, double value) {
    Impl& m = *impl_;
    if (!m.editing)
        if (auto s = edit(); !s) return s;
    const FieldList& list = fields();
    if (field < 0 || std::size_t(field) >= list.size()) return badField(field);
    if (list[std::size_t(field)].type == FieldType::Memo) return setText(field, base::formatNumber(value));
    return encodeNumber(list[std::size_t(field)], value, m.buffer.data() + m.header().offsets[std::size_t(field)]);
}

base::Status Table::setDate(int field, base::Date value) {
    Impl& m = *impl_;
    if (!m.editing)
        if (auto s = edit(); !s) return s;
    const FieldList& list = fields();
    if (field < 0 || std::size_t(field) >= list.size()) return badField(field);
    if (list[std::size_t(field)].type == FieldType::Memo) return setText(field, value.text());
    return encodeDate(list[std::size_t(field)], value, m.buffer.data() + m.header().offsets[std::size_t(field)]);
}

base::Status Table::setBlank(int field) {
    Impl& m = *impl_;
    if (!m.editing)
        if (auto s = edit(); !s) return s;
    const FieldList& list = fields();
    if (field < 0 || std::size_t(field) >= list.size()) return badField(field);
    if (list[std::size_t(field)].type == FieldType::Memo) {
        m.memoEdits[field].clear();
        return base::Status::ok();
    }
    encodeBlank(list[std::size_t(field)], m.buffer.data() + m.header().offsets[std::size_t(field)]);
    return base::Status::ok();
}

base::Status Table::post() {
    Impl& m = *impl_;
    if (!m.file || !m.editing) return base::Status::ok();
    for (auto& [field, text] : m.memoEdits) {
        auto s = m.file->writeMemo(field, text, m.buffer.data() + m.header().offsets[std::size_t(field)]);
        if (!s) return s;
    }
    m.memoEdits.clear();
    m.dirty = true;
    if (m.appending) {
        const int64_t before = m.count();
        auto r = m.file->appendRecord(m.buffer.data());
        if (!r) return r.status();
        m.editing = m.appending = false;
        m.cur = *r;
        m.bof = m.eof = false;
        if (*r != before + 1) {
            // Others appended meanwhile: what we hold in memory is stale.
            m.onExternalChange();
            return base::Status::ok();
        }
        m.hashAdd(*r, m.buffer.data());
        if (!m.liveRank.empty()) m.liveRank.push_back(m.liveRank.back() + 1);
        if (m.viewActive) {
            std::size_t at = m.view.size();
            if (m.order) {
                RawRecord rec(m.header(), m.buffer.data());
                std::string key = m.order->key(rec);
                at = std::size_t(std::upper_bound(m.keys.begin(), m.keys.end(), key) - m.keys.begin());
                m.keys.insert(m.keys.begin() + std::ptrdiff_t(at), std::move(key));
            }
            m.view.insert(m.view.begin() + std::ptrdiff_t(at), uint32_t(*r));
            m.viewPos = at;
            m.viewPosValid = true;
        }
        return base::Status::ok();
    }
    auto s = m.file->writeRecord(m.cur, m.buffer.data());
    if (!s) return s;
    m.editing = false;
    m.patchCache(m.cur, m.buffer.data(), 0, m.len);
    if (!m.hashes.empty()) {
        m.hashRemove(m.cur, m.oldBuffer.data());
        m.hashAdd(m.cur, m.buffer.data());
    }
    return base::Status::ok();
}

void Table::cancel() {
    Impl& m = *impl_;
    m.editing = m.appending = false;
    m.memoEdits.clear();
}

bool Table::isEditing() const { return impl_->editing; }

base::Status Table::deleteRecord() {
    Impl& m = *impl_;
    if (!m.file) return base::Status::invalid("Таблица закрыта"_cp);
    if (m.appending) {
        cancel();
        return base::Status::ok();
    }
    if (m.editing) cancel();
    if (m.cur == 0) return base::Status::invalid(kNoRecord + std::string());
    if (isDeleted()) return base::Status::ok();
    if (auto s = m.file->writeDeleteMark(m.cur, true); !s) return s;
    m.dirty = true;
    const char mark = '*';
    m.patchCache(m.cur, &mark, 0, 1);
    if (m.deletedCount >= 0) ++m.deletedCount;
    m.setMark(m.cur, true);
    if (m.showDeleted) return base::Status::ok();
    // Like a data set: the cursor goes to the next record, else the previous.
    if (m.viewActive) {
        if (!m.viewPosValid) m.placeInView();
        if (m.viewPosValid) {
            m.view.erase(m.view.begin() + std::ptrdiff_t(m.viewPos));
            if (!m.keys.empty()) m.keys.erase(m.keys.begin() + std::ptrdiff_t(m.viewPos));
        }
        if (m.view.empty()) {
            m.setCurrent(0);
        } else {
            if (m.viewPos >= m.view.size()) m.viewPos = m.view.size() - 1;
            m.viewPosValid = true;
            m.cur = m.view[m.viewPos];
        }
        return base::Status::ok();
    }
    int64_t r = m.nextVisible(m.cur + 1);
    if (!r) r = m.prevVisible(m.cur - 1);
    m.setCurrent(r);
    if (r) m.eof = m.bof = false;
    return base::Status::ok();
}

base::Status Table::recall() {
    Impl& m = *impl_;
    if (!m.file) return base::Status::invalid("Таблица закрыта"_cp);
    if (m.cur == 0 || m.appending) return base::Status::invalid(kNoRecord + std::string());
    if (!isDeleted()) return base::Status::ok();
    if (auto s = m.file->writeDeleteMark(m.cur, false); !s) return s;
    m.dirty = true;
    const char mark = ' ';
    m.patchCache(m.cur, &mark, 0, 1);
    if (m.deletedCount > 0) --m.deletedCount;
    m.setMark(m.cur, false);
    return base::Status::ok();
}

void Table::setShowDeleted(bool show) {
    Impl& m = *impl_;
    if (m.showDeleted == show) return;
    m.showDeleted = show;
    if (m.viewActive) m.rebuildView();
}

// ---- filter, order, locate ----

base::Status Table::setFilter(std::string_view expression, bool caseInsensitive) {
    Impl& m = *impl_;
    if (!m.file) return base::Status::invalid("Таблица закрыта"_cp);
    if (m.editing)
        if (auto s = post(); !s) return s;
    std::unique_ptr<Expr> compiled;
    if (!trimmedRaw(expression).empty()) {
        ExprOptions options;
        options.caseInsensitive = caseInsensitive;
        auto e = Expr::compile(expression, fields(), options);
        if (!e) return e.status();
        compiled = std::move(*e);
    }
    m.filter = std::move(compiled);
    m.viewActive = m.filter || m.order;
    m.rebuildView();
    first();
    return base::Status::ok();
}

base::Status Table::setOrder(std::string_view keyExpression) {
    Impl& m = *impl_;
    if (!m.file) return base::Status::invalid("Таблица закрыта"_cp);
    if (m.editing)
        if (auto s = post(); !s) return s;
    std::string key(trimmedRaw(keyExpression));
    if (key.empty()) {
        m.order.reset();
    } else {
        for (const TagDef& t : readTags(m.path))
            if (base::equalsIgnoreCase(t.name, key)) {
                key = t.key;
                break;
            }
        auto k = OrderKey::compile(key, fields());
        if (!k) return k.status();
        m.order = std::move(*k);
    }
    m.viewActive = m.filter || m.order;
    m.revalidate();
    m.rebuildView();
    if (m.cur == 0 || (m.viewActive && !m.viewPosValid)) first();
    return base::Status::ok();
}

base::Status Table::defineTag(std::string_view tagName, std::string_view keyExpression) {
    Impl& m = *impl_;
    if (!m.file) return base::Status::invalid("Таблица закрыта"_cp);
    const std::string name = base::upperAnsi(trimmedRaw(tagName));
    if (name.empty() || name.find('=') != std::string::npos || name.find('\n') != std::string::npos)
        return base::Status::invalid("Неверное имя индекса"_cp);
    const std::string key(trimmedRaw(keyExpression));
    if (key.find('\n') != std::string::npos) return base::Status::invalid("Неверный ключ индекса"_cp);
    auto k = OrderKey::compile(key, fields());
    if (!k) return k.status();
    std::vector<TagDef> tags = readTags(m.path);
    bool replaced = false;
    for (TagDef& t : tags)
        if (t.name == name) {
            t.key = key;
            replaced = true;
        }
    if (!replaced) tags.push_back({name, key});
    return writeTags(m.path, tags);
}

base::Status Table::deleteTag(std::string_view tagName) {
    Impl& m = *impl_;
    if (!m.file) return base::Status::invalid("Таблица закрыта"_cp);
    const std::string name = base::upperAnsi(trimmedRaw(tagName));
    std::vector<TagDef> tags = readTags(m.path);
    const auto before = tags.size();
    tags.erase(std::remove_if(tags.begin(), tags.end(), [&](const TagDef& t) { return t.name == name; }), tags.end());
    if (tags.size() == before) return base::Status::notFound("Нет индекса "_cp + name);
    return writeTags(m.path, tags);
}

std::vector<std::string> Table::tagNames() const {
    std::vector<std::string> names;
    if (!impl_->file) return names;
    for (const TagDef& t : readTags(impl_->path)) names.push_back(t.name);
    return names;
}

bool Table::seek(std::string_view keyValue, bool exact) {
    Impl& m = *impl_;
    if (!m.file || !m.order) return false;
    if (m.editing) post();
    m.revalidate();
    const std::string want = m.order->seekKey(keyValue);
    const auto it = std::lower_bound(m.keys.begin(), m.keys.end(), want);
    if (it == m.keys.end()) return false;
    const bool found = exact ? (*it == want || base::trimStoredRight(*it) == base::trimStoredRight(want)) : it->compare(0, want.size(), want) == 0;
    if (!found && exact) return false;
    m.viewPos = std::size_t(it - m.keys.begin());
    m.viewPosValid = true;
    m.cur = m.view[m.viewPos];
    m.bof = m.eof = false;
    return found;
}

bool Table::locate(std::string_view fieldName, std::string_view value, LocateOptions options) {
    Impl& m = *impl_;
    if (!m.file) return false;
    const int field = fieldIndex(fieldName);
    if (field < 0) return false;
    if (m.editing) post();
    m.revalidate();
    const FieldDef& f = fields()[std::size_t(field)];
    const bool text = f.type == FieldType::Character || f.type == FieldType::Memo;
    auto goTo = [&](int64_t r) {
        m.cur = r;
        m.bof = m.eof = false;
        m.viewPosValid = false;
        if (m.viewActive) m.placeInView();
        return true;
    };
    // A hash costs a few scans to build: worth it from the second search on
    // the same field (scripts locate in loops), not for a single one.
    const bool hashed = m.hashes.count(field) || ++m.locateCounts[field] >= 2;
    if (hashed && !m.viewActive && f.type != FieldType::Memo && !options.caseInsensitive && !options.partialKey) {
        for (int64_t r : findEqual(field, value)) {
            const char* p = m.ptr(r);
            if (p && m.visible(p)) return goTo(r);
        }
        return false;
    }
    // Scan in the cursor's order.
    std::string want(base::trimStoredRight(value));
    if (options.caseInsensitive) want = base::upperAnsi(want);
    const std::optional<std::string> wantKey = text ? std::nullopt : hashKeyOfValue(f, value);
    if (!text && !wantKey) return false;
    auto matches = [&](const char* p) {
        RawRecord rec(m.header(), p);
        if (!text) return hashKeyOfRaw(f, rec.rawField(field)) == *wantKey;
        std::string memo;
        std::string_view have;
        if (f.type == FieldType::Memo) {
            auto read = m.file->readMemo(field, rec.rawField(field));
            if (read) memo = std::move(*read);
            have = memo;
        } else {
            have = rec.rawField(field);
        }
        have = base::trimStoredRight(have);
        if (options.partialKey && have.size() > want.size()) have = have.substr(0, want.size());
        if (!options.caseInsensitive) return have == want;
        return have.size() == want.size() && base::upperAnsi(have) == want;
    };
    if (m.viewActive) {
        for (uint32_t r : m.view) {
            const char* p = m.ptr(r);
            if (p && matches(p)) return goTo(r);
        }
        return false;
    }
    for (int64_t r = m.nextVisible(1); r; r = m.nextVisible(r + 1)) {
        const char* p = m.ptr(r);
        if (p && matches(p)) return goTo(r);
    }
    return false;
}

// ---- raw access ----

base::Status Table::scan(const std::function<bool(int64_t, const RecordView&)>& visit) {
    Impl& m = *impl_;
    if (!m.file) return base::Status::invalid("Таблица закрыта"_cp);
    m.revalidate();
    RawRecord rec(m.header());
    m.scanAll([&](int64_t r, const char* p) {
        if (!m.showDeleted && p[0] == '*') return true;
        rec.reset(p);
        return visit(r, rec);
    });
    return base::Status::ok();
}

std::vector<int64_t> Table::findEqual(int field, std::string_view value) {
    Impl& m = *impl_;
    std::vector<int64_t> out;
    if (!m.file || field < 0 || std::size_t(field) >= fields().size()) return out;
    const FieldDef& f = fields()[std::size_t(field)];
    if (f.type == FieldType::Memo) return out;
    m.revalidate();
    auto key = hashKeyOfValue(f, value);
    if (!key) return out;
    HashIndex& h = m.hashFor(field);
    auto it = h.map.find(*key);
    if (it == h.map.end()) return out;
    for (uint32_t r : it->second)
        if (m.showDeleted || std::size_t(r) >= m.deletedMarks.size() || !m.deletedMarks[r]) out.push_back(r);
    return out;
}

// ---- life ----

base::Status Table::refresh() {
    Impl& m = *impl_;
    if (!m.file) return base::Status::invalid("Таблица закрыта"_cp);
    // An explicit refresh forgets everything cached: a change by another
    // process within one tick of the file clock leaves no trace in the stamp.
    auto changed = m.file->refreshState();
    if (!changed) return changed.status();
    m.onExternalChange();
    if (m.cur == 0) first();
    return base::Status::ok();
}

base::Status Table::close() {
    Impl& m = *impl_;
    if (!m.file) return base::Status::ok();
    base::Status s;
    if (m.editing) s = post();
    if (m.editing) cancel();
    if (m.dirty) {
        auto synced = m.file->sync();
        if (s.isOk()) s = synced;
    }
    m.file.reset();
    m.liveRank.clear();
    m.deletedMarks.clear();
    m.cur = 0;
    m.bof = m.eof = true;
    m.view.clear();
    m.keys.clear();
    m.hashes.clear();
    m.filter.reset();
    return s;
}

}  // namespace db
