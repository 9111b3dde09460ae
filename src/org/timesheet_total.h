#pragma once
// Before the timesheet opens for chosen departments: its total row (LK
// 99999, FIO "итого:") is made when missing and given the first chosen
// department's code and group code.
#include <string>

#include "base/status.h"

namespace org {

// `path`: the month's timesheet table; `codes`: the chosen codes list
// (B_KOD + BB_K + "/" per department).
base::Status prepareTimesheetTotal(const std::string& path, const std::string& codes);

}  // namespace org
