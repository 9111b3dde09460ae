#pragma once
// Field descriptors of a dBase table.
#include <string>
#include <vector>

namespace db {

enum class FieldType : char {
    Character = 'C',
    Numeric = 'N',
    Float = 'F',
    Date = 'D',
    Logical = 'L',
    Memo = 'M',
    Integer = 'I',  // read only (Visual FoxPro); we write INTEGER as N
};

struct FieldDef {
    std::string name;  // upper-case ASCII as stored; compared without regard to case
    FieldType type = FieldType::Character;
    int length = 0;
    int decimals = 0;
};

using FieldList = std::vector<FieldDef>;

}  // namespace db
