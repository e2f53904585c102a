#include "datetime_text.h"

#include <string.h>

#include "../interface/characters.h"
#include "../interface/conversions.h"

namespace {

struct FieldPosition {
    int start;
    int length;
};

// year, month, day, hour, minute, second
const FieldPosition kPositions[6] = {{0, 4}, {5, 2}, {8, 2}, {11, 2}, {14, 2}, {17, 2}};

// How many of a format letter one field takes; 0 for a character that is
// no format letter.
int LettersPerField(char c) {
    switch (c) {
        case 'd': case 'M': case 'y': return 4;
        case 'h': case 'H': case 'm': case 's': case 't': return 2;
        case 'X': return 15;
        default: return 0;
    }
}

}  // namespace

bool ReadDateTimeText(const char* text, DateTimeFields& fields) {
    fields = DateTimeFields{};
    if (ParseDecimal(text) == 0) return false;

    // Positions count characters, so a separator of two bytes (年) keeps
    // the fields after it in place; nothing past the terminator is read.
    char pieces[6][2 * 4 + 1] = {};
    int position = 0;
    for (const char* c = text; *c && position < kDateTimeTextLength; c = NextCharacter(c), ++position) {
        for (int i = 0; i < 6; ++i) {
            const int k = position - kPositions[i].start;
            if (k < 0 || k >= kPositions[i].length) continue;
            char* piece = pieces[i] + strlen(pieces[i]);
            for (const char* byte = c; byte < NextCharacter(c); ++byte) *piece++ = *byte;
        }
    }
    uint16_t value[6];
    for (int i = 0; i < 6; ++i)
        value[i] = static_cast<uint16_t>(static_cast<uint32_t>(ParseDecimal(pieces[i])) & 0xFFFFu);
    fields.year = value[0];
    fields.month = value[1];
    fields.day = value[2];
    fields.hour = value[3];
    fields.minute = value[4];
    fields.second = value[5];
    return true;
}

PickerFormatSize MeasurePickerFormat(const char* format) {
    PickerFormatSize size = {0, 0};
    bool quoted = false;
    char letter = 0;        // of the field being read, 0 in text
    int letters = 0;        // of that letter in the field so far
    bool inText = false;    // the last field is a run of text
    for (const char* c = format; *c; c = NextCharacter(c)) {
        if (*c == '\'') {
            quoted = !quoted;
            continue;
        }
        const int perField = quoted || NextCharacter(c) != c + 1 ? 0 : LettersPerField(*c);
        if (perField == 0) {
            ++size.literalCharacters;
            if (!inText) ++size.fields;
            inText = true;
            letter = 0;
            continue;
        }
        inText = false;
        if (*c != letter || letters == perField) {
            ++size.fields;
            letter = *c;
            letters = 0;
        }
        ++letters;
    }
    return size;
}
