#pragma once
// The field dictionary DANN_SK.DBF: one row per field of the employee card,
// and what every window reads from it (grid columns, captions, new-card
// defaults, assignment fields, user fields, the print table's fields), plus
// the column-layout save of the card file.
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "base/date.h"
#include "base/status.h"
#include "db/field.h"
#include "ui/messages.h"

namespace app {

struct DictionaryEntry {
    std::string fileN, fileC, fileT, fileW, fileV, fileS, fileP, nazn, base, vis, fileCu, fileCe;

    std::string name() const;  // file_n trimmed
    bool isCard() const;       // base "DANN.DBF"
    bool knownType() const;    // "C", "S", "N", "D" or "F"
    bool visible() const { return vis.find_first_not_of(' ') != std::string::npos; }
    bool inAssignments() const;
    bool hasPickList() const;  // file_s names a ".DBF" table
    int displayWidth() const;  // file_v; "0" or empty gives 1
};

using Dictionary = std::vector<DictionaryEntry>;

// The twelve columns in table order (as named in DANN_SK.DBF).
const std::vector<std::string>& dictionaryColumns();

base::Result<Dictionary> loadDictionary(std::string_view path);

// Caption of an entry in the interface language ("", "U" or "E"); the Uzbek
// and English captions replace the Russian one even when they are empty.
std::string captionFor(const DictionaryEntry& e, std::string_view language);

struct GridColumn {
    std::string field;
    std::string title;
    int width = 1;
    bool rightAligned = false;  // "N" and "F"
};
// One column per card entry with vis set and a known type, in dictionary order.
std::vector<GridColumn> gridColumns(const Dictionary& d, std::string_view language);

// Card entries of a known type, in dictionary order (DANN.DBF's fields).
std::vector<const DictionaryEntry*> cardFields(const Dictionary& d);
// Index of the "FOTO" entry, or -1.
int fotoIndex(const Dictionary& d);
// The user's own card fields: card entries after "FOTO", at most 25.
std::vector<const DictionaryEntry*> userFields(const Dictionary& d);
inline constexpr int kMaxUserFields = 25;
// Fields a new assignment row copies from the card (nazn "*" except KOD).
std::vector<std::string> assignmentCopyFields(const Dictionary& d);

// Values of a newly hired card: every "D" field set to the first day of the
// accounting month, then every non-empty file_p (later wins).
std::vector<std::pair<std::string, std::string>> newCardDefaults(const Dictionary& d, base::Date firstOfMonth);

// The column layout of the card file grid: field and width per column.
struct ColumnLayout {
    std::string field;
    int width = 0;
    friend bool operator==(const ColumnLayout&, const ColumnLayout&) = default;
};

// The dictionary rewritten for a new grid layout: the built-in visible
// columns (rows up to and including FOTO) in the grid's display order with
// their widths, then the remaining card rows in their order, then every row
// of another base.
Dictionary reorderedForLayout(const Dictionary& d, const std::vector<ColumnLayout>& grid);

// Saves the grid layout into the data folder's dictionary when it differs
// from the layout at opening. The dictionary is opened exclusively; when
// that fails the message window " Не удается сохранить размеры колонок " /
// " База структуры блокирована" is shown and nothing is written.
base::Status saveColumnLayout(const std::string& workFolder, const std::string& dataFolder,
                              const std::vector<ColumnLayout>& atOpening, const std::vector<ColumnLayout>& now,
                              ui::Messages& messages);

// Writes `d` as a fresh table at `path` with the dictionary's structure.
base::Status writeDictionary(std::string_view path, const Dictionary& d);

}  // namespace app
