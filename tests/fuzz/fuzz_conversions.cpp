// Feeds arbitrary texts to the decimal and colour readers and arbitrary
// values to the integer writer.
#include <stdint.h>
#include <string.h>

#include <string>

#include "../../interface/conversions.h"
#include "../native/code_page.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // The last byte picks the code page: double-byte ones lead the way.
    static const unsigned kCodePages[] = {932, 936, 949, 1252};
    SetCodePage(kCodePages[size ? data[size - 1] % 4 : 3]);
    const std::string text(reinterpret_cast<const char*>(data), size);
    ParseDecimal(text.c_str());
    ParseColorTriplet(text.c_str());
    if (size >= 5) {
        int32_t value;
        memcpy(&value, data, 4);
        char digits[40];
        FormatInteger(value, digits, 1 + data[4] % sizeof digits, 2 + data[4] % 35);
    }
    return 0;
}
