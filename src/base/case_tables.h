#pragma once
// The two case conversions of the program, both over cp1251 bytes:
//  - the program's own alphabets: the 32 Russian letters а..я (without ё)
//    and a..z, n-th lower letter <-> n-th upper letter;
//  - the whole code page (ANSIUPPERCASE): every letter that has a pair in
//    cp1251, ё, the Serbian, Macedonian, Ukrainian and Belarusian letters too.
#include <string>
#include <string_view>

namespace base {

char upperProgram(char c);
char lowerProgram(char c);
bool isProgramLetter(char c);
std::string upperProgram(std::string_view s);
std::string lowerProgram(std::string_view s);

char upperAnsi(char c);
char lowerAnsi(char c);
std::string upperAnsi(std::string_view s);
std::string lowerAnsi(std::string_view s);

// Equality ignoring case by the whole code page (names of files and fields).
bool equalsIgnoreCase(std::string_view a, std::string_view b);

}  // namespace base
