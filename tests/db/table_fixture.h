#pragma once
// Small helpers for the table engine tests: create a table, fill rows given
// as texts, read a column back.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/cp_literal.h"
#include "db/table.h"
#include "db/table_ops.h"
#include "support/temp_folder.h"

namespace testing_support {

inline db::FieldDef field(const char* name, db::FieldType type, int length, int decimals = 0) {
    return db::FieldDef{name, type, length, decimals};
}

// FIO C(20), KOD N(6), DR D, SUM N(10,2).
inline db::FieldList peopleFields() {
    return {field("FIO", db::FieldType::Character, 20), field("KOD", db::FieldType::Numeric, 6),
            field("DR", db::FieldType::Date, 8), field("SUM", db::FieldType::Numeric, 10, 2)};
}

inline std::unique_ptr<db::Table> openTable(const std::string& path, db::OpenMode mode = db::OpenMode::Shared) {
    auto t = db::Table::open(path, mode);
    EXPECT_TRUE(t.isOk()) << t.status().message();
    return t.isOk() ? std::move(*t) : nullptr;
}

// Appends one record per row; each row gives the fields' texts in order.
inline void appendRows(db::Table& t, const std::vector<std::vector<std::string>>& rows) {
    for (const auto& row : rows) {
        ASSERT_TRUE(t.append().isOk());
        for (std::size_t i = 0; i < row.size(); ++i) {
            base::Status s = t.setText(int(i), row[i]);
            ASSERT_TRUE(s.isOk()) << s.message();
        }
        base::Status s = t.post();
        ASSERT_TRUE(s.isOk()) << s.message();
    }
}

inline std::string makeTable(const TempFolder& dir, const std::string& name, const db::FieldList& fields,
                             const std::vector<std::vector<std::string>>& rows = {}) {
    const std::string path = dir.file(name);
    base::Status s = db::createTable(path, fields);
    EXPECT_TRUE(s.isOk()) << s.message();
    if (!rows.empty()) {
        auto t = openTable(path);
        if (t) appendRows(*t, rows);
    }
    return path;
}

// The texts of one field over the cursor, from first() to eof().
inline std::vector<std::string> column(db::Cursor& c, const std::string& name) {
    std::vector<std::string> out;
    for (c.first(); !c.eof() && !c.isEmpty(); c.next()) out.push_back(c.text(name));
    return out;
}

}  // namespace testing_support
