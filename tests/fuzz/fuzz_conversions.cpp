// Feeds arbitrary texts, in single- and double-byte code pages and in
// UTF-8, to the decimal and colour readers and to the cuts on character
// boundaries, and arbitrary values to the integer writer.
#include <stdint.h>
#include <string.h>

#include <string>

#include "../../interface/characters.h"
#include "../../interface/conversions.h"
#include "../native/code_page.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // The last byte picks the code page: multibyte ones lead the way.
    static const unsigned kCodePages[] = {932, 936, 949, 65001, 1252};
    SetCodePage(kCodePages[size ? data[size - 1] % 5 : 4]);
    const std::string text(reinterpret_cast<const char*>(data), size);
    ParseDecimal(text.c_str());
    ParseColorTriplet(text.c_str());

    // A cut keeps whole characters within its limit; a copy fits its buffer.
    const size_t limit = size ? data[0] % 40 : 0;
    const size_t kept = WholeCharacterLength(text.c_str(), limit);
    if (kept > limit || kept > strlen(text.c_str())) __builtin_trap();
    const char* c = text.c_str();
    while (static_cast<size_t>(c - text.c_str()) < kept) c = NextCharacter(c);
    if (static_cast<size_t>(c - text.c_str()) != kept) __builtin_trap();  // on a boundary
    // No character reaches past the terminator or the bytes available.
    for (const char* d = text.c_str(); *d; d = NextCharacter(d)) {
        const size_t left = strlen(d), step = CharacterSize(d, left);
        if (step > left || step < 1) __builtin_trap();
    }
    std::string copy(limit + 1, 'x');
    CopyWholeCharacters(&copy[0], text.c_str(), limit + 1);
    if (strlen(copy.c_str()) != kept) __builtin_trap();
    DropSplitCharacter(&copy[0]);
    if (size >= 5) {
        int32_t value;
        memcpy(&value, data, 4);
        char digits[40];
        FormatInteger(value, digits, 1 + data[4] % sizeof digits, 2 + data[4] % 35);
    }
    return 0;
}
