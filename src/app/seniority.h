#pragma once
// The seniority refresh of the main workstation: STAG, PSTAG, TSTAG as whole
// years to today, and the expired probation and contract dates.
#include <string>

#include "app/startup_checks.h"
#include "base/date.h"
#include "base/status.h"

namespace app {


struct SeniorityReport {
    int updated = 0;
    int skipped = 0;  // cards held by another workstation
};

// Visits every card of `dannPath`; a card that cannot be edited (locked by
// another workstation) is skipped, the others are posted.
base::Result<SeniorityReport> refreshSeniority(const std::string& dannPath, base::Date today);

}  // namespace app
