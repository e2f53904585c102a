// The date-time picker's value text, "yyyy:MM:dd:HH:mm:ss". Platform-neutral:
// built and tested natively as well as in the extender.
#pragma once
#include <stdint.h>

// The members of a SYSTEMTIME, in its order.
struct DateTimeFields {
    uint16_t year;
    uint16_t month;
    uint16_t dayOfWeek;
    uint16_t day;
    uint16_t hour;
    uint16_t minute;
    uint16_t second;
    uint16_t milliseconds;
};

// Reads a value text by fixed character positions (characters of the ANSI
// code page, one or two bytes each): year 0-3, month 5-6,
// day 8-9, hour 11-12, minute 14-15, second 17-18; the characters between
// are skipped whatever they are and anything from position 19 on is
// ignored. A field cut short by the end of the text uses what exists; an
// empty one reads 0. Each field keeps the low 16 bits of its ParseDecimal
// value; day of week and milliseconds are 0 (the picker works out the day).
// Returns false, leaving fields all zero, when the whole text read as one
// decimal number is 0: an empty text, one that does not start with a
// number, or year 0. That means "no date".
bool ReadDateTimeText(const char* text, DateTimeFields& fields);

// Length of the value text and its buffer.
constexpr int kDateTimeTextLength = 19;

// What a display format asks of a picker that splits it as Wine's does:
// its fields, each a run of one format letter (d, M and y up to 4 in a
// field, h, H, m, s and t up to 2, X up to 15) or a run of other text, and
// the characters of that other text. Quotes only switch quoting, and are
// not counted; between them every character is text. Counted in whole
// characters of the ANSI code page, as the picker, which reads the format
// as wide text, counts them.
struct PickerFormatSize {
    int fields;
    int literalCharacters;
};
PickerFormatSize MeasurePickerFormat(const char* format);
