#include "datetime_text.h"

#include "../interface/conversions.h"

namespace {

struct FieldPosition {
    int start;
    int length;
};

// year, month, day, hour, minute, second
const FieldPosition kPositions[6] = {{0, 4}, {5, 2}, {8, 2}, {11, 2}, {14, 2}, {17, 2}};

}  // namespace

bool ReadDateTimeText(const char* text, DateTimeFields& fields) {
    fields = DateTimeFields{};
    if (ParseDecimal(text) == 0) return false;

    // Walk the text once so that nothing past its terminator is read.
    int available = 0;
    while (available < kDateTimeTextLength && text[available]) ++available;

    uint16_t value[6];
    for (int i = 0; i < 6; ++i) {
        char piece[5] = {0, 0, 0, 0, 0};
        for (int k = 0; k < kPositions[i].length && kPositions[i].start + k < available; ++k)
            piece[k] = text[kPositions[i].start + k];
        value[i] = static_cast<uint16_t>(static_cast<uint32_t>(ParseDecimal(piece)) & 0xFFFFu);
    }
    fields.year = value[0];
    fields.month = value[1];
    fields.day = value[2];
    fields.hour = value[3];
    fields.minute = value[4];
    fields.second = value[5];
    return true;
}
