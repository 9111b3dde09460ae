#pragma once
// The parameter buffers handed to and from run-time forms: lines
// "#" + name + "." + property + ".|" + value + "|", each ended by CR LF.
// doc_buf describes a record (value, type and size of every field); doc_frm
// holds the values a confirmed form leaves, applied back to a record.
#include <string>
#include <string_view>
#include <vector>

#include "base/status.h"
#include "db/cursor.h"

namespace records {

struct BufferEntry {
    std::string name;      // field name
    std::string property;  // "ЗНАЧЕНИЕ", "ТИП", "РАЗМЕР"
    std::string value;
};

// One line: "#NAME.PROPERTY.|value|" + CR LF.
std::string bufferLine(const std::string& name, const std::string& property, const std::string& value);
// The value entry of a field, the common case.
std::string valueLine(const std::string& name, const std::string& value);

// doc_buf for the current record: per field its value, its type letter
// (F decimal, I whole, D date, C text) and, for text, its size.
std::string describeRecord(const db::Cursor& record);

std::vector<BufferEntry> parseBuffer(std::string_view text);

// Applies every value entry to the current record of `record`, posting
// after each: an empty number is 0, whole numbers take the digits in front
// of a ".", dates are read as dates, text is cut to the field's width.
// Entries naming no field of the record are skipped.
base::Status applyBuffer(db::Cursor& record, std::string_view text);

}  // namespace records
