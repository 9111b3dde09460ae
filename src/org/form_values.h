#pragma once
// The exchange of a record with a run-time form: doc_buf describes the
// record ("#NAME.ЗНАЧЕНИЕ.|value|", its type "#NAME.ТИП.|F|" / I / D / C and,
// for text, "#NAME.РАЗМЕР.|width|", every line ended by CR LF); doc_frm
// brings back "#NAME.ЗНАЧЕНИЕ.|value|" entries to store.
#include <string>
#include <string_view>
#include <vector>

#include "base/status.h"
#include "db/cursor.h"

namespace org {

std::string describeForForm(const db::Cursor& record);

struct FormValue {
    std::string field;
    std::string value;
};

// The "ЗНАЧЕНИЕ." entries of a doc_frm text, in order.
std::vector<FormValue> formValues(std::string_view text);

// Stores the doc_frm values into the current record, typed by field: an
// empty number is 0; a whole number takes the part before the first "."; a
// decimal number reads "." or "," as the separator; a date is dd.mm.yyyy;
// text is stored unchanged. Entries naming no field are skipped. A value
// that is not of its field's type, or does not fit it, fails the whole
// store: nothing is posted and the message names the field.
base::Status applyFormValues(db::Cursor& record, std::string_view text);

}  // namespace org
