#include "org/position_counter.h"

#include <cstdio>
#include <set>

#include "base/cp_literal.h"
#include "base/number_format.h"
#include "db/table.h"
#include "db/table_ops.h"

namespace org {

using namespace base::literals;

namespace {

constexpr int kLastCode = 999;

std::string threeDigits(int n) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "%03d", n);
    return buf;
}

// The codes DOL.DBF holds now (empty when the table is missing).
base::Result<std::set<std::string>> heldCodes(const OrgContext& ctx) {
    std::set<std::string> codes;
    if (!db::tableExists(ctx.data("DOL.DBF"))) return codes;
    auto table = db::Table::open(ctx.data("DOL.DBF"));
    if (!table) return table.status();
    const int kdol = (*table)->fieldIndex("kdol");
    if (kdol < 0) return codes;
    for ((*table)->first(); !(*table)->eof(); (*table)->next()) codes.insert((*table)->text(kdol));
    return codes;
}

}  // namespace

base::Result<std::string> takePositionCode(const OrgContext& ctx) {
    auto counter = db::Table::open(ctx.data("KOD_IND.DBF"), db::OpenMode::Exclusive);
    if (!counter) {
        if (counter.status().code() == base::Status::Code::Busy) return base::Status::busy(" База блокирована "_cp);
        return counter.status();
    }
    db::Table& t = **counter;
    const int kdol = t.fieldIndex("kdol");
    if (kdol < 0) return base::Status::corrupt("KOD_IND.DBF: нет поля kdol"_cp);
    t.first();
    if (t.eof()) return base::Status::corrupt("KOD_IND.DBF: нет строки счетчика"_cp);
    const auto value = base::parseNumber(t.text(kdol));
    int next = value ? int(*value) + 1 : 1;
    if (next < 1) next = 1;
    auto held = heldCodes(ctx);
    if (!held) return held.status();
    while (next <= kLastCode && held->count(threeDigits(next))) ++next;
    if (next > kLastCode) return base::Status::invalid(" Коды должностей исчерпаны (999) "_cp);
    if (auto st = t.setText(kdol, std::to_string(next)); !st) return st;
    if (auto st = t.post(); !st) return st;
    if (auto st = t.close(); !st) return st;
    return threeDigits(next);
}

}  // namespace org
