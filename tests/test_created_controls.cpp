// Controls that scripts create in their windows: tab controls, status bars,
// progress bars and trackbars, through the stand-in host under Wine.
// Creation is observed at HCBT_CREATEWND, before a control adjusts its own
// style; message contracts on spy windows; end results on real controls.
#include <stdio.h>

#include <string>
#include <vector>

#include "check.h"
#include "host/standin_host.h"

#include <commctrl.h>

// The messages the contracts name, by value: the test and the extender
// share these headers, so a wrong constant would otherwise pass unseen.
static_assert(TCM_INSERTITEMA == 0x1307 && TCM_DELETEITEM == 0x1308 && TCM_GETCURSEL == 0x130B &&
              TCM_SETCURSEL == 0x130C);
static_assert(SB_SETTEXTA == 0x0401 && SB_SETPARTS == 0x0404 && SB_SETBKCOLOR == 0x2001 && SB_SETICON == 0x040F);
static_assert(PBM_SETBKCOLOR == 0x2001 && PBM_SETBARCOLOR == 0x0409 && PBM_SETRANGE32 == 0x0406 &&
              PBM_SETPOS == 0x0402 && PBM_SETSTEP == 0x0404 && PBM_STEPIT == 0x0405 && PBM_SETMARQUEE == 0x040A &&
              PBM_SETSTATE == 0x0410 && PBS_MARQUEE == 0x08);
static_assert(TBM_GETLINESIZE == 0x0418 && TBM_GETNUMTICS == 0x0410 && TBM_GETPAGESIZE == 0x0416 &&
              TBM_GETPOS == 0x0400 && TBM_GETRANGEMIN == 0x0401 && TBM_GETRANGEMAX == 0x0402 &&
              TBM_GETSELSTART == 0x0411 && TBM_GETSELEND == 0x0412);
static_assert(TBM_CLEARSEL == 0x0413 && TBM_CLEARTICS == 0x0409 && TBM_SETLINESIZE == 0x0417 &&
              TBM_SETPAGESIZE == 0x0415 && TBM_SETPOS == 0x0405 && TBM_SETRANGEMAX == 0x0408 &&
              TBM_SETRANGEMIN == 0x0407 && TBM_SETSELEND == 0x040C && TBM_SETSELSTART == 0x040B &&
              TBM_SETTIC == 0x0404 && TBM_SETTICFREQ == 0x0414 && TBM_SETTIPSIDE == 0x041F &&
              TBM_SETBUDDY == 0x0420 && TBM_GETBUDDY == 0x0421);

namespace {

// What CreateWindowExA was given, as a thread CBT hook sees it.
struct Created {
    HWND window;
    std::string className;
    std::string text;
    DWORD style;
    DWORD exStyle;
    intptr_t id;
    HWND parent;
    HINSTANCE instance;
    int x, y, width, height;
};
std::vector<Created> created;

LRESULT CALLBACK WatchCreation(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND) {
        HWND window = reinterpret_cast<HWND>(wParam);
        const CREATESTRUCTA* cs = reinterpret_cast<CBT_CREATEWNDA*>(lParam)->lpcs;
        char className[64] = "";
        GetClassNameA(window, className, sizeof className);
        const bool named = cs->lpszName && !IS_INTRESOURCE(cs->lpszName);
        created.push_back(Created{window, className, named ? cs->lpszName : "", static_cast<DWORD>(cs->style),
                                  cs->dwExStyle, reinterpret_cast<intptr_t>(cs->hMenu), cs->hwndParent,
                                  cs->hInstance, cs->x, cs->y, cs->cx, cs->cy});
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

HWND AsWindow(int32_t handle) { return reinterpret_cast<HWND>(static_cast<intptr_t>(handle)); }
WPARAM W(intptr_t value) { return static_cast<WPARAM>(value); }

void CheckRecord(const Created& c, HWND result, const char* className, const char* text, DWORD style, intptr_t id,
                 HWND parent, HINSTANCE instance) {
    CHECK(c.window == result);
    CHECK_EQ(c.className, className);
    CHECK_EQ(c.text, text);
    CHECK_EQ(c.style, style);
    CHECK_EQ(c.exStyle, 0);
    CHECK_EQ(c.id, id);
    CHECK(c.parent == parent);
    CHECK(c.instance == instance);
}

void CheckPlace(const Created& c, int x, int y, int width, int height) {
    CHECK_EQ(c.x, x);
    CHECK_EQ(c.y, y);
    CHECK_EQ(c.width, width);
    CHECK_EQ(c.height, height);
}

// The first window a call created (controls may make helpers of their own
// afterwards, such as tooltips).
void CheckCreated(HWND result, const char* className, const char* text, DWORD style, intptr_t id, HWND parent,
                  HINSTANCE instance) {
    if (CHECK(!created.empty())) CheckRecord(created.front(), result, className, text, style, id, parent, instance);
}

void CheckPosition(int x, int y, int width, int height) {
    if (!created.empty()) CheckPlace(created.front(), x, y, width, height);
}

HWND testWindow;

HINSTANCE Instance() { return host::Current().instance; }
HWND Owner() { return host::Current().owner; }

std::string TabText(HWND tab, int index) {
    char text[64] = "";
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    SendMessageA(tab, TCM_GETITEMA, index, reinterpret_cast<LPARAM>(&item));
    return text;
}

void TabCreation() {
    created.clear();
    HWND tab = AsWindow(host::Int("taCreateTab", {testWindow, 10, 20, 300, 200, 0}));
    CHECK(tab != nullptr);
    CheckCreated(tab, "SysTabControl32", "", 0x54000000, 1111, testWindow, Instance());
    CheckPosition(10, 20, 300, 200);
    CHECK(GetParent(tab) == testWindow);

    created.clear();
    HWND styled = AsWindow(host::Int("taCreateTab", {testWindow, 0, 0, 100, 50, TCS_BUTTONS | TCS_MULTILINE}));
    CheckCreated(styled, "SysTabControl32", "", 0x54000300, 1111, testWindow, Instance());

    // A child without a parent cannot be made.
    CHECK_EQ(host::Int("taCreateTab", {0, 0, 0, 100, 50, 0}), 0);
    DestroyWindow(tab);
    DestroyWindow(styled);
}

void TabMessages() {
    host::Spy& spy = host::CreateSpy(testWindow);
    TCITEMA seen{};
    std::string seenText;
    LRESULT reply = 0;
    spy.answer = [&](UINT message, WPARAM, LPARAM lParam, LRESULT& answer) {
        if (message == TCM_INSERTITEMA) {
            seen = *reinterpret_cast<TCITEMA*>(lParam);
            seenText = seen.pszText ? seen.pszText : "(null)";
        }
        answer = reply;
        return true;
    };

    reply = 0;
    CHECK_EQ(host::Int("taAddTab", {spy.window, 1, "First"}), 0);
    OK_SEQUENCE(spy, {{TCM_INSERTITEMA, host::kWParam, 0, 0}}, "taAddTab 1");
    CHECK_EQ(seen.mask, TCIF_TEXT | TCIF_IMAGE);
    CHECK_EQ(seenText, "First");
    CHECK_EQ(seen.iImage, -1);

    reply = -1;  // refused: the result is still the position asked for
    CHECK_EQ(host::Int("taAddTab", {spy.window, 7, ""}), 6);
    OK_SEQUENCE(spy, {{TCM_INSERTITEMA, host::kWParam, 6, 0}}, "taAddTab 7");
    CHECK_EQ(seenText, "");

    reply = 1;
    CHECK_EQ(host::Int("taDeleteTab", {spy.window, 3}), 1);
    reply = 0;
    CHECK_EQ(host::Int("taDeleteTab", {spy.window, 1}), 0);
    OK_SEQUENCE(spy, {{TCM_DELETEITEM, host::kBoth, 2, 0}, {TCM_DELETEITEM, host::kBoth, 0, 0}}, "taDeleteTab");

    reply = -1;
    CHECK_EQ(host::Int("taGetTabSel", {spy.window}), 0);
    reply = 4;
    CHECK_EQ(host::Int("taGetTabSel", {spy.window}), 5);
    OK_SEQUENCE(spy, {{TCM_GETCURSEL, host::kBoth, 0, 0}, {TCM_GETCURSEL, host::kBoth, 0, 0}}, "taGetTabSel");

    reply = -1;
    CHECK_EQ(host::Int("taSetTabSel", {spy.window, 2}), -1);
    reply = 3;
    CHECK_EQ(host::Int("taSetTabSel", {spy.window, 1}), 3);
    OK_SEQUENCE(spy, {{TCM_SETCURSEL, host::kBoth, 1, 0}, {TCM_SETCURSEL, host::kBoth, 0, 0}}, "taSetTabSel");

    reply = 77;
    CHECK_EQ(host::Int("taSetTabStyle", {spy.window, 0}), 77);
    CHECK_EQ(host::Int("taSetTabStyle", {spy.window, 5}), 77);
    OK_SEQUENCE(spy, {{0x0438, host::kBoth, 0, -1}, {0x0438, host::kBoth, 0, 4}}, "taSetTabStyle");
    host::DestroySpy(spy);
}

void TabControl() {
    HWND tab = AsWindow(host::Int("taCreateTab", {testWindow, 0, 0, 400, 300, 0}));
    CHECK_EQ(host::Int("taGetTabSel", {tab}), 0);  // no tab yet, none selected
    CHECK_EQ(host::Int("taAddTab", {tab, 1, "One"}), 0);
    CHECK_EQ(host::Int("taAddTab", {tab, 2, "Two"}), 1);
    CHECK_EQ(host::Int("taAddTab", {tab, 9, "Three"}), 8);  // appended at the end
    CHECK_EQ(host::Int("taAddTab", {tab, 1, "Zero"}), 0);
    CHECK_EQ(SendMessageA(tab, TCM_GETITEMCOUNT, 0, 0), 4);
    CHECK_EQ(TabText(tab, 0), "Zero");
    CHECK_EQ(TabText(tab, 1), "One");
    CHECK_EQ(TabText(tab, 3), "Three");
    TCITEMA item{};
    item.mask = TCIF_IMAGE;
    item.iImage = 5;
    SendMessageA(tab, TCM_GETITEMA, 3, reinterpret_cast<LPARAM>(&item));
    CHECK_EQ(item.iImage, -1);

    SendMessageA(tab, TCM_SETCURSEL, 0, 0);
    CHECK_EQ(host::Int("taGetTabSel", {tab}), 1);
    CHECK_EQ(host::Int("taSetTabSel", {tab, 2}), 0);  // the previous, 0-based
    CHECK_EQ(SendMessageA(tab, TCM_GETCURSEL, 0, 0), 1);
    CHECK_EQ(host::Int("taSetTabSel", {tab, 4}), 1);
    CHECK_EQ(host::Int("taGetTabSel", {tab}), 4);

    CHECK(host::Int("taDeleteTab", {tab, 1}) != 0);
    CHECK_EQ(SendMessageA(tab, TCM_GETITEMCOUNT, 0, 0), 3);
    CHECK_EQ(TabText(tab, 0), "One");
    CHECK_EQ(host::Int("taDeleteTab", {tab, 10}), 0);
    CHECK_EQ(SendMessageA(tab, TCM_GETITEMCOUNT, 0, 0), 3);
    DestroyWindow(tab);
}

// Live GDI objects of the kinds taSetBkColor makes and the DCs it uses.
// GetGuiResources is a stub in Wine, so handle values are probed: Wine's
// handles carry a table index in bits 0-15, the object kind in 16-22 and a
// generation in 24-31, with nothing above bit 31.
struct GdiCensus {
    std::vector<unsigned> kinds;
};

unsigned KindOf(HGDIOBJ object) { return (static_cast<unsigned>(reinterpret_cast<uintptr_t>(object)) >> 16) & 0x7F; }

GdiCensus MakeCensus() {
    GdiCensus census;
    RECT area{0, 0, 4, 4};
    HGDIOBJ samples[] = {CreateSolidBrush(0), CreatePen(PS_DOT, 1, 0), CreateRectRgnIndirect(&area),
                         CreateCompatibleDC(nullptr), CreateBitmap(1, 1, 1, 1, nullptr)};
    for (HGDIOBJ sample : samples) {
        bool known = false;
        for (unsigned kind : census.kinds) known = known || kind == KindOf(sample);
        if (!known) census.kinds.push_back(KindOf(sample));
    }
    DeleteDC(static_cast<HDC>(samples[3]));
    for (HGDIOBJ sample : samples)
        if (sample != samples[3]) DeleteObject(sample);
    return census;
}

int CountGdiObjects(const GdiCensus& census) {
    int count = 0;
    for (unsigned kind : census.kinds)
        for (uintptr_t generation = 0; generation < 256; ++generation)
            for (uintptr_t index = 0; index < 0x10000; ++index)
                if (GetObjectType(reinterpret_cast<HGDIOBJ>(index | kind << 16 | generation << 24))) ++count;
    return count;
}

void TabPainting() {
    HWND tab = AsWindow(host::Int("taCreateTab", {testWindow, 0, 0, 400, 300, 0}));
    host::Pump();
    InvalidateRect(tab, nullptr, FALSE);
    CHECK_EQ(host::Int("taSetBkColor", {tab, 0, 0, 255}), 0xFF0000);
    HDC dc = GetDC(tab);
    CHECK_EQ(GetPixel(dc, 5, 5), 0xFF0000);         // the whole client area in the paint colour
    CHECK_EQ(GetPixel(dc, 200, 200), 0xFFFFFF);     // inside the outline: the DC's own white brush
    ReleaseDC(tab, dc);
    // Only the low byte of each argument counts.
    CHECK_EQ(host::Int("taSetBkColor", {tab, 0x1FF, 0x102, 7}), 0x0702FF);
    CHECK_EQ(host::Int("taSetBkColor", {tab, 255, 0, 0}), 0x0000FF);  // nothing left to paint
    CHECK_EQ(host::Int("taSetBkColor", {0, 255, 0, 0}), static_cast<int32_t>(CLR_INVALID));

    const GdiCensus census = MakeCensus();
    const int base = CountGdiObjects(census);
    HBRUSH brushes[5];
    for (HBRUSH& brush : brushes) brush = CreateSolidBrush(RGB(1, 2, 3));
    CHECK_EQ(CountGdiObjects(census), base + 5);  // the census sees what it should
    for (HBRUSH brush : brushes) DeleteObject(brush);
    CHECK_EQ(CountGdiObjects(census), base);

    const int before = CountGdiObjects(census);
    const int32_t number = host::NumberOf("taSetBkColor");
    int painted = 0;
    for (int i = 0; i < 3000; ++i) {
        InvalidateRect(tab, nullptr, FALSE);
        painted += host::CallNumber(number, {tab, i & 0xFF, 0, 0}).intValue == (i & 0xFF);
    }
    CHECK_EQ(painted, 3000);
    CHECK_EQ(CountGdiObjects(census), before);
    DestroyWindow(tab);
}

std::string StatusText(HWND bar, int part) {
    char text[256] = "";
    SendMessageA(bar, SB_GETTEXTA, part, reinterpret_cast<LPARAM>(text));
    return text;
}

std::vector<int> StatusParts(HWND bar) {
    int edges[400];
    const int count = static_cast<int>(SendMessageA(bar, SB_GETPARTS, 400, reinterpret_cast<LPARAM>(edges)));
    return std::vector<int>(edges, edges + (count > 0 && count <= 400 ? count : 0));
}

HICON InformationIcon() {
    return static_cast<HICON>(LoadImageA(nullptr, MAKEINTRESOURCEA(32516), IMAGE_ICON, 0, 0, LR_SHARED));
}

void StatusBarCreation() {
    created.clear();
    HWND bar = AsWindow(host::Int("sbCreateStatusBar", {testWindow, "Ready"}));
    CHECK(bar != nullptr);
    // CreateStatusWindowA chooses the instance itself.
    if (CHECK(!created.empty())) CheckCreated(bar, STATUSCLASSNAMEA, "", 0x50000A00, 70, testWindow, created[0].instance);
    CHECK_EQ(GetDlgCtrlID(bar), 70);
    CHECK_EQ(StatusText(bar, 0), "Ready");
    CHECK_EQ(host::Int("sbCreateStatusBar", {0, "x"}), 0);
    DestroyWindow(bar);
}

void StatusBarMessages() {
    host::Spy& spy = host::CreateSpy(testWindow);
    std::vector<int> edges;
    std::string text;
    spy.answer = [&](UINT message, WPARAM wParam, LPARAM lParam, LRESULT& answer) {
        if (message == SB_SETPARTS) {
            const int* sent = reinterpret_cast<const int*>(lParam);
            edges.assign(sent, sent + wParam);
        }
        if (message == SB_SETTEXTA) text = reinterpret_cast<const char*>(lParam);
        answer = 0;
        return true;
    };

    CHECK_EQ(host::Int("sbSetText", {spy.window, 1, "abc"}), 1);  // 1 whatever the answer
    CHECK_EQ(text, "abc");
    CHECK_EQ(host::Int("sbSetText", {spy.window, 0x203, "raised"}), 1);  // bits above the part are flags
    OK_SEQUENCE(spy, {{SB_SETTEXTA, host::kWParam, 0, 0}, {SB_SETTEXTA, host::kWParam, 0x202, 0}}, "sbSetText");

    struct PartsCase {
        const char* text;
        std::vector<int> edges;
    };
    const PartsCase cases[] = {
        {"100 200 -1", {100, 200, -1}}, {"  100   200 ", {100, 200}}, {"", {}},   {"   ", {}},
        {"100 abc", {100, 0}},           {"\t5 7", {0, 7}},             {"-3x 4", {-3, 4}},
    };
    for (const PartsCase& c : cases) {
        edges.assign(1, 12345);
        CHECK_EQ(host::Int("sbSetParts", {spy.window, c.text}), static_cast<int>(c.edges.size()));
        OK_SEQUENCE(spy, {{SB_SETPARTS, host::kWParam, c.edges.size(), 0}}, c.text);
        if (!CHECK(edges == c.edges)) printf("  pieces of \"%s\"\n", c.text);
    }

    // More pieces than a status bar takes: the first 256 are sent.
    std::string many;
    for (int i = 1; i <= 300; ++i) many += std::to_string(i) + " ";
    CHECK_EQ(host::Int("sbSetParts", {spy.window, many}), 256);
    OK_SEQUENCE(spy, {{SB_SETPARTS, host::kWParam, 256, 0}}, "300 pieces");
    CHECK(edges.size() == 256 && edges.front() == 1 && edges.back() == 256);

    CHECK_EQ(host::Int("sbSetBkColor", {spy.window, "255|128|0"}), 0);
    OK_SEQUENCE(spy, {{SB_SETBKCOLOR, host::kBoth, 0, 0x0080FF}}, "sbSetBkColor");
    host::DestroySpy(spy);
}

void StatusBar() {
    HWND bar = AsWindow(host::Int("sbCreateStatusBar", {testWindow, "Start"}));
    CHECK_EQ(host::Int("sbSetParts", {bar, "100 200 -1"}), 3);
    CHECK(StatusParts(bar) == std::vector<int>({100, 200, -1}));
    CHECK_EQ(host::Int("sbSetText", {bar, 2, "Middle"}), 1);
    CHECK_EQ(host::Int("sbSetText", {bar, 3, "Right"}), 1);
    CHECK_EQ(StatusText(bar, 0), "Start");
    CHECK_EQ(StatusText(bar, 1), "Middle");
    CHECK_EQ(StatusText(bar, 2), "Right");

    std::string many;
    for (int i = 1; i <= 300; ++i) many += std::to_string(i) + " ";
    CHECK_EQ(host::Int("sbSetParts", {bar, many}), 256);
    CHECK_EQ(StatusParts(bar).size(), 256u);

    CHECK_EQ(host::Int("sbSetBkColor", {bar, "255|0|0"}), static_cast<int32_t>(CLR_DEFAULT));
    CHECK_EQ(host::Int("sbSetBkColor", {bar, "0|0|255"}), 0x0000FF);
    DestroyWindow(bar);
}

void StatusBarIcon() {
    char path[MAX_PATH];
    GetTempPathA(MAX_PATH, path);
    const std::string file = std::string(path) + "tabulon-icon-test.txt";
    HANDLE handle = CreateFileA(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(handle, "not an icon", 11, &written, nullptr);
    CloseHandle(handle);

    HWND bar = AsWindow(host::Int("sbCreateStatusBar", {testWindow, ""}));
    host::Int("sbSetParts", {bar, "100 -1"});
    CHECK(host::Int("sbSetIcon", {bar, 2, file}) != 0);
    CHECK(reinterpret_cast<HICON>(SendMessageA(bar, SB_GETICON, 0, 0)) == InformationIcon());
    CHECK(SendMessageA(bar, SB_GETICON, 1, 0) == 0);  // argument 2 plays no part
    CHECK(DeleteFileA(file.c_str()));                 // the file was closed again
    CHECK(host::TakeMessageBoxes().empty());

    host::Spy& spy = host::CreateSpy(testWindow);
    spy.answer = [](UINT, WPARAM, LPARAM, LRESULT& answer) { answer = 0; return true; };
    for (const char* missing : {file.c_str(), ""}) {
        CHECK_EQ(host::Int("sbSetIcon", {spy.window, 1, missing}), 0);
        OK_SEQUENCE(spy, {}, "sbSetIcon with a missing file");
        const std::vector<host::MessageBoxSeen> boxes = host::MessageBoxes();
        if (CHECK_EQ(boxes.size(), 1u)) {
            CHECK_EQ(boxes[0].caption, "File Open Error");
            CHECK_EQ(boxes[0].text, "The specified file does not appear to be available");
            CHECK(boxes[0].owner == Owner());
            CHECK_EQ(boxes[0].style, MB_OK);
        }
        host::TakeMessageBoxes();
    }
    // A spy's answer is passed on.
    const std::string self = [] {
        char name[MAX_PATH];
        GetModuleFileNameA(nullptr, name, MAX_PATH);
        return std::string(name);
    }();
    spy.answer = [](UINT, WPARAM, LPARAM, LRESULT& answer) { answer = 9; return true; };
    CHECK_EQ(host::Int("sbSetIcon", {spy.window, 4, self}), 9);
    OK_SEQUENCE(spy, {{SB_SETICON, host::kBoth, 0, reinterpret_cast<LPARAM>(InformationIcon())}}, "sbSetIcon");
    host::DestroySpy(spy);
    DestroyWindow(bar);
}

void ProgressCreation() {
    for (int extra : {0, 8}) {
        created.clear();
        HWND bar = AsWindow(host::Int("pgCreateProgressBar", {testWindow, 5, 6, 200, 20, extra}));
        CHECK(bar != nullptr);
        CheckCreated(bar, PROGRESS_CLASSA, "ProgressBar", 0x50000000, 0, testWindow, Instance());
        CheckPosition(5, 6, 200, 20);
        CHECK_EQ(GetWindowLongA(bar, GWL_STYLE) & PBS_MARQUEE, 0);
        DestroyWindow(bar);
    }
    CHECK_EQ(host::Int("pgCreateProgressBar", {0, 0, 0, 10, 10, 0}), 0);
}

void ProgressMessages() {
    host::Spy& spy = host::CreateSpy(testWindow);
    LRESULT reply = 0;
    size_t boxesAtRange = 99;
    spy.answer = [&](UINT message, WPARAM, LPARAM, LRESULT& answer) {
        if (message == PBM_SETRANGE32) boxesAtRange = host::MessageBoxes().size();
        answer = reply;
        return true;
    };

    reply = static_cast<LRESULT>(CLR_DEFAULT);
    CHECK_EQ(host::Int("pgSetColor", {spy.window, "255|0|0", 1}), static_cast<int32_t>(CLR_DEFAULT));
    CHECK_EQ(host::Int("pgSetColor", {spy.window, "1|2|3", 0}), static_cast<int32_t>(CLR_DEFAULT));
    CHECK_EQ(host::Int("pgSetColor", {spy.window, "1|2|3", 2}), 0);
    CHECK_EQ(host::Int("pgSetColor", {spy.window, "1|2|3", -1}), 0);
    OK_SEQUENCE(spy, {{PBM_SETBARCOLOR, host::kBoth, 0, 0x0000FF}, {PBM_SETBKCOLOR, host::kBoth, 0, 0x030201}},
                "pgSetColor");

    reply = 5;
    CHECK_EQ(host::Int("pgSetRange", {spy.window, 0, 100}), 5);
    CHECK(host::TakeMessageBoxes().empty());
    OK_SEQUENCE(spy, {{PBM_SETRANGE32, host::kBoth, 0, 100}}, "pgSetRange 0 100");
    for (int minimum : {10, 50}) {
        const int maximum = minimum == 10 ? 10 : 0;
        CHECK_EQ(host::Int("pgSetRange", {spy.window, minimum, maximum}), 5);
        OK_SEQUENCE(spy, {{PBM_SETRANGE32, host::kBoth, W(minimum), maximum}}, "pgSetRange refused order");
        CHECK_EQ(boxesAtRange, 1u);  // the warning comes first, then the range anyway
        const std::vector<host::MessageBoxSeen> boxes = host::MessageBoxes();
        if (CHECK_EQ(boxes.size(), 1u)) {
            CHECK_EQ(boxes[0].caption, "Error");
            CHECK_EQ(boxes[0].text, "Your Minimum value must be less than your Maximum value.");
            CHECK(boxes[0].owner == Owner());
            CHECK_EQ(boxes[0].style, MB_OK);
        }
        host::TakeMessageBoxes();
    }

    reply = 12;
    CHECK_EQ(host::Int("pgSetPosition", {spy.window, 40}), 12);
    CHECK_EQ(host::Int("pgSetStep", {spy.window, 7}), 12);
    CHECK_EQ(host::Int("pgSetState", {spy.window, 2}), 12);
    CHECK_EQ(host::Int("pgStep", {spy.window, 0}), 12);
    OK_SEQUENCE(spy,
                {{PBM_SETPOS, host::kBoth, 40, 0},
                 {PBM_SETSTEP, host::kBoth, 7, 0},
                 {PBM_SETSTATE, host::kBoth, 2, 0},
                 {PBM_STEPIT, host::kBoth, 0, 0}},
                "position, step, state, step it");

    // Marquee: the style bit goes in (once), and stays for later steps.
    const LONG style = GetWindowLongA(spy.window, GWL_STYLE);
    reply = 1;
    CHECK_EQ(host::Int("pgStep", {spy.window, 1}), 1);
    CHECK_EQ(GetWindowLongA(spy.window, GWL_STYLE), style | PBS_MARQUEE);
    CHECK_EQ(host::Int("pgStep", {spy.window, 1}), 1);
    CHECK_EQ(GetWindowLongA(spy.window, GWL_STYLE), style | PBS_MARQUEE);
    CHECK_EQ(host::Int("pgStep", {spy.window, 2}), 1);
    CHECK_EQ(GetWindowLongA(spy.window, GWL_STYLE), style | PBS_MARQUEE);
    OK_SEQUENCE(spy,
                {{PBM_SETMARQUEE, host::kBoth, 1, 200},
                 {PBM_SETMARQUEE, host::kBoth, 1, 200},
                 {PBM_STEPIT, host::kBoth, 0, 0}},
                "marquee");
    host::DestroySpy(spy);
}

void ProgressBar() {
    HWND bar = AsWindow(host::Int("pgCreateProgressBar", {testWindow, 0, 0, 200, 20, 0}));
    CHECK_EQ(host::Int("pgSetColor", {bar, "255|0|0", 1}), static_cast<int32_t>(CLR_DEFAULT));
    CHECK_EQ(host::Int("pgSetColor", {bar, "0|255|0", 1}), 0x0000FF);
    CHECK_EQ(host::Int("pgSetColor", {bar, "0|0|255", 0}), static_cast<int32_t>(CLR_DEFAULT));
    CHECK_EQ(host::Int("pgSetColor", {bar, "0|0|0", 0}), 0xFF0000);

    CHECK_EQ(host::Int("pgSetRange", {bar, 0, 200}), MAKELONG(0, 100));  // the old range
    PBRANGE range{};
    SendMessageA(bar, PBM_GETRANGE, 0, reinterpret_cast<LPARAM>(&range));
    CHECK_EQ(range.iLow, 0);
    CHECK_EQ(range.iHigh, 200);
    CHECK_EQ(host::Int("pgSetPosition", {bar, 40}), 0);
    CHECK_EQ(host::Int("pgSetPosition", {bar, 70}), 40);
    CHECK_EQ(host::Int("pgSetStep", {bar, 5}), 10);
    CHECK_EQ(host::Int("pgStep", {bar, 0}), 70);
    CHECK_EQ(host::Int("pgStep", {bar, 3}), 75);
    CHECK_EQ(SendMessageA(bar, PBM_GETPOS, 0, 0), 80);
    // Windows answers the previous state; Wine answers 1 and keeps the state,
    // so only the first change from the normal state is checked here.
    CHECK_EQ(host::Int("pgSetState", {bar, 2}), 1);

    host::Int("pgStep", {bar, 1});
    CHECK(GetWindowLongA(bar, GWL_STYLE) & PBS_MARQUEE);
    DestroyWindow(bar);
}

void TrackbarCreation() {
    for (int extra : {0, TBS_VERT}) {
        created.clear();
        HWND trackbar = AsWindow(host::Int("trCreateTrackBar", {testWindow, 3, 4, 150, 40, extra}));
        CHECK(trackbar != nullptr);
        CheckCreated(trackbar, TRACKBAR_CLASSA, "Trackbar", extra ? 0x50000123 : 0x50000121, 0, testWindow,
                     Instance());
        CheckPosition(3, 4, 150, 40);
        DestroyWindow(trackbar);
    }
    CHECK_EQ(host::Int("trCreateTrackBar", {0, 0, 0, 10, 10, 0}), 0);
}

void TrackbarMessages() {
    host::Spy& spy = host::CreateSpy(testWindow);
    spy.answer = [](UINT, WPARAM, LPARAM, LRESULT& answer) {
        answer = 0;
        return true;
    };
    struct Setter {
        const char* name;
        UINT message;
        bool inWParam;
        WPARAM fixedWParam;
    };
    const Setter setters[] = {
        {"trSETLINESIZE", TBM_SETLINESIZE, false, 0}, {"trSETPAGESIZE", TBM_SETPAGESIZE, false, 0},
        {"trSETPOS", TBM_SETPOS, false, 1},           {"trSETRANGEMAX", TBM_SETRANGEMAX, false, 1},
        {"trSETRANGEMIN", TBM_SETRANGEMIN, false, 1}, {"trSETSELEND", TBM_SETSELEND, false, 1},
        {"trSETSELSTART", TBM_SETSELSTART, false, 1}, {"trSETTIC", TBM_SETTIC, false, 0},
        {"trSETTICFREQ", TBM_SETTICFREQ, true, 0},    {"trSETTIPSIDE", TBM_SETTIPSIDE, true, 0},
    };
    for (const Setter& s : setters) {
        CHECK_EQ(host::Int(s.name, {spy.window, -5}), 1);  // 1 whatever the answer
        if (s.inWParam)
            OK_SEQUENCE(spy, {{s.message, host::kBoth, W(-5), 0}}, s.name);
        else
            OK_SEQUENCE(spy, {{s.message, host::kBoth, s.fixedWParam, -5}}, s.name);
    }
    CHECK_EQ(host::Int("trCLEARSEL", {spy.window}), 1);
    CHECK_EQ(host::Int("trCLEARTICS", {spy.window}), 1);
    OK_SEQUENCE(spy, {{TBM_CLEARSEL, host::kBoth, 1, 0}, {TBM_CLEARTICS, host::kBoth, 1, 0}}, "clear");
    CHECK_EQ(host::Int("trSETPOS", {0, 5}), 1);

    const UINT queries[] = {TBM_GETLINESIZE, TBM_GETNUMTICS,  TBM_GETPAGESIZE, TBM_GETPOS,
                            TBM_GETRANGEMIN, TBM_GETRANGEMAX, TBM_GETSELSTART, TBM_GETSELEND};
    spy.answer = [&](UINT message, WPARAM, LPARAM, LRESULT& answer) {
        for (int i = 0; i < 8; ++i)
            if (message == queries[i]) answer = 100 + i;
        return true;
    };
    for (int selector = 0; selector < 8; ++selector) {
        CHECK_EQ(host::Int("trGETTRACKINFO", {spy.window, selector}), 100 + selector);
        OK_SEQUENCE(spy, {{queries[selector], host::kBoth, 0, 0}}, "trGETTRACKINFO");
    }
    for (int selector : {-1, 8}) {
        CHECK_EQ(host::Int("trGETTRACKINFO", {spy.window, selector}), 0);
        OK_SEQUENCE(spy, {}, "trGETTRACKINFO out of range");
    }
    CHECK_EQ(host::Int("trGETTRACKINFO", {0, 3}), 0);
    host::DestroySpy(spy);
}

void Trackbar() {
    HWND trackbar = AsWindow(host::Int("trCreateTrackBar", {testWindow, 0, 0, 300, 40, 0}));
    host::Int("trSETRANGEMIN", {trackbar, 10});
    host::Int("trSETRANGEMAX", {trackbar, 90});
    host::Int("trSETPOS", {trackbar, 40});
    host::Int("trSETLINESIZE", {trackbar, 3});
    host::Int("trSETPAGESIZE", {trackbar, 15});
    host::Int("trSETSELSTART", {trackbar, 20});
    host::Int("trSETSELEND", {trackbar, 60});
    host::Int("trCLEARTICS", {trackbar});
    CHECK_EQ(host::Int("trGETTRACKINFO", {trackbar, 1}), 2);  // only the two ends
    host::Int("trSETTIC", {trackbar, 50});
    const int expected[] = {3, 3, 15, 40, 10, 90, 20, 60};
    for (int selector = 0; selector < 8; ++selector)
        if (!CHECK_EQ(host::Int("trGETTRACKINFO", {trackbar, selector}), expected[selector]))
            printf("  selector %d\n", selector);
    DestroyWindow(trackbar);
}

int StaticChildren(HWND parent) {
    int count = 0;
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        char name[32] = "";
        GetClassNameA(child, name, sizeof name);
        count += lstrcmpiA(name, "Static") == 0;
    }
    return count;
}

// A real trackbar's TBM_SETBUDDY messages as they arrive, with how many
// windows had been created by then.
struct BuddySent {
    WPARAM side;
    HWND label;
    size_t createdBefore;
};
std::vector<BuddySent> buddiesSent;
WNDPROC trackbarProcedure;
LRESULT CALLBACK WatchBuddies(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == TBM_SETBUDDY) buddiesSent.push_back({wParam, reinterpret_cast<HWND>(lParam), created.size()});
    return CallWindowProcA(trackbarProcedure, window, message, wParam, lParam);
}

void TrackbarBuddies() {
    HWND frame = host::CreateTopWindow("buddies", 400, 200);
    HWND trackbar = AsWindow(host::Int("trCreateTrackBar", {frame, 50, 10, 200, 40, 0}));
    CHECK_EQ(host::Int("trREMOVEBUDDY", {trackbar}), 1);  // none yet: nothing to destroy
    CHECK_EQ(StaticChildren(frame), 0);

    created.clear();
    CHECK_EQ(host::Int("trSETBUDDY", {frame, trackbar, 40, 20, "Low", "High"}), 1);
    if (CHECK_EQ(created.size(), 2u)) {
        CheckRecord(created[0], created[0].window, "Static", "Low", 0x50000002, 0, frame, Instance());
        CheckPlace(created[0], 0, 0, 40, 20);
        CheckRecord(created[1], created[1].window, "Static", "High", 0x50000000, 0, frame, Instance());
        CheckPlace(created[1], 0, 0, 40, 20);
    }
    const std::vector<Created> first = created;
    CHECK_EQ(StaticChildren(frame), 2);
    if (first.size() == 2) {
        CHECK(reinterpret_cast<HWND>(SendMessageA(trackbar, TBM_GETBUDDY, TRUE, 0)) == first[0].window);
        CHECK(reinterpret_cast<HWND>(SendMessageA(trackbar, TBM_GETBUDDY, FALSE, 0)) == first[1].window);
    }

    created.clear();
    CHECK_EQ(host::Int("trSETBUDDY", {frame, trackbar, 30, 15, "A", "B"}), 1);
    const std::vector<Created> second = created;
    CHECK_EQ(StaticChildren(frame), 4);  // the first pair is replaced but stays
    CHECK_EQ(host::Int("trREMOVEBUDDY", {trackbar}), 1);
    CHECK_EQ(StaticChildren(frame), 2);
    if (first.size() == 2 && second.size() == 2) {
        CHECK(IsWindow(first[0].window) && IsWindow(first[1].window));
        CHECK(!IsWindow(second[0].window) && !IsWindow(second[1].window));
    }

    // The order: each label exists before the trackbar is sent it.
    trackbarProcedure = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(trackbar, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(WatchBuddies)));
    created.clear();
    CHECK_EQ(host::Int("trSETBUDDY", {frame, trackbar, 10, 10, "", ""}), 1);
    if (CHECK_EQ(created.size(), 2u) && CHECK_EQ(buddiesSent.size(), 2u)) {
        CHECK(buddiesSent[0].side == TRUE && buddiesSent[0].label == created[0].window);
        CHECK(buddiesSent[1].side == FALSE && buddiesSent[1].label == created[1].window);
        CHECK_EQ(buddiesSent[0].createdBefore, 1u);
        CHECK_EQ(buddiesSent[1].createdBefore, 2u);
    }
    SetWindowLongPtrA(trackbar, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(trackbarProcedure));

    // A window that is no trackbar would leave the labels at the parent's
    // corner: none are made, nothing is sent.
    host::Spy& spy = host::CreateSpy(frame);
    created.clear();
    CHECK_EQ(host::Int("trSETBUDDY", {frame, spy.window, 10, 10, "", ""}), 0);
    OK_SEQUENCE(spy, {}, "trSETBUDDY on a window that is no trackbar");
    CHECK_EQ(created.size(), 0u);

    // Whatever the trackbar names is destroyed.
    HWND nearLabel = host::CreateChild(frame, "STATIC", WS_VISIBLE, 0, 0, 10, 10);
    HWND farLabel = host::CreateChild(frame, "STATIC", WS_VISIBLE, 0, 0, 10, 10);
    spy.answer = [&](UINT message, WPARAM wParam, LPARAM, LRESULT& answer) {
        answer = message == TBM_GETBUDDY ? reinterpret_cast<LRESULT>(wParam ? nearLabel : farLabel) : 0;
        return true;
    };
    CHECK_EQ(host::Int("trREMOVEBUDDY", {spy.window}), 1);
    OK_SEQUENCE(spy, {{TBM_GETBUDDY, host::kBoth, 1, 0}, {TBM_GETBUDDY, host::kBoth, 0, 0}}, "trREMOVEBUDDY");
    CHECK(!IsWindow(nearLabel) && !IsWindow(farLabel));

    // A handle that names no label by now (the trackbar keeps naming the
    // labels it lost) is left alone.
    HWND button = host::CreateChild(frame, "BUTTON", WS_VISIBLE, 0, 0, 10, 10);
    nearLabel = button, farLabel = frame;
    CHECK_EQ(host::Int("trREMOVEBUDDY", {spy.window}), 1);
    CHECK(IsWindow(button) && IsWindow(frame));
    host::DestroySpy(spy);
    DestroyWindow(frame);
}

}  // namespace

int main() {
    INITCOMMONCONTROLSEX classes{sizeof classes, ICC_WIN95_CLASSES | ICC_PROGRESS_CLASS | ICC_BAR_CLASSES};
    InitCommonControlsEx(&classes);
    host::Session& session = host::Start();
    // An instance that is neither the program's nor the extender's, so that
    // only hostInstance can account for it.
    session.instance = GetModuleHandleA("comctl32.dll");
    SetWindowsHookExA(WH_CBT, WatchCreation, nullptr, GetCurrentThreadId());
    testWindow = host::CreateTopWindow("created controls", 640, 480);

    check::Group("tab creation", TabCreation);
    check::Group("tab messages", TabMessages);
    check::Group("tab control", TabControl);
    check::Group("tab painting", TabPainting);
    check::Group("status bar creation", StatusBarCreation);
    check::Group("status bar messages", StatusBarMessages);
    check::Group("status bar", StatusBar);
    check::Group("status bar icon", StatusBarIcon);
    check::Group("progress creation", ProgressCreation);
    check::Group("progress messages", ProgressMessages);
    check::Group("progress bar", ProgressBar);
    check::Group("trackbar creation", TrackbarCreation);
    check::Group("trackbar messages", TrackbarMessages);
    check::Group("trackbar", Trackbar);
    check::Group("trackbar buddies", TrackbarBuddies);
    return check::Finish();
}
