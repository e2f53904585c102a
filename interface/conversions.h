// Conversions between script arguments and texts. Platform-neutral: they
// build and are tested natively as well as in the extender.
#pragma once
#include <stddef.h>
#include <stdint.h>

// Blanks, one optional sign, digits; wraps silently; no digits reads 0.
int32_t ParseDecimal(const char* text);

// "red|green|blue" to a COLORREF (0x00BBGGRR), split at "|" characters
// only, never at a trail byte that looks like one. The last piece is
// always blue; a piece keeps at most its first 6 bytes.
uint32_t ParseColorTriplet(const char* text);

// COLORREF from three integers, the low byte of each.
uint32_t ColorFromBytes(int32_t red, int32_t green, int32_t blue);

// Writes value in base 2..36 into destination (at most size - 1
// characters, always terminated) and returns destination.
char* FormatInteger(int32_t value, char* destination, size_t size, unsigned base);

// Longest decimal text of a 32-bit value with its terminator.
constexpr size_t kDecimalTextSize = 12;

// A tab-joined list of item texts: a tab after every item but the last.
// A list that would overflow stops after the last whole item that fits.
constexpr size_t kListTextSize = 40960;
struct ListText {
    char text[kListTextSize];
    size_t length;
    bool full;
};

void StartList(ListText& list);
// Appends item and, unless last, a tab; false once the list is full.
bool AppendListItem(ListText& list, const char* item, bool last);
