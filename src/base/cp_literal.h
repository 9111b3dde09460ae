#pragma once
// "Уволен"_cp: a source text (UTF-8) that becomes data (cp1251), converted at
// compile time into a static array; the literal yields a std::string made
// once from those bytes, so it joins with + like any other text.
#include <cstddef>
#include <string>
#include <string_view>

#include "base/cp1251.h"

namespace base {

template <std::size_t N>
struct Utf8Source {
    char text[N]{};
    constexpr Utf8Source(const char (&s)[N]) {
        for (std::size_t i = 0; i < N; ++i) text[i] = s[i];
    }
};

template <std::size_t N>
struct Cp1251Array {
    char bytes[N]{};
    std::size_t size = 0;
};

template <Utf8Source S>
constexpr auto encodeCp1251() {
    Cp1251Array<sizeof(S.text)> out;
    std::string_view src(S.text, sizeof(S.text) - 1);
    for (std::size_t i = 0; i < src.size();) out.bytes[out.size++] = unicodeToCp1251(decodeUtf8(src, i));
    return out;
}

template <Utf8Source S>
inline constexpr auto kCp1251Literal = encodeCp1251<S>();

namespace literals {
template <Utf8Source S>
const std::string& operator""_cp() {
    static const std::string text(kCp1251Literal<S>.bytes, kCp1251Literal<S>.size);
    return text;
}
}  // namespace literals

}  // namespace base

using namespace base::literals;  // NOLINT: the literal is used everywhere
