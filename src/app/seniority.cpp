#include "app/seniority.h"

#include <memory>

#include "base/number_format.h"
#include "db/table.h"

namespace app {

namespace {

base::Date startPlus(const db::Table& t, const char* dateField, const char* daysField) {
    const int d = t.fieldIndex(dateField);
    if (d < 0) return {};
    const base::Date start = t.date(d);
    if (start.isEmpty()) return {};
    const int n = t.fieldIndex(daysField);
    const auto days = n < 0 ? std::nullopt : t.number(n);
    return start.addDays(days ? int32_t(*days) : 0);
}

base::Status updateCard(db::Table& t, base::Date today) {
    if (auto st = t.edit(); !st) return st;
    const struct {
        const char* target;
        const char* date;
        const char* days;
    } spans[] = {{"STAG", "NTD", "MNTD"}, {"PSTAG", "NSD", "MNSD"}, {"TSTAG", "NPD", "MNPD"}};
    for (const auto& s : spans) {
        const int f = t.fieldIndex(s.target);
        if (f < 0) continue;
        if (auto st = t.setText(f, base::formatNumber(wholeYears(startPlus(t, s.date, s.days), today))); !st) {
            t.cancel();
            return st;
        }
    }
    for (const char* name : {"DATA_ISP", "DATA_DOG"}) {
        const int f = t.fieldIndex(name);
        if (f < 0) continue;
        const base::Date d = t.date(f);
        if (d.isEmpty() || today > d) t.setDate(f, base::Date::fromYmd(2000, 1, 1));
    }
    return t.post();
}

}  // namespace

base::Result<SeniorityReport> refreshSeniority(const std::string& dannPath, base::Date today) {
    auto opened = db::Table::open(dannPath);
    if (!opened) return opened.status();
    db::Table& t = **opened;
    SeniorityReport report;
    for (t.first(); !t.eof(); t.next()) {
        const base::Status st = updateCard(t, today);
        if (st) ++report.updated;
        else if (st.code() == base::Status::Code::Busy) ++report.skipped;
        else return st;
    }
    t.close();
    return report;
}

}  // namespace app
