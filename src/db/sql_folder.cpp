// SqlFolder: runs one parsed statement against the tables of a folder.
#include "db/sql.h"

#include <algorithm>
#include <unordered_map>

#include "base/case_tables.h"
#include "base/cp_literal.h"
#include "base/file_ops.h"
#include "base/number_format.h"
#include "base/path_resolver.h"
#include "db/expr_bind.h"
#include "db/sql_lookup_cache.h"
#include "db/sql_parser.h"
#include "db/sql_result.h"
#include "db/sql_select.h"
#include "db/sql_source.h"
#include "db/table_ops.h"

namespace db {

using base::Status;
using sql::Statement;

namespace {

// Replaces every parameter of the operand by its bound value (a literal text).
Status bindParam(expr::Operand& o, const std::vector<SqlParam>& params, std::vector<int>& positional) {
    if (o.kind == expr::Operand::Kind::Concat) {
        for (auto& p : o.parts)
            if (Status st = bindParam(p, params, positional); !st) return st;
        return Status::ok();
    }
    if (o.kind != expr::Operand::Kind::Param) return Status::ok();
    const SqlParam* found = nullptr;
    if (o.paramIndex >= 0) {
        if (o.paramIndex < int(positional.size())) found = &params[positional[o.paramIndex]];
    } else {
        for (const SqlParam& p : params)
            if (!p.name.empty() && base::equalsIgnoreCase(p.name, o.text)) found = &p;
    }
    if (!found)
        return Status::invalid("Не задано значение параметра "_cp + (o.paramIndex >= 0 ? std::string("?") : ":" + o.text) +
                               " (позиция "_cp + std::to_string(o.pos) + ")");
    o.kind = expr::Operand::Kind::Text;
    o.text = found->value;
    return Status::ok();
}

Status bindParams(expr::Node* n, const std::vector<SqlParam>& params, std::vector<int>& positional) {
    if (!n) return Status::ok();
    if (Status st = bindParam(n->lhs, params, positional); !st) return st;
    if (Status st = bindParam(n->rhs, params, positional); !st) return st;
    if (Status st = bindParams(n->a.get(), params, positional); !st) return st;
    return bindParams(n->b.get(), params, positional);
}

Status bindStatementParams(Statement& s, const std::vector<SqlParam>& params) {
    std::vector<int> positional;
    for (std::size_t i = 0; i < params.size(); ++i)
        if (params[i].name.empty()) positional.push_back(int(i));
    for (auto& v : s.values)
        if (Status st = bindParam(v, params, positional); !st) return st;
    for (auto& a : s.sets)
        if (Status st = bindParam(a.value, params, positional); !st) return st;
    return bindParams(s.where.get(), params, positional);
}

// The record numbers of the live records matching the condition of a
// single-table statement (all when there is none).
base::Result<std::vector<int64_t>> matchingRows(Table& table, const sql::TableRef& ref, const expr::Node* where,
                                                sql::LookupCache* lookups) {
    return sql::selectRows(table, ref, where, lookups);
}

// A literal (or another field of the record) written into a field by its type.
Status assign(Table& t, int field, const expr::Operand& value) {
    std::string text;
    switch (value.kind) {
        case expr::Operand::Kind::Text:
        case expr::Operand::Kind::Number:
            text = value.text;
            break;
        case expr::Operand::Kind::Field: {
            const int from = t.fieldIndex(value.text);
            if (from < 0) return Status::invalid("Неизвестное поле "_cp + "\"" + value.text + "\"");
            text = t.text(from);
            break;
        }
        default:
            return Status::invalid("Неподдерживаемое значение в позиции "_cp + std::to_string(value.pos));
    }
    const FieldDef& f = t.fields()[field];
    const std::string_view trimmed = [&] {
        std::string_view v = text;
        while (!v.empty() && v.front() == ' ') v.remove_prefix(1);
        while (!v.empty() && v.back() == ' ') v.remove_suffix(1);
        return v;
    }();
    switch (f.type) {
        case FieldType::Numeric:
        case FieldType::Float:
        case FieldType::Integer: {
            if (trimmed.empty()) return t.setBlank(field);
            const auto n = base::parseNumber(trimmed);
            if (!n) return Status::invalid("Значение \""_cp + text + "\" не является числом (поле "_cp + f.name + ")");
            return t.setNumber(field, *n);
        }
        case FieldType::Date: {
            if (trimmed.empty()) return t.setBlank(field);
            const auto d = base::Date::parse(trimmed, true);
            if (!d) return Status::invalid("Значение \""_cp + text + "\" не является датой (поле "_cp + f.name + ")");
            return t.setDate(field, *d);
        }
        default:
            return t.setText(field, text);
    }
}

int requireField(const Table& t, std::string_view name) { return t.fieldIndex(name); }

Status unknownField(std::string_view name, std::string_view table) {
    return Status::invalid("Поле \""_cp + std::string(name) + "\" не найдено в таблице "_cp + std::string(table));
}

base::Result<int64_t> runInsert(const std::string& folder, Statement& s) {
    auto t = sql::openTable(folder, s.tables[0], OpenMode::Shared);
    if (!t) return t.status();
    Table& table = *t.value();
    std::vector<int> targets;
    if (s.columns.empty()) {
        if (s.values.size() > table.fields().size())
            return Status::invalid("Значений больше, чем полей в таблице "_cp + s.tables[0].name);
        for (std::size_t i = 0; i < s.values.size(); ++i) targets.push_back(int(i));
    } else {
        for (const std::string& c : s.columns) {
            const int f = requireField(table, c);
            if (f < 0) return unknownField(c, s.tables[0].name);
            targets.push_back(f);
        }
    }
    if (Status st = table.append(); !st) return st;
    for (std::size_t i = 0; i < targets.size(); ++i)
        if (Status st = assign(table, targets[i], s.values[i]); !st) {
            table.cancel();
            return st;
        }
    if (Status st = table.post(); !st) return st;
    return int64_t(1);
}

base::Result<int64_t> runUpdate(const std::string& folder, Statement& s, sql::LookupCache* lookups) {
    auto t = sql::openTable(folder, s.tables[0], OpenMode::Shared);
    if (!t) return t.status();
    Table& table = *t.value();
    std::vector<int> targets;
    for (const auto& a : s.sets) {
        const int f = requireField(table, a.column);
        if (f < 0) return unknownField(a.column, s.tables[0].name);
        targets.push_back(f);
    }
    auto rows = matchingRows(table, s.tables[0], s.where.get(), lookups);
    if (!rows) return rows.status();
    int64_t done = 0;
    for (int64_t rec : rows.value()) {
        if (!table.goToRecNo(rec)) continue;
        if (Status st = table.edit(); !st) return st;
        for (std::size_t i = 0; i < targets.size(); ++i)
            if (Status st = assign(table, targets[i], s.sets[i].value); !st) {
                table.cancel();
                return st;
            }
        if (Status st = table.post(); !st) return st;
        ++done;
    }
    return done;
}

base::Result<int64_t> runDelete(const std::string& folder, Statement& s, sql::LookupCache* lookups) {
    auto t = sql::openTable(folder, s.tables[0], OpenMode::Shared);
    if (!t) return t.status();
    Table& table = *t.value();
    auto rows = matchingRows(table, s.tables[0], s.where.get(), lookups);
    if (!rows) return rows.status();
    int64_t done = 0;
    for (int64_t rec : rows.value()) {
        if (!table.goToRecNo(rec)) continue;
        if (Status st = table.deleteRecord(); !st) return st;
        ++done;
    }
    return done;
}

base::Result<int64_t> runCreate(const std::string& folder, Statement& s) {
    const std::string path = sql::tablePath(folder, s.tables[0].name, true);
    if (base::fileExists(path)) return Status::invalid("Таблица "_cp + s.tables[0].name + " уже существует"_cp);
    if (Status st = createTable(path, s.definitions); !st) return st;
    return int64_t(0);
}

}  // namespace

SqlFolder::SqlFolder(std::string folder)
    : folder_(base::withTrailingSeparator(std::move(folder))), lookups_(std::make_shared<sql::LookupCache>()) {}

base::Result<std::unique_ptr<SqlResult>> SqlFolder::query(std::string_view statement,
                                                         const std::vector<SqlParam>& params) {
    auto parsed = sql::parse(statement);
    if (!parsed) return parsed.status();
    Statement& s = parsed.value();
    if (s.kind != Statement::Kind::Select) return Status::invalid("Ожидается запрос SELECT"_cp);
    if (Status st = bindStatementParams(s, params); !st) return st;
    return sql::runSelect(folder_, s, lookups_.get());
}

base::Result<int64_t> SqlFolder::execute(std::string_view statement, const std::vector<SqlParam>& params) {
    auto parsed = sql::parse(statement);
    if (!parsed) return parsed.status();
    Statement& s = parsed.value();
    if (Status st = bindStatementParams(s, params); !st) return st;
    switch (s.kind) {
        case Statement::Kind::Insert: return runInsert(folder_, s);
        case Statement::Kind::Update: return runUpdate(folder_, s, lookups_.get());
        case Statement::Kind::Delete: return runDelete(folder_, s, lookups_.get());
        case Statement::Kind::CreateTable: return runCreate(folder_, s);
        case Statement::Kind::Select: {
            auto r = sql::runSelect(folder_, s, lookups_.get());
            if (!r) return r.status();
            return r.value()->recordCount();
        }
    }
    return Status::invalid("internal: statement kind");
}

}  // namespace db
