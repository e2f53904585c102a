#include "ipaddress_text.h"

#include "../interface/conversions.h"

uint32_t PackAddressText(const char* text) {
    uint32_t field[4] = {0, 0, 0, 0};
    if (*text) {
        // Each field is read where it starts: ParseDecimal stops at the dot
        // that ends it, so no field text is copied and none can overflow.
        const char* fieldStart = text;
        int dots = 0;
        for (const char* p = text + 1; *p; ++p) {
            if (*p != '.') continue;
            if (dots < 3) field[dots] = static_cast<uint32_t>(ParseDecimal(fieldStart));
            ++dots;
            fieldStart = p + 1;
        }
        field[3] = static_cast<uint32_t>(ParseDecimal(fieldStart));
    }
    return ((field[0] * 256u + field[1]) * 256u + field[2]) * 256u + field[3];
}

char* FormatAddressText(uint32_t packed, char* destination, int size) {
    // Written by hand: four numbers of at most three digits need no printf.
    char text[kAddressTextSize];
    int length = 0;
    for (int shift = 24; shift >= 0; shift -= 8) {
        const unsigned value = (packed >> shift) & 0xFFu;
        if (value >= 100) text[length++] = static_cast<char>('0' + value / 100);
        if (value >= 10) text[length++] = static_cast<char>('0' + value / 10 % 10);
        text[length++] = static_cast<char>('0' + value % 10);
        if (shift) text[length++] = '.';
    }
    text[length] = 0;
    if (size <= 0) return destination;
    int i = 0;
    for (; i < size - 1 && text[i]; ++i) destination[i] = text[i];
    destination[i] = 0;
    return destination;
}
