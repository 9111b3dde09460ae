#pragma once
// The personal card's one-row working copy DANN.DBF in the working folder:
// built from a card of the data folder before the card opens, written back
// into the data folder when the card closes.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "app/field_dictionary.h"
#include "base/status.h"
#include "db/table.h"
#include "records/records_context.h"

namespace records {

// Refused when the working folder is the data folder: the copy would
// replace the real table.
bool workingFolderIsDataFolder(const RecordsContext& ctx);

// Creates the working copy (FoxPro variant) with the dictionary's card
// fields, in dictionary order, typed as in the data folder's DANN.DBF, and
// copies card `code` into its one row.
base::Status makeWorkingCopy(const RecordsContext& ctx, const app::Dictionary& d, int64_t code);
base::Result<std::unique_ptr<db::Table>> openWorkingCopy(const RecordsContext& ctx);

// Writes the user-field values into the copy: blanks are removed only from
// the values of number fields ("N", "F"); text keeps its blanks.
base::Status storeUserFields(db::Cursor& copy, const app::Dictionary& d, const std::vector<std::string>& values);

// Copies every field of the working copy into the data folder's card of the
// same code. Nothing on a view-only workstation, nothing when the card is gone.
base::Status writeBack(const RecordsContext& ctx);

}  // namespace records
