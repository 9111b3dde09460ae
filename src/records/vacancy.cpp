#include "records/vacancy.h"

#include <cmath>

#include "base/cp_literal.h"
#include "base/number_format.h"
#include "records/card_tables.h"
#include "base/text_trim.h"

namespace records {

namespace {
double round2(double v) { return std::round(v * 100) / 100; }
}  // namespace

base::Result<PositionOffer> offerPosition(const RecordsContext& ctx, const std::string& kdol, int64_t ownCode) {
    db::SqlFolder sql(ctx.dataFolder);
    auto pos = sql.query("Select * From DOL.DBF WHERE KDOL = :k", {{"k", base::trimBlanks(kdol)}});
    if (!pos) return pos.status();
    db::SqlResult& row = **pos;
    row.first();
    if (row.eof()) return base::Status::notFound("Должность не найдена"_cp);
    auto num = [&](const char* f) {
        const int i = row.fieldIndex(f);
        return i < 0 ? 0.0 : row.number(i).value_or(0);
    };
    double occupied = 0;
    if (ctx.vacancyAccounting) {
        // The card itself is excluded by its code: the personnel number may
        // be unset or shared with a copy.
        auto cards = sql.query("Select STAV From DANN.DBF WHERE KDOL = :k AND METKA = \"R\" AND KOD <> :kod",
                               {{"k", base::trimBlanks(kdol)}, {"kod", codeText(ownCode)}});
        if (!cards) return cards.status();
        for ((*cards)->first(); !(*cards)->eof(); (*cards)->next())
            if (!(*cards)->isBlank(0)) occupied += (*cards)->number(0).value_or(0);
    }
    PositionOffer offer;
    offer.freeRate = round2(num("STAT") + num("S_STAT") - round2(occupied));
    offer.dol = row.text("DOL");
    if (offer.freeRate <= 0) {
        if (ctx.messages) ctx.messages->soob(" Нет свободных вакансий"_cp, base::trimBlanks(offer.dol));
        return offer;
    }
    offer.vacant = true;
    offer.kdol = row.text("KDOL");
    offer.dol1 = row.text("DOL1");
    offer.razr = row.text("RAZR");
    offer.klas = row.text("KLAS");
    offer.kat = row.text("KAT");
    offer.stav = offer.freeRate < 1 ? base::formatNumber(offer.freeRate) : "1";
    return offer;
}

}  // namespace records
