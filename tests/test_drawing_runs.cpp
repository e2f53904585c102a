// Runs of item changes on visible list views and list boxes: drawing is
// held back while a script changes items and comes back, complete, when the
// host takes its next message or makes a call outside the run.
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "check.h"
#include "host/standin_host.h"

namespace {

HWND Parent;

// What a control is told about drawing, in order (wParam of WM_SETREDRAW).
LRESULT CALLBACK RecordRedraw(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                              DWORD_PTR log) {
    if (message == WM_SETREDRAW) reinterpret_cast<std::string*>(log)->push_back(wParam ? '1' : '0');
    return DefSubclassProc(window, message, wParam, lParam);
}

HWND Report(std::string& redraws, int columns = 2) {
    HWND list = host::CreateChild(Parent, "SysListView32", LVS_REPORT | WS_VISIBLE, 10, 10, 400, 200);
    for (int j = 0; j < columns; ++j) {
        LVCOLUMNA column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH;
        column.cx = 150;
        column.pszText = const_cast<char*>("Heading");
        SendMessageA(list, LVM_INSERTCOLUMNA, j, reinterpret_cast<LPARAM>(&column));
    }
    SetWindowSubclass(list, RecordRedraw, 1, reinterpret_cast<DWORD_PTR>(&redraws));
    host::Pump();
    return list;
}

void InsertRows(HWND list, int first, int last) {
    for (int i = first; i <= last; ++i) host::Int("lvInsertItem", {list, i, "Row " + std::to_string(i)});
}

int Top(HWND list) { return static_cast<int>(SendMessageA(list, LVM_GETTOPINDEX, 0, 0)); }

// Pixels of the text colour in one row's label, as drawn.
int TextPixels(HWND list, int item) {
    RECT label{};
    label.left = LVIR_LABEL;
    if (!SendMessageA(list, LVM_GETITEMRECT, item, reinterpret_cast<LPARAM>(&label))) return -1;
    HDC dc = GetDC(list);
    int found = 0;
    for (int y = label.top; y < label.bottom; ++y)
        for (int x = label.left; x < label.right; ++x) found += GetPixel(dc, x, y) == GetSysColor(COLOR_WINDOWTEXT);
    ReleaseDC(list, dc);
    return found;
}

void RunThenPump() {
    std::string redraws;
    HWND list = Report(redraws);
    // Reads inside the loop are part of the run.
    for (int i = 1; i <= 120; ++i) {
        host::Int("lvInsertItem", {list, host::Int("lvGetItemCount", {list}) + 1, "Row " + std::to_string(i)});
        host::Int("lvSetItemText", {list, i, 2, "Cell"});
    }
    CHECK_EQ(redraws, "0");
    host::Pump();
    CHECK_EQ(redraws, "01");
    SCROLLINFO bar{sizeof bar, SIF_ALL};
    CHECK(GetScrollInfo(list, SB_VERT, &bar));
    CHECK_EQ(bar.nMax - bar.nMin + 1, 120);
    CHECK_EQ(bar.nPage, static_cast<UINT>(SendMessageA(list, LVM_GETCOUNTPERPAGE, 0, 0)));
    CHECK(TextPixels(list, 0) > 10);
    CHECK(TextPixels(list, static_cast<int>(bar.nPage) - 1) > 10);
    DestroyWindow(list);
}

// Without a message between, the calls after a run see the list as if it
// had been drawn all along: the same top row as a list filled while drawing.
void NoPumpBetween() {
    std::string drawn, held;
    HWND plain = Report(drawn);
    for (int i = 1; i <= 80; ++i) {
        LVITEMA item{};
        item.mask = LVIF_TEXT;
        item.iItem = i - 1;
        item.pszText = const_cast<char*>("Row");
        SendMessageA(plain, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    }
    host::Int("lvScrollTo", {plain, 50, 2});
    const int expectedTop = Top(plain);
    DestroyWindow(plain);

    HWND list = Report(held);
    InsertRows(list, 1, 80);
    CHECK_EQ(host::Int("lvGetItemCount", {list}), 80);
    CHECK_EQ(host::Text("lvGetItemText", {list, 80, 1}), "Row 80");
    CHECK(host::Int("lvScrollTo", {list, 50, 2}) != 0);
    CHECK_EQ(expectedTop, 47);
    CHECK_EQ(Top(list), expectedTop);
    CHECK_EQ(held, "01");
    host::Pump();
    CHECK(TextPixels(list, 49) > 10);
    DestroyWindow(list);
}

// Drawing the host turned off stays off through runs, loops and the pump;
// once the host turns it on again, runs hold it back as before.
void HostHeldDrawing() {
    std::string redraws;
    HWND list = Report(redraws);
    InsertRows(list, 1, 3);
    host::Pump();
    SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    InsertRows(list, 4, 10);
    host::Int("lvSetItemState", {list, 2, LVIS_SELECTED, LVIS_SELECTED});
    host::Int("lvSetColumnFill", {list, 2, "x"});
    CHECK_EQ(host::Int("lvDeleteItem", {list, 1, -2}), 9);
    host::Int("lvScrollTo", {list, 1, 0});
    host::Pump();
    CHECK_EQ(redraws, "010");
    SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    InsertRows(list, 1, 2);
    host::Pump();
    CHECK_EQ(redraws, "010101");
    CHECK_EQ(host::Int("lvGetItemCount", {list}), 11);
    DestroyWindow(list);
}

// A control that goes with its run under way is forgotten: many controls
// later, runs still hold drawing back.
void DestroyedDuringRun() {
    for (int round = 0; round < 300; ++round) {
        HWND list = host::CreateChild(Parent, "SysListView32", LVS_REPORT | WS_VISIBLE, 10, 10, 100, 100);
        host::Int("lvInsertItem", {list, 1, "Row"});
        DestroyWindow(list);
        if (round % 100 == 0) host::Int("gzExtenderInfo", {0});
    }
    host::Pump();
    std::string redraws;
    HWND list = Report(redraws);
    InsertRows(list, 1, 2);
    CHECK_EQ(redraws, "0");
    DestroyWindow(list);
    host::Pump();
}

HWND Entries(DWORD style, int count) {
    HWND box = host::CreateChild(Parent, "LISTBOX", style | WS_VISIBLE | WS_VSCROLL | LBS_NOINTEGRALHEIGHT, 420,
                                 10, 150, 80);
    for (int i = 0; i < count; ++i)
        SendMessageA(box, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(("e" + std::to_string(i)).c_str()));
    return box;
}

std::string EntryTexts(HWND box) {
    std::string texts;
    const int count = static_cast<int>(SendMessageA(box, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        char text[32] = "";
        SendMessageA(box, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
        texts += (i ? "," : "") + std::string(text);
    }
    return texts;
}

void ListBoxRuns() {
    HWND box = Entries(LBS_EXTENDEDSEL, 10);
    for (int item : {2, 4, 5, 9}) host::Int("lbSetItemState", {box, item, 1});
    CHECK_EQ(host::Int("lbDeleteItem", {box, 1, -2}), 6);
    CHECK_EQ(EntryTexts(box), "e0,e2,e5,e6,e7,e9");
    CHECK_EQ(host::Int("lbDeleteItem", {box, 1, 0}), 5);
    CHECK_EQ(host::Int("lbDeleteItem", {box, -1, 0}), 4);
    host::Pump();
    CHECK_EQ(EntryTexts(box), "e2,e5,e6,e7");
    SCROLLINFO bar{sizeof bar, SIF_ALL};
    GetScrollInfo(box, SB_VERT, &bar);
    CHECK_EQ(bar.nMax - bar.nMin + 1, 4);
    DestroyWindow(box);

    // The bracket on a visible list box, around the walk and nothing else.
    host::Spy& spy = host::CreateSpy(Parent, "TabulonDrawingSpy");
    ShowWindow(spy.window, SW_SHOWNA);
    spy.recordAll = true;
    spy.answer = [](UINT message, WPARAM wParam, LPARAM, LRESULT& answer) {
        if (message == LB_GETSELCOUNT) answer = 1;
        else if (message == LB_GETCOUNT) answer = 2;
        else if (message == LB_GETSEL) answer = wParam == 0;
        else if (message == LB_DELETESTRING) answer = 1;
        else return false;
        return true;
    };
    host::Pump();
    spy.log.clear();
    CHECK_EQ(host::Int("lbDeleteItem", {spy.window, 1, -2}), 1);
    OK_SEQUENCE(spy, {{LB_GETSELCOUNT, host::kBoth, 0, 0},
                      {LB_GETCOUNT, host::kBoth, 0, 0},
                      {WM_SETREDRAW, host::kBoth, FALSE, 0},
                      {LB_GETSEL, host::kBoth, 1, 0},
                      {LB_GETSEL, host::kBoth, 0, 0},
                      {LB_DELETESTRING, host::kBoth, 0, 0},
                      {WM_SETREDRAW, host::kBoth, TRUE, 0}},
                "lbDeleteItem -2, visible");
    host::DestroySpy(spy);
}

// The host may let the extender go with a run under way: the run still
// ends at the next message, in the extender that stays loaded for it.
void UnloadDuringRun() {
    std::string redraws;
    HWND list = Report(redraws);
    InsertRows(list, 1, 5);
    FreeLibrary(host::Current().extender.module);
    CHECK(GetModuleHandleA("tabulon.dll") != nullptr);
    host::Pump();
    CHECK_EQ(redraws, "01");
    CHECK(TextPixels(list, 4) > 10);
    DestroyWindow(list);
}

// The rows a list view's scroll bar counts: it falls behind while drawing
// is off, so a list left frozen shows here.
int ScrollRows(HWND list) {
    SCROLLINFO bar{sizeof bar, SIF_ALL};
    if (!GetScrollInfo(list, SB_VERT, &bar)) return 0;
    return bar.nMax - bar.nMin + 1;
}

WNDPROC HostSaved;
HWND InnerList;

// A host procedure in front of ours that makes extender calls of its own
// while our WM_SETREDRAW is on its way.
LRESULT CALLBACK CallsOnRedraw(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SETREDRAW) host::Int("lvInsertItem", {InnerList, 1, "Inner"});
    return CallWindowProcA(HostSaved, window, message, wParam, lParam);
}

LRESULT CALLBACK PassesOn(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return CallWindowProcA(HostSaved, window, message, wParam, lParam);
}

WNDPROC SetProcedure(HWND window, WNDPROC procedure) {
    return reinterpret_cast<WNDPROC>(SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(procedure)));
}

// Calls that re-enter while our own WM_SETREDRAW is on its way, and a
// procedure of ours that the host cut out: neither leaves a list frozen.
void HostProcedures() {
    std::string unused, inner;
    HWND list = Report(unused);
    InnerList = Report(inner);
    SetWindowPos(InnerList, nullptr, 420, 10, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    InsertRows(list, 1, 1);
    host::Pump();
    HostSaved = SetProcedure(list, CallsOnRedraw);
    InsertRows(list, 2, 21);
    host::Pump();
    CHECK_EQ(ScrollRows(list), 21);
    CHECK(TextPixels(list, 5) > 10);
    CHECK_EQ(ScrollRows(InnerList), static_cast<int>(SendMessageA(InnerList, LVM_GETITEMCOUNT, 0, 0)));
    SetProcedure(list, HostSaved);
    DestroyWindow(InnerList);
    DestroyWindow(list);

    // The host subclasses a list, ours comes in front, and the host puts
    // back the procedure it saved: the next run puts ours back first.
    list = Report(unused);
    HostSaved = SetProcedure(list, PassesOn);
    InsertRows(list, 1, 1);
    host::Pump();
    SetProcedure(list, HostSaved);
    InsertRows(list, 2, 21);
    host::Pump();
    CHECK_EQ(ScrollRows(list), 21);
    CHECK(GetWindowLongPtrA(list, GWLP_WNDPROC) != reinterpret_cast<LONG_PTR>(HostSaved));

    // A host procedure set after ours, which passes messages on to ours,
    // stays in front.
    HostSaved = SetProcedure(list, PassesOn);
    InsertRows(list, 22, 23);
    CHECK(GetWindowLongPtrA(list, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(PassesOn));
    host::Pump();
    CHECK_EQ(ScrollRows(list), 23);
    DestroyWindow(list);  // with the host's procedure still in front
}

struct ForeignControls {
    HWND parent, list;
    HANDLE ready;
};

DWORD WINAPI OwnThread(void* data) {
    ForeignControls& controls = *static_cast<ForeignControls*>(data);
    controls.parent = host::CreateTopWindow("another thread", 300, 200);
    controls.list = host::CreateChild(controls.parent, "SysListView32", LVS_REPORT | WS_VISIBLE, 0, 0, 300, 200);
    SetEvent(controls.ready);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
    DestroyWindow(controls.parent);
    return 0;
}

// Windows of another thread get no procedure of ours.
void OtherThread() {
    ForeignControls controls{};
    controls.ready = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    DWORD id = 0;
    HANDLE thread = CreateThread(nullptr, 0, OwnThread, &controls, 0, &id);
    WaitForSingleObject(controls.ready, 5000);
    const LONG_PTR listProcedure = GetWindowLongPtrA(controls.list, GWLP_WNDPROC);
    const LONG_PTR parentProcedure = GetWindowLongPtrA(controls.parent, GWLP_WNDPROC);
    CHECK_EQ(host::Int("lvInsertItem", {controls.list, 1, "Row"}), 0);
    CHECK_EQ(host::Int("lvSetItemTextColor", {controls.parent, controls.list, 1, 1, "0|160|0"}), 1);
    CHECK(GetWindowLongPtrA(controls.list, GWLP_WNDPROC) == listProcedure);
    CHECK(GetWindowLongPtrA(controls.parent, GWLP_WNDPROC) == parentProcedure);
    PostThreadMessageA(id, WM_QUIT, 0, 0);
    WaitForSingleObject(thread, 5000);
    CloseHandle(thread);
    CloseHandle(controls.ready);
}

}  // namespace

int main() {
    host::Start();
    Parent = host::CreateTopWindow("drawing runs", 600, 260);
    check::Group("run, then the pump", RunThenPump);
    check::Group("no pump between", NoPumpBetween);
    check::Group("drawing the host held", HostHeldDrawing);
    check::Group("destroyed during a run", DestroyedDuringRun);
    check::Group("list box runs", ListBoxRuns);
    check::Group("host procedures", HostProcedures);
    check::Group("another thread", OtherThread);
    check::Group("unloading during a run", UnloadDuringRun);
    return check::Finish();
}
