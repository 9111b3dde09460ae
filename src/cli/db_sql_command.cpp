// kadry db sql FOLDER STATEMENT: one local-SQL statement against a folder.
// A SELECT prints like `kadry db dump`; other statements print "N rows".
#include <string>

#include "base/case_tables.h"
#include "base/cp1251.h"
#include "base/cp_literal.h"
#include "base/path_resolver.h"
#include "cli/commands.h"
#include "cli/text_output.h"
#include "db/sql.h"

namespace cli {
namespace {

bool isSelect(std::string_view statement) {
    std::size_t i = 0;
    while (i < statement.size() && (statement[i] == ' ' || statement[i] == '\t' || statement[i] == '\n' ||
                                    statement[i] == '\r' || statement[i] == '('))
        ++i;
    return base::equalsIgnoreCase(statement.substr(i, 6), "SELECT");
}

// One value as dump prints it: C right-trimmed, N/F the stored digits,
// D dd.mm.yyyy or empty, L T/F/empty, memo line breaks as "\n".
std::string dumpValue(const db::SqlResult& r, int field) {
    const db::FieldDef& f = r.fields()[std::size_t(field)];
    switch (f.type) {
        case db::FieldType::Numeric:
        case db::FieldType::Float:
            return r.storedText(field);
        case db::FieldType::Date:
            return r.date(field).text();
        case db::FieldType::Memo: {
            const std::string text = r.text(field);
            std::string out;
            for (std::size_t i = 0; i < text.size(); ++i) {
                if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
                if (text[i] == '\r' || text[i] == '\n') out += "\\n";
                else out += text[i];
            }
            return out;
        }
        default:
            return r.text(field);
    }
}

void printResult(db::SqlResult& r) {
    const db::FieldList& fields = r.fields();
    std::string line;
    for (std::size_t i = 0; i < fields.size(); ++i) line += (i ? "\t" : "") + fields[i].name;
    printLine(line);
    for (r.first(); !r.eof(); r.next()) {
        line.clear();
        for (std::size_t i = 0; i < fields.size(); ++i) {
            if (i) line += '\t';
            line += dumpValue(r, int(i));
        }
        printLine(line);
    }
}

}  // namespace

int runDbSqlCommand(const Args& args) {
    if (args.size() != 2) {
        printError("usage: kadry db sql FOLDER STATEMENT");
        return 2;
    }
    db::SqlFolder folder(base::nativeToText(args[0]));
    const std::string statement = base::utf8ToCp1251(args[1]);
    if (isSelect(statement)) {
        auto result = folder.query(statement);
        if (!result) {
            printError(result.status().message());
            return 1;
        }
        printResult(*result.value());
        return 0;
    }
    auto done = folder.execute(statement);
    if (!done) {
        printError(done.status().message());
        return 1;
    }
    printLine(std::to_string(done.value()) + " rows");
    return 0;
}

}  // namespace cli
