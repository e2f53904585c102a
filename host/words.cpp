// The host's own words: what the extender drives but does not create
// (windows, list views, list boxes, edit boxes, buttons, combo boxes,
// labels), the items of list and combo boxes, a message pump, the mouse
// pointer resting on a window, and window snapshots. Their names are plain
// lower-case words, which no extender function bears.
#include "words.h"

#include <windows.h>
#include <commctrl.h>

#include "../interface/characters.h"
#include "png.h"
#include "protocol.h"

using script::Function;
using script::IntValue;
using script::Value;

namespace {

int32_t HandleValue(HWND window) { return static_cast<int32_t>(reinterpret_cast<intptr_t>(window)); }
HWND WindowOf(const Value& v) { return reinterpret_cast<HWND>(static_cast<intptr_t>(v.number)); }

void Pump(DWORD milliseconds) {
    const DWORD start = GetTickCount();
    for (;;) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        const DWORD spent = GetTickCount() - start;
        if (spent >= milliseconds) return;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, milliseconds - spent, QS_ALLINPUT);
    }
}

bool Created(HWND window, const std::string& spelled, Value& result, std::string& error) {
    if (!window) {
        error = spelled + " could not create its window (error " + std::to_string(GetLastError()) + ")";
        return false;
    }
    SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    result = IntValue(HandleValue(window));
    return true;
}

HWND Child(const std::vector<Value>& args, const char* className, DWORD style, const char* text) {
    static int nextId = 1000;
    return CreateWindowExA(0, className, text, WS_CHILD | WS_VISIBLE | style, args[1].number, args[2].number,
                           args[3].number, args[4].number, WindowOf(args[0]),
                           reinterpret_cast<HMENU>(static_cast<intptr_t>(nextId++)), GetModuleHandleA(nullptr),
                           nullptr);
}

// A style name a list word takes after its place and size.
struct Style {
    const char* name;
    DWORD style;
    DWORD extended;  // list views' extended style
};

const Style kListViewStyles[] = {
    {"checkboxes", 0, LVS_EX_CHECKBOXES},
    {"single", LVS_SINGLESEL, 0},
    {"sorted", LVS_SORTASCENDING, 0},
    {"noheader", LVS_NOCOLUMNHEADER, 0},
};
const Style kListBoxStyles[] = {
    {"sorted", LBS_SORT, 0},
    {"multiple", LBS_MULTIPLESEL, 0},
    {"extended", LBS_EXTENDEDSEL, 0},
};

// The styles named by arguments 6 and on, in any case; an unknown name is
// refused with the names there are.
template <size_t N>
bool ReadStyles(const Style (&styles)[N], const std::string& spelled, const std::vector<Value>& args, Style& chosen,
                std::string& error) {
    chosen = Style{"", 0, 0};
    for (size_t k = 5; k < args.size(); ++k) {
        const Style* found = nullptr;
        for (const Style& style : styles)
            if (script::Lower(args[k].text) == style.name) found = &style;
        if (!found) {
            error = spelled + " has no style " + script::Shown(args[k]) + "; its styles are ";
            for (size_t s = 0; s < N; ++s) error += std::string(s == 0 ? "" : s + 1 == N ? " and " : ", ") + styles[s].name;
            return false;
        }
        chosen.style |= found->style;
        chosen.extended |= found->extended;
    }
    return true;
}

// The folders a file goes into, made where missing, so that a script's
// "build/gallery.png" is written from any folder, such as an unpacked
// release. Separators are found by characters: ソ's trail byte is 0x5C.
void MakeFoldersFor(const std::string& path) {
    const char* start = path.c_str();
    for (const char* c = start; *c; c = NextCharacter(c))
        if ((*c == '\\' || *c == '/') && c > start) CreateDirectoryA(std::string(start, c).c_str(), nullptr);
}

bool IsOwnedBy(HWND window, HWND owner) {
    for (HWND up = GetWindow(window, GW_OWNER); up; up = GetWindow(up, GW_OWNER))
        if (up == owner) return true;
    return false;
}

// What snapshot captures: the window with its frame, and the visible
// top-level windows of this thread above it that overlap it or that it
// owns (tooltips, drop-down lists, calendars, other windows of the
// script), within the screen.
RECT CaptureArea(HWND window) {
    RECT area;
    GetWindowRect(window, &area);
    const RECT own = area;
    for (HWND above = GetWindow(window, GW_HWNDPREV); above; above = GetWindow(above, GW_HWNDPREV)) {
        if (!IsWindowVisible(above) || GetWindowThreadProcessId(above, nullptr) != GetCurrentThreadId()) continue;
        RECT rect, overlap;
        GetWindowRect(above, &rect);
        if (IntersectRect(&overlap, &rect, &own) || IsOwnedBy(above, window)) UnionRect(&area, &area, &rect);
    }
    const int left = GetSystemMetrics(SM_XVIRTUALSCREEN), top = GetSystemMetrics(SM_YVIRTUALSCREEN);
    const RECT screen{left, top, left + GetSystemMetrics(SM_CXVIRTUALSCREEN), top + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
    IntersectRect(&area, &area, &screen);
    return area;
}

// The screen's pixels in rect, as RGB rows, top row first.
bool CaptureScreen(const RECT& rect, std::vector<uint8_t>& rgb) {
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC screenDc = GetDC(nullptr);
    HDC memoryDc = CreateCompatibleDC(screenDc);
    HBITMAP bitmap = CreateDIBSection(screenDc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    bool captured = false;
    if (bitmap) {
        HGDIOBJ old = SelectObject(memoryDc, bitmap);
        captured = BitBlt(memoryDc, 0, 0, width, height, screenDc, rect.left, rect.top, SRCCOPY) != 0;
        SelectObject(memoryDc, old);
    }
    if (captured) {
        GdiFlush();
        const size_t stride = (static_cast<size_t>(width) * 3 + 3) & ~static_cast<size_t>(3);
        rgb.resize(static_cast<size_t>(width) * height * 3);
        for (int y = 0; y < height; ++y) {
            const uint8_t* row = static_cast<const uint8_t*>(bits) + y * stride;
            for (int x = 0; x < width; ++x) {
                uint8_t* pixel = &rgb[(static_cast<size_t>(y) * width + x) * 3];
                pixel[0] = row[x * 3 + 2];
                pixel[1] = row[x * 3 + 1];
                pixel[2] = row[x * 3];
            }
        }
    }
    if (bitmap) DeleteObject(bitmap);
    DeleteDC(memoryDc);
    ReleaseDC(nullptr, screenDc);
    return captured;
}

}  // namespace

namespace words {

// window("title", width, height): a top-level window whose client area has
// the given size.
bool window(const Function&, const std::string& spelled, const std::vector<Value>& args, Value& result,
            std::string& error) {
    const DWORD style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
    RECT frame{0, 0, args[1].number, args[2].number};
    AdjustWindowRect(&frame, style, FALSE);
    HWND made = CreateWindowExA(0, host::TopWindowClass(), args[0].text.c_str(), style, 20, 20,
                                frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
    if (made) {
        ShowWindow(made, SW_SHOW);
        UpdateWindow(made);
        Pump(0);
    }
    return Created(made, spelled, result, error);
}

// listview(parent, x, y, w, h [, "style", ...]): report view, full-row
// selection and grid lines.
bool listview(const Function&, const std::string& spelled, const std::vector<Value>& args, Value& result,
              std::string& error) {
    Style chosen;
    if (!ReadStyles(kListViewStyles, spelled, args, chosen, error)) return false;
    HWND made = Child(args, WC_LISTVIEWA, WS_BORDER | WS_TABSTOP | LVS_REPORT | LVS_SHOWSELALWAYS | chosen.style, "");
    if (made) {
        const DWORD extended = LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES | chosen.extended;
        SendMessageA(made, LVM_SETEXTENDEDLISTVIEWSTYLE, extended, extended);
    }
    return Created(made, spelled, result, error);
}

// listbox(parent, x, y, w, h [, "style", ...]).
bool listbox(const Function&, const std::string& spelled, const std::vector<Value>& args, Value& result,
             std::string& error) {
    Style chosen;
    if (!ReadStyles(kListBoxStyles, spelled, args, chosen, error)) return false;
    const DWORD style = WS_BORDER | WS_VSCROLL | WS_HSCROLL | WS_TABSTOP | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT;
    return Created(Child(args, "LISTBOX", style | chosen.style, ""), spelled, result, error);
}

// editbox(parent, x, y, w, h [, "text"]).
bool editbox(const Function&, const std::string& spelled, const std::vector<Value>& args, Value& result,
             std::string& error) {
    const char* text = args.size() > 5 ? args[5].text.c_str() : "";
    return Created(Child(args, "EDIT", WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, text), spelled, result, error);
}

// button(parent, x, y, w, h [, "caption"]).
bool button(const Function&, const std::string& spelled, const std::vector<Value>& args, Value& result,
            std::string& error) {
    const char* text = args.size() > 5 ? args[5].text.c_str() : "";
    return Created(Child(args, "BUTTON", WS_TABSTOP | BS_PUSHBUTTON, text), spelled, result, error);
}

// combobox(parent, x, y, w, h): a drop-down list; h includes the list.
bool combobox(const Function&, const std::string& spelled, const std::vector<Value>& args, Value& result,
              std::string& error) {
    return Created(Child(args, "COMBOBOX", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, ""), spelled, result, error);
}

// label(parent, x, y, w, h, "text").
bool label(const Function&, const std::string& spelled, const std::vector<Value>& args, Value& result,
           std::string& error) {
    return Created(Child(args, "STATIC", SS_LEFT, args[5].text.c_str()), spelled, result, error);
}

// additem(list box or combo box, "text"): adds; the new item's number.
bool additem(const Function&, const std::string& spelled, const std::vector<Value>& args, Value& result,
             std::string& error) {
    HWND list = WindowOf(args[0]);
    char className[32] = "";
    GetClassNameA(list, className, sizeof className);
    UINT message;
    if (lstrcmpiA(className, "ListBox") == 0) message = LB_ADDSTRING;
    else if (lstrcmpiA(className, "ComboBox") == 0) message = CB_ADDSTRING;
    else {
        error = spelled + " needs a list box or a combo box";
        return false;
    }
    const LRESULT index = SendMessageA(list, message, 0, reinterpret_cast<LPARAM>(args[1].text.c_str()));
    if (index < 0) {
        error = spelled + " could not add " + script::Shown(args[1]);
        return false;
    }
    result = IntValue(static_cast<int32_t>(index + 1));
    return true;
}

// pump(ms): handles messages for that long, so that windows paint.
bool pump(const Function&, const std::string&, const std::vector<Value>& args, Value& result, std::string&) {
    Pump(args[0].number > 0 ? static_cast<DWORD>(args[0].number) : 0);
    result = IntValue(0);
    return true;
}

// snapshot(window, "file.png"): what CaptureArea takes in; 1 when written.
bool snapshot(const Function&, const std::string& spelled, const std::vector<Value>& args, Value& result,
              std::string& error) {
    HWND target = WindowOf(args[0]);
    if (!IsWindow(target)) {
        error = spelled + " needs a window";
        return false;
    }
    RedrawWindow(target, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Pump(50);
    const RECT area = CaptureArea(target);
    std::vector<uint8_t> rgb;
    if (IsRectEmpty(&area) || !CaptureScreen(area, rgb)) {
        error = spelled + " could not capture the window";
        return false;
    }
    MakeFoldersFor(args[1].text);
    if (!png::WritePng(args[1].text, area.right - area.left, area.bottom - area.top, rgb.data())) {
        error = spelled + " could not write " + args[1].text;
        return false;
    }
    result = IntValue(1);
    return true;
}

// hover(window): the mouse pointer moves onto the window's centre and the
// window is told of the move, as when a user moves it there; a tooltip for
// the window then shows.
bool hover(const Function&, const std::string& spelled, const std::vector<Value>& args, Value& result,
           std::string& error) {
    HWND target = WindowOf(args[0]);
    RECT rect;
    if (!IsWindow(target) || !GetWindowRect(target, &rect)) {
        error = spelled + " needs a window";
        return false;
    }
    POINT point{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    SetCursorPos(point.x, point.y);
    ScreenToClient(target, &point);
    SendMessageA(target, WM_MOUSEMOVE, 0, MAKELPARAM(point.x, point.y));
    result = IntValue(1);
    return true;
}

}  // namespace words

void AddHostWords(std::vector<Function>& functions) {
#define TABULON_WORD_RUNNER(word) {#word, words::word},
    static const struct {
        const char* name;
        script::Runner* run;
    } runners[] = {TABULON_HOST_WORDS(TABULON_WORD_RUNNER)};
#undef TABULON_WORD_RUNNER
    for (const auto& runner : runners) {
        for (const ReferenceEntry& entry : kReferenceEntries) {
            if (entry.hostWord && lstrcmpA(entry.name, runner.name) == 0)
                functions.push_back(Function{entry.name, -1, entry.minArgs, entry.maxArgs, entry.kinds, runner.run,
                                             entry.shape});
        }
    }
}
