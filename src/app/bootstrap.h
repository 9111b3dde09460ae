#pragma once
// Creating the missing built-in tables and refreshing the working-folder
// copies of reference tables (CopBas).
#include <functional>
#include <string>

#include "app/catalogue.h"
#include "base/status.h"
#include "ui/messages.h"

namespace app {

// The two folders of a run, as stored paths ending with a separator
// ("" for the working folder means the current folder).
struct Folders {
    std::string work;
    std::string data;
};

// Creates `table` in `folder` with its default rows when `folder` + name is
// missing. An existing table is left as it is, whatever its structure.
base::Status createIfMissing(const std::string& folder, const BuiltinTable& table);

// Refreshes the working-folder copy of data-folder table `name`: copies it
// over (a missing source leaves the copy as it was), then packs the copy.
// A busy copy shows "Ошибка" / "База занята" and is left as it is.
void CopBas(const Folders& folders, const std::string& name, ui::Messages& messages);

// Builds DANN.DBF or NAZN.DBF from the dictionary when it is missing:
// CopBas DANN_SK.DBF, read the copy, CREATE TABLE in the data folder.
base::Status createFromDictionary(const Folders& folders, DictionaryTarget target, ui::Messages& messages);

// The fixed bootstrap order of start-up; `seniority` runs right after
// DANN.DBF. The first failing CREATE or INSERT stops it.
base::Status runBootstrap(const Folders& folders, ui::Messages& messages, const std::function<void()>& seniority);

}  // namespace app
