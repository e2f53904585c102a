#include "characters.h"

#include <string.h>

#ifdef _WIN32
#include <windows.h>

bool IsLeadByte(unsigned char byte) { return IsDBCSLeadByte(byte) != FALSE; }
#endif

size_t WholeCharacterLength(const char* text, size_t limit) {
    const size_t length = strnlen(text, limit + 1);
    if (length <= limit) return length;  // the whole text fits
    // A cut at limit bytes: the last character boundary up to it.
    const char* c = text;
    for (const char* next = NextCharacter(c); static_cast<size_t>(next - text) <= limit; next = NextCharacter(c))
        c = next;
    return static_cast<size_t>(c - text);
}

void CopyWholeCharacters(char* destination, const char* source, size_t size) {
    if (size == 0) return;
    const size_t length = WholeCharacterLength(source, size - 1);
    memmove(destination, source, length);
    destination[length] = '\0';
}

char* FindLastPathSeparator(char* text) {
    char* last = nullptr;
    for (char* c = text; *c; c = NextCharacter(c))
        if (*c == '\\' || *c == '/') last = c;
    return last;
}

void DropSplitCharacter(char* text) {
    char* c = text;
    while (*c) {
        char* next = NextCharacter(c);
        if (next == c + 1 && IsLeadByte(static_cast<unsigned char>(*c))) {
            *c = '\0';  // a lead byte right before the terminator
            return;
        }
        c = next;
    }
}
