#include "timesheet/folder_inputs.h"

#include <cmath>

#include "base/cp_literal.h"
#include "db/dbf_values.h"
#include "db/table.h"
#include "db/table_ops.h"
#include "timesheet/absence_marks.h"
#include "timesheet/text_util.h"

namespace timesheet {

namespace {

// Field access of one table by name, resolved once; absent fields read blank.
class Columns {
public:
    explicit Columns(const db::Table& table) : fields_(table.fields()), table_(table) {}
    int index(std::string_view name) const { return table_.fieldIndex(name); }
    std::string text(const db::RecordView& r, int i) const {
        return i < 0 ? std::string() : db::fieldText(fields_[std::size_t(i)], r.rawField(i));
    }
    std::optional<double> number(const db::RecordView& r, int i) const {
        return i < 0 ? std::nullopt : db::fieldNumber(fields_[std::size_t(i)], r.rawField(i));
    }
    base::Date date(const db::RecordView& r, int i) const {
        return i < 0 ? base::Date() : db::fieldDate(fields_[std::size_t(i)], r.rawField(i));
    }
    int64_t integer(const db::RecordView& r, int i) const {
        const auto v = number(r, i);
        return v ? std::llround(*v) : 0;
    }

private:
    const db::FieldList& fields_;
    const db::Table& table_;
};

base::Result<std::unique_ptr<db::Table>> openIfPresent(const std::string& path, bool& present) {
    present = db::tableExists(path);
    if (!present) return std::unique_ptr<db::Table>();
    return db::Table::open(path, db::OpenMode::Shared);
}

}  // namespace

const char* absenceTableName(AbsenceKind kind) {
    switch (kind) {
    case AbsenceKind::Trip: return "KOM.DBF";
    case AbsenceKind::Vacation: return "OTP.DBF";
    case AbsenceKind::SickLeave: return "BOLL.DBF";
    }
    return "";
}

base::Result<std::vector<Definition>> readDefinitions(const std::string& dataDir, Notes& notes) {
    bool present = false;
    auto table = openIfPresent(dataDir + "TAB.DBF", present);
    if (!table) return table.status();
    if (!present) {
        notes.add("Нет TAB.DBF: табель построен по описанию граф по умолчанию"_cp);
        return defaultDefinitions();
    }
    db::Table& t = **table;
    const Columns c(t);
    const int tab = c.index("TAB"), nameL = c.index("NAMEL"), nameS = c.index("NAMES"), wid = c.index("WID"),
              tip = c.index("TIP"), formul = c.index("FORMUL"), metka = c.index("METKA");
    std::vector<Definition> rows;
    const base::Status s = t.scan([&](int64_t, const db::RecordView& r) {
        rows.push_back({c.text(r, tab), c.text(r, nameL), c.text(r, nameS), c.text(r, wid), c.text(r, tip),
                        c.text(r, formul), c.text(r, metka)});
        return true;
    });
    if (!s) return s;
    return rows;
}

base::Result<std::vector<base::Date>> readHolidays(const std::string& dataDir, const Month& month) {
    return readHolidaysBetween(dataDir, month.first(), month.last().addDays(1));
}

base::Result<std::vector<base::Date>> readHolidaysBetween(const std::string& dataDir, base::Date from, base::Date to) {
    bool present = false;
    auto table = openIfPresent(dataDir + "PRAZ.DBF", present);
    if (!table) return table.status();
    std::vector<base::Date> out;
    if (!present) return out;
    db::Table& t = **table;
    const Columns c(t);
    const int data = c.index("DATA");
    const base::Status s = t.scan([&](int64_t, const db::RecordView& r) {
        const base::Date d = c.date(r, data);
        if (!d.isEmpty() && d >= from && d <= to) out.push_back(d);
        return true;
    });
    if (!s) return s;
    return out;
}

base::Result<std::vector<Calendar>> readCalendars(const std::string& dataDir) {
    bool present = false;
    auto table = openIfPresent(dataDir + "KAL.DBF", present);
    if (!table) return table.status();
    std::vector<Calendar> out;
    if (!present) return out;
    db::Table& t = **table;
    const Columns c(t);
    const int nom = c.index("NOM"), met = c.index("MET"), data = c.index("DATA"), praz = c.index("PRAZ");
    int day[31];
    for (int d = 0; d < 31; ++d) day[d] = c.index(dayFieldName(d + 1));
    const base::Status s = t.scan([&](int64_t, const db::RecordView& r) {
        Calendar cal;
        if (const auto n = c.number(r, nom)) {
            cal.hasNom = true;
            cal.nom = std::llround(*n);
        }
        cal.met = c.text(r, met);
        cal.anchor = c.date(r, data);
        cal.praz = !isBlankText(c.text(r, praz));
        for (int d = 0; d < 31; ++d) cal.marks[std::size_t(d)] = std::string(trimmed(c.text(r, day[d])));
        out.push_back(std::move(cal));
        return true;
    });
    if (!s) return s;
    return out;
}

base::Result<std::vector<Card>> readCards(const std::string& dataDir, const CardFilter& filter,
                                          const MonthLayout& layout) {
    auto table = db::Table::open(dataDir + "DANN.DBF", db::OpenMode::Shared);
    if (!table) return table.status();
    db::Table& t = **table;
    const Columns c(t);
    const int kod = c.index("KOD"), lk = c.index("LK"), fio = c.index("FIO"), metka = c.index("METKA"),
              dDol = c.index("D_DOL"), npd = c.index("NPD"), dwee = c.index("DWEE"), dlit = c.index("DLIT"),
              kal = c.index("KAL"), bKod = c.index("B_KOD"), bbK = c.index("BB_K"), metT = c.index("MET_T");
    std::vector<std::pair<std::string, int>> copied;
    for (const CardColumn& col : layout.cards) copied.emplace_back(col.field, c.index(col.field));
    const std::string dept(trimmed(filter.department));
    std::vector<Card> out;
    const base::Status s = t.scan([&](int64_t recNo, const db::RecordView& r) {
        Card card;
        card.kod = c.integer(r, kod);
        if (filter.kod && card.kod != *filter.kod) return true;
        card.metka = c.text(r, metka);
        if (!filter.withArchive && trimmed(card.metka) == "A") return true;
        card.bKod = c.text(r, bKod);
        if (!dept.empty() && trimmed(card.bKod) != dept) return true;
        card.recNo = recNo;
        card.lk = c.integer(r, lk);
        card.fio = c.text(r, fio);
        card.dDol = c.date(r, dDol);
        card.npd = c.date(r, npd);
        card.dwee = c.text(r, dwee);
        card.dlit = c.text(r, dlit);
        card.kal = c.text(r, kal);
        card.bbK = c.text(r, bbK);
        card.metTBlank = isBlankText(c.text(r, metT));
        for (const auto& [name, index] : copied) card.values[name] = c.text(r, index);
        out.push_back(std::move(card));
        return true;
    });
    if (!s) return s;
    return out;
}

base::Result<std::vector<Absence>> readAbsences(const std::string& dataDir, AbsenceKind kind, const Month& month,
                                                std::optional<int64_t> onlyKod) {
    bool present = false;
    auto table = openIfPresent(dataDir + absenceTableName(kind), present);
    if (!table) return table.status();
    std::vector<Absence> out;
    if (!present) return out;
    db::Table& t = **table;
    const Columns c(t);
    const int kod = c.index("KOD"), data1 = c.index("DATA1"), data2 = c.index("DATA2"), metT = c.index("MET_T");
    const int code = c.index("OTP_P") >= 0 ? c.index("OTP_P") : c.index("OTP");
    const int otper = c.index("OTPER");
    const base::Date first = month.first(), last = month.last();
    const auto inMonth = [&](base::Date d) { return !d.isEmpty() && d >= first && d <= last; };
    const base::Status s = t.scan([&](int64_t recNo, const db::RecordView& r) {
        Absence a;
        a.kod = c.integer(r, kod);
        if (onlyKod && a.kod != *onlyKod) return true;
        a.from = c.date(r, data1);
        a.to = c.date(r, data2);
        const bool keep = hasValidRange(a) ? overlapsMonth(a, month) : (inMonth(a.from) || inMonth(a.to));
        if (!keep) return true;
        a.recNo = recNo;
        if (kind == AbsenceKind::Vacation) {
            a.code = c.text(r, code);
            a.kind = c.text(r, otper);
        }
        a.metTBlank = isBlankText(c.text(r, metT));
        out.push_back(std::move(a));
        return true;
    });
    if (!s) return s;
    return out;
}

base::Result<MonthInputs> readMonthInputs(const std::string& dataDir, const Month& month, const CardFilter& filter,
                                          const MonthLayout& layout) {
    MonthInputs in;
    in.month = month;
    auto holidays = readHolidays(dataDir, month);
    if (!holidays) return holidays.status();
    in.holidays = std::move(*holidays);
    auto calendars = readCalendars(dataDir);
    if (!calendars) return calendars.status();
    in.calendars = std::move(*calendars);
    auto cards = readCards(dataDir, filter, layout);
    if (!cards) return cards.status();
    in.cards = std::move(*cards);
    std::vector<Absence>* targets[] = {&in.trips, &in.vacations, &in.sickLeave};
    const AbsenceKind kinds[] = {AbsenceKind::Trip, AbsenceKind::Vacation, AbsenceKind::SickLeave};
    for (int i = 0; i < 3; ++i) {
        auto rows = readAbsences(dataDir, kinds[i], month, filter.kod);
        if (!rows) return rows.status();
        *targets[i] = std::move(*rows);
    }
    return in;
}

}  // namespace timesheet
