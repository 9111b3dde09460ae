#pragma once
// The tokenizer shared by filter expressions and local SQL. Texts are
// cp1251; a token keeps a view into the source and its 1-based position.
#include <string>
#include <string_view>
#include <vector>

#include "base/status.h"

namespace db::expr {

enum class Tok {
    End,
    Ident,    // KOD, D, PRI_2026, and, SELECT (keywords are idents)
    String,   // "..." or '...' (text without the quotes)
    Number,   // 12, 12.5, 01.02.2024 (digits and dots as written)
    Param,    // :name (text = name) or ? (text empty)
    Compare,  // = <> != < > <= >=
    LParen,
    RParen,
    Comma,
    Dot,
    Star,
    Plus,
    Minus,
    Semicolon,
};

struct Token {
    Tok kind = Tok::End;
    std::string_view text;
    int pos = 0;     // 1-based byte (= character) position in the source
    char quote = 0;  // '"' or '\'' for strings
};

// Splits the whole text; an unterminated string or a stray character is an
// error with its position.
base::Result<std::vector<Token>> tokenize(std::string_view source);

// The syntax error message: position and the token met there.
base::Status syntaxError(const Token& at, std::string_view expected = {});

// Case-insensitive keyword test for an identifier token.
bool isKeyword(const Token& t, std::string_view upperWord);

}  // namespace db::expr
