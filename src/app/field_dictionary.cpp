#include "app/field_dictionary.h"

#include <algorithm>
#include <cstdlib>

#include "base/case_tables.h"
#include "base/cp_literal.h"
#include "base/file_ops.h"
#include "db/table.h"
#include "db/table_ops.h"
#include "base/text_trim.h"

namespace app {

namespace {

std::string upperTrim(std::string_view s) { return base::upperAnsi(base::trimBlanks(s)); }

std::string* column(DictionaryEntry& e, int i) {
    std::string* cols[] = {&e.fileN, &e.fileC, &e.fileT, &e.fileW, &e.fileV, &e.fileS,
                           &e.fileP, &e.nazn,  &e.base,  &e.vis,   &e.fileCu, &e.fileCe};
    return cols[i];
}
const std::string& column(const DictionaryEntry& e, int i) { return *column(const_cast<DictionaryEntry&>(e), i); }

const int kWidths[] = {10, 50, 1, 3, 3, 11, 20, 1, 15, 1, 50, 50};

}  // namespace

std::string DictionaryEntry::name() const { return base::trimBlanks(fileN); }
bool DictionaryEntry::isCard() const { return upperTrim(base) == "DANN.DBF"; }
bool DictionaryEntry::knownType() const {
    const std::string t = upperTrim(fileT);
    return t == "C" || t == "S" || t == "N" || t == "D" || t == "F";
}
bool DictionaryEntry::inAssignments() const { return base::trimBlanks(nazn) == "*"; }
bool DictionaryEntry::hasPickList() const { return base::upperAnsi(fileS).find(".DBF") != std::string::npos; }
int DictionaryEntry::displayWidth() const {
    const int w = std::atoi(base::trimBlanks(fileV).c_str());
    return w > 0 ? w : 1;
}

const std::vector<std::string>& dictionaryColumns() {
    static const std::vector<std::string> names = {"file_n", "file_c", "file_t", "file_w", "file_v", "file_s",
                                                   "file_p", "nazn",   "base",   "vis",    "file_cu", "file_ce"};
    return names;
}

base::Result<Dictionary> loadDictionary(std::string_view path) {
    auto opened = db::Table::open(path);
    if (!opened) return opened.status();
    db::Table& t = **opened;
    std::vector<int> index;
    for (const auto& c : dictionaryColumns()) index.push_back(t.fieldIndex(c));
    Dictionary d;
    for (t.first(); !t.eof(); t.next()) {
        DictionaryEntry e;
        for (int i = 0; i < 12; ++i)
            if (index[i] >= 0) *column(e, i) = t.text(index[i]);
        d.push_back(std::move(e));
    }
    return d;
}

std::string captionFor(const DictionaryEntry& e, std::string_view language) {
    if (language == "U") return base::trimBlanks(e.fileCu);
    if (language == "E") return base::trimBlanks(e.fileCe);
    return base::trimBlanks(e.fileC);
}

std::vector<GridColumn> gridColumns(const Dictionary& d, std::string_view language) {
    std::vector<GridColumn> out;
    for (const auto& e : d) {
        if (!e.isCard() || !e.knownType() || !e.visible()) continue;
        const std::string t = upperTrim(e.fileT);
        out.push_back({e.name(), captionFor(e, language), e.displayWidth(), t == "N" || t == "F"});
    }
    return out;
}

std::vector<const DictionaryEntry*> cardFields(const Dictionary& d) {
    std::vector<const DictionaryEntry*> out;
    for (const auto& e : d)
        if (e.isCard() && e.knownType()) out.push_back(&e);
    return out;
}

int fotoIndex(const Dictionary& d) {
    for (size_t i = 0; i < d.size(); ++i)
        if (base::equalsIgnoreCase(d[i].name(), "FOTO")) return int(i);
    return -1;
}

std::vector<const DictionaryEntry*> userFields(const Dictionary& d) {
    std::vector<const DictionaryEntry*> out;
    const int foto = fotoIndex(d);
    if (foto < 0) return out;
    for (size_t i = foto + 1; i < d.size() && out.size() < kMaxUserFields; ++i)
        if (d[i].isCard() && d[i].knownType()) out.push_back(&d[i]);
    return out;
}

std::vector<std::string> assignmentCopyFields(const Dictionary& d) {
    std::vector<std::string> out;
    for (const auto& e : d)
        if (e.inAssignments() && !base::equalsIgnoreCase(e.name(), "KOD") && e.knownType()) out.push_back(e.name());
    return out;
}

std::vector<std::pair<std::string, std::string>> newCardDefaults(const Dictionary& d, base::Date firstOfMonth) {
    std::vector<std::pair<std::string, std::string>> out;
    for (const auto* e : cardFields(d)) {
        if (upperTrim(e->fileT) == "D") out.emplace_back(e->name(), firstOfMonth.text());
        if (!base::trimBlanks(e->fileP).empty()) out.emplace_back(e->name(), base::trimBlanks(e->fileP));
    }
    return out;
}

Dictionary reorderedForLayout(const Dictionary& d, const std::vector<ColumnLayout>& grid) {
    const int foto = fotoIndex(d);
    Dictionary out;
    auto taken = [&](const std::string& name) {
        return std::any_of(out.begin(), out.end(),
                           [&](const DictionaryEntry& e) { return e.isCard() && base::equalsIgnoreCase(e.name(), name); });
    };
    for (const auto& col : grid) {
        for (size_t i = 0; i < d.size(); ++i) {
            if (!base::equalsIgnoreCase(d[i].name(), col.field)) continue;
            if (int(i) <= foto && !taken(col.field)) {
                DictionaryEntry e = d[i];
                e.fileV = std::to_string(col.width);
                out.push_back(std::move(e));
            }
            break;
        }
    }
    size_t i = 0;
    for (; i < d.size() && d[i].isCard(); ++i)
        if (!taken(d[i].name())) out.push_back(d[i]);
    // A card row placed in front of FOTO behind a row of another base was
    // moved already: copying it again would double the field.
    for (; i < d.size(); ++i)
        if (!(d[i].isCard() && taken(d[i].name()))) out.push_back(d[i]);
    return out;
}

base::Status writeDictionary(std::string_view path, const Dictionary& d) {
    db::FieldList fields;
    for (int i = 0; i < 12; ++i)
        fields.push_back({base::upperAnsi(dictionaryColumns()[i]), db::FieldType::Character, kWidths[i], 0});
    if (auto st = db::createTable(path, fields); !st) return st;
    auto opened = db::Table::open(path, db::OpenMode::Exclusive);
    if (!opened) return opened.status();
    db::Table& t = **opened;
    for (const auto& e : d) {
        if (auto st = t.append(); !st) return st;
        for (int i = 0; i < 12; ++i) {
            std::string v = column(e, i).substr(0, kWidths[i]);
            if (auto st = t.setText(i, v); !st) return st;
        }
        if (auto st = t.post(); !st) return st;
    }
    return t.close();
}

base::Status saveColumnLayout(const std::string& workFolder, const std::string& dataFolder,
                              const std::vector<ColumnLayout>& atOpening, const std::vector<ColumnLayout>& now,
                              ui::Messages& messages) {
    if (atOpening == now) return base::Status::ok();
    const std::string target = dataFolder + "DANN_SK.DBF";
    Dictionary rows;
    {
        auto locked = db::Table::open(target, db::OpenMode::Exclusive);
        if (!locked) {
            messages.soob(" Не удается сохранить размеры колонок "_cp, " База структуры блокирована"_cp);
            return locked.status();
        }
        (*locked)->close();
        auto loaded = loadDictionary(target);
        if (!loaded) return loaded.status();
        rows = std::move(*loaded);
    }
    const std::string work = workFolder + "DANN_K.DBF";
    if (auto st = writeDictionary(work, reorderedForLayout(rows, now)); !st) return st;
    auto st = db::replaceTable(target, work);
    if (!st && st.code() == base::Status::Code::Busy)
        messages.soob(" Не удается сохранить размеры колонок "_cp, " База структуры блокирована"_cp);
    db::deleteTable(work);
    return st;
}

}  // namespace app
