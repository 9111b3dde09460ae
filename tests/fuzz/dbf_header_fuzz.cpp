// Fuzzes the dBase header reader and the record value decoders: any bytes
// must give either a clear error or a header whose records decode safely.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "db/dbf_format.h"
#include "db/dbf_values.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    auto decoded = db::decodeHeader(bytes, int64_t(size));
    if (!decoded) return 0;
    const db::DbfHeader& h = decoded->header;
    const std::size_t records = std::min<std::size_t>(decoded->soundRecordCount, 64);
    for (std::size_t r = 0; r < records; ++r) {
        const std::size_t start = h.headerLength + r * h.recordLength;
        if (start + h.recordLength > size) __builtin_trap();  // the sound count promised these bytes
        const std::string_view record = bytes.substr(start, h.recordLength);
        for (std::size_t i = 0; i < h.fields.size(); ++i) {
            const db::FieldDef& f = h.fields[i];
            if (h.offsets[i] + std::size_t(f.length) > record.size()) __builtin_trap();
            const std::string_view raw = record.substr(h.offsets[i], std::size_t(f.length));
            (void)db::fieldText(f, raw);
            (void)db::fieldNumber(f, raw);
            (void)db::fieldIsBlank(f, raw);
            std::string slot(std::size_t(f.length), ' ');
            (void)db::encodeText(f, db::fieldText(f, raw), slot.data());
        }
    }
    (void)db::encodeHeader(h);
    return 0;
}
