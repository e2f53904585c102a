// Tooltips, IP address fields, date-time pickers, animation controls and
// image lists through the stand-in host: the windows created (as passed to
// CreateWindowEx), the messages and records on spy windows, and what the
// real controls end up holding.
#include <windows.h>

#include <commctrl.h>
#include <stdio.h>

#include <string>
#include <vector>

#include "check.h"
#include "host/standin_host.h"

namespace {

// ---------------------------------------------------------------------------
// Window creation as passed to CreateWindowEx, seen by a thread CBT hook.

struct Creation {
    std::string className;
    std::string name;  // "<null>" for no name
    DWORD style;
    DWORD exStyle;
    int x, y, cx, cy;
    HWND parent;
    intptr_t menu;
    HINSTANCE instance;
};

std::vector<Creation> creations;

LRESULT CALLBACK WatchCreation(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND) {
        const CREATESTRUCTA* create = reinterpret_cast<CBT_CREATEWNDA*>(lParam)->lpcs;
        Creation seen;
        char className[64] = "";
        GetClassNameA(reinterpret_cast<HWND>(wParam), className, sizeof className);
        seen.className = className;
        seen.name = !create->lpszName ? "<null>" : IS_INTRESOURCE(create->lpszName) ? "<id>" : create->lpszName;
        seen.style = static_cast<DWORD>(create->style);
        seen.exStyle = create->dwExStyle;
        seen.x = create->x, seen.y = create->y, seen.cx = create->cx, seen.cy = create->cy;
        seen.parent = create->hwndParent;
        seen.menu = reinterpret_cast<intptr_t>(create->hMenu);
        seen.instance = create->hInstance;
        creations.push_back(seen);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// Runs a call with the hook installed and gives the first creation.
template <typename F>
Creation Watch(F call) {
    creations.clear();
    HHOOK hook = SetWindowsHookExA(WH_CBT, WatchCreation, nullptr, GetCurrentThreadId());
    call();
    UnhookWindowsHookEx(hook);
    CHECK(!creations.empty());
    return creations.empty() ? Creation{} : creations.front();
}

// hostInstance as a value that no window would get by accident.
HINSTANCE DistinctInstance() { return host::Current().extender.module; }

// Everything passed at creation in one line, for one exact comparison.
std::string Describe(const Creation& c, HWND parent) {
    char text[256];
    snprintf(text, sizeof text, "%s \"%s\" style 0x%08lX ex 0x%lX at %d,%d size %d,%d %s id %lld %s",
             c.className.c_str(), c.name.c_str(), static_cast<unsigned long>(c.style),
             static_cast<unsigned long>(c.exStyle), c.x, c.y, c.cx, c.cy, c.parent == parent ? "parent" : "other parent",
             static_cast<long long>(c.menu), c.instance == DistinctInstance() ? "hostInstance" : "other instance");
    return text;
}

HWND WindowOf(int32_t value) { return reinterpret_cast<HWND>(static_cast<intptr_t>(value)); }

// Answers every control message of a spy with the given value.
void AnswerAll(host::Spy& spy, LRESULT value) {
    spy.answer = [value](UINT message, WPARAM, LPARAM, LRESULT& answer) {
        if (message < WM_USER) return false;
        answer = value;
        return true;
    };
}

// Counts live GDI objects of one type: Wine's handles have a zero high word.
int CountGdiObjects(DWORD type) {
    int count = 0;
    for (uintptr_t value = 1; value <= 0xFFFF; ++value)
        if (GetObjectType(reinterpret_cast<HGDIOBJ>(value)) == type) ++count;
    return count;
}

// ---------------------------------------------------------------------------
// Tooltips

void TooltipWindow() {
    HWND owner = host::CreateTopWindow("tooltip owner", 300, 200);
    SetForegroundWindow(owner);
    host::Pump();
    int32_t result = 0;
    const Creation c = Watch([&] { result = host::Int("ttCreateToolTip", {owner}); });
    HWND tip = WindowOf(result);
    CHECK(IsWindow(tip));
    // Wine adds WS_CLIPSIBLINGS after this; CW_USEDEFAULT of a popup
    // already reads 0 here.
    CHECK_EQ(Describe(c, owner),
             "tooltips_class32 \"<null>\" style 0x80000041 ex 0x0 at 0,0 size 0,0 parent id 0 hostInstance");
    CHECK(GetWindow(tip, GW_OWNER) == owner);
    CHECK((GetWindowLongA(tip, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0);
    CHECK(GetActiveWindow() != tip);
    CHECK(GetForegroundWindow() != tip);

    // An owner that is no window: nothing is created.
    CHECK_EQ(host::Int("ttCreateToolTip", {0x7FFF0001}), 0);
    DestroyWindow(owner);
}

struct ToolRecord {
    UINT message = 0;
    UINT cbSize = 0, uFlags = 0;
    HWND hwnd = nullptr;
    UINT_PTR uId = 99;
    RECT rect{-1, -1, -1, -1};
    HINSTANCE hinst = nullptr;
    std::string text;
    LPARAM lParam = -1;
};

std::string RectText(const RECT& r) {
    return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
           std::to_string(r.bottom);
}

// A spy standing for the tooltip, copying the tool record it is sent.
host::Spy& ToolSpy(ToolRecord& record, LRESULT value) {
    host::Spy& spy = host::CreateSpy();
    spy.answer = [&record, value](UINT message, WPARAM, LPARAM lParam, LRESULT& answer) {
        if (message < WM_USER) return false;
        if (message == TTM_ADDTOOLA || message == TTM_DELTOOLA || message == TTM_UPDATETIPTEXTA) {
            const TTTOOLINFOA* info = reinterpret_cast<const TTTOOLINFOA*>(lParam);
            record.message = message;
            record.cbSize = info->cbSize;
            record.uFlags = info->uFlags;
            record.hwnd = info->hwnd;
            record.uId = info->uId;
            record.rect = info->rect;
            record.hinst = info->hinst;
            record.text = info->lpszText ? info->lpszText : "<null>";
            record.lParam = info->lParam;
        }
        answer = value;
        return true;
    };
    return spy;
}

void ToolRecords() {
    ToolRecord record;
    host::Spy& tip = ToolSpy(record, 1);
    host::Spy& tool = host::CreateSpy(host::Current().owner);  // a child with a 100 x 20 client area

    CHECK_EQ(host::Int("ttAddToolTip", {tip.window, tool.window, "tip text"}), 1);
    CHECK_EQ(record.message, TTM_ADDTOOLA);
    CHECK_EQ(record.cbSize, sizeof(TTTOOLINFOA));
    if (sizeof(void*) == 4) CHECK_EQ(record.cbSize, 48);  // the 32-bit layout
    CHECK_EQ(record.uFlags, 0x10u);
    CHECK(record.hwnd == tool.window);
    CHECK_EQ(record.uId, 0);
    CHECK_EQ(RectText(record.rect), "0,0,100,20");
    CHECK(record.hinst == DistinctInstance());
    CHECK_EQ(record.text, "tip text");
    CHECK_EQ(record.lParam, 0);
    OK_SEQUENCE(tip, {{TTM_ADDTOOLA, host::kWParam, 0, 0}}, "ttAddToolTip");

    // A tool that is no window gets an empty area, not a stale one.
    record = ToolRecord{};
    host::Int("ttAddToolTip", {tip.window, 0x7FFF0001, "x"});
    CHECK_EQ(RectText(record.rect), "0,0,0,0");
    tip.log.clear();

    record = ToolRecord{};
    CHECK_EQ(host::Int("ttDeleteToolTip", {tip.window, tool.window}), 1);
    CHECK_EQ(record.message, TTM_DELTOOLA);
    CHECK_EQ(record.cbSize, sizeof(TTTOOLINFOA));
    CHECK(record.hwnd == tool.window);
    CHECK_EQ(record.uId, 0);
    OK_SEQUENCE(tip, {{TTM_DELTOOLA, host::kWParam, 0, 0}}, "ttDeleteToolTip");

    record = ToolRecord{};
    CHECK_EQ(host::Int("ttSetText", {tip.window, tool.window, "new text"}), 1);
    CHECK_EQ(record.message, TTM_UPDATETIPTEXTA);
    CHECK_EQ(record.cbSize, sizeof(TTTOOLINFOA));
    CHECK(record.hwnd == tool.window);
    CHECK_EQ(record.uId, 0);
    CHECK(record.hinst == DistinctInstance());
    CHECK_EQ(record.text, "new text");
    OK_SEQUENCE(tip, {{TTM_UPDATETIPTEXTA, host::kWParam, 0, 0}}, "ttSetText");

    host::DestroySpy(tool);
    host::DestroySpy(tip);
}

void TooltipMessages() {
    host::Spy& tip = host::CreateSpy();
    AnswerAll(tip, 0);
    CHECK_EQ(host::Int("ttActivate", {tip.window, 0}), 1);  // 1 whatever the answer
    CHECK_EQ(host::Int("ttActivate", {tip.window, 1}), 1);
    OK_SEQUENCE(tip, {{TTM_ACTIVATE, host::kBoth, 0, 0}, {TTM_ACTIVATE, host::kBoth, 1, 0}}, "ttActivate");

    AnswerAll(tip, 77);
    CHECK_EQ(host::Int("ttSetDelay", {tip.window, 3, 500}), 77);
    OK_SEQUENCE(tip, {{TTM_SETDELAYTIME, host::kBoth, 3, 500}}, "ttSetDelay");

    // The colour goes in wParam.
    CHECK_EQ(host::Int("ttSetColor", {tip.window, "0|0|255", 0}), 77);
    CHECK_EQ(host::Int("ttSetColor", {tip.window, "255|128|0", 1}), 77);
    CHECK_EQ(host::Int("ttSetColor", {tip.window, "0|0|255", 2}), 0);
    CHECK_EQ(host::Int("ttSetColor", {tip.window, "0|0|255", -1}), 0);
    OK_SEQUENCE(tip, {{TTM_SETTIPBKCOLOR, host::kBoth, 0x00FF0000, 0}, {TTM_SETTIPTEXTCOLOR, host::kBoth, 0x000080FF, 0}},
                "ttSetColor");

    std::string title;
    tip.answer = [&title](UINT message, WPARAM, LPARAM lParam, LRESULT& answer) {
        if (message == TTM_SETTITLEA) title = reinterpret_cast<const char*>(lParam);
        answer = 1;
        return message >= WM_USER;
    };
    CHECK_EQ(host::Int("ttSetTitle", {tip.window, 2, "Careful"}), 1);
    CHECK_EQ(title, "Careful");
    OK_SEQUENCE(tip, {{TTM_SETTITLEA, host::kWParam, 2, 0}}, "ttSetTitle");
    host::DestroySpy(tip);
}

std::string ToolText(HWND tip, HWND tool) {
    char text[256] = "<none>";
    TTTOOLINFOA info = {};
    info.cbSize = sizeof info;
    info.hwnd = tool;
    info.uId = 0;
    info.lpszText = text;
    if (!SendMessageA(tip, TTM_GETTOOLINFOA, 0, reinterpret_cast<LPARAM>(&info))) return "<no tool>";
    return text;
}

void RealTooltip() {
    HWND owner = host::CreateTopWindow("tools", 300, 200);
    HWND tool = host::CreateChild(owner, "STATIC", WS_VISIBLE, 10, 10, 100, 20);
    HWND other = host::CreateChild(owner, "STATIC", WS_VISIBLE, 10, 40, 100, 20);
    HWND tip = WindowOf(host::Int("ttCreateToolTip", {owner}));
    CHECK_EQ(host::Int("ttAddToolTip", {tip, tool, "first"}), 1);
    CHECK_EQ(SendMessageA(tip, TTM_GETTOOLCOUNT, 0, 0), 1);
    CHECK_EQ(ToolText(tip, tool), "first");

    host::Int("ttSetText", {tip, tool, "second"});
    CHECK_EQ(ToolText(tip, tool), "second");
    host::Int("ttSetText", {tip, other, "never added"});  // changes nothing
    CHECK_EQ(SendMessageA(tip, TTM_GETTOOLCOUNT, 0, 0), 1);
    CHECK_EQ(ToolText(tip, other), "<no tool>");

    host::Int("ttDeleteToolTip", {tip, tool});
    CHECK_EQ(SendMessageA(tip, TTM_GETTOOLCOUNT, 0, 0), 0);
    host::Int("ttSetText", {tip, tool, "after delete"});
    CHECK_EQ(SendMessageA(tip, TTM_GETTOOLCOUNT, 0, 0), 0);

    host::Int("ttSetColor", {tip, "1|2|3", 0});
    CHECK_EQ(SendMessageA(tip, TTM_GETTIPBKCOLOR, 0, 0), 0x030201);
    DestroyWindow(owner);
}

// ---------------------------------------------------------------------------
// IP address control

void IpWindow() {
    HWND parent = host::CreateTopWindow("ip", 300, 200);
    int32_t result = 0;
    const Creation c = Watch([&] { result = host::Int("ipCreateIP", {parent, 5, 6, 150, 22, 99}); });
    HWND ip = WindowOf(result);
    CHECK(IsWindow(ip));
    CHECK_EQ(Describe(c, parent),
             "SysIPAddress32 \"IPAddress\" style 0x54000000 ex 0x0 at 5,6 size 150,22 parent id 4444 hostInstance");
    CHECK_EQ(GetDlgCtrlID(ip), 4444);
    CHECK(GetParent(ip) == parent);

    // The real control: set, read back, carry, clear.
    host::Int("ipSetIP", {ip, "10.0.0.1"});
    CHECK_EQ(host::Text("ipGetIP", {ip}), "10.0.0.1");
    CHECK_EQ(host::Int("ipIsBlank", {ip}), 0);
    host::Int("ipSetIP", {ip, "1.300.1.1"});
    CHECK_EQ(host::Text("ipGetIP", {ip}), "2.44.1.1");
    host::Int("ipSetIP", {ip, "255.255.255.255"});
    CHECK_EQ(host::Text("ipGetIP", {ip}), "255.255.255.255");
    host::Int("ipClearIP", {ip});
    CHECK(host::Int("ipIsBlank", {ip}) != 0);
    CHECK_EQ(host::Text("ipGetIP", {ip}), "0.0.0.0");
    CHECK(host::Int("ipSetRange", {ip, 1, 10, 200}) != 0);
    CHECK_EQ(host::Int("ipCreateIP", {0x7FFF0001, 0, 0, 10, 10, 0}), 0);
    DestroyWindow(parent);
}

void IpSetAddressTexts() {
    host::Spy& ip = host::CreateSpy();
    AnswerAll(ip, 5);
    struct Case {
        const char* text;
        uint32_t packed;
    };
    const Case cases[] = {
        {"192.168.1.20", 0xC0A80114u},
        {"7", 0x00000007u},
        {"", 0u},
        {"1.", 0x01000000u},
        {".1.2.3", 0x00020003u},
        {"1.300.1.1", 0x022C0101u},
        {" 10.0.0.1", 0x0A000001u},
        {"10.1", 0x0A000001u},
        {"10.1.2", 0x0A010002u},
        {"1.2.3.4.5", 0x01020305u},
        {"0010.1.1.1", 0x0A010101u},  // a long field is read whole
    };
    for (const Case& c : cases) {
        CHECK_EQ(host::Int("ipSetIP", {ip.window, c.text}), 5);
        OK_SEQUENCE(ip, {{IPM_SETADDRESS, host::kBoth, 0, static_cast<LPARAM>(c.packed)}}, c.text);
    }
    host::DestroySpy(ip);
}

void IpMessages() {
    host::Spy& ip = host::CreateSpy();
    AnswerAll(ip, 9);
    CHECK_EQ(host::Int("ipSetRange", {ip.window, 1, 10, 200}), 9);
    CHECK_EQ(host::Int("ipSetRange", {ip.window, 4, 0x1FF, 0x302}), 9);  // low bytes only
    OK_SEQUENCE(ip, {{IPM_SETRANGE, host::kBoth, 0, 0xC80A}, {IPM_SETRANGE, host::kBoth, 3, 0x02FF}}, "ipSetRange");
    CHECK_EQ(host::Int("ipSetFocus", {ip.window, 1}), 9);
    CHECK_EQ(host::Int("ipSetFocus", {ip.window, 0}), 9);  // past the last field: the first blank one
    OK_SEQUENCE(ip, {{IPM_SETFOCUS, host::kBoth, 0, 0}, {IPM_SETFOCUS, host::kBoth, static_cast<WPARAM>(-1), 0}},
                "ipSetFocus");
    CHECK_EQ(host::Int("ipClearIP", {ip.window}), 9);
    CHECK_EQ(host::Int("ipIsBlank", {ip.window}), 9);
    OK_SEQUENCE(ip, {{IPM_CLEARADDRESS, host::kBoth, 0, 0}, {IPM_ISBLANK, host::kBoth, 0, 0}}, "clear, blank");

    // A window that fills in no address reads 0.0.0.0, never an unset value.
    CHECK_EQ(host::Text("ipGetIP", {ip.window}), "0.0.0.0");
    OK_SEQUENCE(ip, {{IPM_GETADDRESS, host::kWParam, 0, 0}}, "ipGetIP");
    CHECK_EQ(host::Text("ipGetIP", {0x7FFF0001}), "0.0.0.0");
    ip.answer = [](UINT message, WPARAM, LPARAM lParam, LRESULT& answer) {
        if (message != IPM_GETADDRESS) return false;
        *reinterpret_cast<DWORD*>(lParam) = 0xC0A80114u;
        answer = 4;
        return true;
    };
    CHECK_EQ(host::Text("ipGetIP", {ip.window}), "192.168.1.20");
    host::DestroySpy(ip);
}

// ---------------------------------------------------------------------------
// Date-time picker

void PickerWindow() {
    HWND parent = host::CreateTopWindow("picker", 400, 300);
    int32_t result = 0;
    const Creation c = Watch([&] { result = host::Int("dtCreateDateTime", {parent, 7, 8, 200, 24, 1}); });
    HWND picker = WindowOf(result);
    CHECK(IsWindow(picker));
    CHECK_EQ(Describe(c, parent),
             "SysDateTimePick32 \"DateTime\" style 0x50800002 ex 0x0 at 7,8 size 200,24 parent id 0 hostInstance");

    CHECK(host::Int("dtSetDateTime", {picker, "2024:03:05:14:07:09"}) != 0);
    CHECK_EQ(host::Text("dtGetDateTime", {picker, 0}), "2024:03:05:14:07:09");
    CHECK(host::Int("dtSetDateTime", {picker, "2023:12:31:23:59:58"}) != 0);
    CHECK_EQ(host::Text("dtGetDateTime", {picker, 7}), "2023:12:31:23:59:58");
    CHECK(host::Int("dtSetDateTime", {picker, "2024-03-05 14.07.09"}) != 0);  // other separators
    CHECK_EQ(host::Text("dtGetDateTime", {picker, 0}), "2024:03:05:14:07:09");

    // Refused dates keep the value: day 0 in both.
    CHECK_EQ(host::Int("dtSetDateTime", {picker, "2024:03"}), 0);
    CHECK_EQ(host::Int("dtSetDateTime", {picker, "2024:3:5:14:07:09"}), 0);
    CHECK_EQ(host::Int("dtSetDateTime", {picker, "2024:13:01:00:00:00"}), 0);
    CHECK_EQ(host::Int("dtSetDateTime", {picker, "1600:12:31:00:00:00"}), 0);  // Wine's picker would answer 1
    CHECK_EQ(host::Text("dtGetDateTime", {picker, 0}), "2024:03:05:14:07:09");

    // The displayed text follows the display format.
    CHECK(host::Int("dtFormatDateTime", {picker, "yyyy'/'MM'/'dd HH'h'"}) != 0);
    CHECK_EQ(host::Text("dtGetDateTime", {picker, -1}), "2024/03/05 14h");
    CHECK_EQ(host::Text("dtGetDateTime", {picker, 0}), "2024:03:05:14:07:09");
    // Wine's picker faults on this one: refused, and the format stays.
    std::string blanksAndDashes;
    for (int i = 0; i < 500; ++i) blanksAndDashes += " -";
    CHECK_EQ(host::Int("dtFormatDateTime", {picker, "d" + blanksAndDashes + "M"}), 0);
    CHECK_EQ(host::Text("dtGetDateTime", {picker, -1}), "2024/03/05 14h");

    // Colours: the answer is the previous colour of the part.
    host::Int("dtSetDateTimeColor", {picker, 1, 2, 3, MCSC_MONTHBK});
    CHECK_EQ(host::Int("dtSetDateTimeColor", {picker, 4, 5, 6, MCSC_MONTHBK}), 0x030201);
    CHECK_EQ(SendMessageA(picker, DTM_GETMCCOLOR, MCSC_MONTHBK, 0), 0x060504);

    // Hidden, not destroyed; the value stays.
    host::Int("dtRemoveDateTime", {picker});
    CHECK(IsWindow(picker));
    CHECK(!IsWindowVisible(picker));
    CHECK_EQ(host::Text("dtGetDateTime", {picker, 0}), "2024:03:05:14:07:09");
    DestroyWindow(parent);
}

void PickerMessages() {
    host::Spy& picker = host::CreateSpy();
    SYSTEMTIME sent = {};
    picker.answer = [&sent](UINT message, WPARAM wParam, LPARAM lParam, LRESULT& answer) {
        if (message < WM_USER) return false;
        if (message == DTM_SETSYSTEMTIME && wParam == GDT_VALID) sent = *reinterpret_cast<const SYSTEMTIME*>(lParam);
        answer = 0;  // as Wine answers GDT_NONE
        return true;
    };
    // No date: GDT_NONE with no record, and 1 whatever the picker says.
    CHECK_EQ(host::Int("dtSetDateTime", {picker.window, ""}), 1);
    CHECK_EQ(host::Int("dtSetDateTime", {picker.window, "x2024:03:05:14:07:09"}), 1);
    CHECK_EQ(host::Int("dtSetDateTime", {picker.window, "0000:03:05:14:07:09"}), 1);
    OK_SEQUENCE(picker,
                {{DTM_SETSYSTEMTIME, host::kBoth, GDT_NONE, 0},
                 {DTM_SETSYSTEMTIME, host::kBoth, GDT_NONE, 0},
                 {DTM_SETSYSTEMTIME, host::kBoth, GDT_NONE, 0}},
                "no date");

    memset(&sent, 0x5A, sizeof sent);
    CHECK_EQ(host::Int("dtSetDateTime", {picker.window, "2024:03:05:14:07:09"}), 0);  // the refusal passes on
    CHECK_EQ(sent.wYear, 2024);
    CHECK_EQ(sent.wMonth, 3);
    CHECK_EQ(sent.wDay, 5);
    CHECK_EQ(sent.wHour, 14);
    CHECK_EQ(sent.wMinute, 7);
    CHECK_EQ(sent.wSecond, 9);
    CHECK_EQ(sent.wDayOfWeek, 0);
    CHECK_EQ(sent.wMilliseconds, 0);
    OK_SEQUENCE(picker, {{DTM_SETSYSTEMTIME, host::kWParam, GDT_VALID, 0}}, "a date");
    CHECK_EQ(host::Int("dtSetDateTime", {picker.window, "1600:12:31:23:59:59"}), 0);
    OK_SEQUENCE(picker, {}, "a date before 1601");

    // A picker holding no date reads as the empty text.
    picker.answer = [](UINT message, WPARAM, LPARAM, LRESULT& answer) {
        if (message != DTM_GETSYSTEMTIME) return false;
        answer = GDT_NONE;
        return true;
    };
    CHECK_EQ(host::Text("dtGetDateTime", {picker.window, 0}), "");
    OK_SEQUENCE(picker, {{DTM_GETSYSTEMTIME, host::kWParam, 0, 0}}, "no date read");
    CHECK_EQ(host::Text("dtGetDateTime", {0x7FFF0001, 0}), "");
    CHECK_EQ(host::Text("dtGetDateTime", {0x7FFF0001, -1}), "");

    AnswerAll(picker, 0x123456);
    CHECK_EQ(host::Int("dtSetDateTimeColor", {picker.window, 0x101, 0x202, -1, 4}), 0x123456);
    OK_SEQUENCE(picker, {{DTM_SETMCCOLOR, host::kBoth, 4, 0xFF0201}}, "dtSetDateTimeColor");
    CHECK_EQ(host::Int("dtRemoveDateTime", {picker.window}), 0x123456);
    OK_SEQUENCE(picker, {{DTM_CLOSEMONTHCAL, host::kBoth, 0, 0}}, "dtRemoveDateTime");
    CHECK(IsWindow(picker.window));

    std::string format;
    picker.answer = [&format](UINT message, WPARAM, LPARAM lParam, LRESULT& answer) {
        if (message != DTM_SETFORMATA) return false;
        format = reinterpret_cast<const char*>(lParam);
        answer = 1;
        return true;
    };
    CHECK_EQ(host::Int("dtFormatDateTime", {picker.window, "dd MMM"}), 1);
    CHECK_EQ(format, "dd MMM");
    // Under Wine, 32 fields and 256 characters of text fit its picker; a
    // format beyond either is refused unsent.
    const std::string text256 = "d" + std::string(256, '-') + "M";
    std::string fields32;
    for (int i = 0; i < 16; ++i) fields32 += "dM";
    CHECK_EQ(host::Int("dtFormatDateTime", {picker.window, text256}), 1);
    CHECK_EQ(host::Int("dtFormatDateTime", {picker.window, fields32}), 1);
    CHECK_EQ(format, fields32);
    picker.log.clear();
    CHECK_EQ(host::Int("dtFormatDateTime", {picker.window, "d-" + text256}), 0);
    CHECK_EQ(host::Int("dtFormatDateTime", {picker.window, fields32 + "d"}), 0);
    OK_SEQUENCE(picker, {}, "formats beyond Wine's picker");
    host::DestroySpy(picker);
}

std::string FaceOf(HGDIOBJ font) {
    LOGFONTA description = {};
    if (GetObjectType(font) != OBJ_FONT || !GetObjectA(font, sizeof description, &description)) return "<no font>";
    return description.lfFaceName;
}

void PickerFonts() {
    // The message contract on a spy: the font handle in wParam, redraw.
    host::Spy& spy = host::CreateSpy();
    AnswerAll(spy, 0);
    CHECK_EQ(host::Int("dtSetDateTimeFont", {spy.window, ""}), 0);
    CHECK_EQ(spy.log.size(), 2u);  // DTM_GETMCFONT's answer gives the size of type
    if (spy.log.size() == 2) {
        CHECK_EQ(spy.log[0].message, DTM_GETMCFONT);
        CHECK_EQ(spy.log[1].message, DTM_SETMCFONT);
        CHECK_EQ(FaceOf(reinterpret_cast<HGDIOBJ>(spy.log[1].wParam)), "Courier New");
        CHECK_EQ(spy.log[1].lParam, 1);
    }
    spy.log.clear();
    host::DestroySpy(spy);
    CHECK_EQ(host::Int("dtSetDateTimeFont", {0x7FFF0001, ""}), 0);

    HWND parent = host::CreateTopWindow("fonts", 300, 200);
    HWND picker = WindowOf(host::Int("dtCreateDateTime", {parent, 0, 0, 200, 24, 0}));

    host::Int("dtSetDateTimeFont", {picker, ""});
    HGDIOBJ courier = reinterpret_cast<HGDIOBJ>(SendMessageA(picker, DTM_GETMCFONT, 0, 0));
    CHECK_EQ(FaceOf(courier), "Courier New");
    host::Int("dtSetDateTimeFont", {picker, "Courier New"});  // same face: the same font
    CHECK(reinterpret_cast<HGDIOBJ>(SendMessageA(picker, DTM_GETMCFONT, 0, 0)) == courier);

    host::Int("dtSetDateTimeFont", {picker, "Arial"});
    HGDIOBJ arial = reinterpret_cast<HGDIOBJ>(SendMessageA(picker, DTM_GETMCFONT, 0, 0));
    CHECK_EQ(FaceOf(arial), "Arial");
    CHECK_EQ(GetObjectType(courier), 0u);  // the replaced font is gone

    // Many calls leave one font of ours, alive while the picker uses it.
    // Wine's picker itself keeps one more font per DTM_SETMCFONT (Windows
    // does not), so ours are counted against plain DTM_SETMCFONT calls.
    int count = CountGdiObjects(OBJ_FONT);
    for (int i = 0; i < 20; ++i) SendMessageA(picker, DTM_SETMCFONT, reinterpret_cast<WPARAM>(arial), TRUE);
    const int wineOwn = CountGdiObjects(OBJ_FONT) - count;
    count = CountGdiObjects(OBJ_FONT);
    for (int i = 0; i < 20; ++i) host::Int("dtSetDateTimeFont", {picker, i % 2 ? "Arial" : "Tahoma"});
    CHECK_EQ(CountGdiObjects(OBJ_FONT) - count, wineOwn);
    HGDIOBJ last = reinterpret_cast<HGDIOBJ>(SendMessageA(picker, DTM_GETMCFONT, 0, 0));
    CHECK_EQ(FaceOf(last), "Arial");
    CHECK(arial != last);
    CHECK_EQ(GetObjectType(arial), 0u);

    // The last font goes with the picker.
    DestroyWindow(picker);
    CHECK_EQ(GetObjectType(last), 0u);
    DestroyWindow(parent);
}

// ---------------------------------------------------------------------------
// Animation control

void AnimationWindow() {
    HWND parent = host::CreateTopWindow("animation", 300, 200);
    int32_t result = 0;
    const Creation c = Watch([&] { result = host::Int("anCreateAVI", {parent, 11, 12, 64, 48, 1234}); });
    HWND animation = WindowOf(result);
    CHECK(IsWindow(animation));
    CHECK_EQ(Describe(c, parent),
             "SysAnimate32 \"<null>\" style 0x40000000 ex 0x0 at 0,0 size 0,0 parent id 2222 hostInstance");

    // Then moved and sized, still hidden.
    RECT place = {};
    GetWindowRect(animation, &place);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&place), 2);
    CHECK_EQ(place.left, 11);
    CHECK_EQ(place.top, 12);
    CHECK_EQ(place.right - place.left, 64);
    CHECK_EQ(place.bottom - place.top, 48);
    CHECK(!IsWindowVisible(animation));

    // A missing clip still shows the (empty) control.
    CHECK_EQ(host::Int("anOpenAVI", {animation, "C:\\no such folder\\clip.avi"}), 0);
    CHECK(IsWindowVisible(animation));
    CHECK_EQ(host::Int("anPlayAVI", {animation, 0, -1, -1}), 1);
    CHECK_EQ(host::Int("anStopAVI", {animation}), 1);
    CHECK_EQ(host::Int("anCloseAVI", {animation}), 1);
    DestroyWindow(parent);
}

void AnimationMessages() {
    host::Spy& animation = host::CreateSpy();
    std::string clip;
    animation.answer = [&clip](UINT message, WPARAM, LPARAM lParam, LRESULT& answer) {
        if (message == ACM_OPENA && lParam) clip = reinterpret_cast<const char*>(lParam);
        answer = 0;
        return message >= WM_USER;
    };
    CHECK_EQ(host::Int("anPlayAVI", {animation.window, 0, -1, -1}), 1);
    CHECK_EQ(host::Int("anPlayAVI", {animation.window, 70000, 5, 2}), 1);
    CHECK_EQ(host::Int("anStopAVI", {animation.window}), 1);
    CHECK_EQ(host::Int("anCloseAVI", {animation.window}), 1);
    OK_SEQUENCE(animation,
                {{ACM_PLAY, host::kBoth, static_cast<WPARAM>(-1), static_cast<LPARAM>(0xFFFF0000u)},
                 {ACM_PLAY, host::kBoth, 2, 0x00051170},  // 70000 keeps its low 16 bits, 4464
                 {ACM_STOP, host::kBoth, 0, 0},
                 {ACM_OPENA, host::kBoth, 0, 0}},
                "play, stop, close");
    CHECK(!IsWindowVisible(animation.window));
    CHECK_EQ(host::Int("anOpenAVI", {animation.window, "clip.avi"}), 0);
    CHECK_EQ(clip, "clip.avi");
    OK_SEQUENCE(animation, {{ACM_OPENA, host::kWParam, 0, 0}}, "anOpenAVI");
    CHECK(IsWindowVisible(animation.window));
    host::DestroySpy(animation);
}

// ---------------------------------------------------------------------------
// Image lists

// A 24-bit bottom-up BMP file of the given size, one colour.
std::string WriteBitmap(const char* name, int width, int height) {
    char folder[MAX_PATH] = "";
    GetTempPathA(MAX_PATH, folder);
    const std::string path = std::string(folder) + name;
    const int stride = (width * 3 + 3) & ~3;
    BITMAPFILEHEADER file = {};
    BITMAPINFOHEADER info = {};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = file.bfOffBits + stride * height;
    info.biSize = sizeof info;
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biCompression = BI_RGB;
    std::vector<unsigned char> pixels(static_cast<size_t>(stride) * height, 0x80);
    FILE* out = fopen(path.c_str(), "wb");
    fwrite(&file, sizeof file, 1, out);
    fwrite(&info, sizeof info, 1, out);
    fwrite(pixels.data(), pixels.size(), 1, out);
    fclose(out);
    return path;
}

std::string WriteText(const char* name, const char* content) {
    char folder[MAX_PATH] = "";
    GetTempPathA(MAX_PATH, folder);
    const std::string path = std::string(folder) + name;
    FILE* out = fopen(path.c_str(), "wb");
    fputs(content, out);
    fclose(out);
    return path;
}

HIMAGELIST ListOf(int32_t value) { return reinterpret_cast<HIMAGELIST>(static_cast<intptr_t>(value)); }

void ImageLists() {
    // Handles travel as 32-bit integers: they must come back whole.
    HIMAGELIST probe = ImageList_Create(16, 16, ILC_COLOR16, 1, 1);
    const intptr_t raw = reinterpret_cast<intptr_t>(probe);
    CHECK_EQ(static_cast<intptr_t>(static_cast<int32_t>(raw)), raw);
    ImageList_Destroy(probe);

    const int32_t list = host::Int("ilCreateImgList", {4, 2, 16, 16, 0});
    CHECK(list != 0);
    int cx = 0, cy = 0;
    CHECK(ImageList_GetIconSize(ListOf(list), &cx, &cy));
    CHECK_EQ(cx, 16);
    CHECK_EQ(cy, 16);
    CHECK_EQ(host::Int("ilRemoveImage", {list, 0}), 0);

    const std::string wide = WriteBitmap("tabulon_wide.bmp", 32, 16);
    const std::string square = WriteBitmap("tabulon_square.bmp", 16, 16);
    const int bitmapsBefore = CountGdiObjects(OBJ_BITMAP);
    CHECK_EQ(host::Int("ilAddImage", {list, wide, 0, 0}), 2);  // cut into two 16 x 16 images
    CHECK_EQ(host::Int("ilAddImage", {list, square, 0, 0}), 3);
    CHECK_EQ(ImageList_GetImageCount(ListOf(list)), 3);
    // The loaded bitmaps are gone again.
    CHECK_EQ(CountGdiObjects(OBJ_BITMAP), bitmapsBefore);
    CHECK(host::TakeMessageBoxes().empty());

    // A missing file: the box and 0, even with images in the list.
    CHECK_EQ(host::Int("ilAddImage", {list, "C:\\no such folder\\image.bmp", 0, 0}), 0);
    const std::vector<host::MessageBoxSeen> boxes = host::MessageBoxes();
    CHECK_EQ(boxes.size(), 1u);
    if (!boxes.empty()) {
        CHECK(boxes[0].owner == host::Current().owner);
        CHECK_EQ(boxes[0].caption, "File Open Error");
        CHECK_EQ(boxes[0].text, "The specified file does not appear to be available");
        CHECK_EQ(boxes[0].style, 0u);
        CHECK(boxes[0].shown);
    }
    host::TakeMessageBoxes();
    CHECK_EQ(ImageList_GetImageCount(ListOf(list)), 3);

    // A file that is no bitmap adds nothing and shows no box.
    const std::string text = WriteText("tabulon_not_a_bitmap.bmp", "no bitmap here");
    CHECK_EQ(host::Int("ilAddImage", {list, text, 0, 0}), 3);
    CHECK(host::TakeMessageBoxes().empty());
    // The file was closed again: it can be deleted at once.
    CHECK(DeleteFileA(text.c_str()));
    CHECK(DeleteFileA(wide.c_str()));

    // ilRemoveImage removes nothing.
    CHECK_EQ(host::Int("ilRemoveImage", {list, 1}), 3);
    CHECK_EQ(host::Int("ilRemoveImage", {list, 3}), 3);
    CHECK_EQ(ImageList_GetImageCount(ListOf(list)), 3);

    CHECK_EQ(host::Int("ilDeleteImgList", {list}), 1);
    CHECK_EQ(host::Int("ilDeleteImgList", {0x1234}), 1);  // also for a handle that is no list
    CHECK_EQ(host::Int("ilRemoveImage", {0, 0}), 0);

    // Image sizes come from arguments 3 and 4, the counts from 1 and 2.
    const int32_t tall = host::Int("ilCreateImgList", {1, 1, 8, 24, 0});
    CHECK(ImageList_GetIconSize(ListOf(tall), &cx, &cy));
    CHECK_EQ(cx, 8);
    CHECK_EQ(cy, 24);
    CHECK_EQ(host::Int("ilAddImage", {tall, square, 0, 0}), 2);  // 16 wide: two 8-wide images
    host::Int("ilDeleteImgList", {tall});
    DeleteFileA(square.c_str());
}

// Last: a picker with a font of ours calls into the extender until it is
// destroyed, so the extender must outlive a FreeLibrary meanwhile.
void ExtenderOutlivesPickers() {
    HWND parent = host::CreateTopWindow("pinned", 300, 200);
    HWND picker = WindowOf(host::Int("dtCreateDateTime", {parent, 0, 0, 200, 24, 0}));
    host::Int("dtSetDateTimeFont", {picker, "Arial"});
    FreeLibrary(host::Current().extender.module);
    CHECK(GetModuleHandleA("tabulon.dll") != nullptr);
    DestroyWindow(parent);  // runs the picker's subclass one last time
    CHECK(!IsWindow(picker));
}

}  // namespace

int main() {
    host::Start();
    host::Current().instance = DistinctInstance();
    check::Group("tooltip window", TooltipWindow);
    check::Group("tool records", ToolRecords);
    check::Group("tooltip messages", TooltipMessages);
    check::Group("real tooltip", RealTooltip);
    check::Group("IP address window", IpWindow);
    check::Group("IP address texts", IpSetAddressTexts);
    check::Group("IP address messages", IpMessages);
    check::Group("date-time picker window", PickerWindow);
    check::Group("date-time picker messages", PickerMessages);
    check::Group("date-time picker fonts", PickerFonts);
    check::Group("animation window", AnimationWindow);
    check::Group("animation messages", AnimationMessages);
    check::Group("image lists", ImageLists);
    check::Group("extender outlives pickers", ExtenderOutlivesPickers);
    return check::Finish();
}
