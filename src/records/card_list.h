#pragma once
// The card file's list logic: the view's condition and order, the caption
// texts, the incremental and continued search, the exact filter, the
// sort field and the photo path of a card.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "base/status.h"
#include "db/field.h"

namespace records {

struct CardListView {
    std::string view = "ka";  // "ka", "kao", "kag", "arx"
    std::string deptCode, groupCode, deptNames;
};

// A text literal for a filter expression: quoted with ' or ", whichever the
// value lacks; nullopt when it holds both (it cannot be written as a literal).
std::optional<std::string> filterLiteral(std::string_view value);

// The record filter of the view ("METKA <> 'A'" ...).
std::string viewCondition(const CardListView& v);
// The caption after opening, with n rows.
std::string listCaption(const CardListView& v, int64_t n);
// The caption after a removal or an archive move (the second set of texts).
std::string captionAfterRemoval(const CardListView& v, int64_t n);
// Caption on a record change: the caption up to and including "чел." and
// one more character, "    Т№ " + lk + "   " + fio, then the old caption's
// part from its first "|".
std::string recordCaption(const std::string& caption, const std::string& lk, const std::string& fio);

// The sort field: "FIO" when empty or when DANN.DBF lacks it.
std::string sortFieldFor(const std::string& stored, const db::FieldList& dannFields);

// The exact filter condition on a field and its value; nullopt when the
// value cannot be written (both quote characters).
std::optional<std::string> exactCondition(const db::FieldDef& field, const std::string& value);
// "(" + c + ")" the first time, "(" + old + ") and (" + c + ")" later.
std::string addCondition(const std::string& exact, const std::string& condition);
// The list filter: view condition, exact filter and dialog filter joined.
std::string listFilter(const CardListView& v, const std::string& exact, const std::string& dialog);

// Incremental search over rows [0, count): the first row from `from` on
// whose value (trimmed, upper-cased) contains `text`, and starts with it
// when `fromStart`. nullopt when none.
std::optional<int64_t> findRow(int64_t from, int64_t count, const std::string& text, bool fromStart,
                               const std::function<std::string(int64_t)>& valueAt);
inline constexpr size_t kMaxSearchText = 50;

// "Строка "" + text + "" не найдена " and the continued form.
std::string notFoundText(const std::string& text, bool continued);

// Data folder + "FOTO/" + name, or "FOTO/EMPTY.BMP" when the name is blank.
std::string photoPath(const std::string& dataFolder, const std::string& foto);
// The FOTO value for a file chosen under data folder + "FOTO/": its path
// after "FOTO/"; a name longer than the field is refused (it would point at
// another file once cut); a missing file or one that is no picture gives
// "EMPTY.BMP".
base::Result<std::string> photoValueFor(const std::string& dataFolder, const std::string& chosenPath,
                                        int fieldWidth);

}  // namespace records
