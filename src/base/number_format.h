#pragma once
// The one number formatter of the program: general format with up to 15
// significant digits, "." as separator, no grouping; trailing zeros and a
// needless point are dropped; the exponent form ("1E20", "1.5E-6") only when
// the integer part has more than 15 digits or the magnitude is below 0.00001.
#include <optional>
#include <string>
#include <string_view>

namespace base {

std::string formatNumber(double value);

// Reads a number written with "." (leading/trailing blanks allowed, optional
// sign, optional exponent). nullopt when the text is not a whole number.
std::optional<double> parseNumber(std::string_view text);

}  // namespace base
