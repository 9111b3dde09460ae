#pragma once
// Field values: from the raw bytes of a record slot to the program's text
// forms (see cursor.h) and back. Encoders write exactly `length` bytes and
// refuse a value that does not fit; nothing is cut silently.
#include <optional>
#include <string>
#include <string_view>

#include "base/date.h"
#include "base/status.h"
#include "db/field.h"

namespace db {

// Reading. Memo fields are not handled here (they live in the memo file).
std::string fieldText(const FieldDef& f, std::string_view raw);
std::optional<double> fieldNumber(const FieldDef& f, std::string_view raw);
base::Date fieldDate(const FieldDef& f, std::string_view raw);
bool fieldIsBlank(const FieldDef& f, std::string_view raw);
// The stored text trimmed on both sides (the dump form of N and F).
std::string_view trimmedRaw(std::string_view raw);

// Writing into `out` (f.length bytes).
base::Status encodeText(const FieldDef& f, std::string_view text, char* out);
base::Status encodeNumber(const FieldDef& f, double value, char* out);
base::Status encodeDate(const FieldDef& f, base::Date value, char* out);
void encodeBlank(const FieldDef& f, char* out);

// Code page 866 <-> 1251 for tables whose language driver says 866.
void decode866(char* data, std::size_t n);
void encode866(char* data, std::size_t n);

// "Значение не помещается в поле NAME".
base::Status doesNotFit(const FieldDef& f);

}  // namespace db
