// The host protocol through the stand-in host: query, handshake,
// enumeration, dispatch, the three completions, both HostReturn
// conventions, and the language-file search.
#include <stdio.h>

#include <string>
#include <vector>

#include "check.h"
#include "host/standin_host.h"
#include "language_files.h"

namespace {

struct Row {
    int32_t number;
    const char* name;
    int32_t argCount;
    uint32_t stringMask;
};

const Row kExpectedRows[] = {
    {10, "gzextenderinfo", 1, 0x0},
    {11, "lvgetitemcount", 1, 0x0},
    {12, "lvdeleteitem", 3, 0x0},
    {13, "lvgetitemtext", 3, 0x0},
    {14, "lvinsertitem", 3, 0x100},
    {15, "lvgetitemcountsel", 1, 0x0},
    {16, "lvsetitemtext", 4, 0x1000},
    {17, "lvscrollto", 3, 0x0},
    {18, "lvinsertcolumn", 3, 0x100},
    {19, "lvsetcolumnwidth", 3, 0x0},
    {20, "lvsetcolumnfill", 3, 0x100},
    {21, "lvsetcolumnfillseq", 4, 0x0},
    {22, "lvsetitemstate", 4, 0x0},
    {23, "lvgetitemstate", 3, 0x0},
    {24, "lvsetitemcheck", 3, 0x1000},
    {25, "lvgetitemcheck", 2, 0x1000},
    {26, "lvsetbkimage", 5, 0x1000},
    {27, "lvsetitemimage", 4, 0x0},
    {28, "lvsetimagelist", 2, 0x0},
    {29, "lvclearimages", 1, 0x0},
    {30, "lvsetcolumnimage", 4, 0x0},
    {31, "lvsetbkcolor", 2, 0x10},
    {32, "lvsetitemtextcolor", 5, 0x10000},
    {33, "ancreateavi", 6, 0x0},
    {34, "anplayavi", 4, 0x0},
    {35, "anstopavi", 1, 0x0},
    {36, "ancloseavi", 1, 0x0},
    {37, "anopenavi", 2, 0x10},
    {377, "wntaskbar", 1, 0x0},
    {40, "dtcreatedatetime", 6, 0x0},
    {41, "dtformatdatetime", 2, 0x10},
    {42, "dtremovedatetime", 1, 0x0},
    {43, "dtgetdatetime", 2, 0x0},
    {44, "dtsetdatetime", 2, 0x10},
    {45, "dtsetdatetimecolor", 5, 0x0},
    {46, "dtsetdatetimefont", 2, 0x10},
    {50, "ilcreateimglist", 5, 0x0},
    {51, "iladdimage", 4, 0x10},
    {52, "ilremoveimage", 2, 0x0},
    {53, "ildeleteimglist", 1, 0x0},
    {55, "gzshow", 2, 0x0},
    {56, "removecontrol", 1, 0x0},
    {57, "redrawcontrol", 2, 0x0},
    {58, "dccompatible", 2, 0x0},
    {60, "tacreatetab", 6, 0x0},
    {61, "taaddtab", 3, 0x100},
    {62, "tadeletetab", 2, 0x0},
    {63, "tagettabsel", 1, 0x0},
    {64, "tasettabsel", 2, 0x0},
    {65, "tasettabstyle", 2, 0x0},
    {66, "tasetbkcolor", 4, 0x0},
    {70, "sbcreatestatusbar", 2, 0x10},
    {71, "sbsettext", 3, 0x100},
    {72, "sbsetparts", 2, 0x10},
    {73, "sbsetbkcolor", 2, 0x10},
    {74, "sbseticon", 3, 0x100},
    {80, "lbgetitemcount", 1, 0x0},
    {81, "lbgetitemcountsel", 1, 0x0},
    {82, "lbgetitemstate", 2, 0x0},
    {83, "lbsetitemstate", 3, 0x0},
    {84, "lbsethscrollsize", 2, 0x0},
    {85, "lbsetitemheight", 2, 0x0},
    {86, "lbgetitemheight", 1, 0x0},
    {87, "lbdeleteitem", 3, 0x0},
    {88, "lbgetitemsel", 1, 0x0},
    {90, "ebsetlenlimit", 2, 0x0},
    {91, "ebgetmodify", 1, 0x0},
    {92, "ebsetmodify", 2, 0x0},
    {93, "pbsetmultiline", 2, 0x0},
    {95, "cbgetcursel", 1, 0x0},
    {96, "cbsetcursel", 2, 0x0},
    {100, "pgcreateprogressbar", 6, 0x0},
    {101, "pgsetcolor", 3, 0x10},
    {102, "pgsetrange", 3, 0x0},
    {103, "pgsetposition", 2, 0x0},
    {104, "pgsetstep", 2, 0x0},
    {105, "pgstep", 2, 0x0},
    {106, "pgsetstate", 2, 0x0},
    {110, "ttcreatetooltip", 1, 0x0},
    {111, "ttaddtooltip", 3, 0x100},
    {112, "ttactivate", 2, 0x0},
    {113, "ttdeletetooltip", 2, 0x0},
    {114, "ttsetdelay", 3, 0x0},
    {115, "ttsetcolor", 3, 0x10},
    {116, "ttsettitle", 3, 0x100},
    {117, "ttsettext", 3, 0x100},
    {120, "ipcreateip", 6, 0x0},
    {121, "ipsetip", 2, 0x10},
    {122, "ipgetip", 1, 0x0},
    {123, "ipclearip", 1, 0x0},
    {124, "ipsetfocus", 2, 0x0},
    {125, "ipisblank", 1, 0x0},
    {126, "ipsetrange", 4, 0x0},
    {128, "pbleftalign", 2, 0x0},
    {130, "trcreatetrackbar", 6, 0x0},
    {131, "trclearsel", 1, 0x0},
    {132, "trcleartics", 1, 0x0},
    {133, "trgettrackinfo", 2, 0x0},
    {134, "trsetbuddy", 6, 0x110000},
    {135, "trremovebuddy", 1, 0x110000},
    {136, "trsetlinesize", 2, 0x10},
    {137, "trsetpagesize", 2, 0x10},
    {138, "trsetpos", 2, 0x10},
    {141, "trsetrangemax", 2, 0x10},
    {142, "trsetrangemin", 2, 0x10},
    {144, "trsetselend", 2, 0x10},
    {145, "trsetselstart", 2, 0x10},
    {146, "trsettic", 2, 0x10},
    {147, "trsetticfreq", 2, 0x10},
    {148, "trsettipside", 2, 0x10},
};

const char kUnknown[] = "901: Tabulon  Extender: Unknown function";
const char kInvalidRequest[] = "101: xExtenderInfo: Invalid request";
const char kTitle[] = "Tabulon  QAL Extender";

host::Extender& Ext() { return host::Current().extender; }

void Introduction() {
    const host::Introduction intro = host::Introduce(Ext());
    CHECK_EQ(intro.title, kTitle);
    CHECK_EQ(intro.version, 51002);
    CHECK_EQ(intro.interfaceLevel, 5);
    CHECK_EQ(intro.handshake, 110);
    CHECK_EQ(intro.functions.size(), 110u);
    for (size_t i = 0; i < intro.functions.size() && i < 110; ++i) {
        const FunctionEntry& got = intro.functions[i];
        const Row& want = kExpectedRows[i];
        if (!CHECK_EQ(got.number, want.number)) printf("  row %u\n", static_cast<unsigned>(i));
        CHECK_EQ(got.kind, 2);
        CHECK_EQ(got.stringMask, want.stringMask);
        CHECK_EQ(got.reserved, 0u);
        CHECK_EQ(got.argCount, want.argCount);
        CHECK_EQ(std::string(got.name), want.name);
        CHECK_EQ(got.nameLength, strlen(want.name));
    }
}

int32_t Handshake(uint32_t hostVersion, char* reply) {
    HostContext context{0, 0, hostVersion};
    return Ext().dispatch(nullptr, nullptr, 0, -1, nullptr, &context, 0, reply, 0, nullptr);
}

void HandshakeAndProtocolRequests() {
    char reply[64];
    memset(reply, 'q', sizeof reply);
    CHECK_EQ(Handshake(1004, reply), -1);
    CHECK_EQ(std::string(reply), "Need newer version of QAL DLL");
    CHECK_EQ(reply[30], 'q');  // nothing past the terminator
    memset(reply, 'q', sizeof reply);
    reply[63] = '\0';
    CHECK_EQ(Handshake(1005, reply), 110);
    CHECK_EQ(Handshake(0xFFFFFFFF, reply), 110);
    CHECK_EQ(reply[0], 'q');
    HostContext context{0, 0, 1005};
    CHECK_EQ(Ext().dispatch(nullptr, nullptr, 0, 0xFFFF, nullptr, &context, 0, reply, 0, nullptr), 110);
    CHECK_EQ(Ext().dispatch(nullptr, nullptr, 0, 0x7FFFFFFF, nullptr, &context, 0, reply, 0, nullptr), 110);

    // -3 is acknowledged without a completion.
    host::Completion minus3 = host::CallNumber(-3, {});
    CHECK_EQ(minus3.dispatcherAnswer, 1);
    CHECK_EQ(minus3.calls, 0);
    CHECK_EQ(host::CallNumber(0x1FFFD, {}).dispatcherAnswer, 1);
}

void UnknownNumbers() {
    host::Current().hostReturnAnswer = 7;
    for (int32_t number : {-4, 0, 9, 38, 378, 32767, -32768, 54, 59, 89, 94}) {
        const host::Completion c = host::CallNumber(number, {1, 2, 3});
        CHECK_EQ(c.calls, 1);
        CHECK_EQ(c.status, -1);
        CHECK_EQ(c.kind, 2u);
        CHECK_EQ(c.text, kUnknown);
        CHECK_EQ(c.intValue, 0x5A5A5A5A);  // untouched by a failure
        if (!CHECK_EQ(c.dispatcherAnswer, 7)) printf("  number %d\n", number);
    }
    // Only the low 16 bits name the function.
    const host::Completion high = host::CallNumber(0x0001000A, {0});
    CHECK_EQ(high.status, 0);
    CHECK_EQ(high.intValue, 51002);
    const host::Completion eleven = host::CallNumber(11, {0});
    const host::Completion highEleven = host::CallNumber(0x0001000B, {0});
    CHECK_EQ(highEleven.calls, 1);
    CHECK_EQ(highEleven.status, eleven.status);
    CHECK_EQ(highEleven.kind, eleven.kind);
    CHECK_EQ(highEleven.intValue, eleven.intValue);
    CHECK_EQ(highEleven.text, eleven.text);
    CHECK_EQ(host::CallNumber(0xFFFF000A, {1}).intValue, 110);
    host::Current().hostReturnAnswer = 0;
}

void Completions() {
    host::Session& s = host::Current();
    s.hostReturnAnswer = 7;
    const host::Completion info = host::CallNumber(10, {0});
    CHECK_EQ(info.calls, 1);
    CHECK_EQ(info.status, 0);
    CHECK_EQ(info.cookie, 0xC00C1Eu);
    CHECK(info.context != nullptr);
    CHECK(info.result != nullptr);
    CHECK_EQ(info.kind, 1u);
    CHECK_EQ(info.intValue, 51002);
    CHECK_EQ(info.dispatcherAnswer, 7);
    CHECK_EQ(host::CallNumber(10, {1}).intValue, 110);
    CHECK_EQ(host::CallNumber(10, {2}).intValue, 0);
    for (int32_t request : {3, -1, 100}) {
        const host::Completion bad = host::CallNumber(10, {request});
        CHECK_EQ(bad.status, -1);
        CHECK_EQ(bad.text, kInvalidRequest);
        CHECK_EQ(bad.dispatcherAnswer, 7);
    }
    s.hostReturnAnswer = 0;
}

// The dispatcher pops its own 40 bytes whatever the callback does.
int32_t StackDrift(host::Convention convention) {
    host::Current().convention = convention;
    const host::Completion c = host::CallNumber(10, {1});
    CHECK_EQ(c.intValue, 110);
    CHECK_EQ(c.calls, 1);
    host::Current().convention = host::Convention::Stdcall;
    return c.stackDrift;
}

void HostReturnConventions() {
    CHECK_EQ(StackDrift(host::Convention::Stdcall), 0);
    CHECK_EQ(StackDrift(host::Convention::Cdecl), 0);
    host::Current().convention = host::Convention::Cdecl;
    for (int i = 0; i < 1000; ++i) host::CallNumber(9, {});  // failures through cdecl too
    const host::Completion c = host::CallNumber(10, {0});
    CHECK_EQ(c.intValue, 51002);
    host::Current().convention = host::Convention::Stdcall;
}

void Enumeration() {
    FunctionEntry entry;
    memset(&entry, 0xEE, sizeof entry);
    CHECK_EQ(Ext().dispatch(nullptr, nullptr, 0, -2, nullptr, nullptr, 0, &entry, 110, nullptr), 0);
    CHECK_EQ(entry.number, static_cast<int32_t>(0xEEEEEEEE));  // untouched
    CHECK_EQ(Ext().dispatch(nullptr, nullptr, 0, -2, nullptr, nullptr, 0, &entry, 111, nullptr), 0);
    CHECK_EQ(Ext().dispatch(nullptr, nullptr, 0, -2, nullptr, nullptr, 0, &entry, -1, nullptr), 0);
    CHECK_EQ(Ext().dispatch(nullptr, nullptr, 0, -2, nullptr, nullptr, 0, &entry, 0x7FFFFFFF, nullptr), 0);
    CHECK_EQ(Ext().dispatch(nullptr, nullptr, 0, -2, nullptr, nullptr, 0, nullptr, 5, nullptr), 1);
    memset(&entry, 0xEE, sizeof entry);
    CHECK_EQ(Ext().dispatch(nullptr, nullptr, 0, -2, nullptr, nullptr, 0, &entry, 98, nullptr), 1);
    CHECK_EQ(entry.number, 134);
    CHECK_EQ(entry.kind, 2);
    CHECK_EQ(entry.stringMask, 0x110000u);
    CHECK_EQ(entry.argCount, 6);
    CHECK_EQ(entry.nameLength, 10);
    CHECK_EQ(std::string(entry.name), "trsetbuddy");
    CHECK_EQ(static_cast<unsigned char>(entry.name[11]), 0xEEu);  // the name and its terminator only
}

bool ImageHolds(HMODULE module, const char* text) {
    auto* base = reinterpret_cast<const BYTE*>(module);
    auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + reinterpret_cast<const IMAGE_DOS_HEADER*>(base)->e_lfanew);
    const size_t size = nt->OptionalHeader.SizeOfImage, length = strlen(text) + 1;
    for (size_t i = 0; i + length <= size; ++i) {
        MEMORY_BASIC_INFORMATION info;
        if (i % 4096 == 0 && (!VirtualQuery(base + i, &info, sizeof info) || info.State != MEM_COMMIT ||
                              (info.Protect & (PAGE_NOACCESS | PAGE_GUARD)))) {
            i += 4095;
            continue;
        }
        if (memcmp(base + i, text, length) == 0) return true;
    }
    return false;
}

void Query() {
    char title[64];
    memset(title, 'q', sizeof title);
    CHECK_EQ(Ext().query(1, title, 5), 51002);
    CHECK_EQ(std::string(title), "Tabu");
    CHECK_EQ(title[5], 'q');
    memset(title, 'q', sizeof title);
    CHECK_EQ(Ext().query(1, title, 0), 51002);
    CHECK_EQ(Ext().query(1, title, -3), 51002);
    CHECK_EQ(title[0], 'q');
    CHECK_EQ(Ext().query(1, nullptr, 64), 51002);
    CHECK_EQ(Ext().query(0x10001, title, sizeof title), 51002);
    CHECK_EQ(std::string(title), kTitle);
    int32_t levels[] = {4, 5, 6};
    CHECK_EQ(Ext().query(2, levels, 3), 5);
    CHECK_EQ(Ext().query(2, levels, 1), -1);
    CHECK_EQ(Ext().query(2, levels, 0), -1);
    CHECK_EQ(Ext().query(2, nullptr, 0), -1);
    for (int32_t request : {0, 3, -1, -2, 0x10000})
        CHECK_EQ(Ext().query(request, title, sizeof title), 0);
}

void LanguageFiles() {
    // The Windows setting, when the host's INI names no language.
    WriteProfileStringA("INTL", "sLanguage", "deu");
    const std::string beside = TempDirectory("tabulon-beside");
    WriteText(beside + "ZRXELANG.deu", "[Gizmora Extender]\r\nX1000=A~B|C\r\n");
    CHECK_EQ(TitleOfCopy(beside, "tabulon-a.dll"), "A\nB\tC");
    CHECK_EQ(TitleOfCopy(beside, "tabulon-b.dll", 3), "A\n");

    // A value of exactly 1.0 counts as missing.
    WriteText(beside + "ZRXELANG.deu", "[Gizmora Extender]\r\nX1000=1.0\r\n");
    CHECK_EQ(TitleOfCopy(beside, "tabulon-c.dll"), kTitle);
    // A file without the key.
    WriteText(beside + "ZRXELANG.deu", "[Other]\r\nX1000=no\r\n");
    CHECK_EQ(TitleOfCopy(beside, "tabulon-d.dll"), kTitle);

    // The host's INI wins over the Windows setting; "1.0" there is no entry.
    WriteText(beside + "ZRXELANG.deu", "[Gizmora Extender]\r\nX1000=German\r\n");
    WriteText(beside + "ZRXELANG.fra", "[Gizmora Extender]\r\nX1000=French\r\n");
    WritePrivateProfileStringA("MAIN", "Language", "fra", "ZRXPRIME.INI");
    CHECK_EQ(TitleOfCopy(beside, "tabulon-e.dll"), "French");
    WritePrivateProfileStringA("MAIN", "Language", "1.0", "ZRXPRIME.INI");
    CHECK_EQ(TitleOfCopy(beside, "tabulon-f.dll"), "German");
    WritePrivateProfileStringA("MAIN", "Language", nullptr, "ZRXPRIME.INI");

    // Not beside the extender: found on the search path (here the current
    // directory), but only after the file beside it was looked for.
    const std::string elsewhere = TempDirectory("tabulon-elsewhere");
    const std::string path = TempDirectory("tabulon-path");
    DeleteFileA((elsewhere + "ZRXELANG.xyz").c_str());  // left by an earlier run
    WriteProfileStringA("INTL", "sLanguage", "xyz");
    WriteText(path + "ZRXELANG.xyz", "[Gizmora Extender]\r\nX1000=From the path\r\n");
    char previous[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, previous);
    SetCurrentDirectoryA(path.c_str());
    CHECK_EQ(TitleOfCopy(elsewhere, "tabulon-g.dll"), "From the path");
    WriteText(elsewhere + "ZRXELANG.xyz", "[Gizmora Extender]\r\nX1000=Beside\r\n");
    CHECK_EQ(TitleOfCopy(elsewhere, "tabulon-h.dll"), "Beside");
    SetCurrentDirectoryA(previous);

    // No language file anywhere.
    WriteProfileStringA("INTL", "sLanguage", "none");
    CHECK_EQ(TitleOfCopy(elsewhere, "tabulon-i.dll"), kTitle);

    // An extender installed deeper than 128 characters still finds its file.
    std::string deep = TempDirectory("tabulon-deep");
    while (deep.size() < 200) {
        deep += "a-rather-long-folder-name\\";
        CreateDirectoryA(deep.c_str(), nullptr);
    }
    WriteProfileStringA("INTL", "sLanguage", "deu");
    WriteText(deep + "ZRXELANG.deu", "[Gizmora Extender]\r\nX1000=Deep\r\n");
    CHECK_EQ(TitleOfCopy(deep, "tabulon-j.dll"), "Deep");

    // Deeper than MAX_PATH, the extender's own name does not fit its
    // buffer (cut at 260 bytes, unterminated): there is no folder beside
    // it to look in, and a file where the cut name points is not taken.
    const std::wstring deeper = DeepFolder(L"tabulon-deeper", L"a-rather-long-folder-name", 300);
    const std::wstring copy = deeper + L"tabulon-k.dll";
    const std::string original = host::DefaultExtenderPath();
    CopyFileW(std::wstring(original.begin(), original.end()).c_str(), (L"\\\\?\\" + copy).c_str(), FALSE);
    std::wstring cut = copy.substr(0, MAX_PATH);
    cut.resize(cut.rfind(L'\\') + 1);
    WriteProfileStringA("INTL", "sLanguage", "cut");
    WriteTextW(cut + L"ZRXELANG.cut", LanguageFileText("Cut"));
    CHECK_EQ(TitleOfModule(LoadLibraryW(copy.c_str())), kTitle);
    WriteProfileStringA("INTL", "sLanguage", nullptr);
}

void TableNamesLoweredInPlace() {
    const std::string directory = TempDirectory("tabulon-names");
    const std::string copy = directory + "tabulon-names.dll";
    CopyFileA(host::DefaultExtenderPath().c_str(), copy.c_str(), FALSE);
    host::Extender extender{};
    if (!CHECK(host::LoadExtender(extender, copy))) return;
    CHECK(ImageHolds(extender.module, "gzExtenderInfo"));
    CHECK_EQ(extender.dispatch(nullptr, nullptr, 0, -2, nullptr, nullptr, 0, nullptr, 0, nullptr), 1);
    CHECK(ImageHolds(extender.module, "gzExtenderInfo"));  // a null record lowers nothing
    FunctionEntry entry{};
    CHECK_EQ(extender.dispatch(nullptr, nullptr, 0, -2, nullptr, nullptr, 0, &entry, 0, nullptr), 1);
    CHECK_EQ(entry.nameLength, 14);
    CHECK(!ImageHolds(extender.module, "gzExtenderInfo"));
    CHECK(ImageHolds(extender.module, "gzextenderinfo"));
    FreeLibrary(extender.module);
}

}  // namespace

int main() {
    host::Start();
    check::Group("introduction", Introduction);
    check::Group("handshake", HandshakeAndProtocolRequests);
    check::Group("unknown numbers", UnknownNumbers);
    check::Group("completions", Completions);
    check::Group("HostReturn conventions", HostReturnConventions);
    check::Group("enumeration", Enumeration);
    check::Group("table names", TableNamesLoweredInPlace);
    check::Group("query", Query);
    check::Group("language files", LanguageFiles);
    return check::Finish();
}
