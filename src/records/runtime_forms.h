#pragma once
// The card's side of the exchange with run-time forms: the caller writes
// doc_buf (working folder), the form opens modally, reads it and, when
// confirmed, leaves its values in doc_frm. The run-time forms subsystem
// implements RuntimeForms; tests use a stand-in that writes a given doc_frm.
#include <array>
#include <string>

#include "records/records_context.h"

namespace records {

using FormFiles = std::array<std::string, 4>;  // layout, filling, processing, navigation

class RuntimeForms {
public:
    virtual ~RuntimeForms() = default;
    // Opens the form modally; returns when it is closed.
    virtual void open(const std::string& title, const FormFiles& files) = 0;
};

// The form sets of the card ("uvol1.frm" ... "uvol4.frm" for "uvol").
FormFiles formFiles(const std::string& stem);

// Writes doc_buf (when `buffer` is not empty), removes a stale doc_frm, opens
// the form and returns what it left in doc_frm ("" when not confirmed);
// doc_frm is deleted afterwards.
std::string exchangeWithForm(const RecordsContext& ctx, RuntimeForms& forms, const std::string& title,
                             const FormFiles& files, const std::string& buffer);

}  // namespace records
