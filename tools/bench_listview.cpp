// Times the bulk list view functions against plain loops of the same
// messages, on a hidden report view of 20,000 items and 5 columns:
//   tools/wine-run build/x64/bench_listview.exe
// Prints milliseconds (best of several rounds) and the ratio extender/plain.
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

}  // namespace

int main() {
    host::Start();
    HWND parent = CreateWindowExA(0, "STATIC", "bench", WS_OVERLAPPEDWINDOW, 0, 0, 640, 480, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
    HWND list = NewList(parent);

    BareCall fill, read, remove;
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

    extender = plain = 1e30;
    for (int round = 0; round < 4; ++round) {
        // Alternate which goes first, so that neither gains from the order.
        for (int turn = 0; turn < 2; ++turn) {
            list = NewList(parent);
            SelectHalf(list);
            const double start = Now();
            if ((turn + round) % 2 == 0) {
                Prepare(remove, "lvDeleteItem");
                remove.args.slot[0].intValue = static_cast<int32_t>(reinterpret_cast<intptr_t>(list));
                remove.args.slot[1].intValue = 1;
                remove.args.slot[2].intValue = -2;
                const int left = Dispatch(remove);
                extender = std::min(extender, Now() - start);
                if (left != kItems / 2) printf("lvDeleteItem left %d items\n", left);
            } else {
                PlainDeleteSelected(list);
                plain = std::min(plain, Now() - start);
            }
            DestroyWindow(list);
        }
    }
    Report("lvDeleteItem scope -2, 20,000 (half selected)", extender, plain);
    DestroyWindow(parent);
    return 0;
}
