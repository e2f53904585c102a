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

// In UTF-8: あ (E3 81 82), · (C2 B7), U+1F600 (F0 9F 98 80).
static const char kHiragana[] = "\xE3\x81\x82", kDot[] = "\xC2\xB7", kSmile[] = "\xF0\x9F\x98\x80";

static void Utf8() {
    SetCodePage(65001);
    CHECK(TextsAreUtf8());
    CHECK_EQ(CharacterSize(kDot), 2);
    CHECK_EQ(CharacterSize(kHiragana), 3);
    CHECK_EQ(CharacterSize(kSmile), 4);
    CHECK_EQ(CharacterSize(kSmile, 3), 1);  // cut by the bytes available
    // Malformed sequences go a byte at a time and never pass a terminator.
    CHECK_EQ(CharacterSize("\xE3\x81"), 1);   // cut by the terminator
    CHECK_EQ(CharacterSize("\xE3\x41\x82"), 1);
    CHECK_EQ(CharacterSize("\xC0\x80"), 1);   // overlong
    CHECK_EQ(CharacterSize("\xE0\x80\x80"), 1);
    CHECK_EQ(CharacterSize("\xED\xA0\x80"), 1);  // a surrogate
    CHECK_EQ(CharacterSize("\xF4\x90\x80\x80"), 1);  // past U+10FFFF
    CHECK_EQ(CharacterSize("\x82\x82"), 1);   // a continuation byte alone
    CHECK_EQ(CharacterSize("\xF8\x88\x80\x80\x80"), 1);

    const std::string text = std::string("x") + kHiragana + kSmile + kDot;  // 1 + 3 + 4 + 2 bytes
    CHECK_EQ(WholeCharacterLength(text.c_str(), 3), 1);
    CHECK_EQ(WholeCharacterLength(text.c_str(), 4), 4);
    CHECK_EQ(WholeCharacterLength(text.c_str(), 7), 4);
    CHECK_EQ(WholeCharacterLength(text.c_str(), 9), 8);
    CHECK_EQ(WholeCharacterLength(text.c_str(), 10), 10);
    std::string many = "xx";
    for (int i = 0; i < 400; ++i) many += kHiragana;
    CHECK_EQ(WholeCharacterLength(many.c_str(), 1023), 1022);

    for (size_t cut = 1; cut < 4; ++cut) {  // every cut inside the 4-byte character
        std::string split = std::string("a") + std::string(kSmile, cut);
        DropSplitCharacter(&split[0]);
        CHECK_EQ(std::string(split.c_str()), "a");
    }
    char malformed[] = "a\xE3\x41";
    DropSplitCharacter(malformed);  // not a cut: nothing to drop
    CHECK_EQ(std::string(malformed), "a\xE3\x41");

    // Separators between characters of every size.
    std::string path = std::string("a\\") + kHiragana + "/" + kSmile;
    CHECK_EQ(FindLastPathSeparator(&path[0]) - path.c_str(), 5);
    SetCodePage(1252);
}

int main() {
    check::Group("cuts", Cuts);
    check::Group("UTF-8", Utf8);
    return check::Finish();
}
