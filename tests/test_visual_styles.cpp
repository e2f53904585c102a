// Colours under Wine's default visual style. The controls are created while
// a common-controls 6.0 context is active, as in a host whose manifest asks
// for that version: they draw with the style, which ignores colour messages.
// A control a script colours must show the colour on the screen; a control
// that got none keeps the style.
#include <windows.h>

#include <commctrl.h>
#include <stdio.h>
#include <uxtheme.h>

#include <string>

#include "check.h"
#include "host/standin_host.h"

namespace {

// uxtheme, found at run time: the test programs do not link it.
struct Uxtheme {
    HTHEME(WINAPI* getWindowTheme)(HWND);
    HTHEME(WINAPI* openThemeData)(HWND, LPCWSTR);
};
Uxtheme uxtheme;

bool LoadUxtheme() {
    HMODULE module = LoadLibraryA("uxtheme.dll");
    if (!module) return false;
    uxtheme.getWindowTheme = reinterpret_cast<decltype(uxtheme.getWindowTheme)>(
        reinterpret_cast<void*>(GetProcAddress(module, "GetWindowTheme")));
    uxtheme.openThemeData = reinterpret_cast<decltype(uxtheme.openThemeData)>(
        reinterpret_cast<void*>(GetProcAddress(module, "OpenThemeData")));
    return uxtheme.getWindowTheme && uxtheme.openThemeData;
}

bool Themed(HWND control) { return uxtheme.getWindowTheme(control) != nullptr; }

// The context a manifested host runs in: made from the extender's own
// manifest, which names the common controls 6.0.
bool ActivateCommonControls6() {
    const std::string path = host::DefaultExtenderPath();
    ACTCTXA context = {};
    context.cbSize = sizeof context;
    context.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID;
    context.lpSource = path.c_str();
    context.lpResourceName = MAKEINTRESOURCEA(2);
    HANDLE handle = CreateActCtxA(&context);
    ULONG_PTR cookie = 0;
    return handle != INVALID_HANDLE_VALUE && ActivateActCtx(handle, &cookie);
}

HWND WindowOf(int32_t value) { return reinterpret_cast<HWND>(static_cast<intptr_t>(value)); }

void Redraw(HWND window) {
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
    host::Pump();
}

COLORREF PixelAt(HWND window, int x, int y) {
    HDC dc = GetDC(window);
    const COLORREF pixel = GetPixel(dc, x, y);
    ReleaseDC(window, dc);
    return pixel;
}

// A progress bar that got colours shows them; one that got none keeps the
// style's drawing.
void ProgressBars() {
    HWND window = host::CreateTopWindow("progress bars", 300, 120);
    HWND coloured = WindowOf(host::Int("pgCreateProgressBar", {window, 10, 10, 200, 20, 0}));
    HWND plain = WindowOf(host::Int("pgCreateProgressBar", {window, 10, 50, 200, 20, 0}));
    host::Int("pgSetPosition", {coloured, 50});
    host::Int("pgSetPosition", {plain, 50});
    CHECK(Themed(coloured) && Themed(plain));
    Redraw(window);
    const COLORREF styleBar = PixelAt(plain, 40, 10), styleBackground = PixelAt(plain, 180, 10);

    CHECK_EQ(host::Int("pgSetColor", {coloured, "255|0|0", 1}), static_cast<int32_t>(CLR_DEFAULT));
    CHECK_EQ(host::Int("pgSetColor", {coloured, "255|255|0", 0}), static_cast<int32_t>(CLR_DEFAULT));
    Redraw(window);
    CHECK_EQ(PixelAt(coloured, 40, 10), 0x0000FF);   // the bar: red
    CHECK_EQ(PixelAt(coloured, 180, 10), 0x00FFFF);  // the rest: yellow
    CHECK(!Themed(coloured));
    CHECK(Themed(plain));
    CHECK_EQ(PixelAt(plain, 40, 10), styleBar);
    CHECK_EQ(PixelAt(plain, 180, 10), styleBackground);
    CHECK(styleBar != 0x0000FF && styleBackground != 0x00FFFF);
    DestroyWindow(window);
}

void StatusBar() {
    HWND window = host::CreateTopWindow("status bar", 300, 120);
    HWND bar = WindowOf(host::Int("sbCreateStatusBar", {window, "Ready"}));
    CHECK(Themed(bar));
    CHECK_EQ(host::Int("sbSetBkColor", {bar, "0|0|255"}), static_cast<int32_t>(CLR_DEFAULT));
    Redraw(window);
    RECT area;
    GetClientRect(bar, &area);
    CHECK_EQ(PixelAt(bar, 150, area.bottom / 2), 0xFF0000);
    CHECK(!Themed(bar));
    DestroyWindow(window);
}

// Shows a tip the way a user gets one: the cursor rests on the tool.
bool ShowTip(HWND tip, HWND tool) {
    RECT area;
    GetWindowRect(tool, &area);
    SetCursorPos((area.left + area.right) / 2, (area.top + area.bottom) / 2);
    SendMessageA(tool, WM_MOUSEMOVE, 0, MAKELPARAM((area.right - area.left) / 2, (area.bottom - area.top) / 2));
    for (int i = 0; i < 100 && !IsWindowVisible(tip); ++i) {
        Sleep(10);
        host::Pump();
    }
    Redraw(tip);
    return IsWindowVisible(tip);
}

int CountPixels(HWND window, COLORREF colour) {
    RECT area;
    GetClientRect(window, &area);
    HDC dc = GetDC(window);
    int count = 0;
    for (int y = 0; y < area.bottom; ++y)
        for (int x = 0; x < area.right; ++x) count += GetPixel(dc, x, y) == colour;
    ReleaseDC(window, dc);
    return count;
}

// Wine never gives tooltips the style, so their colours show anyway (kept
// here as a guard); Windows does, and there the style must go.
void Tooltips() {
    HWND window = host::CreateTopWindow("tooltips", 300, 120);
    SetForegroundWindow(window);
    HWND tool = host::CreateChild(window, "BUTTON", WS_VISIBLE, 10, 10, 120, 30, 0, "tool");
    HWND tip = WindowOf(host::Int("ttCreateToolTip", {window}));
    host::Int("ttAddToolTip", {tip, tool, "Coloured tip"});
    host::Int("ttSetDelay", {tip, TTDT_INITIAL, 1});
    host::Int("ttSetColor", {tip, "0|0|128", 0});
    host::Int("ttSetColor", {tip, "255|255|0", 1});
    if (CHECK(ShowTip(tip, tool))) {
        RECT area;
        GetClientRect(tip, &area);
        CHECK_EQ(PixelAt(tip, area.right / 2, 6), 0x800000);  // navy background
        CHECK(CountPixels(tip, 0x00FFFF) > 0);                 // yellow text
    }
    // A tip without the style is left as it is: it would still take one.
    CHECK(uxtheme.openThemeData(tip, L"Tooltip") != nullptr);

    HWND themed = WindowOf(host::Int("ttCreateToolTip", {window}));
    CHECK(uxtheme.openThemeData(themed, L"Tooltip") != nullptr);  // as a themed tip holds it
    host::Int("ttSetColor", {themed, "0|0|0", 2});                  // no colour: the style stays
    CHECK(uxtheme.openThemeData(themed, L"Tooltip") != nullptr);
    host::Int("ttSetColor", {themed, "0|0|128", 0});
    CHECK(uxtheme.openThemeData(themed, L"Tooltip") == nullptr);  // no style applies any more
    DestroyWindow(window);
}

HWND DropDown(HWND picker) {
    RECT area;
    GetClientRect(picker, &area);
    const LPARAM button = MAKELPARAM(area.right - 5, area.bottom / 2);
    SendMessageA(picker, WM_LBUTTONDOWN, MK_LBUTTON, button);
    SendMessageA(picker, WM_LBUTTONUP, 0, button);
    host::Pump();
    HWND calendar = reinterpret_cast<HWND>(SendMessageA(picker, DTM_GETMONTHCAL, 0, 0));
    Redraw(calendar);
    return IsWindowVisible(calendar) ? calendar : nullptr;
}

// Wine's calendars show their colours under the style (kept here as a
// guard), but they do carry it: the coloured picker's calendar drops down
// without it, the other's with it.
void Calendars() {
    HWND window = host::CreateTopWindow("calendars", 400, 300);
    SetForegroundWindow(window);
    HWND coloured = WindowOf(host::Int("dtCreateDateTime", {window, 10, 10, 200, 24, 0}));
    HWND plain = WindowOf(host::Int("dtCreateDateTime", {window, 10, 50, 200, 24, 0}));
    host::Int("dtSetDateTimeColor", {coloured, 128, 0, 0, MCSC_TITLEBK});
    host::Int("dtSetDateTimeColor", {coloured, 255, 255, 200, MCSC_MONTHBK});
    Redraw(window);

    HWND calendar = DropDown(coloured);
    if (CHECK(calendar != nullptr)) {
        CHECK(!Themed(calendar));
        RECT area;
        GetClientRect(calendar, &area);
        CHECK_EQ(PixelAt(calendar, area.right / 2, 24), 0x000080);  // title
        CHECK_EQ(PixelAt(calendar, area.right / 2, 48), 0xC8FFFF);  // month
        SendMessageA(coloured, DTM_CLOSEMONTHCAL, 0, 0);
    }
    calendar = DropDown(plain);
    if (CHECK(calendar != nullptr)) {
        CHECK(Themed(calendar));
        SendMessageA(plain, DTM_CLOSEMONTHCAL, 0, 0);
    }
    DestroyWindow(window);
}

// Windows makes a new calendar each time a picker drops down (Wine keeps
// one): each new calendar of a coloured picker loses the style, and only
// those. The picker itself is sent the colour and nothing else.
void NewCalendarEachDropDown() {
    HWND window = host::CreateTopWindow("drop-downs", 300, 120);
    host::Spy& coloured = host::CreateSpy(window);
    host::Spy& plain = host::CreateSpy(window);
    HWND calendar = nullptr;
    coloured.answer = plain.answer = [&calendar](UINT message, WPARAM, LPARAM, LRESULT& answer) {
        if (message < WM_USER) return false;
        answer = message == DTM_GETMONTHCAL ? reinterpret_cast<LRESULT>(calendar) : 0;
        return true;
    };
    host::Int("dtSetDateTimeColor", {coloured.window, 1, 2, 3, MCSC_MONTHBK});
    OK_SEQUENCE(coloured, {{DTM_SETMCCOLOR, host::kBoth, MCSC_MONTHBK, 0x030201}}, "dtSetDateTimeColor");
    host::Int("dtSetDateTimeColor", {plain.window, 1, 2, 3, 6});  // names no part: no colour
    for (int round = 0; round < 2; ++round) {
        for (host::Spy* picker : {&coloured, &plain}) {
            calendar = CreateWindowExA(0, MONTHCAL_CLASSA, "", WS_POPUP | WS_BORDER, 0, 0, 250, 200, picker->window,
                                       nullptr, GetModuleHandleA(nullptr), nullptr);
            CHECK(Themed(calendar));
            NMHDR header{picker->window, 0, static_cast<UINT>(DTN_DROPDOWN)};
            SendMessageA(window, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&header));
            CHECK_EQ(Themed(calendar), picker == &plain);
            DestroyWindow(calendar);
        }
    }
    host::DestroySpy(coloured);
    host::DestroySpy(plain);
    DestroyWindow(window);
}

}  // namespace

int main() {
    if (!LoadUxtheme() || !ActivateCommonControls6()) {
        printf("FAIL no visual styles to test under\n");
        return 1;
    }
    host::Start();
    check::Group("progress bars", ProgressBars);
    check::Group("status bar", StatusBar);
    check::Group("tooltips", Tooltips);
    check::Group("calendars", Calendars);
    check::Group("a new calendar each drop-down", NewCalendarEachDropDown);
    return check::Finish();
}
