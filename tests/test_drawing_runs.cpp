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

// ---------------------------------------------------------------------------
// Runs that survive calls on other windows: a list filled while a bar
// steps and a status bar counts, or two lists filled in turn.

// What the screen shows of a window, frame and scroll bars included.
std::vector<uint32_t> ScreenPixels(HWND window) {
    RECT rect;
    GetWindowRect(window, &rect);
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    BITMAPINFO info{};
    info.bmiHeader = {sizeof info.bmiHeader, width, -height, 1, 32, BI_RGB};
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
    GdiFlush();
    std::vector<uint32_t> pixels(static_cast<const uint32_t*>(bits), static_cast<const uint32_t*>(bits) + width * height);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return pixels;
}

HWND Bar(HWND window, int y, int range) {
    HWND bar = reinterpret_cast<HWND>(
        static_cast<intptr_t>(host::Int("pgCreateProgressBar", {window, 10, y, 300, 20, 0})));
    SendMessageA(bar, PBM_SETRANGE32, 0, range);
    SendMessageA(bar, PBM_SETSTEP, 1, 0);
    return bar;
}

int Position(HWND bar) { return static_cast<int>(SendMessageA(bar, PBM_GETPOS, 0, 0)); }

// A list filled while a bar steps and a status bar counts looks exactly
// like one filled alone, and the bar like one set once; its run is held
// once for the whole loop.
void OtherWindowsInTheLoop() {
    HWND window = host::CreateTopWindow("mixed loop", 860, 330);
    SetWindowPos(window, HWND_TOP, 0, 320, 0, 0, SWP_NOSIZE);  // clear of the other test windows
    std::string mixedRedraws, aloneRedraws;
    HWND mixed = Report(mixedRedraws), alone = Report(aloneRedraws);
    SetParent(mixed, window);
    SetParent(alone, window);
    SetWindowPos(alone, nullptr, 430, 10, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    HWND bar = Bar(window, 220, 90), drawnBar = Bar(window, 250, 90);
    SetWindowPos(drawnBar, nullptr, 430, 220, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    HWND status = reinterpret_cast<HWND>(static_cast<intptr_t>(host::Int("sbCreateStatusBar", {window, ""})));
    host::Pump();
    for (int i = 1; i <= 90; ++i) {
        host::Int("lvInsertItem", {mixed, i, "Row " + std::to_string(i)});
        host::Int("pgStep", {bar, 0});
        host::Int("sbSetText", {status, 1, "Row " + std::to_string(i)});
    }
    CHECK_EQ(mixedRedraws, "0");
    InsertRows(alone, 1, 90);
    SendMessageA(drawnBar, PBM_SETPOS, 90, 0);
    host::Pump();
    CHECK_EQ(mixedRedraws, "01");
    CHECK_EQ(ScrollRows(mixed), 90);
    CHECK(ScreenPixels(mixed) == ScreenPixels(alone));
    CHECK_EQ(Position(bar), 90);
    CHECK(ScreenPixels(bar) == ScreenPixels(drawnBar));
    char text[32] = "";
    SendMessageA(status, SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(text));
    CHECK_EQ(std::string(text), "Row 90");
    DestroyWindow(window);
}

void TwoListsInTurn() {
    std::string first, second;
    HWND one = Report(first), other = Report(second);
    SetWindowPos(other, nullptr, 420, 10, 170, 200, SWP_NOZORDER);
    for (int i = 1; i <= 40; ++i) {
        host::Int("lvInsertItem", {one, i, "One"});
        host::Int("lvInsertItem", {other, i, "Other"});
    }
    CHECK_EQ(first + "/" + second, "0/0");
    host::Pump();
    CHECK_EQ(first + "/" + second, "01/01");
    CHECK_EQ(ScrollRows(one), 40);
    CHECK_EQ(ScrollRows(other), 40);
    DestroyWindow(one);
    DestroyWindow(other);
}

// A call on the list's parent ends the run first: it may read or paint
// what lies in the parent. A call on what lies in the list does too.
void CallOnTheParent() {
    std::string redraws;
    HWND list = Report(redraws);
    InsertRows(list, 1, 30);
    host::Int("taSetBkColor", {Parent, 200, 200, 200});
    CHECK_EQ(redraws, "01");
    CHECK_EQ(ScrollRows(list), 30);
    InsertRows(list, 31, 40);
    host::Pump();
    CHECK_EQ(redraws, "0101");
    CHECK(TextPixels(list, 5) > 10);

    // So do making a control inside the list and a call on that control.
    InsertRows(list, 41, 42);
    HWND bar = reinterpret_cast<HWND>(static_cast<intptr_t>(host::Int("pgCreateProgressBar", {list, 0, 0, 50, 10, 0})));
    InsertRows(list, 43, 43);
    host::Int("pgStep", {bar, 0});
    CHECK_EQ(redraws, "01010101");
    DestroyWindow(list);
}

// The list goes in the middle of the loop; the bar steps on.
void ListGoesMidLoop() {
    std::string redraws;
    HWND list = Report(redraws);
    HWND bar = Bar(Parent, 220, 40);
    for (int i = 1; i <= 40; ++i) {
        if (i == 20) DestroyWindow(list);
        else if (i < 20) host::Int("lvInsertItem", {list, i, "Row"});
        host::Int("pgStep", {bar, 0});
    }
    host::Pump();
    CHECK_EQ(Position(bar), 40);
    std::string again;
    list = Report(again);
    InsertRows(list, 1, 2);
    CHECK_EQ(again, "0");
    DestroyWindow(list);
    DestroyWindow(bar);
}

HWND BoxList;
std::string BoxSaw;

// Sees the message box before it is dismissed: the list behind it must be
// up to date and drawn.
LRESULT CALLBACK WatchBox(int code, WPARAM wParam, LPARAM lParam) {
    std::string caption, text;
    if (code == HCBT_ACTIVATE && host::ReadMessageBox(reinterpret_cast<HWND>(wParam), caption, text)) {
        UpdateWindow(BoxList);
        BoxSaw = std::to_string(ScrollRows(BoxList)) + (TextPixels(BoxList, 3) > 10 ? " drawn" : " not drawn");
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void MessageBoxMidLoop() {
    std::string redraws;
    BoxList = Report(redraws);
    HHOOK hook = SetWindowsHookExA(WH_CBT, WatchBox, nullptr, GetCurrentThreadId());
    InsertRows(BoxList, 1, 30);
    host::Int("lvDeleteItem", {BoxList, 1, -4});
    UnhookWindowsHookEx(hook);
    CHECK_EQ(BoxSaw, "30 drawn");
    CHECK_EQ(host::TakeMessageBoxes().size(), 1u);
    DestroyWindow(BoxList);
}

// A host procedure on the bar makes a call on the list at every step.
WNDPROC BarSaved;
HWND StepList;

LRESULT CALLBACK InsertsOnStep(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == PBM_STEPIT) host::Int("lvInsertItem", {StepList, 1, "Inner"});
    return CallWindowProcA(BarSaved, window, message, wParam, lParam);
}

void ReentryFromTheBar() {
    std::string redraws;
    StepList = Report(redraws);
    HWND bar = Bar(Parent, 220, 30);
    BarSaved = SetProcedure(bar, InsertsOnStep);
    for (int i = 1; i <= 30; ++i) host::Int("pgStep", {bar, 0});
    host::Pump();
    CHECK_EQ(redraws, "01");
    CHECK_EQ(ScrollRows(StepList), 30);
    CHECK_EQ(Position(bar), 30);
    DestroyWindow(bar);
    DestroyWindow(StepList);
}

// Paints of a bar stepped in a long loop come at most once a frame, yet
// the screen shows it moving during the loop.
LRESULT CALLBACK CountsPaints(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PAINT) ++*reinterpret_cast<int*>(GetPropA(window, "paints"));
    return CallWindowProcA(BarSaved, window, message, wParam, lParam);
}

// The share of a bar's middle row that differs from what it showed empty.
double Filled(const std::vector<uint32_t>& now, const std::vector<uint32_t>& empty, int width, int from, int to) {
    const int row = static_cast<int>(now.size()) / width / 2 * width;
    int differ = 0;
    for (int x = from; x < to; ++x) differ += now[row + x] != empty[row + x];
    return static_cast<double>(differ) / (to - from);
}

void PacedBar() {
    HWND bar = Bar(Parent, 220, 1500);
    int paints = 0;
    SetPropA(bar, "paints", &paints);
    BarSaved = SetProcedure(bar, CountsPaints);  // behind ours: sees the paints ours lets through
    host::Pump();
    const std::vector<uint32_t> empty = ScreenPixels(bar);
    RECT rect;
    GetWindowRect(bar, &rect);
    const int width = rect.right - rect.left;
    const DWORD start = GetTickCount();
    double early = 0, late = 1;
    for (int i = 1; i <= 1500; ++i) {
        host::Int("pgStep", {bar, 0});
        if (i == 749) Sleep(2 * 16);  // a slow step: the next call paints
        if (i == 750) {
            const std::vector<uint32_t> middle = ScreenPixels(bar);
            early = Filled(middle, empty, width, width / 10, width * 4 / 10);
            late = Filled(middle, empty, width, width * 6 / 10, width * 9 / 10);
        }
    }
    const DWORD spent = GetTickCount() - start;
    CHECK(early > 0.9);
    CHECK(late < 0.1);
    CHECK(paints >= 1);
    CHECK(static_cast<DWORD>(paints) <= spent / 16 + 2);
    host::Pump();
    CHECK(Filled(ScreenPixels(bar), empty, width, width / 10, width * 9 / 10) > 0.9);
    RemovePropA(bar, "paints");
    DestroyWindow(bar);
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
    check::Group("other windows in the loop", OtherWindowsInTheLoop);
    check::Group("two lists in turn", TwoListsInTurn);
    check::Group("a call on the parent", CallOnTheParent);
    check::Group("the list goes mid-loop", ListGoesMidLoop);
    check::Group("a message box mid-loop", MessageBoxMidLoop);
    check::Group("re-entry from the bar", ReentryFromTheBar);
    check::Group("paced bar", PacedBar);
    check::Group("unloading during a run", UnloadDuringRun);
    return check::Finish();
}
