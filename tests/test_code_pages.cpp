// Texts in the user's ANSI code page, wherever the extender searches, cuts
// or splits one. ctest runs this program in the default code page and,
// through tools/code-page-run, in 932 (Japanese: trail bytes that read as
// "\" and "|") and 1251 (Cyrillic: single bytes, where nothing may
// change). The same bytes are used in each; only what they mean differs.
//   test_code_pages [expected code page]
#include <stdio.h>
#include <stdlib.h>
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "check.h"
#include "host/standin_host.h"
#include "language_files.h"
#include "run_host.h"

namespace {

// cp932: ソ 83 5C and 表 95 5C end in a byte that reads as "\", ポ 83 7C
// in one that reads as "|"; ア is 83 41.
const char kSo[] = "\x83\x5C", kHyo[] = "\x95\x5C", kPo[] = "\x83\x7C", kA[] = "\x83\x41";

bool DoubleByte() { return GetACP() == 932; }

std::string Repeat(const char* character, int count) {
    std::string text;
    for (int i = 0; i < count; ++i) text += character;
    return text;
}

// Folders whose names end in 表 hold the language file: as the current
// folder and as the host program's folder. The search must not take the
// trail byte for a separator and look for "...表ZRXELANG.xyz".
void LanguageFileFolders() {
    if (!DoubleByte()) return;  // in a single-byte code page 95 5C is "•\": a folder and a separator
    WriteProfileStringA("INTL", "sLanguage", "xyz");
    const std::string plain = TempDirectory("tabulon-plain");
    DeleteFileA((plain + "ZRXELANG.xyz").c_str());

    const std::string current = TempDirectory(("tabulon-" + std::string(kHyo)).c_str());
    WriteText(current + "ZRXELANG.xyz", LanguageFileText("Current"));
    char previous[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, previous);
    SetCurrentDirectoryA(current.c_str());
    CHECK_EQ(TitleOfCopy(plain, "tabulon-cp.dll"), "Current");

    // A current folder of more than MAX_PATH bytes (150 characters of two
    // bytes) does not fit the buffer: that step finds nothing, and the
    // search goes on to the PATH.
    std::wstring deep = DeepFolder(L"tabulon-deep-cp", L"\x30bd\x30bd\x30bd\x30bd\x30bd\x30bd\x30bd\x30bd\x30bd\x8868", 150);
    SetCurrentDirectoryW(deep.c_str());
    char path[4096];
    GetEnvironmentVariableA("PATH", path, sizeof path);
    SetEnvironmentVariableA("PATH", (current + ";" + path).c_str());
    WriteTextW(deep + L"ZRXELANG.xyz", LanguageFileText("Deep"));
    CHECK_EQ(TitleOfCopy(plain, "tabulon-cp2.dll"), "Current");
    SetEnvironmentVariableA("PATH", path);
    SetCurrentDirectoryA(previous);

    // The host program in a folder ending in 表, its extender elsewhere.
    const std::string programs = TempDirectory(("tabulon-host-" + std::string(kHyo)).c_str());
    CopyFileA(run_host::HostPath().c_str(), (programs + "tabulon-host.exe").c_str(), FALSE);
    WriteText(programs + "ZRXELANG.xyz", LanguageFileText("Beside the program"));
    CopyFileA(host::DefaultExtenderPath().c_str(), (plain + "tabulon-cp3.dll").c_str(), FALSE);
    const run_host::Outcome run =
        run_host::RunProgram(programs + "tabulon-host.exe", "--extender \"" + plain + "tabulon-cp3.dll\"", plain);
    CHECK_EQ(run.output.substr(0, run.output.find('\n')), "title: Beside the program");

    // An extender in a folder ending in ソ finds the file beside it.
    const std::string beside = TempDirectory(("tabulon-" + std::string(kSo)).c_str());
    WriteText(beside + "ZRXELANG.xyz", LanguageFileText("Beside"));
    CHECK_EQ(TitleOfCopy(beside, "tabulon-cp4.dll"), "Beside");
    WriteProfileStringA("INTL", "sLanguage", nullptr);
}

// A title cut to the host's buffer ends on a character boundary.
void TitleCut() {
    WriteProfileStringA("INTL", "sLanguage", "cut");
    const std::string folder = TempDirectory("tabulon-title-cut");
    WriteText(folder + "ZRXELANG.cut", LanguageFileText(Repeat(kSo, 3)));
    CHECK_EQ(TitleOfCopy(folder, "tabulon-cut.dll", 4), DoubleByte() ? kSo : std::string(kSo) + "\x83");
    WriteProfileStringA("INTL", "sLanguage", nullptr);
}

// Cells of 600 ア, 1,200 bytes, read through the 1,024-byte cell buffer.
void LongCells() {
    HWND window = host::CreateTopWindow("code pages", 400, 300);
    HWND list = host::CreateChild(window, WC_LISTVIEWA, LVS_REPORT, 0, 0, 380, 280);
    host::Int("lvInsertColumn", {list, 1, "a"});
    host::Int("lvInsertColumn", {list, 2, "b"});
    const std::string cell = Repeat(kA, 600);
    host::Int("lvInsertItem", {list, 1, cell});
    host::Int("lvSetItemText", {list, 1, 2, "b"});
    const std::string whole = DoubleByte() ? Repeat(kA, 511) : Repeat(kA, 511) + "\x83";
    CHECK_EQ(host::Text("lvGetItemText", {list, 1, 1}), whole);
    CHECK_EQ(host::Text("lvGetItemText", {list, 1, 0}), whole + "\tb");
    DestroyWindow(window);
}

// Colour texts split at "|" characters: the trail byte of ポ is none.
void ColourTexts() {
    HWND window = host::CreateTopWindow("code pages", 300, 100);
    HWND bar = reinterpret_cast<HWND>(static_cast<intptr_t>(host::Int("sbCreateStatusBar", {window, ""})));
    const std::string colour = "10" + std::string(kPo) + "20|30|40";
    host::Int("sbSetBkColor", {bar, colour});
    const int32_t set = host::Int("sbSetBkColor", {bar, "0|0|0"});  // answers the colour before
    CHECK_EQ(set, DoubleByte() ? 0x281E0A : 0x28140A);
    DestroyWindow(window);
}

// The picker's value text counts characters, so 年 (94 4E) and the other
// two-byte separators keep the fields in place; a face name is cut to 31
// bytes on a character boundary.
void Picker() {
    HWND window = host::CreateTopWindow("code pages", 300, 100);
    HWND picker =
        reinterpret_cast<HWND>(static_cast<intptr_t>(host::Int("dtCreateDateTime", {window, 0, 0, 200, 24, 0})));
    const char kKanji[] = "2024\x94\x4E" "03\x8C\x8E" "05\x93\xFA" "14\x8E\x9E" "07\x95\xAA" "09\x95\x62";
    const int32_t taken = host::Int("dtSetDateTime", {picker, kKanji});
    if (DoubleByte()) {
        CHECK(taken != 0);
        CHECK_EQ(host::Text("dtGetDateTime", {picker, 0}), "2024:03:05:14:07:09");
    } else {
        CHECK_EQ(taken, 0);  // month 0: refused as before
    }

    host::Int("dtSetDateTimeFont", {picker, Repeat(kSo, 16)});
    LOGFONTA font = {};
    GetObjectA(reinterpret_cast<HGDIOBJ>(SendMessageA(picker, DTM_GETMCFONT, 0, 0)), sizeof font, &font);
    CHECK_EQ(std::string(font.lfFaceName), DoubleByte() ? Repeat(kSo, 15) : Repeat(kSo, 15) + "\x83");
    DestroyWindow(window);
}

}  // namespace

int main(int argc, char** argv) {
    host::Start();
    printf("ANSI code page %u\n", GetACP());
    if (argc > 1) CHECK_EQ(GetACP(), static_cast<UINT>(atoi(argv[1])));
    check::Group("language file folders", LanguageFileFolders);
    check::Group("title cut", TitleCut);
    check::Group("long cells", LongCells);
    check::Group("colour texts", ColourTexts);
    check::Group("picker", Picker);
    return check::Finish();
}
