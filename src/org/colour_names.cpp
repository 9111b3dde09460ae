#include "org/colour_names.h"

#include <string>

#include "base/case_tables.h"
#include "base/cp_literal.h"

namespace org {

using namespace base::literals;

uint32_t colourOfName(std::string_view text) {
    struct Name {
        const char* english;
        const std::string& russian;
        uint32_t rgb;
    };
    // The order matters: later names win.
    static const Name names[] = {
        {"BLACK", "ЧЕРНЫЙ"_cp, 0x000000},        {"GRAY", "СЕРЫЙ"_cp, 0x808080},
        {"RED", "КРАСНЫЙ"_cp, 0xFF0000},         {"MAROON", "БОРДОВЫЙ"_cp, 0x800000},
        {"OLIVE", "ОЛИВКОВЫЙ"_cp, 0x808000},     {"GREEN", "ЗЕЛЕНЫЙ"_cp, 0x008000},
        {"TEAL", "СИНЕЗЕЛЕНЫЙ"_cp, 0x008080},    {"SILVER", "СВЕТЛОСЕРЫЙ"_cp, 0xC0C0C0},
        {"LIME", "СВЕТЛОЗЕЛЕНЫЙ"_cp, 0x00FF00},  {"YELLOW", "ЖЕЛТЫЙ"_cp, 0xFFFF00},
        {"PURPLE", "ФИОЛЕТОВЫЙ"_cp, 0x800080},   {"BLUE", "СИНИЙ"_cp, 0x0000FF},
        {"NAVY", "ТЕМНОСИНИЙ"_cp, 0x000080},     {"FUCHSIA", "СИРЕНЕВЫЙ"_cp, 0xFF00FF},
        {"AQUA", "БИРЮЗОВЫЙ"_cp, 0x00FFFF},      {"WHITE", "БЕЛЫЙ"_cp, 0xFFFFFF},
    };
    const std::string upper = base::upperAnsi(text);
    uint32_t rgb = 0x000000;
    for (const Name& n : names)
        if (upper.find(n.english) != std::string::npos || upper.find(n.russian) != std::string::npos) rgb = n.rgb;
    return rgb;
}

}  // namespace org
