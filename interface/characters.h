// Texts are ANSI in the user's code page, where a character may take two
// bytes: a lead byte and a trail byte that can look like "\" (0x5C), "|"
// (0x7C) or "~" (0x7E). Whatever searches, splits or cuts a text steps
// through it by characters, never by bytes. Platform-neutral: on Windows
// IsLeadByte asks the system about its ANSI code page; native builds link
// a code page of their choosing (tests/native/code_page.h).
#pragma once
#include <stddef.h>

// Whether byte begins a two-byte character in the ANSI code page.
bool IsLeadByte(unsigned char byte);

// The character after the one at c; a lead byte before the terminator
// counts as a character of its own, so the terminator is never passed.
inline const char* NextCharacter(const char* c) {
    return IsLeadByte(static_cast<unsigned char>(*c)) && c[1] ? c + 2 : c + 1;
}
inline char* NextCharacter(char* c) { return const_cast<char*>(NextCharacter(static_cast<const char*>(c))); }

// Bytes of text's longest start of whole characters within limit bytes
// (the whole text when it is shorter): a cut there splits no character.
size_t WholeCharacterLength(const char* text, size_t limit);

// Copies the whole characters of source that fit in size - 1 bytes into
// destination, and the terminator; nothing when size is 0.
void CopyWholeCharacters(char* destination, const char* source, size_t size);

// Ends text before a lead byte left without its trail byte at the end, as
// a byte-wise cut leaves one.
void DropSplitCharacter(char* text);

// Last "\\" or "/" of a path, a character of its own (never the second
// byte of a double-byte character); null if none.
char* FindLastPathSeparator(char* text);
