#include "org/units.h"

#include <functional>

#include "base/cp_literal.h"
#include "db/sql.h"
#include "db/table.h"
#include "db/table_ops.h"
#include "org/unit_codes.h"
#include "base/text_trim.h"

namespace org {

using namespace base::literals;

namespace {

struct Columns {
    const char* name;
    const char* code;
    const char* group;  // nullptr for groups
};

Columns columnsOf(UnitKind kind) {
    return kind == UnitKind::Department ? Columns{"POD", "B_KOD", "BB_K"} : Columns{"BPOD", "BB_K", nullptr};
}

void report(const OrgContext& ctx, const std::string& l1, const std::string& l2 = {}, const std::string& l3 = {}) {
    if (ctx.messages) ctx.messages->soob(l1, l2, l3);
}

bool confirmed(const OrgContext& ctx, const std::string& l1, const std::string& l2, const std::string& l3) {
    return ctx.messages && ctx.messages->question(l1, l2, l3) == 1;
}

// Whether any card of DANN.DBF has `value` in `field`; an error when the
// cards cannot be read (a missing DANN.DBF means there are no cards).
base::Result<bool> cardsWith(const OrgContext& ctx, const char* field, const std::string& value) {
    if (!db::tableExists(ctx.data("DANN.DBF"))) return false;
    db::SqlFolder sql(ctx.dataFolder);
    auto r = sql.query(std::string("Select KOD From DANN.DBF WHERE ") + field + " = :v", {{"v", value}});
    if (!r) return r.status();
    return (*r)->recordCount() > 0;
}

// Positions `table` on the row being edited: by record number when it still
// holds the old code, else the first row with the old code. False when gone.
bool findRow(db::Table& table, int codeField, const Unit& old) {
    if (table.goToRecNo(old.recNo) && !table.isDeleted() && table.text(codeField) == old.code) return true;
    return table.locate(table.fields()[codeField].name, old.code);
}

base::Status storeRow(db::Table& table, const Columns& cols, const std::string& name, const std::string& code,
                      const std::string* group) {
    if (auto st = table.setText(cols.name, name); !st) return st;
    if (auto st = table.setText(cols.code, code); !st) return st;
    if (group)
        if (auto st = table.setText(cols.group, *group); !st) return st;
    return base::Status::ok();
}

// Rewrites the cards of the department whose code was `oldCode`.
base::Result<int64_t> updateCards(const OrgContext& ctx, const std::string& oldCode, bool moved, bool renamed,
                                  const UnitEdit& e) {
    if (!db::tableExists(ctx.data("DANN.DBF"))) return int64_t(0);
    std::string set;
    std::vector<db::SqlParam> params;
    if (moved) {
        set += "BB_K = :group";
        params.push_back({"group", e.group});
    }
    if (renamed) {
        set += std::string(set.empty() ? "" : ", ") + "B_KOD = :code, POD = :name";
        params.push_back({"code", e.code});
        params.push_back({"name", e.name});
    }
    params.push_back({"old", oldCode});
    db::SqlFolder sql(ctx.dataFolder);
    return sql.execute("UPDATE DANN.DBF SET " + set + " WHERE B_KOD = :old", params);
}

bool codeTaken(const std::vector<Unit>& units, const std::string& code, const std::optional<Unit>& self) {
    for (const Unit& u : units)
        if (u.code == code && (!self || u.recNo != self->recNo)) return true;
    return false;
}

// The checks shared by departments and groups; false after reporting.
bool checkCode(const OrgContext& ctx, UnitKind kind, const std::string& code, const std::optional<Unit>& self) {
    if (!isValidUnitCode(code)) {
        report(ctx, " Код должен состоять "_cp, " из двух символов "_cp, "\"" + code + "\"");
        return false;
    }
    auto units = loadUnits(ctx, kind);
    if (!units) {
        report(ctx, units.status().message());
        return false;
    }
    if (codeTaken(*units, code, self)) {
        report(ctx, " Код "_cp + code + " уже занят "_cp,
               kind == UnitKind::Department ? " другим отделом "_cp : " другой группой "_cp);
        return false;
    }
    return true;
}

bool checkGroupExists(const OrgContext& ctx, const std::string& group) {
    if (!isValidUnitCode(group)) {
        report(ctx, " Код группы должен "_cp, " состоять из двух символов "_cp, "\"" + group + "\"");
        return false;
    }
    if (!db::tableExists(ctx.data("BPOD.DBF"))) return true;
    auto groups = loadUnits(ctx, UnitKind::Group);
    if (!groups) {
        report(ctx, groups.status().message());
        return false;
    }
    for (const Unit& g : *groups)
        if (g.code == group) return true;
    report(ctx, " Группа "_cp + group + " не найдена "_cp);
    return false;
}

SaveOutcome saveDepartment(const OrgContext& ctx, const UnitEdit& e) {
    const Columns cols = columnsOf(UnitKind::Department);
    if (!checkCode(ctx, UnitKind::Department, e.code, e.old) || !checkGroupExists(ctx, e.group))
        return SaveOutcome::Refused;

    bool moved = false, renamed = false;
    if (e.old && !e.old->code.empty()) {
        moved = e.group != e.old->group;
        renamed = e.name != e.old->name || e.code != e.old->code;
        if (e.code != e.old->code) {
            // Cards that already carry the new code would join this department for good.
            auto orphans = cardsWith(ctx, "B_KOD", e.code);
            if (!orphans) {
                report(ctx, orphans.status().message());
                return SaveOutcome::Refused;
            }
            if (*orphans) {
                report(ctx, " В картотеке есть сотрудники "_cp, " с кодом отдела "_cp + e.code,
                       " Смена кода невозможна "_cp);
                return SaveOutcome::Refused;
            }
        }
        if (moved && !e.old->group.empty() &&
            !confirmed(ctx, "Вы меняете существующий номер группы"_cp, "Весь отдел будет"_cp,
                       "перемещен в новую группу"_cp))
            return SaveOutcome::Declined;
        if (renamed &&
            !confirmed(ctx, "Вы меняете наименование отдела"_cp, "Весь отдел будет"_cp, "переименован"_cp))
            return SaveOutcome::Declined;
    }

    auto table = db::Table::open(ctx.data(unitTable(UnitKind::Department)));
    if (!table) {
        report(ctx, table.status().message());
        return SaveOutcome::Refused;
    }
    db::Table& t = **table;
    const bool found = e.old && findRow(t, t.fieldIndex(cols.code), *e.old);
    base::Status st = found ? t.edit() : t.append();
    if (st) st = storeRow(t, cols, e.name, e.code, &e.group);
    if (st && (moved || renamed)) {
        auto cards = updateCards(ctx, e.old->code, moved, renamed, e);
        if (!cards) st = cards.status();
    }
    if (st) st = t.post();
    if (!st) {
        t.cancel();
        report(ctx, st.message());
        return SaveOutcome::Refused;
    }
    return SaveOutcome::Saved;
}

SaveOutcome saveGroup(const OrgContext& ctx, const UnitEdit& e) {
    const Columns cols = columnsOf(UnitKind::Group);
    const std::string code = e.old ? e.old->code : e.code;  // a group keeps its code
    if (!e.old && !checkCode(ctx, UnitKind::Group, code, std::nullopt)) return SaveOutcome::Refused;
    auto table = db::Table::open(ctx.data(unitTable(UnitKind::Group)));
    if (!table) {
        report(ctx, table.status().message());
        return SaveOutcome::Refused;
    }
    db::Table& t = **table;
    const bool found = e.old && findRow(t, t.fieldIndex(cols.code), *e.old);
    base::Status st = found ? t.edit() : t.append();
    if (st) st = storeRow(t, cols, e.name, code, nullptr);
    if (st) st = t.post();
    if (!st) {
        t.cancel();
        report(ctx, st.message());
        return SaveOutcome::Refused;
    }
    return SaveOutcome::Saved;
}

base::Status forEachRow(const OrgContext& ctx, UnitKind kind, const std::vector<int64_t>* recNos,
                        const std::function<std::string(const std::string&)>& newMark) {
    const std::string path = ctx.data(unitTable(kind));
    if (!db::tableExists(path)) return base::Status::ok();
    auto table = db::Table::open(path);
    if (!table) return table.status();
    db::Table& t = **table;
    const int color = t.fieldIndex("COLOR");
    if (color < 0) return base::Status::ok();
    auto apply = [&]() -> base::Status {
        const std::string mark = newMark(t.text(color));
        if (mark == t.text(color)) return base::Status::ok();
        if (auto st = t.setText(color, mark); !st) return st;
        return t.post();
    };
    if (recNos) {
        for (int64_t r : *recNos)
            if (t.goToRecNo(r) && !t.isDeleted())
                if (auto st = apply(); !st) return st;
        return base::Status::ok();
    }
    for (t.first(); !t.eof(); t.next())
        if (auto st = apply(); !st) return st;
    return base::Status::ok();
}

}  // namespace

const char* unitTable(UnitKind kind) { return kind == UnitKind::Department ? "POD.DBF" : "BPOD.DBF"; }

base::Result<std::vector<Unit>> loadUnits(const OrgContext& ctx, UnitKind kind) {
    const Columns cols = columnsOf(kind);
    auto table = db::Table::open(ctx.data(unitTable(kind)));
    if (!table) return table.status();
    db::Table& t = **table;
    const int name = t.fieldIndex(cols.name), code = t.fieldIndex(cols.code);
    const int group = cols.group ? t.fieldIndex(cols.group) : -1, color = t.fieldIndex("COLOR");
    if (name < 0 || code < 0)
        return base::Status::corrupt(std::string(unitTable(kind)) + ": нет поля "_cp + (name < 0 ? cols.name : cols.code));
    std::vector<Unit> units;
    for (t.first(); !t.eof(); t.next()) {
        Unit u;
        u.recNo = t.recNo();
        u.name = t.text(name);
        u.code = t.text(code);
        if (group >= 0) u.group = t.text(group);
        u.marked = color >= 0 && t.text(color) == "1";
        units.push_back(std::move(u));
    }
    return units;
}

std::string proposeCode(const std::vector<Unit>& units) {
    std::vector<std::string> used;
    for (const Unit& u : units) used.push_back(u.code);
    return proposeFreeCode(used);
}

SaveOutcome saveUnit(const OrgContext& ctx, UnitKind kind, const UnitEdit& input) {
    UnitEdit e = input;
    e.name = base::trimBlanks(e.name);
    e.code = base::trimBlanks(e.code);
    e.group = base::trimBlanks(e.group);
    if (e.name.empty()) {
        report(ctx, " Не указано наименование "_cp);
        return SaveOutcome::Refused;
    }
    return kind == UnitKind::Department ? saveDepartment(ctx, e) : saveGroup(ctx, e);
}

bool deleteUnit(const OrgContext& ctx, UnitKind kind, const Unit& unit) {
    auto cards = cardsWith(ctx, kind == UnitKind::Department ? "B_KOD" : "BB_K", unit.code);
    if (!cards) {
        report(ctx, cards.status().message());
        return false;
    }
    if (*cards) {
        report(ctx, " В данном отделе "_cp, " есть сотрудники "_cp, " Удаление невозможно! "_cp);
        return false;
    }
    if (kind == UnitKind::Group && db::tableExists(ctx.data("POD.DBF"))) {
        auto departments = loadUnits(ctx, UnitKind::Department);
        if (!departments) {
            report(ctx, departments.status().message());
            return false;
        }
        for (const Unit& d : *departments)
            if (d.group == unit.code) {
                report(ctx, " В данной группе "_cp, " есть отделы "_cp, " Удаление невозможно! "_cp);
                return false;
            }
    }
    auto table = db::Table::open(ctx.data(unitTable(kind)));
    if (!table) {
        report(ctx, table.status().message());
        return false;
    }
    if (!findRow(**table, (*table)->fieldIndex(columnsOf(kind).code), unit)) return false;
    if (auto st = (*table)->deleteRecord(); !st) {
        report(ctx, st.message());
        return false;
    }
    return true;
}

base::Status clearAllMarks(const OrgContext& ctx) {
    auto clear = [](const std::string&) { return std::string(); };
    if (auto st = forEachRow(ctx, UnitKind::Department, nullptr, clear); !st) return st;
    return forEachRow(ctx, UnitKind::Group, nullptr, clear);
}

base::Status toggleMarks(const OrgContext& ctx, UnitKind kind, const std::vector<int64_t>& recNos) {
    return forEachRow(ctx, kind, &recNos, [](const std::string& m) { return m == "1" ? std::string() : "1"; });
}

}  // namespace org
