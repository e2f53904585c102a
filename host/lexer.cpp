#include "lexer.h"

#include <stdio.h>

#include "../interface/characters.h"
#include "script.h"

namespace script {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsHexDigit(char c) { return IsDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }
bool IsNameStart(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_'; }
bool IsNameChar(char c) { return IsNameStart(c) || IsDigit(c); }

// A line ends at "\n", at "\r\n" and at the end of the script.
bool AtLineEnd(const char* at, const char* end) {
    return at >= end || *at == '\n' || (*at == '\r' && (at + 1 >= end || at[1] == '\n'));
}

// One character for a message: "character 'a'", "character 'ソ'", or
// "byte 0x00" for a control byte.
std::string ShowCharacter(const char* at, const char* end) {
    const size_t size = CharacterSize(at, end);
    const unsigned char byte = static_cast<unsigned char>(*at);
    if (size == 1 && (byte < 0x20 || byte == 0x7F)) {
        char text[16];
        snprintf(text, sizeof text, "byte 0x%02X", byte);
        return text;
    }
    return "character '" + std::string(at, size) + "'";
}

// An integer literal: decimal or 0x hexadecimal. Its range depends on its
// sign, which the parser knows; leading zeros do not count.
bool ReadNumber(Lexer& lexer, Token& token, std::string& error) {
    const char* start = lexer.at;
    while (lexer.at < lexer.end && IsNameChar(*lexer.at)) ++lexer.at;
    const std::string word(start, lexer.at);
    const bool hex = word.size() > 2 && word[0] == '0' && (word[1] == 'x' || word[1] == 'X');
    size_t first = hex ? 2 : 0;
    bool digits = first < word.size();
    for (size_t k = first; k < word.size(); ++k) digits = digits && (hex ? IsHexDigit(word[k]) : IsDigit(word[k]));
    if (!digits) {
        error = "bad number " + word;
        return false;
    }
    while (first + 1 < word.size() && word[first] == '0') ++first;
    uint64_t magnitude = 0;
    if (word.size() - first > (hex ? 8u : 10u)) {
        magnitude = UINT64_MAX;
    } else {
        for (size_t k = first; k < word.size(); ++k) {
            const char c = word[k];
            const unsigned digit = IsDigit(c) ? c - '0' : (c | 0x20) - 'a' + 10;
            magnitude = magnitude * (hex ? 16 : 10) + digit;
        }
    }
    token = Token{TokenKind::Number, magnitude, hex, word};
    return true;
}

// A text in double quotes, with \" \\ \t \n. Its bytes are the code page's
// characters as the file holds them.
bool ReadText(Lexer& lexer, Token& token, std::string& error) {
    std::string text;
    ++lexer.at;  // the opening quote
    for (;;) {
        if (AtLineEnd(lexer.at, lexer.end)) {
            error = "unterminated string";
            return false;
        }
        const size_t size = CharacterSize(lexer.at, lexer.end);
        if (size > 1) {
            text.append(lexer.at, size);
            lexer.at += size;
            continue;
        }
        char c = *lexer.at++;
        if (c == '"') break;
        if (c == '\0') {
            error = "unexpected byte 0x00 in a text";
            return false;
        }
        if (c == '\\') {
            if (AtLineEnd(lexer.at, lexer.end)) {
                error = "unterminated string";
                return false;
            }
            switch (*lexer.at) {
                case '"': c = '"'; break;
                case '\\': c = '\\'; break;
                case 't': c = '\t'; break;
                case 'n': c = '\n'; break;
                default: {
                    const std::string shown(lexer.at, CharacterSize(lexer.at, lexer.end));
                    error = shown == std::string(1, '\0') ? "unexpected byte 0x00 in a text" : "unknown escape \\" + shown;
                    return false;
                }
            }
            ++lexer.at;
        }
        text += c;
    }
    if (text.size() > kMaxTextLength) {
        error = "text longer than " + std::to_string(kMaxTextLength) + " bytes";
        return false;
    }
    token = Token{TokenKind::Text, 0, false, std::move(text)};
    return true;
}

// Punctuation and operators, the two-character ones first.
const char* const kPunctuation[] = {"<=", ">=", "<>", "(", ")", ",", "=", "+", "-", "*", "/", "<", ">"};

}  // namespace

size_t CharacterSize(const char* at, const char* end) {
    const size_t size = ::CharacterSize(at, static_cast<size_t>(end - at));
    // A line end is never the second byte of a character.
    return size == 2 && (at[1] == '\n' || at[1] == '\r') ? 1 : size;
}

Lexer StartLexer(const std::string& source) { return Lexer{source.data(), source.data() + source.size(), 1}; }

bool ReadLine(Lexer& lexer, std::vector<Token>& tokens, std::string& error) {
    tokens.clear();
    bool comment = false;
    while (!AtLineEnd(lexer.at, lexer.end)) {
        const char c = *lexer.at;
        if (comment || c == ' ' || c == '\t' || c == '\r') {
            lexer.at += CharacterSize(lexer.at, lexer.end);
            continue;
        }
        Token token;
        if (c == '#') {
            comment = true;  // to the line's end
            continue;
        } else if (c == '"') {
            if (!ReadText(lexer, token, error)) return false;
        } else if (IsDigit(c)) {
            if (!ReadNumber(lexer, token, error)) return false;
        } else if (IsNameStart(c)) {
            const char* start = lexer.at;
            while (lexer.at < lexer.end && IsNameChar(*lexer.at)) ++lexer.at;
            token = Token{TokenKind::Name, 0, false, std::string(start, lexer.at)};
        } else {
            const char* punctuation = nullptr;
            for (const char* candidate : kPunctuation) {
                const size_t size = candidate[1] ? 2 : 1;
                if (static_cast<size_t>(lexer.end - lexer.at) >= size && lexer.at[0] == candidate[0] &&
                    (size == 1 || lexer.at[1] == candidate[1])) {
                    punctuation = candidate;
                    break;
                }
            }
            if (!punctuation) {
                error = "unexpected " + ShowCharacter(lexer.at, lexer.end);
                return false;
            }
            token = Token{TokenKind::Punct, 0, false, punctuation};
            lexer.at += token.text.size();
        }
        tokens.push_back(std::move(token));
    }
    tokens.push_back(Token{TokenKind::LineEnd, 0, false, ""});
    // Past the line end: "\r\n" or "\n".
    if (lexer.at < lexer.end && *lexer.at == '\r') ++lexer.at;
    if (lexer.at < lexer.end && *lexer.at == '\n') ++lexer.at;
    ++lexer.line;
    return true;
}

}  // namespace script
