#pragma once
// Codes and personnel numbers: the code counter KOD_IND.DBF, the check that
// a personnel number is free, the proposal of the smallest free one.
#include <cstdint>
#include <string>

#include "base/status.h"
#include "records/records_context.h"

namespace records {

// Opens KOD_IND.DBF exclusively, stores kod + 1 and returns it. Held by
// another workstation: the box " База блокирована " and a busy status.
base::Result<int64_t> takeNewCode(const RecordsContext& ctx);

// Whether a card other than `ownCode` has personnel number `number`.
base::Result<bool> personnelNumberUsed(const RecordsContext& ctx, const std::string& number, int64_t ownCode);

// The smallest number 1, 2, ... below 100000 that no card uses (0 if none).
base::Result<int64_t> freePersonnelNumber(const RecordsContext& ctx);

}  // namespace records
