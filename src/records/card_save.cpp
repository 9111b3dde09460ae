#include "records/card_save.h"

#include "base/cp_literal.h"
#include "base/number_format.h"
#include "records/assignments.h"
#include "records/card_codes.h"
#include "records/card_tables.h"
#include "records/param_buffer.h"
#include "base/text_trim.h"

namespace records {

namespace {

std::string value(const CardValues& v, const char* name) {
    const auto it = v.find(name);
    return it == v.end() ? std::string() : it->second;
}

double numberOf(const std::string& s) {
    std::string t = s;
    std::erase(t, ' ');
    return base::parseNumber(t).value_or(0);
}

std::string firstLetter(const std::string& s) {
    const std::string t = base::trimBlanks(s);
    return t.empty() ? std::string() : t.substr(0, 1);
}

std::string labelDept(const std::string& label) { return label.substr(0, label.find('/')); }
std::string labelGroup(const std::string& label) {
    const auto slash = label.find('/');
    return slash == std::string::npos ? std::string() : label.substr(slash + 1, 2);
}

bool assignmentChanged(const CardSaveInput& in) {
    const auto& n = in.noted;
    return value(in.values, "D_DOL") != n.dolDate || base::trimBlanks(value(in.values, "DOL")) != n.dol ||
           numberOf(value(in.values, "DOL1")) != n.dol1 || base::trimBlanks(value(in.values, "RAZR")) != n.razr ||
           base::trimBlanks(value(in.values, "KLAS")) != n.klas || base::trimBlanks(labelDept(in.departmentLabel)) != n.bKod;
}

// Writes the card's assignment values into its last assignment row (one
// made first when the card has none) through the parameter buffer.
base::Status writeAssignment(const RecordsContext& ctx, const CardSaveInput& in, std::string buffer) {
    auto rows = assignmentRows(ctx, in.code);
    if (!rows) return rows.status();
    if ((*rows)->isEmpty()) {
        auto ins = run(ctx, "INSERT INTO NAZN.DBF (KOD) VALUES (:kod)", {{"kod", codeText(in.code)}});
        if (!ins) return ins.status();
        rows = assignmentRows(ctx, in.code);
        if (!rows) return rows.status();
    }
    (*rows)->last();
    buffer += valueLine("KOD", codeText(in.code));
    for (const char* f : {"DOL", "KDOL", "POD", "DOL1", "D_DOL", "RAZR", "KLAS"})
        buffer += valueLine(f, value(in.values, f));
    buffer += valueLine("MET_T", "");
    buffer += valueLine("METKA", "");
    buffer += valueLine("B_KOD", in.departmentLabel.substr(0, 2));
    buffer += valueLine("BB_K", in.departmentLabel.size() > 3 ? in.departmentLabel.substr(3, 2) : std::string());
    return applyBuffer(**rows, buffer);
}

}  // namespace

NotedAssignment noteAssignment(const db::Cursor& c) {
    auto f = [&](const char* name) { return c.fieldIndex(name) >= 0 ? base::trimBlanks(c.text(name)) : std::string(); };
    NotedAssignment n{f("LK"), f("B_KOD"), f("DOL"), f("D_DOL"), f("RAZR"), f("KLAS"), 0};
    const int i = c.fieldIndex("DOL1");
    if (i >= 0) n.dol1 = c.number(i).value_or(0);
    return n;
}

std::string shortName(const std::string& fam, const std::string& im, const std::string& ot) {
    return base::trimBlanks(fam) + " " + firstLetter(im) + "." + firstLetter(ot) + ".";
}

void fillNumberDefaults(CardValues& values) {
    const std::pair<const char*, const char*> defaults[] = {
        {"RAZR", "1"}, {"KLAS", "0"}, {"DWEE", "5"}, {"DLIT", "8"}, {"KAL", "0"}};
    for (auto [field, def] : defaults) {
        auto it = values.find(field);
        if (it != values.end() && base::trimBlanks(it->second).empty()) it->second = def;
    }
}

base::Result<SaveOutcome> saveCard(const RecordsContext& ctx, db::Cursor& copy, CardSaveInput& in,
                                   NewAssignmentMemory& memory, NewAssignmentDialog& dialog) {
    // A blank number counts as "0": not defined.
    std::string lk = base::trimBlanks(value(in.values, "LK"));
    if (lk.empty() || numberOf(lk) == 0) {
        if (ctx.messages) ctx.messages->box(" Табельный номер не определен "_cp);
        return SaveOutcome::NumberUndefined;
    }
    if (lk != in.noted.lk) {
        auto used = personnelNumberUsed(ctx, lk, in.code);
        if (!used) return used.status();
        if (*used) {
            if (ctx.messages) ctx.messages->box(" Табельный номер "_cp + lk + " использован "_cp);
            in.values["LK"] = in.noted.lk;
            return SaveOutcome::NumberUsed;
        }
    }
    fillNumberDefaults(in.values);

    if (assignmentChanged(in)) {
        const std::string date = value(in.values, "D_DOL");
        bool newRow = false;
        std::string buffer;
        // A remembered "cancel" is asked again: it must not make every
        // later save store nothing without a word.
        if (!memory.asked || date != memory.dateAtDialog || memory.answer == NewAssignmentAnswer::Cancel) {
            memory.asked = true;
            memory.dateAtDialog = date;
            NewAssignmentAnswer a = dialog.ask(base::Date::parse(date).value_or(base::Date()), in.hiring);
            if (a.kind == NewAssignmentAnswer::Change && in.hiring) a.kind = NewAssignmentAnswer::None;
            if (a.kind != NewAssignmentAnswer::None) memory.answer = a.kind;
            if (a.kind == NewAssignmentAnswer::New) {
                // Later saves of this card correct the new row.
                newRow = true;
                buffer = valueLine("OSN", a.orderNumber) + valueLine("DATA1", a.orderDate.text());
                memory.answer = NewAssignmentAnswer::Change;
            }
        }
        if (memory.answer == NewAssignmentAnswer::Cancel) return SaveOutcome::Cancelled;
        if (!ctx.viewOnly()) {
            if (newRow) {
                auto ins = run(ctx, "INSERT INTO NAZN.DBF (KOD) VALUES (:kod)", {{"kod", codeText(in.code)}});
                if (!ins) return ins.status();
            }
            if (auto st = writeAssignment(ctx, in, buffer); !st) return st;
        }
    }
    if (auto st = copy.edit(); !st) return st;
    in.values["B_KOD"] = labelDept(in.departmentLabel);
    in.values["BB_K"] = labelGroup(in.departmentLabel);
    in.values["FIO"] = shortName(value(in.values, "FAM"), value(in.values, "IM"), value(in.values, "OT"));
    for (const auto& [field, v] : in.values) {
        const int i = copy.fieldIndex(field);
        if (i < 0) continue;
        const auto type = copy.fields()[i].type;
        std::string text = v;
        if (type == db::FieldType::Numeric || type == db::FieldType::Float) std::erase(text, ' ');
        auto st = base::trimBlanks(text).empty() ? copy.setBlank(i) : copy.setText(i, text);
        if (!st) {
            copy.cancel();
            return st;
        }
    }
    if (auto st = copy.post(); !st) return st;
    return SaveOutcome::Saved;
}

}  // namespace records
