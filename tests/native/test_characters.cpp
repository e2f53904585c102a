// Stepping through ANSI texts by characters, natively, in the code pages
// whose trail bytes look like "\" and "|".
#include <string>

#include "../../interface/characters.h"
#include "../check.h"
#include "code_page.h"

// In 932: ソ is 83 5C, ポ 83 7C, ア 83 41.
static const char kSo[] = "\x83\x5C", kPo[] = "\x83\x7C", kA[] = "\x83\x41";

static void Cuts() {
    SetCodePage(932);
    const std::string text = std::string("ab") + kSo + kPo;  // 6 bytes
    CHECK_EQ(WholeCharacterLength(text.c_str(), 6), 6);
    CHECK_EQ(WholeCharacterLength(text.c_str(), 100), 6);
    CHECK_EQ(WholeCharacterLength(text.c_str(), 5), 4);  // not inside ポ
    CHECK_EQ(WholeCharacterLength(text.c_str(), 3), 2);  // not inside ソ
    CHECK_EQ(WholeCharacterLength(text.c_str(), 0), 0);
    std::string many;
    for (int i = 0; i < 600; ++i) many += kA;
    CHECK_EQ(WholeCharacterLength(many.c_str(), 1023), 1022);

    char copy[6];
    CopyWholeCharacters(copy, text.c_str(), sizeof copy);  // 5 bytes of room
    CHECK_EQ(std::string(copy), std::string("ab") + kSo);
    CopyWholeCharacters(copy, "abcdefgh", sizeof copy);
    CHECK_EQ(std::string(copy), "abcde");

    char split[] = "ab\x83";
    DropSplitCharacter(split);
    CHECK_EQ(std::string(split), "ab");
    char whole[] = "ab\x83\x5C";
    DropSplitCharacter(whole);
    CHECK_EQ(std::string(whole), std::string("ab") + kSo);

    // A trail byte that reads as "\\" separates no folder.
    char path[] = "a\\b\x83\x5C";
    CHECK_EQ(FindLastPathSeparator(path) - path, 1);

    // Single-byte code pages cut where they always did.
    SetCodePage(1252);
    CHECK_EQ(WholeCharacterLength(text.c_str(), 5), 5);
    char high[] = "ab\x83";
    DropSplitCharacter(high);
    CHECK_EQ(std::string(high), "ab\x83");
}

int main() {
    check::Group("cuts", Cuts);
    return check::Finish();
}
