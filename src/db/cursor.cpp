#include "db/cursor.h"

#include "base/case_tables.h"
#include "base/cp_literal.h"

namespace db {

int Cursor::fieldIndex(std::string_view name) const {
    const FieldList& list = fields();
    for (std::size_t i = 0; i < list.size(); ++i)
        if (base::equalsIgnoreCase(list[i].name, name)) return int(i);
    return -1;
}

void Cursor::moveBy(int n) {
    for (; n > 0 && !eof(); --n) next();
    for (; n < 0 && !bof(); ++n) prior();
}

std::string Cursor::text(std::string_view name) const {
    const int i = fieldIndex(name);
    return i < 0 ? std::string() : text(i);
}

base::Status Cursor::setText(std::string_view name, std::string_view value) {
    const int i = fieldIndex(name);
    if (i < 0) return base::Status::invalid("Нет поля "_cp + std::string(name));
    return setText(i, value);
}

}  // namespace db
