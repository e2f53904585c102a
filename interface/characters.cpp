#include "characters.h"

#include <string.h>

#ifdef _WIN32
#include <windows.h>

bool TextsAreUtf8() {
    static const bool utf8 = GetACP() == CP_UTF8;
    return utf8;
}

bool IsLeadByte(unsigned char byte) { return IsDBCSLeadByte(byte) != FALSE; }
#endif

namespace {

bool IsContinuation(unsigned char byte) { return byte >= 0x80 && byte <= 0xBF; }

// A UTF-8 sequence of well-formed bytes (no overlong forms, surrogates or
// values past U+10FFFF) from its lead byte: how many bytes it needs, and
// the range of the byte after the lead, which is narrower for some leads.
struct Utf8Lead {
    size_t size;  // 0: no lead byte
    unsigned char secondLow, secondHigh;
};

Utf8Lead Utf8LeadOf(unsigned char lead) {
    if (lead >= 0xC2 && lead <= 0xDF) return {2, 0x80, 0xBF};
    if (lead == 0xE0) return {3, 0xA0, 0xBF};
    if (lead == 0xED) return {3, 0x80, 0x9F};
    if (lead >= 0xE1 && lead <= 0xEF) return {3, 0x80, 0xBF};
    if (lead == 0xF0) return {4, 0x90, 0xBF};
    if (lead >= 0xF1 && lead <= 0xF3) return {4, 0x80, 0xBF};
    if (lead == 0xF4) return {4, 0x80, 0x8F};
    return {0, 0, 0};
}

// How many bytes from c, within available, continue a well-formed start
// of the sequence that c's lead byte opens (the lead byte included).
size_t Utf8Matched(const unsigned char* c, size_t available, const Utf8Lead& lead) {
    size_t matched = 1;
    while (matched < lead.size && matched < available) {
        const unsigned char byte = c[matched];
        const bool fits = matched == 1 ? byte >= lead.secondLow && byte <= lead.secondHigh : IsContinuation(byte);
        if (!fits) break;
        ++matched;
    }
    return matched;
}

}  // namespace

size_t CharacterSize(const char* c, size_t available) {
    const unsigned char lead = static_cast<unsigned char>(*c);
    if (lead < 0x80 || available < 2) return 1;
    if (!TextsAreUtf8()) return IsLeadByte(lead) && c[1] ? 2 : 1;
    const Utf8Lead sequence = Utf8LeadOf(lead);
    if (sequence.size == 0) return 1;
    const size_t matched = Utf8Matched(reinterpret_cast<const unsigned char*>(c), available, sequence);
    return matched == sequence.size ? matched : 1;
}

bool IsCutCharacter(const char* c) {
    const unsigned char lead = static_cast<unsigned char>(*c);
    if (lead < 0x80) return false;
    if (!TextsAreUtf8()) return IsLeadByte(lead) && !c[1];
    const Utf8Lead sequence = Utf8LeadOf(lead);
    if (sequence.size == 0) return false;
    const size_t matched = Utf8Matched(reinterpret_cast<const unsigned char*>(c), SIZE_MAX, sequence);
    return matched < sequence.size && !c[matched];
}

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
    for (char* c = text; *c; c = NextCharacter(c)) {
        if (IsCutCharacter(c)) {
            *c = '\0';
            return;
        }
    }
}
