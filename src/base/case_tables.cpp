#include "base/case_tables.h"

#include <array>

namespace base {

namespace {

struct CaseTable {
    std::array<unsigned char, 256> upper{};
    std::array<unsigned char, 256> lower{};
};

constexpr CaseTable makeProgramTable() {
    CaseTable t;
    for (int i = 0; i < 256; ++i) t.upper[i] = t.lower[i] = static_cast<unsigned char>(i);
    for (int i = 'a'; i <= 'z'; ++i) {
        t.upper[i] = static_cast<unsigned char>(i - 32);
        t.lower[i - 32] = static_cast<unsigned char>(i);
    }
    for (int i = 0xE0; i <= 0xFF; ++i) {
        t.upper[i] = static_cast<unsigned char>(i - 32);
        t.lower[i - 32] = static_cast<unsigned char>(i);
    }
    return t;
}

// Letter pairs of cp1251 outside the main blocks: lower byte, upper byte.
constexpr unsigned char kAnsiExtraPairs[][2] = {
    {0x90, 0x80}, {0x83, 0x81}, {0x9A, 0x8A}, {0x9C, 0x8C}, {0x9D, 0x8D},
    {0x9E, 0x8E}, {0x9F, 0x8F}, {0xA2, 0xA1}, {0xBC, 0xA3}, {0xB4, 0xA5},
    {0xB8, 0xA8}, {0xBA, 0xAA}, {0xBF, 0xAF}, {0xB3, 0xB2}, {0xBE, 0xBD},
};

constexpr CaseTable makeAnsiTable() {
    CaseTable t = makeProgramTable();
    for (const auto& p : kAnsiExtraPairs) {
        t.upper[p[0]] = p[1];
        t.lower[p[1]] = p[0];
    }
    return t;
}

constexpr CaseTable kProgram = makeProgramTable();
constexpr CaseTable kAnsi = makeAnsiTable();

std::string mapAll(std::string_view s, const std::array<unsigned char, 256>& table) {
    std::string out(s);
    for (char& c : out) c = static_cast<char>(table[static_cast<unsigned char>(c)]);
    return out;
}

}  // namespace

char upperProgram(char c) { return static_cast<char>(kProgram.upper[static_cast<unsigned char>(c)]); }
char lowerProgram(char c) { return static_cast<char>(kProgram.lower[static_cast<unsigned char>(c)]); }
bool isProgramLetter(char c) { return upperProgram(c) != lowerProgram(c); }
std::string upperProgram(std::string_view s) { return mapAll(s, kProgram.upper); }
std::string lowerProgram(std::string_view s) { return mapAll(s, kProgram.lower); }

char upperAnsi(char c) { return static_cast<char>(kAnsi.upper[static_cast<unsigned char>(c)]); }
char lowerAnsi(char c) { return static_cast<char>(kAnsi.lower[static_cast<unsigned char>(c)]); }
std::string upperAnsi(std::string_view s) { return mapAll(s, kAnsi.upper); }
std::string lowerAnsi(std::string_view s) { return mapAll(s, kAnsi.lower); }

bool equalsIgnoreCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (upperAnsi(a[i]) != upperAnsi(b[i])) return false;
    return true;
}

}  // namespace base
