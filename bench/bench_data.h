#pragma once
// Generator of a benchmark data folder: DANN.DBF with the card's full field
// list (the default field dictionary) and NAZN.DBF with assignment rows, plus
// the same rows for SQLite.
#include <functional>
#include <string>
#include <vector>

namespace bench {

// One generated row: values in the program's text forms, in field order.
using Row = std::vector<std::string>;

struct Column {
    std::string name;
    std::string sqlType;  // as in CREATE TABLE: INTEGER, CHARACTER(n), DATE, FLOAT(12,2)
};

const std::vector<Column>& dannColumns();
const std::vector<Column>& naznColumns();

// Deterministic rows (same seed, same data).
Row makeCard(int kod);
Row makeAssignment(int index, int cards);

// "CREATE TABLE "NAME" (KOD INTEGER, ...)"
std::string createStatement(const std::string& table, const std::vector<Column>& columns);

}  // namespace bench
