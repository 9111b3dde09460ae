#pragma once
// The built-in tables: their CREATE TABLE field lists and default rows as
// the local-SQL statements that make them. Pure text; bootstrap.h runs them.
#include <string>
#include <vector>

namespace app {

struct BuiltinTable {
    std::string name;                  // "TAB.DBF"
    std::string fieldList;             // "tab CHARACTER(3), ..."
    std::vector<std::string> inserts;  // default rows, in order
};

// "CREATE TABLE "<name>" (" + fieldList + ")"
std::string createStatement(const std::string& name, const std::string& fieldList);

const BuiltinTable& simTable();      // SIM.DBF, working folder
const BuiltinTable& prazTable();     // PRAZ.DBF
const BuiltinTable& dannSkTable();   // DANN_SK.DBF with its 52 rows
const BuiltinTable& kodIndTable();   // KOD_IND.DBF with its counter row
const BuiltinTable& otchetkTable();  // OTCHETK.DBF
const BuiltinTable& tabTable();      // TAB.DBF with its 15 rows
const BuiltinTable& telKnTable();    // TEL_KN.DBF
const BuiltinTable& tabFilTable();   // TAB_FIL.DBF, working folder
const BuiltinTable& errorTable();    // ERROR.DBF, working folder

// One row of the field dictionary as far as table creation reads it.
struct DictionaryRow {
    std::string fileN, fileT, fileW, nazn, base;
};

enum class DictionaryTarget { Dann, Nazn };

// The field list of DANN.DBF (rows whose base is "DANN.DBF") or of NAZN.DBF
// (rows marked "*" in nazn, then "osn CHARACTER(10), Data1 DATE"). Rows of
// an unknown type letter contribute nothing.
std::string dictionaryFieldList(const std::vector<DictionaryRow>& rows, DictionaryTarget target);

// The 52 built-in dictionary rows (as DictionaryRow, for tests and tools).
std::vector<DictionaryRow> builtinDictionaryRows();

}  // namespace app
