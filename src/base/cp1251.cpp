#include "base/cp1251.h"

namespace base {

namespace {
void appendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += char(cp);
    } else if (cp < 0x800) {
        out += char(0xC0 | (cp >> 6));
        out += char(0x80 | (cp & 0x3F));
    } else {
        out += char(0xE0 | (cp >> 12));
        out += char(0x80 | ((cp >> 6) & 0x3F));
        out += char(0x80 | (cp & 0x3F));
    }
}
}  // namespace

std::string cp1251ToUtf8(std::string_view cp) {
    std::string out;
    out.reserve(cp.size() * 2);
    for (unsigned char b : cp) {
        if (b < 0x80) out += char(b);
        else appendUtf8(out, cp1251ToUnicode(b));
    }
    return out;
}

std::string utf8ToCp1251(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) out += unicodeToCp1251(decodeUtf8(utf8, i));
    return out;
}

}  // namespace base
