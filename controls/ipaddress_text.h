// Dotted address texts of the IP address control. Platform-neutral: built
// and tested natively as well as in the extender.
#pragma once
#include <stdint.h>

// Reads a dotted address into the control's packed value (first field in
// the top byte). Fields are decimal (ParseDecimal), packed without masking
// so that a field above 255 carries into the field on its left. The text
// after the last dot is always the fourth field; with fewer than three dots
// the fields between stay 0 ("10.1" is 10.0.0.1), and the texts between the
// third and the last dot are dropped ("1.2.3.4.5" is 1.2.3.5). The first
// character belongs to the first field even when it is a dot. A field of
// any length is read whole ("0010" is 10), wrapping like ParseDecimal.
uint32_t PackAddressText(const char* text);

// The packed value as "a.b.c.d" (at most 15 characters and the terminator;
// size 16 suffices). Returns destination.
constexpr int kAddressTextSize = 16;
char* FormatAddressText(uint32_t packed, char* destination, int size);
