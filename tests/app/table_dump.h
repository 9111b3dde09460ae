#pragma once
// Rows of a table as "a|b|c" lines (C trimmed), for comparing with the expected rows.
#include <string>
#include <vector>

#include "base/cp1251.h"
#include "db/table.h"

namespace testing_support {

inline std::vector<std::string> tableRows(const std::string& path) {
    std::vector<std::string> rows;
    auto t = db::Table::open(path);
    if (!t) return {"<" + t.status().message() + ">"};
    for ((*t)->first(); !(*t)->eof(); (*t)->next()) {
        std::string row;
        for (std::size_t i = 0; i < (*t)->fields().size(); ++i) row += (i ? "|" : "") + (*t)->text(int(i));
        rows.push_back(base::cp1251ToUtf8(row));
    }
    return rows;
}

inline std::string fieldNames(const std::string& path) {
    auto t = db::Table::open(path);
    if (!t) return "<" + t.status().message() + ">";
    std::string out;
    for (const auto& f : (*t)->fields())
        out += (out.empty() ? "" : " ") + f.name + ":" + char(f.type) + std::to_string(f.length);
    return out;
}

}  // namespace testing_support
