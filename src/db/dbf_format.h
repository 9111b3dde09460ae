#pragma once
// The on-disk layout of a dBase table header: explicit little-endian
// decoding and encoding of the 32-byte table header and the 32-byte field
// descriptors (never memcpy into structs). See docs/table_engine.md.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/status.h"
#include "db/field.h"

namespace db {

enum class MemoKind { None, Dbt3, Dbt4, Fpt };

struct DbfHeader {
    uint8_t version = 0x03;
    int year = 0, month = 0, day = 0;  // date of the last update
    uint32_t recordCount = 0;          // as stored
    uint16_t headerLength = 0;
    uint16_t recordLength = 0;
    uint8_t tableFlags = 0;  // byte 28: production index / Visual FoxPro flags
    uint8_t languageDriver = 0;
    FieldList fields;
    std::vector<uint32_t> offsets;  // of each field inside the record (the delete mark is byte 0)
};

// Result of reading a header from a file of `fileSize` bytes. `problems`
// lists what is wrong (cp1251 text); the header is usable when the status is
// ok, even with problems (then the table is opened read-only).
struct DecodedHeader {
    DbfHeader header;
    uint32_t soundRecordCount = 0;  // records the file really holds
    std::vector<std::string> problems;
};

// `bytes`: the start of the file, at least the header when the file has it.
base::Result<DecodedHeader> decodeHeader(std::string_view bytes, int64_t fileSize);
// The header bytes (headerLength long) of `h`; offsets and lengths recomputed.
std::string encodeHeader(const DbfHeader& h);
// A fresh header for `fields`: version 0x03, 0x83 with a memo field (0xF5 for
// the FoxPro flavour), language driver 0xC9, today's date, names upper-cased.
DbfHeader makeHeader(const FieldList& fields, bool foxPro);
// Checks a field list for creation: names, types, lengths, duplicates.
base::Status validateFields(const FieldList& fields);

// The 8 bytes at offset 0 of a header holding version, date and count.
void encodeCountAndDate(const DbfHeader& h, char out[8]);
uint32_t decodeCount(const char bytes[8]);

int codePageOfDriver(uint8_t languageDriver);
MemoKind memoKindOf(const DbfHeader& h);
bool isVisualFoxPro(uint8_t version);
bool hasMemoField(const FieldList& fields);

inline uint16_t getU16(const unsigned char* p) { return uint16_t(p[0] | (p[1] << 8)); }
inline uint32_t getU32(const unsigned char* p) {
    return uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24);
}
inline void putU16(char* p, uint16_t v) {
    p[0] = char(v & 0xFF);
    p[1] = char(v >> 8);
}
inline void putU32(char* p, uint32_t v) {
    for (int i = 0; i < 4; ++i) p[i] = char((v >> (8 * i)) & 0xFF);
}
inline uint32_t getBigU32(const unsigned char* p) {
    return (uint32_t(p[0]) << 24) | (uint32_t(p[1]) << 16) | (uint32_t(p[2]) << 8) | uint32_t(p[3]);
}
inline void putBigU32(char* p, uint32_t v) {
    for (int i = 0; i < 4; ++i) p[i] = char((v >> (24 - 8 * i)) & 0xFF);
}

}  // namespace db
