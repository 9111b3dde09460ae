#pragma once
// The parsed form of one local-SQL statement.
#include <string>
#include <vector>

#include "db/expr_tree.h"
#include "db/field.h"

namespace db::sql {

struct TableRef {
    std::string name;   // as written, quotes removed ("DANN.DBF", "SPOLS")
    std::string alias;  // empty when none
    int pos = 0;
};

struct SelectItem {
    enum class Kind { AllColumns, TableColumns, Column };  // *, X.*, [X.]NAME
    Kind kind = Kind::AllColumns;
    std::string qualifier, name, alias;
    int pos = 0;
};

struct OrderItem {
    std::string qualifier, name;
    bool descending = false;
    int pos = 0;
};

struct Assignment {
    std::string column;
    expr::Operand value;
    int pos = 0;
};

struct Statement {
    enum class Kind { Select, Insert, Update, Delete, CreateTable };
    Kind kind = Kind::Select;
    std::vector<TableRef> tables;       // FROM list; INTO / UPDATE / DELETE / CREATE target first
    std::vector<SelectItem> items;      // SELECT
    expr::NodePtr where;                // SELECT, UPDATE, DELETE (null: every row)
    std::vector<OrderItem> order;       // SELECT
    std::vector<std::string> columns;   // INSERT column list (empty: all, in table order)
    std::vector<expr::Operand> values;  // INSERT values
    std::vector<Assignment> sets;       // UPDATE
    FieldList definitions;              // CREATE TABLE
    int positionalParams = 0;           // number of "?" in the text
};

}  // namespace db::sql
