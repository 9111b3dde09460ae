#pragma once
// Colour names: the text is upper-cased and trimmed, then each English and
// Russian name is searched in it as a substring, in a fixed order; the last
// name found wins, so a compound name beats the shorter one it contains
// ("СВЕТЛОСЕРЫЙ" is silver, not gray). No name found gives black.
#include <cstdint>
#include <string_view>

namespace org {

// 0xRRGGBB of the colour named in `text` (cp1251).
uint32_t colourOfName(std::string_view text);

}  // namespace org
