// Feeds arbitrary texts, short ones above all, to the fixed-position
// date-time reader and to the display format's measure; each is copied to
// an exact-size buffer so that a read past the terminator shows.
#include <stdint.h>
#include <stdlib.h>
#include <string.h>

#include "../../controls/datetime_text.h"
#include "../native/code_page.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // The last byte picks the code page: double-byte ones lead the way.
    static const unsigned kCodePages[] = {932, 936, 949, 1252};
    SetCodePage(kCodePages[size ? data[size - 1] % 4 : 3]);
    char* text = static_cast<char*>(malloc(size + 1));
    memcpy(text, data, size);
    text[size] = 0;
    DateTimeFields fields;
    const bool date = ReadDateTimeText(text, fields);
    if (fields.dayOfWeek != 0 || fields.milliseconds != 0) __builtin_trap();
    if (!date && (fields.year | fields.month | fields.day | fields.hour | fields.minute | fields.second))
        __builtin_trap();
    // Each character is at most one field and one character of text.
    const PickerFormatSize format = MeasurePickerFormat(text);
    if (format.fields < 0 || format.literalCharacters < 0 || static_cast<size_t>(format.fields) > strlen(text) ||
        static_cast<size_t>(format.literalCharacters) > strlen(text))
        __builtin_trap();
    free(text);
    return 0;
}
