#include "db/dbf_format.h"

#include <ctime>

#include "base/case_tables.h"
#include "base/cp_literal.h"

namespace db {

namespace {

constexpr std::size_t kHeaderSize = 32;
constexpr std::size_t kDescriptorSize = 32;
constexpr std::size_t kVfpBacklink = 263;

bool knownVersion(uint8_t v) {
    switch (v) {
    case 0x02: case 0x03: case 0x04: case 0x05: case 0x30: case 0x31: case 0x32: case 0x43:
    case 0x63: case 0x83: case 0x8B: case 0x8E: case 0xCB: case 0xF5: case 0xFB:
        return true;
    default:
        return false;
    }
}

std::string num(int64_t v) { return std::to_string(v); }

// Field name as stored: up to 11 bytes, ends at the first NUL.
std::string decodeName(const unsigned char* p) {
    std::string name;
    for (int i = 0; i < 11 && p[i] != 0; ++i) name += char(p[i]);
    while (!name.empty() && name.back() == ' ') name.pop_back();
    return name;
}

}  // namespace

bool isVisualFoxPro(uint8_t version) { return version == 0x30 || version == 0x31 || version == 0x32; }

bool hasMemoField(const FieldList& fields) {
    for (const FieldDef& f : fields)
        if (f.type == FieldType::Memo) return true;
    return false;
}

int codePageOfDriver(uint8_t d) {
    switch (d) {
    case 0xC9: return 1251;
    case 0x26: case 0x65: return 866;
    case 0x01: return 437;
    case 0x02: return 850;
    case 0x03: case 0x57: return 1252;
    case 0x64: return 852;
    case 0xC8: return 1250;
    default: return 0;
    }
}

MemoKind memoKindOf(const DbfHeader& h) {
    if (!hasMemoField(h.fields)) return MemoKind::None;
    if (h.version == 0xF5 || h.version == 0xFB || isVisualFoxPro(h.version)) return MemoKind::Fpt;
    if (h.version == 0x8B || h.version == 0xCB || h.version == 0x8E) return MemoKind::Dbt4;
    return MemoKind::Dbt3;
}

uint32_t decodeCount(const char bytes[8]) { return getU32(reinterpret_cast<const unsigned char*>(bytes) + 4); }

void encodeCountAndDate(const DbfHeader& h, char out[8]) {
    out[0] = char(h.version);
    out[1] = char(h.year >= 1900 ? (h.year - 1900) & 0xFF : 0);
    out[2] = char(h.month);
    out[3] = char(h.day);
    putU32(out + 4, h.recordCount);
}

base::Result<DecodedHeader> decodeHeader(std::string_view bytes, int64_t fileSize) {
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    if (bytes.size() < kHeaderSize || fileSize < int64_t(kHeaderSize))
        return base::Status::corrupt("Файл короче заголовка таблицы ("_cp + num(fileSize) + " байт)"_cp);
    DecodedHeader out;
    DbfHeader& h = out.header;
    h.version = p[0];
    h.year = 1900 + p[1];
    h.month = p[2];
    h.day = p[3];
    h.recordCount = getU32(p + 4);
    h.headerLength = getU16(p + 8);
    h.recordLength = getU16(p + 10);
    h.tableFlags = p[28];
    h.languageDriver = p[29];
    if (!knownVersion(h.version))
        out.problems.push_back("Неизвестный тип таблицы 0x"_cp + num(h.version));
    if (h.headerLength < kHeaderSize + 1)
        return base::Status::corrupt("Длина заголовка "_cp + num(h.headerLength) + " меньше допустимой"_cp);
    if (int64_t(h.headerLength) > fileSize)
        return base::Status::corrupt("Длина заголовка "_cp + num(h.headerLength) + " больше размера файла "_cp +
                                     num(fileSize));
    if (h.recordLength == 0) return base::Status::corrupt("Размер записи равен 0"_cp);

    // Descriptors run from byte 32 to the 0x0D terminator.
    const std::size_t limit = std::min<std::size_t>(h.headerLength, bytes.size());
    std::size_t pos = kHeaderSize;
    bool terminated = false;
    std::vector<int> extendedLength;  // Clipper-style long character fields
    while (pos < limit) {
        if (p[pos] == 0x0D) {
            terminated = true;
            break;
        }
        if (pos + kDescriptorSize > limit) {
            out.problems.push_back("Описание поля выходит за заголовок"_cp);
            break;
        }
        const unsigned char* d = p + pos;
        FieldDef f;
        f.name = decodeName(d);
        f.type = FieldType(char(base::upperAnsi(char(d[11]))));
        f.length = d[16];
        f.decimals = d[17];
        extendedLength.push_back(f.type == FieldType::Character ? d[16] + d[17] * 256 : d[16]);
        h.fields.push_back(std::move(f));
        pos += kDescriptorSize;
    }
    if (!terminated && out.problems.empty())
        out.problems.push_back("Нет признака конца описания полей"_cp);
    if (h.fields.empty()) return base::Status::corrupt("В заголовке нет описаний полей"_cp);

    int64_t total = 1;
    for (const FieldDef& f : h.fields) total += f.length;
    if (total != h.recordLength) {
        int64_t wide = 1;
        for (int len : extendedLength) wide += len;
        if (wide == h.recordLength) {
            for (std::size_t i = 0; i < h.fields.size(); ++i) {
                h.fields[i].length = extendedLength[i];
                if (h.fields[i].type == FieldType::Character) h.fields[i].decimals = 0;
            }
            total = wide;
        }
    }
    for (const FieldDef& f : h.fields) {
        if (f.length == 0) return base::Status::corrupt("Поле "_cp + f.name + " нулевой длины"_cp);
        if (f.name.empty()) out.problems.push_back("Поле без имени"_cp);
    }
    if (total > h.recordLength)
        return base::Status::corrupt("Поля ("_cp + num(total) + " байт) не помещаются в запись ("_cp +
                                     num(h.recordLength) + " байт)"_cp);
    if (total < h.recordLength)
        out.problems.push_back("Размер записи "_cp + num(h.recordLength) + " больше суммы полей "_cp + num(total));
    uint32_t offset = 1;
    for (const FieldDef& f : h.fields) {
        h.offsets.push_back(offset);
        offset += uint32_t(f.length);
    }

    const int64_t room = (fileSize - h.headerLength) / h.recordLength;
    out.soundRecordCount = h.recordCount;
    if (int64_t(h.recordCount) > room) {
        out.soundRecordCount = uint32_t(room);
        out.problems.push_back("Записей в заголовке "_cp + num(h.recordCount) + ", в файле только "_cp + num(room));
    }
    return out;
}

std::string encodeHeader(const DbfHeader& h) {
    const std::size_t length = kHeaderSize + kDescriptorSize * h.fields.size() + 1 +
                               (isVisualFoxPro(h.version) ? kVfpBacklink : 0);
    std::string out(length, '\0');
    char* p = out.data();
    encodeCountAndDate(h, p);
    putU16(p + 8, uint16_t(length));
    uint32_t recordLength = 1;
    for (const FieldDef& f : h.fields) recordLength += uint32_t(f.length);
    putU16(p + 10, uint16_t(recordLength));
    p[28] = char(h.tableFlags);
    p[29] = char(h.languageDriver);
    const bool fox = h.version == 0xF5 || h.version == 0xFB || isVisualFoxPro(h.version);
    uint32_t offset = 1;
    for (std::size_t i = 0; i < h.fields.size(); ++i) {
        const FieldDef& f = h.fields[i];
        char* d = p + kHeaderSize + kDescriptorSize * i;
        for (std::size_t k = 0; k < f.name.size() && k < 10; ++k) d[k] = base::upperAnsi(f.name[k]);
        d[11] = char(f.type);
        if (fox) putU32(d + 12, offset);
        d[16] = char(f.length & 0xFF);
        d[17] = char(f.decimals);
        offset += uint32_t(f.length);
    }
    p[kHeaderSize + kDescriptorSize * h.fields.size()] = 0x0D;
    return out;
}

DbfHeader makeHeader(const FieldList& fields, bool foxPro) {
    DbfHeader h;
    const bool memo = hasMemoField(fields);
    h.version = memo ? (foxPro ? 0xF5 : 0x83) : 0x03;
    std::time_t now = std::time(nullptr);
    std::tm tm{};
    localtime_r(&now, &tm);
    h.year = 1900 + tm.tm_year;
    h.month = tm.tm_mon + 1;
    h.day = tm.tm_mday;
    h.languageDriver = 0xC9;
    h.fields = fields;
    uint32_t offset = 1;
    for (FieldDef& f : h.fields) {
        f.name = base::upperAnsi(f.name);
        h.offsets.push_back(offset);
        offset += uint32_t(f.length);
    }
    h.recordLength = uint16_t(offset);
    h.headerLength = uint16_t(kHeaderSize + kDescriptorSize * fields.size() + 1);
    return h;
}

base::Status validateFields(const FieldList& fields) {
    if (fields.empty()) return base::Status::invalid("Нет полей"_cp);
    if (fields.size() > 255) return base::Status::invalid("Слишком много полей"_cp);
    int64_t total = 1;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const FieldDef& f = fields[i];
        const std::string what = "Поле "_cp + f.name + ": "_cp;
        if (f.name.empty() || f.name.size() > 10)
            return base::Status::invalid(what + "имя должно быть от 1 до 10 символов"_cp);
        for (char c : f.name) {
            const bool ok = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
            if (!ok) return base::Status::invalid(what + "имя из латинских букв, цифр и _"_cp);
        }
        if (f.name[0] >= '0' && f.name[0] <= '9') return base::Status::invalid(what + "имя начинается с цифры"_cp);
        for (std::size_t k = 0; k < i; ++k)
            if (base::equalsIgnoreCase(fields[k].name, f.name)) return base::Status::invalid(what + "имя повторяется"_cp);
        bool ok = true;
        switch (f.type) {
        case FieldType::Character: ok = f.length >= 1 && f.length <= 254 && f.decimals == 0; break;
        case FieldType::Numeric:
        case FieldType::Float:
            ok = f.length >= 1 && f.length <= 20 && f.decimals >= 0 &&
                 (f.decimals == 0 || f.decimals <= f.length - 2);
            break;
        case FieldType::Date: ok = f.length == 8 && f.decimals == 0; break;
        case FieldType::Logical: ok = f.length == 1 && f.decimals == 0; break;
        case FieldType::Memo: ok = f.length == 10 && f.decimals == 0; break;
        default: return base::Status::invalid(what + "тип не поддерживается"_cp);
        }
        if (!ok) return base::Status::invalid(what + "недопустимая длина "_cp + num(f.length) + "," + num(f.decimals));
        total += f.length;
    }
    if (total > 65535) return base::Status::invalid("Запись длиннее 65535 байт"_cp);
    return base::Status::ok();
}

}  // namespace db
