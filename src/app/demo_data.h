#pragma once
// The starter data folder: reference tables of a small enterprise (groups,
// departments, staffing, holidays of the year, month names, a calendar,
// monthly norms, organisation data) and about fifty sample cards, made with
// the program's own catalogue and local SQL.
#include <string>

#include "base/date.h"
#include "base/status.h"

namespace app {

// Fills `folder` (created when missing; must hold no DANN.DBF yet).
base::Status makeDemoData(const std::string& folder, base::Date today);

}  // namespace app
