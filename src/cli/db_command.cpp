// kadry db info|dump|check|pack FILE, and `sql` handed to its own command.
// The output formats are a contract for tests and scripts (see
// docs/table_engine.md); all text is printed as UTF-8.
#include <cstdio>
#include <string>

#include "base/cp_literal.h"
#include "base/date.h"
#include "base/path_resolver.h"
#include "cli/commands.h"
#include "cli/text_output.h"
#include "db/dbf_values.h"
#include "db/table.h"
#include "db/table_ops.h"

namespace cli {

namespace {

int fail(const std::string& message) {
    printError(message);
    return 1;
}

base::Result<std::unique_ptr<db::Table>> openArg(const std::string& arg) {
    return db::Table::open(base::nativeToText(arg), db::OpenMode::Shared);
}

std::string hexByte(unsigned v) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "0x%02X", v & 0xFF);
    return buf;
}

int info(const std::string& file) {
    auto t = openArg(file);
    if (!t) return fail(t.status().message());
    const db::Table& table = **t;
    printLine("version " + hexByte(table.versionByte()) + " codepage " + std::to_string(table.codePage()) +
              " records " + std::to_string(table.physicalCount()));
    for (const db::FieldDef& f : table.fields())
        printLine(f.name + " " + char(f.type) + " " + std::to_string(f.length) + " " + std::to_string(f.decimals));
    return 0;
}

// Memo line breaks as the two characters "\n".
std::string escapeBreaks(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r') {
            out += "\\n";
            if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
        } else if (text[i] == '\n') {
            out += "\\n";
        } else {
            out += text[i];
        }
    }
    return out;
}

std::string dumpValue(const db::Table& t, int i) {
    const db::FieldDef& f = t.fields()[std::size_t(i)];
    switch (f.type) {
    case db::FieldType::Numeric:
    case db::FieldType::Float: return std::string(db::trimmedRaw(t.rawField(i)));
    case db::FieldType::Memo: return escapeBreaks(t.text(i));
    default: return t.text(i);
    }
}

int dump(const std::string& file) {
    auto t = openArg(file);
    if (!t) return fail(t.status().message());
    db::Table& table = **t;
    const int n = int(table.fields().size());
    std::string line;
    for (int i = 0; i < n; ++i) line += (i ? "\t" : "") + table.fields()[std::size_t(i)].name;
    printLine(line);
    table.first();
    if (table.isEmpty()) return 0;
    for (; !table.eof(); table.next()) {
        line.clear();
        for (int i = 0; i < n; ++i) {
            if (i) line += '\t';
            line += dumpValue(table, i);
        }
        printLine(line);
    }
    return 0;
}

// Looks at every record for bytes no writer should leave.
std::vector<std::string> recordProblems(db::Table& table) {
    std::vector<std::string> problems;
    int64_t bad = 0;
    table.setShowDeleted(true);
    table.scan([&](int64_t recNo, const db::RecordView& rec) {
        std::string what;
        // The delete mark is the byte before the first field.
        const std::string_view mark = rec.rawField(0).data() ? std::string_view(rec.rawField(0).data() - 1, 1) : "";
        if (mark != " " && mark != "*") what = "признак удаления"_cp;
        for (std::size_t i = 0; what.empty() && i < table.fields().size(); ++i) {
            const db::FieldDef& f = table.fields()[i];
            const std::string_view raw = rec.rawField(int(i));
            const bool blank = db::fieldIsBlank(f, raw);
            if ((f.type == db::FieldType::Numeric || f.type == db::FieldType::Float) && !blank &&
                !db::fieldNumber(f, raw))
                what = "поле "_cp + f.name + " не число"_cp;
            if (f.type == db::FieldType::Date && !blank && !base::Date::parseDbf(raw))
                what = "поле "_cp + f.name + " не дата"_cp;
            if (f.type == db::FieldType::Memo && !blank && table.goToRecNo(recNo)) {
                auto memo = table.memoText(int(i));
                if (!memo) what = "поле "_cp + f.name + ": " + memo.status().message();
            }
        }
        if (!what.empty() && ++bad <= 10)
            problems.push_back("Запись "_cp + std::to_string(recNo) + ": " + what);
        return true;
    });
    if (bad > 10) problems.push_back("Ещё повреждённых записей: "_cp + std::to_string(bad - 10));
    return problems;
}

int check(const std::string& file) {
    auto t = openArg(file);
    if (!t) return fail(t.status().message());
    std::vector<std::string> problems = (*t)->problems();
    for (std::string& p : recordProblems(**t)) problems.push_back(std::move(p));
    if (problems.empty()) {
        printLine("ok");
        return 0;
    }
    for (const std::string& p : problems) printLine(p);
    return 1;
}

int pack(const std::string& file) {
    const std::string text = base::nativeToText(file);
    if (!db::tableExists(text)) return fail("Нет файла "_cp + text);
    base::Status s = db::packTable(text);
    if (!s) return fail(s.message());
    return 0;
}

}  // namespace

int runDbCommand(const Args& args) {
    const std::string word = args.empty() ? "" : args[0];
    if (word == "sql") return runDbSqlCommand(Args(args.begin() + 1, args.end()));
    if ((word == "info" || word == "dump" || word == "check" || word == "pack") && args.size() == 2) {
        if (word == "info") return info(args[1]);
        if (word == "dump") return dump(args[1]);
        if (word == "check") return check(args[1]);
        return pack(args[1]);
    }
    printUsage();
    return 1;
}

}  // namespace cli
