// Owns a list view, list box, tab control, status bar and tooltip in a
// process of its own, prints their handles, and counts every message that
// carries a pointer and reaches them: another process must send none. Runs
// until its window is closed; exits 0 when no such message arrived and the
// controls still hold what they were given.
#include <windows.h>

#include <commctrl.h>
#include <stdio.h>
#include <string.h>

static int pointerMessages;

enum Kind { kList, kBox, kTabs, kStatus, kTips };

// Message numbers overlap between classes, so each class has its own list.
static bool CarriesPointer(DWORD_PTR kind, UINT message) {
    if (message == WM_GETTEXT || message == WM_SETTEXT) return true;
    switch (kind) {
        case kList:
            return message == LVM_GETITEMA || message == LVM_SETITEMA || message == LVM_INSERTITEMA ||
                   message == LVM_GETITEMTEXTA || message == LVM_SETITEMTEXTA || message == LVM_INSERTCOLUMNA ||
                   message == LVM_SETCOLUMNA || message == LVM_GETCOLUMNA || message == LVM_SETITEMSTATE ||
                   message == LVM_GETITEMRECT || message == LVM_GETSUBITEMRECT || message == LVM_SETBKIMAGEA ||
                   message == LVM_FINDITEMA;
        case kBox:
            return message == LB_GETSELITEMS || message == LB_GETTEXT || message == LB_ADDSTRING ||
                   message == LB_INSERTSTRING || message == LB_GETITEMRECT;
        case kTabs:
            return message == TCM_INSERTITEMA || message == TCM_SETITEMA || message == TCM_GETITEMA ||
                   message == TCM_GETITEMRECT;
        case kStatus:
            return message == SB_SETPARTS || message == SB_GETPARTS || message == SB_SETTEXTA ||
                   message == SB_GETTEXTA || message == SB_GETRECT;
        case kTips:
            return message == TTM_ADDTOOLA || message == TTM_DELTOOLA || message == TTM_SETTITLEA ||
                   message == TTM_UPDATETIPTEXTA || message == TTM_SETTOOLINFOA || message == TTM_GETTOOLINFOA ||
                   message == TTM_NEWTOOLRECTA;
    }
    return false;
}

static LRESULT CALLBACK Count(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR kind) {
    if (InSendMessage() && CarriesPointer(kind, message)) {
        ++pointerMessages;
        printf("pointer message 0x%04X reached %p\n", message, static_cast<void*>(window));
        fflush(stdout);
        return 0;  // never dereference another process's address
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

static LRESULT CALLBACK TopProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CLOSE) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

int main() {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    WNDCLASSA topClass{};
    topClass.lpfnWndProc = TopProcedure;
    topClass.hInstance = GetModuleHandleA(nullptr);
    topClass.lpszClassName = "TabulonForeign";
    RegisterClassA(&topClass);
    HWND top = CreateWindowExA(0, "TabulonForeign", "foreign", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300, nullptr, nullptr,
                               GetModuleHandleA(nullptr), nullptr);
    const DWORD child = WS_CHILD | WS_VISIBLE;
    HWND list = CreateWindowExA(0, WC_LISTVIEWA, "", child | LVS_REPORT, 0, 0, 200, 100, top, nullptr, nullptr, nullptr);
    LVCOLUMNA column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.cx = 60;
    column.pszText = const_cast<char*>("name");
    SendMessageA(list, LVM_INSERTCOLUMNA, 0, reinterpret_cast<LPARAM>(&column));
    SendMessageA(list, LVM_INSERTCOLUMNA, 1, reinterpret_cast<LPARAM>(&column));
    const char* names[] = {"alpha", "beta", "gamma"};
    for (int i = 0; i < 3; ++i) {
        LVITEMA item{};
        item.mask = LVIF_TEXT;
        item.iItem = i;
        item.pszText = const_cast<char*>(names[i]);
        SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    }
    HWND box = CreateWindowExA(0, "LISTBOX", "", child | LBS_EXTENDEDSEL, 0, 100, 200, 80, top, nullptr, nullptr, nullptr);
    for (const char* name : names) SendMessageA(box, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
    SendMessageA(box, LB_SETSEL, TRUE, 1);
    HWND tabs = CreateWindowExA(0, WC_TABCONTROLA, "", child, 200, 0, 200, 100, top, nullptr, nullptr, nullptr);
    for (int i = 0; i < 2; ++i) {
        TCITEMA tab{};
        tab.mask = TCIF_TEXT;
        tab.pszText = const_cast<char*>(names[i]);
        SendMessageA(tabs, TCM_INSERTITEMA, i, reinterpret_cast<LPARAM>(&tab));
    }
    HWND status = CreateWindowExA(0, STATUSCLASSNAMEA, "", child, 0, 0, 0, 0, top, nullptr, nullptr, nullptr);
    int edges[] = {100, -1};
    SendMessageA(status, SB_SETPARTS, 2, reinterpret_cast<LPARAM>(edges));
    SendMessageA(status, SB_SETTEXTA, 0, reinterpret_cast<LPARAM>("left"));
    HWND tips = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP, 0, 0, 0, 0, top, nullptr, nullptr,
                                nullptr);
    TTTOOLINFOA tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_SUBCLASS;
    tool.hwnd = list;
    tool.lpszText = const_cast<char*>("tip");
    SendMessageA(tips, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));

    HWND watched[] = {list, box, tabs, status, tips};
    for (DWORD_PTR kind = kList; kind <= kTips; ++kind) SetWindowSubclass(watched[kind], Count, 1, kind);
    printf("%ld %ld %ld %ld %ld %ld\n", static_cast<long>(reinterpret_cast<intptr_t>(list)),
           static_cast<long>(reinterpret_cast<intptr_t>(box)), static_cast<long>(reinterpret_cast<intptr_t>(tabs)),
           static_cast<long>(reinterpret_cast<intptr_t>(status)), static_cast<long>(reinterpret_cast<intptr_t>(tips)),
           static_cast<long>(reinterpret_cast<intptr_t>(top)));
    fflush(stdout);

    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    for (HWND w : watched) RemoveWindowSubclass(w, Count, 1);

    // Nothing another process sent may have changed the texts.
    bool intact = true;
    char text[64];
    for (int i = 0; i < 3 && i < SendMessageA(list, LVM_GETITEMCOUNT, 0, 0); ++i) {
        LVITEMA item{};
        item.iSubItem = 0;
        item.pszText = text;
        item.cchTextMax = sizeof text;
        text[0] = '\0';
        SendMessageA(list, LVM_GETITEMTEXTA, i, reinterpret_cast<LPARAM>(&item));
        bool known = false;
        for (const char* name : names) known |= strcmp(text, name) == 0;
        intact &= known;
    }
    text[0] = '\0';
    SendMessageA(status, SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(text));
    intact &= strcmp(text, "left") == 0;
    printf("pointer messages %d, %s\n", pointerMessages, intact ? "intact" : "changed");
    fflush(stdout);
    return pointerMessages == 0 && intact ? 0 : 3;
}
