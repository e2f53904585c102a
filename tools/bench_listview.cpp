// Times the bulk list functions against plain loops of the same messages:
//   tools/wine-run build/x64/bench_listview.exe
// First on a hidden report view of 20,000 items and 5 columns; then item
// insertion and deletion on list views and list boxes shown in a visible
// window against the same work on hidden ones, the message pump (and so
// the painting) inside the timing. The plain loop on a visible control
// holds its drawing back with WM_SETREDRAW, as a careful author would.
// Prints milliseconds (best of several rounds) and the ratios.
#include <windows.h>
#include <commctrl.h>
#include <stdio.h>

#include <string>

#include "../tests/host/standin_host.h"

namespace {

constexpr int kItems = 20000;
constexpr int kColumns = 5;
constexpr int kRounds = 7;

double Now() {
    static LARGE_INTEGER frequency;
    if (!frequency.QuadPart) QueryPerformanceFrequency(&frequency);
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return 1000.0 * static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

HWND NewList(HWND parent) {
    HWND list = host::CreateChild(parent, "SysListView32", LVS_REPORT, 0, 0, 600, 400);
    for (int j = 0; j < kColumns; ++j) {
        LVCOLUMNA column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH;
        column.cx = 80;
        column.pszText = const_cast<char*>("Column");
        SendMessageA(list, LVM_INSERTCOLUMNA, j, reinterpret_cast<LPARAM>(&column));
    }
    SendMessageA(list, LVM_SETITEMCOUNT, kItems, 0);
    LVITEMA item{};
    item.mask = LVIF_TEXT;
    item.pszText = const_cast<char*>("item");
    for (int i = 0; i < kItems; ++i) {
        item.iItem = i;
        SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    }
    return list;
}

// The numbering loop a script author would write with direct messages.
void PlainFillSeq(HWND list, int column, int start, int step) {
    char number[12];
    LVITEMA record{};
    record.iSubItem = column;
    record.pszText = number;
    const int count = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
    int value = start;
    for (int i = 0; i < count; ++i, value += step) {
        wsprintfA(number, "%d", value);
        SendMessageA(list, LVM_SETITEMTEXTA, i, reinterpret_cast<LPARAM>(&record));
    }
}

void PlainRow(HWND list, int item, char* joined) {
    HWND header = reinterpret_cast<HWND>(SendMessageA(list, LVM_GETHEADER, 0, 0));
    const int columns = static_cast<int>(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0));
    char cell[1024];
    LVITEMA record{};
    record.mask = LVIF_TEXT;
    record.iItem = item;
    record.cchTextMax = sizeof cell;
    char* end = joined;
    for (int j = 0; j < columns; ++j) {
        cell[0] = '\0';
        record.iSubItem = j;
        record.pszText = cell;
        SendMessageA(list, LVM_GETITEMTEXTA, item, reinterpret_cast<LPARAM>(&record));
        const int length = lstrlenA(record.pszText);
        memcpy(end, record.pszText, length);
        end += length;
        if (j < columns - 1) *end++ = '\t';
    }
    *end = '\0';
}

void PlainDeleteSelected(HWND list) {
    const int count = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
    for (int i = count - 1; i >= 0; --i) {
        if (SendMessageA(list, LVM_GETITEMSTATE, i, LVIS_SELECTED) == LVIS_SELECTED)
            SendMessageA(list, LVM_DELETEITEM, i, 0);
    }
}

void SelectHalf(HWND list) {
    LVITEMA record{};
    record.stateMask = LVIS_SELECTED;
    record.state = LVIS_SELECTED;
    for (int i = 0; i < kItems; i += 2) SendMessageA(list, LVM_SETITEMSTATE, i, reinterpret_cast<LPARAM>(&record));
}

// A bare host: one argument block, one result record, a HostReturn that
// only looks at the result, and the function numbers looked up once.
int32_t TABULON_STDCALL BareReturn(int32_t, uint32_t, HostContext*, ExtenderResult* result) {
    return result->kind == kResultText ? static_cast<int32_t>(strlen(result->text)) : result->intValue;
}

struct BareCall {
    int32_t number;
    ExtenderArgs args;
    ExtenderResult result;
    HostContext context;
};

void Prepare(BareCall& call, const char* name) {
    memset(&call, 0, sizeof call);
    call.number = host::NumberOf(name);
    call.context.hostVersion = 1005;
    for (ArgSlot& slot : call.args.slot) slot.text = "";
}

int32_t Dispatch(BareCall& call) {
    host::Session& session = host::Current();
    return session.extender.dispatch(session.owner, session.instance, 0, call.number,
                                     reinterpret_cast<void*>(&BareReturn), &call.context, 0, &call.args, 0,
                                     &call.result);
}

void Report(const char* what, double extender, double plain) {
    printf("%-44s extender %9.1f ms   plain %9.1f ms   ratio %.3f\n", what, extender, plain, extender / plain);
    fflush(stdout);
}

// One timed case on a fresh control, hidden or shown.
struct Case {
    const char* what;
    int items;
    int rounds;
    HWND (*make)(HWND parent, int items, bool visible);
    void (*extender)(HWND control, int items);
    void (*plain)(HWND control, int items);
};

HWND EmptyReport(HWND parent, int, bool visible) {
    HWND list = host::CreateChild(parent, "SysListView32", LVS_REPORT | (visible ? WS_VISIBLE : 0), 0, 0, 600, 400);
    for (int j = 0; j < 3; ++j) {
        LVCOLUMNA column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH;
        column.cx = 120;
        column.pszText = const_cast<char*>("Column");
        SendMessageA(list, LVM_INSERTCOLUMNA, j, reinterpret_cast<LPARAM>(&column));
    }
    return list;
}

HWND HalfSelectedReport(HWND parent, int items, bool visible) {
    HWND list = EmptyReport(parent, items, false);
    SendMessageA(list, LVM_SETITEMCOUNT, items, 0);
    LVITEMA item{};
    item.mask = LVIF_TEXT | LVIF_STATE;
    item.stateMask = LVIS_SELECTED;
    item.pszText = const_cast<char*>("item");
    for (int i = 0; i < items; ++i) {
        item.iItem = i;
        item.state = i % 2 == 0 ? LVIS_SELECTED : 0;
        SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    }
    if (visible) ShowWindow(list, SW_SHOWNA);
    host::Pump();
    return list;
}

HWND HalfSelectedBox(HWND parent, int items, bool visible) {
    HWND box = host::CreateChild(parent, "LISTBOX", LBS_EXTENDEDSEL | LBS_NOINTEGRALHEIGHT | WS_VSCROLL, 0, 0, 300,
                                 400);
    SendMessageA(box, LB_INITSTORAGE, items, items * 8);
    for (int i = 0; i < items; ++i) SendMessageA(box, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("entry"));
    for (int i = 0; i < items; i += 2) SendMessageA(box, LB_SETSEL, TRUE, i);
    SendMessageA(box, LB_SETTOPINDEX, 0, 0);
    if (visible) ShowWindow(box, SW_SHOWNA);
    host::Pump();
    return box;
}

BareCall ControlCall(const char* name, HWND control) {
    BareCall call;
    Prepare(call, name);
    call.args.slot[0].intValue = static_cast<int32_t>(reinterpret_cast<intptr_t>(control));
    return call;
}

void ExtenderInsert(HWND list, int items) {
    BareCall insert = ControlCall("lvInsertItem", list);
    insert.args.slot[2].text = "item";
    for (int i = 1; i <= items; ++i) {
        insert.args.slot[1].intValue = i;
        Dispatch(insert);
    }
}

void PlainInsert(HWND list, int items) {
    LVITEMA item{};
    item.mask = LVIF_TEXT | LVIF_IMAGE;
    item.pszText = const_cast<char*>("item");
    item.iImage = I_IMAGENONE;
    for (int i = 0; i < items; ++i) {
        item.iItem = i;
        SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    }
}

// One scope -2 call, which must leave the unselected half.
void DeleteSelectedThrough(const char* function, HWND control, int items) {
    BareCall remove = ControlCall(function, control);
    remove.args.slot[1].intValue = 1;
    remove.args.slot[2].intValue = -2;
    const int left = Dispatch(remove);
    if (left != items / 2) printf("%s left %d items\n", function, left);
}

void ExtenderDeleteSelected(HWND list, int items) { DeleteSelectedThrough("lvDeleteItem", list, items); }
void PlainDeleteSelectedOf(HWND list, int) { PlainDeleteSelected(list); }
void ExtenderDeleteSelectedEntries(HWND box, int items) { DeleteSelectedThrough("lbDeleteItem", box, items); }

void PlainDeleteSelectedEntries(HWND box, int) {
    const int count = static_cast<int>(SendMessageA(box, LB_GETCOUNT, 0, 0));
    for (int i = count - 1; i >= 0; --i) {
        if (SendMessageA(box, LB_GETSEL, i, 0) == 1) SendMessageA(box, LB_DELETESTRING, i, 0);
    }
}

// Best of the rounds for each of the four ways, in alternating order so
// that none gains from coming first.
void Time(HWND parent, const Case& c) {
    double best[2][2] = {{1e30, 1e30}, {1e30, 1e30}};  // [visible][plain]
    for (int round = 0; round < c.rounds; ++round) {
        for (int turn = 0; turn < 4; ++turn) {
            const int way = (turn + round) % 4;
            const bool visible = way & 1, plain = (way & 2) != 0;
            HWND control = c.make(parent, c.items, visible);
            const double start = Now();
            if (plain && visible) SendMessageA(control, WM_SETREDRAW, FALSE, 0);
            (plain ? c.plain : c.extender)(control, c.items);
            if (plain && visible) {
                SendMessageA(control, WM_SETREDRAW, TRUE, 0);
                RedrawWindow(control, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
            }
            host::Pump();
            best[visible][plain] = std::min(best[visible][plain], Now() - start);
            DestroyWindow(control);
            host::Pump();
        }
    }
    printf("%-40s hidden %8.1f ms  visible %8.1f ms  visible/hidden %.2f   plain: hidden %8.1f ms  visible %8.1f ms"
           "  extender/plain: hidden %.2f  visible %.2f\n",
           c.what, best[0][0], best[1][0], best[1][0] / best[0][0], best[0][1], best[1][1], best[0][0] / best[0][1],
           best[1][0] / best[1][1]);
    fflush(stdout);
}

// ---------------------------------------------------------------------------
// What coloured list views and pickers cost the host's window, its
// painting, and the colour calls themselves.

HWND TextReport(HWND parent, int x, int y, int width, int height, int rows) {
    HWND list = EmptyReport(parent, rows, false);
    SetWindowPos(list, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageA(list, LVM_SETITEMCOUNT, rows, 0);
    LVITEMA item{};
    item.mask = LVIF_TEXT;
    item.pszText = const_cast<char*>("Row text");
    LVITEMA cell{};
    cell.pszText = const_cast<char*>("Cell text");
    for (int i = 0; i < rows; ++i) {
        item.iItem = i;
        SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
        for (cell.iSubItem = 1; cell.iSubItem < 3; ++cell.iSubItem)
            SendMessageA(list, LVM_SETITEMTEXTA, i, reinterpret_cast<LPARAM>(&cell));
    }
    ShowWindow(list, SW_SHOWNA);
    host::Pump();
    return list;
}

BareCall ColourCall(HWND parent, HWND list, const char* colour) {
    BareCall call = ControlCall("lvSetItemTextColor", parent);
    call.args.slot[1].intValue = static_cast<int32_t>(reinterpret_cast<intptr_t>(list));
    call.args.slot[4].text = colour;
    return call;
}

int32_t CallAt(BareCall& call, int item, int column) {
    call.args.slot[2].intValue = item;
    call.args.slot[3].intValue = column;
    return Dispatch(call);
}

// Microseconds a message to the window takes, best of several rounds.
double PerMessage(HWND window) {
    constexpr int kMessages = 20000;
    double best = 1e30;
    for (int round = 0; round < 5; ++round) {
        const double start = Now();
        for (int i = 0; i < kMessages; ++i) SendMessageA(window, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
        best = std::min(best, (Now() - start) * 1000.0 / kMessages);
    }
    return best;
}

void HostWindowMessages() {
    HWND listParent = host::CreateTopWindow("list parent", 400, 300);
    HWND list = TextReport(listParent, 0, 0, 380, 280, 20);
    HWND pickerParent = host::CreateTopWindow("picker parent", 300, 100);
    HWND picker = reinterpret_cast<HWND>(
        static_cast<intptr_t>(host::Int("dtCreateDateTime", {pickerParent, 10, 10, 200, 24, 0})));
    const double listBefore = PerMessage(listParent), pickerBefore = PerMessage(pickerParent);
    BareCall colour = ColourCall(listParent, list, "0|160|0");
    CallAt(colour, 3, 2);
    host::Int("dtSetDateTimeColor", {picker, 255, 255, 200, MCSC_MONTHBK});
    host::Pump();
    const double listAfter = PerMessage(listParent), pickerAfter = PerMessage(pickerParent);
    printf("message to the host's window: list view's parent %.2f us before colouring, %.2f after (%.2fx); "
           "picker's parent %.2f us before, %.2f after (%.2fx)\n",
           listBefore, listAfter, listAfter / listBefore, pickerBefore, pickerAfter, pickerAfter / pickerBefore);
    DestroyWindow(listParent);
    DestroyWindow(pickerParent);
}

// Whole repaints of a list whose 40 rows each have a coloured cell, against
// a like plain list beside it in the same window.
void ColouredRepaint() {
    constexpr int kRows = 40;
    HWND window = host::CreateTopWindow("repaint", 900, 800);
    HWND plain = TextReport(window, 0, 0, 440, 760, kRows);
    HWND coloured = TextReport(window, 450, 0, 440, 760, kRows);
    BareCall colour = ColourCall(window, coloured, "0|160|0");
    for (int i = 1; i <= kRows; ++i) CallAt(colour, i, 2);
    double best[2] = {1e30, 1e30};
    for (int round = 0; round < 10; ++round) {
        for (int which = 0; which < 2; ++which) {
            HWND list = (round + which) % 2 ? coloured : plain;
            const double start = Now();
            for (int i = 0; i < 10; ++i) {
                RedrawWindow(list, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
                host::Pump();
            }
            double& slot = best[list == coloured];
            slot = std::min(slot, (Now() - start) / 10);
        }
    }
    printf("whole repaint, %d rows: coloured %.2f ms, plain %.2f ms (%.2fx)\n", kRows, best[1], best[0],
           best[1] / best[0]);
    DestroyWindow(window);
}

// 1,000 lvSetItemTextColor calls against 1,000 lvSetItemText calls each
// followed by UpdateWindow on the host's window, on one visible list.
void ColourLoop() {
    constexpr int kCalls = 1000;
    HWND window = host::CreateTopWindow("colour loop", 420, 760);
    HWND list = TextReport(window, 0, 0, 400, 720, 40);
    BareCall colour[2] = {ColourCall(window, list, "0|160|0"), ColourCall(window, list, "200|0|0")};
    BareCall text = ControlCall("lvSetItemText", list);
    const char* texts[2] = {"Some text", "Other text"};
    double best[2] = {1e30, 1e30};
    for (int round = 0; round < 5; ++round) {
        for (int which = 0; which < 2; ++which) {
            const bool colours = (round + which) % 2 != 0;
            const double start = Now();
            for (int i = 0; i < kCalls; ++i) {
                const int item = 1 + i % 40, column = 1 + i / 40 % 3;
                if (colours) {
                    CallAt(colour[i / 120 % 2], item, column);
                } else {
                    text.args.slot[1].intValue = item;
                    text.args.slot[2].intValue = column;
                    text.args.slot[3].text = texts[i / 120 % 2];
                    Dispatch(text);
                    UpdateWindow(window);
                }
            }
            host::Pump();
            best[colours] = std::min(best[colours], Now() - start);
        }
    }
    printf("%d lvSetItemTextColor calls %.1f ms, %d lvSetItemText + UpdateWindow %.1f ms (%.2fx)\n", kCalls, best[1],
           kCalls, best[0], best[1] / best[0]);
    DestroyWindow(window);
}

// Colouring a cell of each of N items, then deleting them one by one from
// the end: the cost per call should not grow with N. Deleting the same
// items with plain LVM_DELETEITEM on an uncoloured list shows what the
// control's own work costs.
void ColourScale(int items, double perCall[3]) {
    HWND window = host::CreateTopWindow("colour scale", 420, 300);
    HWND list = TextReport(window, 0, 0, 400, 280, items);
    BareCall colour = ColourCall(window, list, "0|160|0");
    double start = Now();
    for (int i = 1; i <= items; ++i) CallAt(colour, i, 1 + i % 3);
    host::Pump();
    perCall[0] = (Now() - start) * 1000.0 / items;
    BareCall remove = ControlCall("lvDeleteItem", list);
    remove.args.slot[1].intValue = -1;
    start = Now();
    for (int i = 0; i < items; ++i) Dispatch(remove);
    host::Pump();
    perCall[1] = (Now() - start) * 1000.0 / items;
    DestroyWindow(list);
    list = TextReport(window, 0, 0, 400, 280, items);
    start = Now();
    SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    for (int i = items - 1; i >= 0; --i) SendMessageA(list, LVM_DELETEITEM, i, 0);
    SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    host::Pump();
    perCall[2] = (Now() - start) * 1000.0 / items;
    DestroyWindow(window);
}

void ColourBenchmarks() {
    HostWindowMessages();
    ColouredRepaint();
    ColourLoop();
    double small[3], large[3];
    ColourScale(1000, small);
    ColourScale(50000, large);
    printf("per call, 1,000 cells: colour %.2f us, delete %.2f us (plain delete %.2f us); 50,000 cells: colour %.2f "
           "us (%.2fx), delete %.2f us (%.2fx; plain delete %.2f us)\n",
           small[0], small[1], small[2], large[0], large[0] / small[0], large[1], large[1] / small[1], large[2]);
}

// ---------------------------------------------------------------------------
// Loops that change a list and another control in each pass, against the
// two loops apart, on visible controls with the pump inside the timing.

constexpr int kMixedRows = 1500;

struct MixedControls {
    HWND window, list, other, box, bar, status;
};

// A visible window with two report views, a list box of 1,500 entries, a
// progress bar of 1,500 steps and a status bar, all drawn once.
MixedControls MakeMixed() {
    MixedControls c;
    c.window = host::CreateTopWindow("mixed loops", 900, 460);
    c.list = host::CreateChild(c.window, "SysListView32", LVS_REPORT | WS_VISIBLE, 0, 0, 290, 400);
    c.other = host::CreateChild(c.window, "SysListView32", LVS_REPORT | WS_VISIBLE, 300, 0, 290, 400);
    for (HWND list : {c.list, c.other}) {
        LVCOLUMNA column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH;
        column.cx = 200;
        column.pszText = const_cast<char*>("Column");
        SendMessageA(list, LVM_INSERTCOLUMNA, 0, reinterpret_cast<LPARAM>(&column));
    }
    c.bar = reinterpret_cast<HWND>(static_cast<intptr_t>(host::Int("pgCreateProgressBar", {c.window, 0, 405, 590, 20, 0})));
    SendMessageA(c.bar, PBM_SETRANGE32, 0, kMixedRows);
    SendMessageA(c.bar, PBM_SETSTEP, 1, 0);
    c.status = reinterpret_cast<HWND>(static_cast<intptr_t>(host::Int("sbCreateStatusBar", {c.window, ""})));
    c.box = HalfSelectedBox(c.window, kMixedRows, true);
    SetWindowPos(c.box, nullptr, 600, 0, 290, 400, SWP_NOZORDER);
    SendMessageA(c.box, LB_SETSEL, FALSE, -1);
    host::Pump();
    return c;
}

// One pass's work, by what it touches.
enum Work : unsigned { kInsert = 1, kStep = 2, kStatus = 4, kDeleteEntry = 8, kInsertOther = 16, kPlainStep = 32 };

double TimeWork(unsigned work) {
    MixedControls c = MakeMixed();
    BareCall insert = ControlCall("lvInsertItem", c.list), other = ControlCall("lvInsertItem", c.other);
    insert.args.slot[2].text = other.args.slot[2].text = "item";
    BareCall step = ControlCall("pgStep", c.bar), status = ControlCall("sbSetText", c.status);
    status.args.slot[1].intValue = 1;
    BareCall remove = ControlCall("lbDeleteItem", c.box);
    remove.args.slot[1].intValue = 1;
    char text[32];
    const double start = Now();
    for (int i = 1; i <= kMixedRows; ++i) {
        if (work & kInsert) insert.args.slot[1].intValue = i, Dispatch(insert);
        if (work & kInsertOther) other.args.slot[1].intValue = i, Dispatch(other);
        if (work & kDeleteEntry) Dispatch(remove);
        if (work & kStep) Dispatch(step);
        if (work & kPlainStep) SendMessageA(c.bar, PBM_STEPIT, 0, 0);
        if (work & kStatus) {
            wsprintfA(text, "Row %d", i);
            status.args.slot[2].text = text;
            Dispatch(status);
        }
    }
    host::Pump();
    const double spent = Now() - start;
    DestroyWindow(c.window);
    host::Pump();
    return spent;
}

double BestOf(unsigned work, int rounds) {
    double best = 1e30;
    for (int round = 0; round < rounds; ++round) best = std::min(best, TimeWork(work));
    return best;
}

void MixedLoop(const char* what, unsigned first, unsigned second) {
    constexpr int kMixedRounds = 3;
    const double together = BestOf(first | second, kMixedRounds);
    const double one = BestOf(first, kMixedRounds), two = BestOf(second, kMixedRounds);
    printf("%-52s together %8.1f ms   apart %8.1f + %8.1f ms   together/apart %.2f\n", what, together, one, two,
           together / (one + two));
    fflush(stdout);
}

void MixedBenchmarks() {
    MixedLoop("1,500 x (lvInsertItem + pgStep)", kInsert, kStep);
    MixedLoop("1,500 x (lvInsertItem + sbSetText)", kInsert, kStatus);
    MixedLoop("1,500 x (lbDeleteItem of one entry + pgStep)", kDeleteEntry, kStep);
    MixedLoop("1,500 x (lvInsertItem in one list + in another)", kInsert, kInsertOther);
    const double paced = BestOf(kStep, 3), plain = BestOf(kPlainStep, 3);
    printf("%-52s extender %8.1f ms   plain PBM_STEPIT %8.1f ms   ratio %.2f\n", "1,500 x pgStep on a visible bar",
           paced, plain, paced / plain);
    fflush(stdout);
}

}  // namespace

// With the argument "colours" or "mixed", only those benchmarks run.
int main(int argc, char** argv) {
    host::Start();
    if (argc > 1 && strcmp(argv[1], "colours") == 0) {
        ColourBenchmarks();
        return 0;
    }
    if (argc > 1 && strcmp(argv[1], "mixed") == 0) {
        MixedBenchmarks();
        return 0;
    }
    HWND parent = host::CreateTopWindow("bench", 640, 480);
    HWND list = NewList(parent);
    BareCall fill, read;
    Prepare(fill, "lvSetColumnFillSeq");
    fill.args.slot[0].intValue = static_cast<int32_t>(reinterpret_cast<intptr_t>(list));
    fill.args.slot[3].intValue = 3;
    double extender = 1e30, plain = 1e30;
    for (int round = 0; round < kRounds; ++round) {
        double start = Now();
        for (int c = 1; c <= kColumns; ++c) {
            fill.args.slot[1].intValue = c;
            fill.args.slot[2].intValue = 1000 * c;
            Dispatch(fill);
        }
        extender = std::min(extender, Now() - start);
        start = Now();
        for (int c = 1; c <= kColumns; ++c) PlainFillSeq(list, c - 1, 1000 * c, 3);
        plain = std::min(plain, Now() - start);
    }
    Report("lvSetColumnFillSeq, 5 columns x 20,000", extender, plain);

    extender = plain = 1e30;
    static char joined[40960];
    Prepare(read, "lvGetItemText");
    read.args.slot[0].intValue = static_cast<int32_t>(reinterpret_cast<intptr_t>(list));
    size_t checksum = 0;
    for (int round = 0; round < kRounds; ++round) {
        double start = Now();
        for (int i = 1; i <= kItems; ++i) {
            read.args.slot[1].intValue = i;
            checksum += static_cast<size_t>(Dispatch(read));
        }
        extender = std::min(extender, Now() - start);
        start = Now();
        for (int i = 0; i < kItems; ++i) {
            PlainRow(list, i, joined);
            checksum -= strlen(joined);
        }
        plain = std::min(plain, Now() - start);
    }
    Report("lvGetItemText column 0, 20,000 rows x 5", extender, plain);
    if (checksum != 0) printf("rows differ between the two reads\n");
    DestroyWindow(list);

    const Case cases[] = {
        {"lvInsertItem, 5,000 calls", 5000, 7, EmptyReport, ExtenderInsert, PlainInsert},
        {"lvDeleteItem scope -2, half of 5,000", 5000, 5, HalfSelectedReport, ExtenderDeleteSelected,
         PlainDeleteSelectedOf},
        {"lvDeleteItem scope -2, half of 20,000", 20000, 2, HalfSelectedReport, ExtenderDeleteSelected,
         PlainDeleteSelectedOf},
        {"lbDeleteItem scope -2, half of 5,000", 5000, 15, HalfSelectedBox, ExtenderDeleteSelectedEntries,
         PlainDeleteSelectedEntries},
    };
    for (const Case& c : cases) Time(parent, c);
    DestroyWindow(parent);
    ColourBenchmarks();
    MixedBenchmarks();
    return 0;
}
