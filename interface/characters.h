// Texts are ANSI in the user's code page, where a character may take more
// than one byte: in a double-byte code page a lead byte and a trail byte
// that can look like "\" (0x5C), "|" (0x7C) or "~" (0x7E); in UTF-8
// (65001) two to four bytes. Whatever searches, splits or cuts a text
// steps through it by characters, never by bytes. Platform-neutral: on
// Windows the code page is the process's, read once; native builds link
// a code page of their choosing (tests/native/code_page.h).
#pragma once
#include <stddef.h>
#include <stdint.h>

// Whether the ANSI code page is UTF-8. It does not change while a process
// runs, so it is asked once.
bool TextsAreUtf8();

// Whether byte begins a two-byte character of a double-byte code page
// (never in UTF-8 or a single-byte code page).
bool IsLeadByte(unsigned char byte);

// Bytes of the character at c, within the available bytes from c (at
// least 1). A lead byte whose sequence is cut, malformed or ended by a
// terminator counts as a character of its own, so no character reaches
// past a terminator or past the available bytes.
size_t CharacterSize(const char* c, size_t available);
inline size_t CharacterSize(const char* c) { return CharacterSize(c, SIZE_MAX); }

// The character after the one at c; the terminator is never passed.
inline const char* NextCharacter(const char* c) { return c + CharacterSize(c); }
inline char* NextCharacter(char* c) { return const_cast<char*>(NextCharacter(static_cast<const char*>(c))); }

// Whether the bytes from c to the terminator begin a character that the
// terminator cuts short, as a byte-wise cut leaves one.
bool IsCutCharacter(const char* c);

// Bytes of text's longest start of whole characters within limit bytes
// (the whole text when it is shorter): a cut there splits no character.
size_t WholeCharacterLength(const char* text, size_t limit);

// Copies the whole characters of source that fit in size - 1 bytes into
// destination, and the terminator; nothing when size is 0.
void CopyWholeCharacters(char* destination, const char* source, size_t size);

// Ends text before a character cut short at its end.
void DropSplitCharacter(char* text);

// Last "\\" or "/" of a path, a character of its own (never a byte inside
// a longer character); null if none.
char* FindLastPathSeparator(char* text);
