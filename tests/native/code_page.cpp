#include "code_page.h"

#include "../../interface/characters.h"

static unsigned CurrentCodePage = 1252;

void SetCodePage(unsigned codePage) { CurrentCodePage = codePage; }

bool TextsAreUtf8() { return CurrentCodePage == 65001; }

bool IsLeadByte(unsigned char byte) {
    switch (CurrentCodePage) {
        case 932: return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
        case 936:
        case 949:
        case 950: return byte >= 0x81 && byte <= 0xFE;
        default: return false;
    }
}
