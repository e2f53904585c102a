// The host's own words: what the extender drives but does not create
// (windows, list views, list boxes, edit boxes, buttons, combo boxes,
// labels), the items of list and combo boxes, a message pump, the mouse
// pointer resting on a window, and window snapshots. Their names are plain
// lower-case words, which no extender function bears.
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

namespace script {

static int32_t HandleValue(HWND window) { return static_cast<int32_t>(reinterpret_cast<intptr_t>(window)); }
static HWND WindowOf(const Value& v) { return reinterpret_cast<HWND>(static_cast<intptr_t>(v.number)); }

static void Pump(DWORD milliseconds) {
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

static bool Created(HWND window, const std::string& spelled, Value& result, std::string& error) {
    if (!window) {
        error = spelled + " could not create its window (error " + std::to_string(GetLastError()) + ")";
        return false;
    }
    SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    result = IntValue(HandleValue(window));
    return true;
}

static HWND Child(const std::vector<Value>& args, const char* className, DWORD style, const char* text,
                  DWORD exStyle = 0) {
    static int nextId = 1000;
    return CreateWindowExA(exStyle, className, text, WS_CHILD | WS_VISIBLE | style, args[1].number, args[2].number,
                           args[3].number, args[4].number, WindowOf(args[0]),
                           reinterpret_cast<HMENU>(static_cast<intptr_t>(nextId++)), GetModuleHandleA(nullptr),
                           nullptr);
}

// window("title", width, height): a top-level window whose client area has
// the given size.
static bool BuiltinWindow(const Function&, const std::string& spelled, const std::vector<Value>& args, Value& result,
                          std::string& error) {
    static bool registered = false;
    if (!registered) {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = DefWindowProcA;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "TabulonScriptWindow";
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
        RegisterClassA(&windowClass);
        registered = true;
    }
    const DWORD style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
    RECT frame{0, 0, args[1].number, args[2].number};
    AdjustWindowRect(&frame, style, FALSE);
    HWND window = CreateWindowExA(0, "TabulonScriptWindow", args[0].text.c_str(), style, 20, 20,
                                  frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
    if (window) {
        ShowWindow(window, SW_SHOW);
        UpdateWindow(window);
        Pump(0);
    }
    return Created(window, spelled, result, error);
}

// listview(parent, x, y, w, h [, checkboxes]): report view, full-row
// selection and grid lines.
static bool BuiltinListView(const Function&, const std::string& spelled, const std::vector<Value>& args,
                            Value& result, std::string& error) {
    HWND window = Child(args, WC_LISTVIEWA, WS_BORDER | WS_TABSTOP | LVS_REPORT | LVS_SHOWSELALWAYS, "");
    if (window) {
        DWORD extended = LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES;
        if (args.size() > 5 && args[5].number) extended |= LVS_EX_CHECKBOXES;
        SendMessageA(window, LVM_SETEXTENDEDLISTVIEWSTYLE, extended, extended);
    }
    return Created(window, spelled, result, error);
}

// listbox(parent, x, y, w, h [, multiple]).
static bool BuiltinListBox(const Function&, const std::string& spelled, const std::vector<Value>& args,
                           Value& result, std::string& error) {
    DWORD style = WS_BORDER | WS_VSCROLL | WS_HSCROLL | WS_TABSTOP | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT;
    if (args.size() > 5 && args[5].number) style |= LBS_EXTENDEDSEL;
    return Created(Child(args, "LISTBOX", style, ""), spelled, result, error);
}

// editbox(parent, x, y, w, h [, "text"]).
static bool BuiltinEditBox(const Function&, const std::string& spelled, const std::vector<Value>& args,
                           Value& result, std::string& error) {
    const char* text = args.size() > 5 ? args[5].text.c_str() : "";
    return Created(Child(args, "EDIT", WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, text), spelled, result, error);
}

// button(parent, x, y, w, h [, "caption"]).
static bool BuiltinButton(const Function&, const std::string& spelled, const std::vector<Value>& args, Value& result,
                          std::string& error) {
    const char* text = args.size() > 5 ? args[5].text.c_str() : "";
    return Created(Child(args, "BUTTON", WS_TABSTOP | BS_PUSHBUTTON, text), spelled, result, error);
}

// combobox(parent, x, y, w, h): a drop-down list; h includes the list.
static bool BuiltinComboBox(const Function&, const std::string& spelled, const std::vector<Value>& args,
                            Value& result, std::string& error) {
    return Created(Child(args, "COMBOBOX", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, ""), spelled, result, error);
}

// label(parent, x, y, w, h, "text").
static bool BuiltinLabel(const Function&, const std::string& spelled, const std::vector<Value>& args, Value& result,
                         std::string& error) {
    return Created(Child(args, "STATIC", SS_LEFT, args[5].text.c_str()), spelled, result, error);
}

// additem(list box or combo box, "text"): appends; the new item's number.
static bool BuiltinAddItem(const Function&, const std::string& spelled, const std::vector<Value>& args,
                           Value& result, std::string& error) {
    HWND window = WindowOf(args[0]);
    char className[32] = "";
    GetClassNameA(window, className, sizeof className);
    UINT message;
    if (lstrcmpiA(className, "ListBox") == 0) message = LB_ADDSTRING;
    else if (lstrcmpiA(className, "ComboBox") == 0) message = CB_ADDSTRING;
    else {
        error = spelled + " needs a list box or a combo box";
        return false;
    }
    const LRESULT index = SendMessageA(window, message, 0, reinterpret_cast<LPARAM>(args[1].text.c_str()));
    if (index < 0) {
        error = spelled + " could not add \"" + args[1].text + "\"";
        return false;
    }
    result = IntValue(static_cast<int32_t>(index + 1));
    return true;
}

// pump(ms): handles messages for that long, so that windows paint.
static bool BuiltinPump(const Function&, const std::string&, const std::vector<Value>& args, Value& result,
                        std::string&) {
    Pump(args[0].number > 0 ? static_cast<DWORD>(args[0].number) : 0);
    result = IntValue(0);
    return true;
}

// The folders a file goes into, made where missing, so that a script's
// "build/gallery.png" is written from any folder, such as an unpacked release.
static void MakeFoldersFor(const std::string& path) {
    for (size_t at = path.find_first_of("\\/", 1); at != std::string::npos; at = path.find_first_of("\\/", at + 1))
        CreateDirectoryA(path.substr(0, at).c_str(), nullptr);
}

// snapshot(window, "file.png"): the window's place on the screen as it
// shows, frame included, and whatever lies over it, such as a tooltip shown
// for one of its controls; 1 when written.
static bool BuiltinSnapshot(const Function&, const std::string& spelled, const std::vector<Value>& args,
                            Value& result, std::string& error) {
    HWND window = WindowOf(args[0]);
    RECT rect;
    if (!IsWindow(window) || !GetWindowRect(window, &rect)) {
        error = spelled + " needs a window";
        return false;
    }
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Pump(50);
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
    std::vector<uint8_t> rgb;
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
    if (!captured) {
        error = spelled + " could not capture the window";
        return false;
    }
    MakeFoldersFor(args[1].text);
    if (!png::WritePng(args[1].text, width, height, rgb.data())) {
        error = spelled + " could not write " + args[1].text;
        return false;
    }
    result = IntValue(1);
    return true;
}

// hover(window): the mouse pointer moves onto the window's centre and the
// window is told of the move, as when a user moves it there; a tooltip for
// the window then shows.
static bool BuiltinHover(const Function&, const std::string& spelled, const std::vector<Value>& args, Value& result,
                         std::string& error) {
    HWND window = WindowOf(args[0]);
    RECT rect;
    if (!IsWindow(window) || !GetWindowRect(window, &rect)) {
        error = spelled + " needs a window";
        return false;
    }
    POINT point{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    SetCursorPos(point.x, point.y);
    ScreenToClient(window, &point);
    SendMessageA(window, WM_MOUSEMOVE, 0, MAKELPARAM(point.x, point.y));
    result = IntValue(1);
    return true;
}

static void AddBuiltins(std::vector<Function>& functions) {
    const Function builtins[] = {
        {"window", -1, 3, 3, 0x1, BuiltinWindow, "window(\"title\", width, height)"},
        {"listview", -1, 5, 6, 0x0, BuiltinListView, "listview(parent, x, y, width, height [, checkboxes])"},
        {"listbox", -1, 5, 6, 0x0, BuiltinListBox, "listbox(parent, x, y, width, height [, multiple])"},
        {"editbox", -1, 5, 6, 0x100000, BuiltinEditBox, "editbox(parent, x, y, width, height [, \"text\"])"},
        {"button", -1, 5, 6, 0x100000, BuiltinButton, "button(parent, x, y, width, height [, \"caption\"])"},
        {"combobox", -1, 5, 5, 0x0, BuiltinComboBox, "combobox(parent, x, y, width, height)"},
        {"label", -1, 6, 6, 0x100000, BuiltinLabel, "label(parent, x, y, width, height, \"text\")"},
        {"additem", -1, 2, 2, 0x10, BuiltinAddItem, "additem(list, \"text\")"},
        {"pump", -1, 1, 1, 0x0, BuiltinPump, "pump(milliseconds)"},
        {"snapshot", -1, 2, 2, 0x10, BuiltinSnapshot, "snapshot(window, \"file.png\")"},
        {"hover", -1, 1, 1, 0x0, BuiltinHover, "hover(window)"},
    };
    functions.insert(functions.end(), std::begin(builtins), std::end(builtins));
}

}  // namespace script
