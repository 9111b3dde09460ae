#include "records/card_codes.h"

#include <cmath>
#include <vector>

#include "base/cp_literal.h"
#include "db/table.h"
#include "records/card_tables.h"
#include "base/text_trim.h"

namespace records {

base::Result<int64_t> takeNewCode(const RecordsContext& ctx) {
    auto opened = db::Table::open(ctx.data("KOD_IND.DBF"), db::OpenMode::Exclusive);
    if (!opened) {
        if (ctx.messages) ctx.messages->box(" База блокирована "_cp);
        return base::Status::busy(" База блокирована "_cp);
    }
    db::Table& t = **opened;
    const int kod = t.fieldIndex("KOD");
    if (kod < 0) return base::Status::corrupt("KOD_IND.DBF: нет поля KOD"_cp);
    t.first();
    const bool empty = t.eof();
    const int64_t last = empty ? 0 : int64_t(t.number(kod).value_or(0));
    const int64_t code = last + 1;
    auto st = empty ? t.append() : t.edit();
    if (st) st = t.setNumber(kod, double(code));
    if (st) st = t.post();
    if (st) st = t.close();
    if (!st) return st;
    return code;
}

base::Result<bool> personnelNumberUsed(const RecordsContext& ctx, const std::string& number, int64_t ownCode) {
    db::SqlFolder sql(ctx.dataFolder);
    auto r = sql.query("Select KOD From DANN.DBF WHERE LK = :lk AND KOD <> :kod",
                       {{"lk", base::trimBlanks(number)}, {"kod", codeText(ownCode)}});
    if (!r) return r.status();
    return !(*r)->isEmpty();
}

base::Result<int64_t> freePersonnelNumber(const RecordsContext& ctx) {
    constexpr int64_t kLimit = 100000;
    auto opened = db::Table::open(ctx.data("DANN.DBF"));
    if (!opened) return opened.status();
    db::Table& t = **opened;
    const int lk = t.fieldIndex("LK");
    std::vector<bool> used(kLimit, false);
    for (t.first(); !t.eof(); t.next()) {
        const double v = t.number(lk).value_or(0);
        if (v >= 1 && v < kLimit) used[int64_t(v)] = true;
    }
    for (int64_t n = 1; n < kLimit; ++n)
        if (!used[n]) return n;
    return int64_t(0);
}

}  // namespace records
