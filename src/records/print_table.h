#pragma once
// The card file's print and export table DANN_C.DBF (working folder): the
// dictionary's card fields, the rows of the current list in list order,
// each row's Nom set to its position; and the print column list.
#include <string>
#include <vector>

#include "app/field_dictionary.h"
#include "base/status.h"
#include "db/cursor.h"
#include "records/records_context.h"

namespace records {

struct PrintColumn {
    std::string field, caption;
    int width = 1;
};

// Rebuilds DANN_C.DBF from every row of `list` (first to last).
base::Status buildPrintTable(const RecordsContext& ctx, const app::Dictionary& d, db::Cursor& list);
std::vector<PrintColumn> printColumns(const app::Dictionary& d);

}  // namespace records
