// The script's tokens, a line at a time. The lexer walks the script's bytes
// by characters of the ANSI code page: a trail byte (ソ is 83 5C) is never
// a quote, an escape or a line end.
#pragma once
#include <stdint.h>

#include <string>
#include <vector>

namespace script {

enum class TokenKind : uint8_t { Number, Text, Name, Punct, LineEnd };

struct Token {
    TokenKind kind;
    uint64_t magnitude;  // Number: its value without sign, above 0xFFFFFFFF when it has too many digits
    bool hex;            // Number: written 0x...
    std::string text;    // a text's contents, a name, the punctuation, or the number as written
};

struct Lexer {
    const char* at;
    const char* end;
    int line;  // of the character at `at`, from 1
};

Lexer StartLexer(const std::string& source);
inline bool AtEnd(const Lexer& lexer) { return lexer.at >= lexer.end; }

// The tokens of the line at the lexer, then LineEnd; the lexer moves past
// the line's end. False with error (of line lexer.line) when the line
// holds something that is no token.
bool ReadLine(Lexer& lexer, std::vector<Token>& tokens, std::string& error);

// Bytes of the character at `at`, whole before end and on its line; 1 for
// a byte that begins no whole character there.
size_t CharacterSize(const char* at, const char* end);

}  // namespace script
