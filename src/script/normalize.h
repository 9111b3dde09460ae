#pragma once
// Normalisation of a statement into its token text: operators outside
// literals become internal codes set apart by spaces, blanks outside
// literals vanish, everything outside literals is upper case.
#include <string>
#include <string_view>

namespace script {

std::string normalize(std::string_view statement);

}  // namespace script
