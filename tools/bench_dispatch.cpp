// What the dispatcher costs beyond the window message itself: N script calls
// against N plain SendMessageA calls of the same message, in one run, for a
// few one-message functions.
#include "../tests/host/standin_host.h"

#include <commctrl.h>
#include <stdio.h>
#include <string.h>

#include <algorithm>

namespace {

int32_t __stdcall QuietReturn(int32_t, uint32_t, HostContext*, ExtenderResult*) { return 0; }

double Seconds(LARGE_INTEGER a, LARGE_INTEGER b) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(b.QuadPart - a.QuadPart) / static_cast<double>(frequency.QuadPart);
}

struct Case {
    const char* name;
    HWND window;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    int32_t secondArgument;
};

ExtenderArgs block;
ExtenderResult result;
HostContext context{0, 0, 1005};

int32_t Dispatch(int32_t number) {
    const host::Session& s = host::Current();
    return s.extender.dispatch(s.owner, s.instance, 0, number, reinterpret_cast<void*>(&QuietReturn), &context, 0,
                               &block, 0, &result);
}

void Measure(const Case& c, int calls) {
    const int32_t number = host::NumberOf(c.name);
    memset(&block, 0, sizeof block);
    block.slot[0].intValue = static_cast<int32_t>(reinterpret_cast<intptr_t>(c.window));
    block.slot[1].intValue = c.secondArgument;
    block.slot[0].text = block.slot[1].text = "";
    double plainBest = 1e9, dispatchBest = 1e9;
    for (int trial = 0; trial < 7; ++trial) {
        LARGE_INTEGER t0, t1, t2;
        QueryPerformanceCounter(&t0);
        for (int i = 0; i < calls; ++i) SendMessageA(c.window, c.message, c.wParam, c.lParam);
        QueryPerformanceCounter(&t1);
        for (int i = 0; i < calls; ++i) Dispatch(number);
        QueryPerformanceCounter(&t2);
        plainBest = std::min(plainBest, Seconds(t0, t1) / calls);
        dispatchBest = std::min(dispatchBest, Seconds(t1, t2) / calls);
    }
    printf("| %-16s | %8.1f | %8.1f | %+7.1f | %+6.1f %% |\n", c.name, plainBest * 1e9, dispatchBest * 1e9,
           (dispatchBest - plainBest) * 1e9, 100.0 * (dispatchBest - plainBest) / plainBest);
}

}  // namespace

int main(int argc, char** argv) {
    const int calls = argc > 1 ? atoi(argv[1]) : 1000000;
    host::Start();
    HWND top = host::CreateTopWindow("bench", 400, 300);
    HWND list = host::CreateChild(top, WC_LISTVIEWA, LVS_REPORT | WS_VISIBLE, 0, 0, 200, 100);
    HWND box = host::CreateChild(top, "LISTBOX", LBS_EXTENDEDSEL | WS_VISIBLE, 0, 100, 200, 100);
    HWND track = host::CreateChild(top, TRACKBAR_CLASSA, WS_VISIBLE, 200, 0, 200, 40);
    HWND progress = host::CreateChild(top, PROGRESS_CLASSA, WS_VISIBLE, 200, 50, 200, 20);
    for (int i = 0; i < 50; ++i) SendMessageA(box, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("entry"));
    LVCOLUMNA column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.cx = 60;
    column.pszText = const_cast<char*>("c");
    SendMessageA(list, LVM_INSERTCOLUMNA, 0, reinterpret_cast<LPARAM>(&column));
    LVITEMA item{};
    item.mask = LVIF_TEXT;
    item.pszText = const_cast<char*>("item");
    for (int i = 0; i < 50; ++i) SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    SendMessageA(progress, PBM_SETRANGE32, 0, 100);
    host::Pump();

    printf("%d calls each, best of 7; nanoseconds per call\n\n", calls);
    printf("| function         |    plain | dispatch | overhead |  share  |\n");
    printf("|------------------|----------|----------|----------|---------|\n");
    Measure({"lvGetItemCount", list, LVM_GETITEMCOUNT, 0, 0, 0}, calls);
    Measure({"lbGetItemCount", box, LB_GETCOUNT, 0, 0, 0}, calls);
    Measure({"trGETTRACKINFO", track, TBM_GETPOS, 0, 0, 3}, calls);
    Measure({"pgSetPosition", progress, PBM_SETPOS, 40, 0, 40}, calls);

    return 0;
}
