#include "conversions.h"

#include <string.h>

#include "characters.h"

// Digits are built right to left; room for 32 binary digits.
static char DigitText[34];

int32_t ParseDecimal(const char* text) {
    while (*text == ' ') ++text;
    bool negative = false;
    if (*text == '-' || *text == '+') negative = *text++ == '-';
    uint32_t value = 0;
    for (; *text >= '0' && *text <= '9'; ++text) value = value * 10u + static_cast<uint32_t>(*text - '0');
    return static_cast<int32_t>(negative ? 0u - value : value);
}

uint32_t ParseColorTriplet(const char* text) {
    enum { kPieceChars = 6 };
    char piece[kPieceChars + 1];
    size_t pieceLength = 0;
    uint32_t red = 0, green = 0;
    int endedPieces = 0;
    // Both bytes of a double-byte character go to the piece: its trail
    // byte may look like the separator but is never one.
    auto keep = [&](const char* character, const char* next) {
        for (; character < next; ++character)
            if (pieceLength < kPieceChars) piece[pieceLength++] = *character;
    };
    if (*text) {
        const char* c = NextCharacter(text);
        keep(text, c);  // the first character is never a separator
        for (; *c; c = NextCharacter(c)) {
            if (*c != '|') {
                keep(c, NextCharacter(c));
                continue;
            }
            piece[pieceLength] = '\0';
            const uint32_t value = static_cast<uint32_t>(ParseDecimal(piece));
            if (endedPieces == 0) red = value;
            if (endedPieces == 1) green = value;
            ++endedPieces;
            pieceLength = 0;
        }
    }
    piece[pieceLength] = '\0';
    const uint32_t blue = static_cast<uint32_t>(ParseDecimal(piece));
    return (red & 0xFF) | (green & 0xFF) << 8 | (blue & 0xFF) << 16;
}

uint32_t ColorFromBytes(int32_t red, int32_t green, int32_t blue) {
    return (static_cast<uint32_t>(red) & 0xFF) | (static_cast<uint32_t>(green) & 0xFF) << 8 |
           (static_cast<uint32_t>(blue) & 0xFF) << 16;
}

char* FormatInteger(int32_t value, char* destination, size_t size, unsigned base) {
    static const char kDigits[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";
    if (size == 0) return destination;
    if (base < 2 || base > 36) base = 10;
    uint32_t magnitude = value < 0 ? 0u - static_cast<uint32_t>(value) : static_cast<uint32_t>(value);
    char* digit = DigitText + sizeof DigitText - 1;
    *digit = '\0';
    do {
        *--digit = kDigits[magnitude % base];
        magnitude /= base;
    } while (magnitude != 0);
    if (value < 0) *--digit = '-';
    const size_t length = static_cast<size_t>(DigitText + sizeof DigitText - 1 - digit);
    const size_t kept = length < size - 1 ? length : size - 1;
    memcpy(destination, digit, kept);
    destination[kept] = '\0';
    return destination;
}

void StartList(ListText& list) {
    list.text[0] = '\0';
    list.length = 0;
    list.full = false;
}

bool AppendListItem(ListText& list, const char* item, bool last) {
    if (list.full) return false;
    const size_t room = kListTextSize - 1 - list.length;
    const size_t length = strlen(item);
    if (length > room) {
        // Keep only whole items: drop the tab that announced this one.
        if (list.length > 0 && list.text[list.length - 1] == '\t') list.text[--list.length] = '\0';
        list.full = true;
        return false;
    }
    memcpy(list.text + list.length, item, length);
    list.length += length;
    if (!last && list.length < kListTextSize - 1) list.text[list.length++] = '\t';
    list.text[list.length] = '\0';
    return true;
}
