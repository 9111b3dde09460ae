#pragma once
// Remembered window placements in okna.dbf of the working folder: one row
// per window component name with Top, Left, Height, Width.
#include <optional>
#include <string>

#include "base/status.h"

namespace app {

struct Placement {
    int top = 1, left = 1, height = 0, width = 0;
};

// The default of most child windows: left 1, top 1, the frame client size less 10.
Placement defaultPlacement(int clientWidth, int clientHeight);

// The row of `name`, or nullopt when okna.dbf or the row is missing.
std::optional<Placement> loadPlacement(const std::string& workFolder, const std::string& name);
// Writes the row of `name` (appended when missing). Needs okna.dbf; when it
// is missing it is created with the four numbers and a 20-character name.
base::Status savePlacement(const std::string& workFolder, const std::string& name, const Placement& p);

}  // namespace app
