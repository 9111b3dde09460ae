#pragma once
// Position codes of the staffing table: three digits from the counter field
// kdol of the single row of KOD_IND.DBF, which only grows, so a code is
// never given twice. The counter table is held exclusively while it changes.
#include <string>

#include "base/status.h"
#include "org/org_context.h"

namespace org {

// Takes the next code: the counter + 1, stored back without leading zeros,
// returned padded to three digits ("41" -> "042"). Codes that DOL.DBF
// already holds are stepped over. Fails with " База блокирована " when
// another user holds the counter, and refuses once "999" is reached (the
// code field has three characters; a longer code would be cut to a
// duplicate). Nothing is written on failure.
base::Result<std::string> takePositionCode(const OrgContext& ctx);

}  // namespace org
