#pragma once
// Internal character codes of the script engine. Quotes of the script text
// become kQuote before statements are analysed; normalisation turns the
// operator characters outside literals into the codes below, so a literal
// can hold any of them as plain text.
#include <string>
#include <string_view>

namespace script {

inline constexpr char kQuote = '\x15';

inline constexpr char kPlus = '\x01';
inline constexpr char kMinus = '\x02';
inline constexpr char kTimes = '\x03';
inline constexpr char kSlash = '\x04';
inline constexpr char kCaret = '\x05';
inline constexpr char kOpen = '\x06';
inline constexpr char kClose = '\x07';
inline constexpr char kLBracket = '\x08';
inline constexpr char kRBracket = '\x1C';
inline constexpr char kComma = '\x0B';
inline constexpr char kColon = '\x0F';
inline constexpr char kEquals = '\x10';
inline constexpr char kGreater = '\x11';
inline constexpr char kLess = '\x12';
inline constexpr char kBlank = '\x13';

inline bool isArithmeticCode(char c) { return c >= kPlus && c <= kCaret; }

// A value or token as the user sees it: the internal quote back to "'" and
// the operator codes back to their characters.
std::string shown(std::string_view internal);

// "'" -> kQuote, for texts that enter the engine from outside a script file.
std::string toInternalQuotes(std::string_view text);

std::string_view trimSpaces(std::string_view s);

}  // namespace script
