#include "db/sql_parser.h"

#include "base/case_tables.h"
#include "base/cp_literal.h"
#include "db/expr_lexer.h"
#include "db/expr_parser.h"

namespace db::sql {
namespace {

using expr::Tok;
using expr::Token;
using base::Status;

constexpr int kIntegerWidth = 11;  // holds every 32-bit whole number with its sign

bool isClauseWord(const Token& t) {
    for (std::string_view w : {"WHERE", "ORDER", "FROM", "SET", "VALUES", "AS", "BY", "ASC", "DESC", "AND", "OR"})
        if (expr::isKeyword(t, w)) return true;
    return false;
}

class SqlParser {
public:
    explicit SqlParser(const std::vector<Token>& tokens) : p_(tokens) {}

    base::Result<Statement> statement();

private:
    const Token& peek(std::size_t k = 0) const { return p_.peek(k); }
    const Token& take() { return p_.take(); }
    bool accept(std::string_view w) { return p_.acceptKeyword(w); }
    Status expect(std::string_view w) {
        if (accept(w)) return Status::ok();
        return expr::syntaxError(peek(), w);
    }
    Status expectTok(Tok k, std::string_view what) {
        if (peek().kind != k) return expr::syntaxError(peek(), what);
        take();
        return Status::ok();
    }

    base::Result<TableRef> tableName();
    base::Result<std::string> columnName(std::string* qualifier);
    Status select(Statement& s);
    Status insert(Statement& s);
    Status update(Statement& s);
    Status remove(Statement& s);
    Status create(Statement& s);
    Status where(Statement& s);
    Status columnType(FieldDef& f);
    base::Result<int> integerArg();

    expr::Parser p_;
};

base::Result<TableRef> SqlParser::tableName() {
    TableRef t;
    const Token& first = peek();
    t.pos = first.pos;
    if (first.kind == Tok::String) {
        t.name = std::string(take().text);
    } else if (first.kind == Tok::Ident || first.kind == Tok::Number) {
        if (first.kind == Tok::Ident && isClauseWord(first)) return expr::syntaxError(first, "имя таблицы"_cp);
        t.name = std::string(take().text);
        // PRI_2026.DBF: the dot and extension stick to the name
        while (peek().kind == Tok::Dot && (peek(1).kind == Tok::Ident || peek(1).kind == Tok::Number) &&
               peek(1).pos == peek().pos + 1) {
            take();
            t.name += "." + std::string(take().text);
        }
        // 2026.DBF tokenized as the number "2026." then DBF
        if (!t.name.empty() && t.name.back() == '.' && peek().kind == Tok::Ident) t.name += std::string(take().text);
    } else {
        return expr::syntaxError(first, "имя таблицы"_cp);
    }
    if (t.name.empty()) return expr::syntaxError(first, "имя таблицы"_cp);
    return t;
}

base::Result<std::string> SqlParser::columnName(std::string* qualifier) {
    const Token& t = peek();
    if (t.kind != Tok::Ident || isClauseWord(t)) return expr::syntaxError(t, "имя поля"_cp);
    take();
    if (qualifier && peek().kind == Tok::Dot && peek(1).kind == Tok::Ident) {
        take();
        *qualifier = std::string(t.text);
        return std::string(take().text);
    }
    return std::string(t.text);
}

Status SqlParser::where(Statement& s) {
    if (!accept("WHERE")) return Status::ok();
    auto cond = p_.parseCondition();
    if (!cond) return cond.status();
    s.where = std::move(cond.value());
    return Status::ok();
}

Status SqlParser::select(Statement& s) {
    s.kind = Statement::Kind::Select;
    do {
        SelectItem item;
        item.pos = peek().pos;
        if (peek().kind == Tok::Star) {
            take();
            item.kind = SelectItem::Kind::AllColumns;
        } else if (peek().kind == Tok::Ident && peek(1).kind == Tok::Dot && peek(2).kind == Tok::Star) {
            item.kind = SelectItem::Kind::TableColumns;
            item.qualifier = std::string(take().text);
            take();
            take();
        } else {
            item.kind = SelectItem::Kind::Column;
            auto name = columnName(&item.qualifier);
            if (!name) return name.status();
            item.name = name.value();
            if (accept("AS")) {
                auto alias = columnName(nullptr);
                if (!alias) return alias.status();
                item.alias = alias.value();
            }
        }
        s.items.push_back(std::move(item));
    } while (peek().kind == Tok::Comma && (take(), true));
    if (Status st = expect("FROM"); !st) return st;
    do {
        auto t = tableName();
        if (!t) return t.status();
        if (accept("AS")) {
            auto alias = columnName(nullptr);
            if (!alias) return alias.status();
            t.value().alias = alias.value();
        } else if (peek().kind == Tok::Ident && !isClauseWord(peek())) {
            t.value().alias = std::string(take().text);
        }
        s.tables.push_back(std::move(t.value()));
    } while (peek().kind == Tok::Comma && (take(), true));
    if (Status st = where(s); !st) return st;
    if (accept("ORDER")) {
        if (Status st = expect("BY"); !st) return st;
        // "ORDER BY " with nothing after it keeps the natural order.
        while (peek().kind == Tok::Ident) {
            OrderItem o;
            o.pos = peek().pos;
            auto name = columnName(&o.qualifier);
            if (!name) return name.status();
            o.name = name.value();
            if (accept("DESC")) o.descending = true;
            else accept("ASC");
            s.order.push_back(std::move(o));
            if (peek().kind != Tok::Comma) break;
            take();
            if (peek().kind != Tok::Ident) return expr::syntaxError(peek(), "имя поля"_cp);
        }
    }
    return Status::ok();
}

Status SqlParser::insert(Statement& s) {
    s.kind = Statement::Kind::Insert;
    if (Status st = expect("INTO"); !st) return st;
    auto t = tableName();
    if (!t) return t.status();
    s.tables.push_back(std::move(t.value()));
    if (peek().kind == Tok::LParen) {
        take();
        do {
            auto name = columnName(nullptr);
            if (!name) return name.status();
            s.columns.push_back(name.value());
        } while (peek().kind == Tok::Comma && (take(), true));
        if (Status st = expectTok(Tok::RParen, "\")\""); !st) return st;
    }
    if (Status st = expect("VALUES"); !st) return st;
    if (Status st = expectTok(Tok::LParen, "\"(\""); !st) return st;
    do {
        auto v = p_.parseOperand();
        if (!v) return v.status();
        s.values.push_back(std::move(v.value()));
    } while (peek().kind == Tok::Comma && (take(), true));
    if (Status st = expectTok(Tok::RParen, "\")\""); !st) return st;
    if (!s.columns.empty() && s.columns.size() != s.values.size())
        return Status::invalid("Число значений не совпадает с числом полей в INSERT"_cp);
    return Status::ok();
}

Status SqlParser::update(Statement& s) {
    s.kind = Statement::Kind::Update;
    auto t = tableName();
    if (!t) return t.status();
    s.tables.push_back(std::move(t.value()));
    if (Status st = expect("SET"); !st) return st;
    do {
        Assignment a;
        a.pos = peek().pos;
        auto name = columnName(nullptr);
        if (!name) return name.status();
        a.column = name.value();
        if (peek().kind != Tok::Compare || peek().text != "=") return expr::syntaxError(peek(), "\"=\"");
        take();
        auto v = p_.parseOperand();
        if (!v) return v.status();
        a.value = std::move(v.value());
        s.sets.push_back(std::move(a));
    } while (peek().kind == Tok::Comma && (take(), true));
    return where(s);
}

Status SqlParser::remove(Statement& s) {
    s.kind = Statement::Kind::Delete;
    if (Status st = expect("FROM"); !st) return st;
    auto t = tableName();
    if (!t) return t.status();
    s.tables.push_back(std::move(t.value()));
    return where(s);
}

base::Result<int> SqlParser::integerArg() {
    const Token& t = peek();
    if (t.kind != Tok::Number || t.text.find('.') != std::string_view::npos || t.text.size() > 4)
        return expr::syntaxError(t, "целое число"_cp);
    take();
    return std::stoi(std::string(t.text));
}

Status SqlParser::columnType(FieldDef& f) {
    const Token& t = peek();
    if (t.kind != Tok::Ident) return expr::syntaxError(t, "тип поля"_cp);
    take();
    auto upper = base::upperAnsi(t.text);
    auto args = [&](int& a, int* b) -> Status {
        if (peek().kind != Tok::LParen) return expr::syntaxError(peek(), "\"(\"");
        take();
        auto n = integerArg();
        if (!n) return n.status();
        a = n.value();
        if (b && peek().kind == Tok::Comma) {
            take();
            auto m = integerArg();
            if (!m) return m.status();
            *b = m.value();
        }
        return expectTok(Tok::RParen, "\")\"");
    };
    if (upper == "INTEGER" || upper == "INT" || upper == "SMALLINT") {
        f.type = FieldType::Numeric;
        f.length = kIntegerWidth;
        f.decimals = 0;
        return Status::ok();
    }
    if (upper == "CHARACTER" || upper == "CHAR" || upper == "VARCHAR") {
        f.type = FieldType::Character;
        f.length = 1;
        if (peek().kind == Tok::LParen) return args(f.length, nullptr);
        return Status::ok();
    }
    if (upper == "DATE") {
        f.type = FieldType::Date;
        f.length = 8;
        return Status::ok();
    }
    if (upper == "FLOAT" || upper == "NUMERIC" || upper == "DECIMAL" || upper == "NUMBER") {
        f.type = FieldType::Numeric;
        f.length = 12;
        f.decimals = 2;
        if (peek().kind == Tok::LParen) {
            f.decimals = 0;
            return args(f.length, &f.decimals);
        }
        return Status::ok();
    }
    if (upper == "BOOLEAN" || upper == "LOGICAL") {
        f.type = FieldType::Logical;
        f.length = 1;
        return Status::ok();
    }
    if (upper == "MEMO" || upper == "BLOB" || upper == "TEXT") {
        f.type = FieldType::Memo;
        f.length = 10;
        return Status::ok();
    }
    return expr::syntaxError(t, "тип поля"_cp);
}

Status SqlParser::create(Statement& s) {
    s.kind = Statement::Kind::CreateTable;
    if (Status st = expect("TABLE"); !st) return st;
    auto t = tableName();
    if (!t) return t.status();
    s.tables.push_back(std::move(t.value()));
    if (Status st = expectTok(Tok::LParen, "\"(\""); !st) return st;
    do {
        FieldDef f;
        auto name = columnName(nullptr);
        if (!name) return name.status();
        f.name = base::upperAnsi(name.value());
        if (Status st = columnType(f); !st) return st;
        s.definitions.push_back(std::move(f));
    } while (peek().kind == Tok::Comma && (take(), true));
    return expectTok(Tok::RParen, "\")\"");
}

base::Result<Statement> SqlParser::statement() {
    Statement s;
    Status st;
    if (accept("SELECT")) st = select(s);
    else if (accept("INSERT")) st = insert(s);
    else if (accept("UPDATE")) st = update(s);
    else if (accept("DELETE")) st = remove(s);
    else if (accept("CREATE")) st = create(s);
    else return expr::syntaxError(peek(), "SELECT, INSERT, UPDATE, DELETE или CREATE TABLE"_cp);
    if (!st) return st;
    if (peek().kind == Tok::Semicolon) take();
    if (!p_.atEnd()) return expr::syntaxError(peek());
    s.positionalParams = p_.paramCount();
    return s;
}

}  // namespace

base::Result<Statement> parse(std::string_view text) {
    auto tokens = expr::tokenize(text);
    if (!tokens) return tokens.status();
    SqlParser parser(tokens.value());
    return parser.statement();
}

}  // namespace db::sql
