#pragma once
// The position choice's vacancy check against the staffing table DOL.DBF.
#include <cstdint>
#include <string>

#include "base/status.h"
#include "records/records_context.h"

namespace records {

struct PositionOffer {
    bool vacant = false;
    double freeRate = 0;  // Stat + S_Stat - occupied, rounded to 2 decimals
    // What the card takes from the position when it is vacant.
    std::string dol, kdol, dol1, razr, klas, kat;
    std::string stav;  // "1", or the free rate when below 1
};

// Looks the position up by KDOL. With vacancy accounting on, occupied is the
// sum of STAV of the working cards of that position other than `ownCode`.
// No vacancy: the message window " Нет свободных вакансий" / position name.
base::Result<PositionOffer> offerPosition(const RecordsContext& ctx, const std::string& kdol, int64_t ownCode);

}  // namespace records
