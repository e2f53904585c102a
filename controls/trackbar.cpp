// Trackbars in a script's window: settings read by selector, setters, and
// two text labels attached as buddies at the ends.
#include "../interface/call.h"

#include <commctrl.h>  // needs windows.h, which call.h brings in

namespace {

constexpr DWORD kTrackbarStyle = WS_CHILD | WS_VISIBLE | TBS_TOOLTIPS | TBS_ENABLESELRANGE | TBS_AUTOTICKS;
// The near label's text lies against the trackbar.
constexpr DWORD kNearLabelStyle = WS_CHILD | WS_VISIBLE | SS_RIGHT;
constexpr DWORD kFarLabelStyle = WS_CHILD | WS_VISIBLE | SS_LEFT;
constexpr WPARAM kNearSide = TRUE;  // left of a horizontal bar, above a vertical one
constexpr WPARAM kFarSide = FALSE;
constexpr WPARAM kRedraw = TRUE;

// Selectors 0 to 7 of trGETTRACKINFO.
constexpr UINT kTrackQueries[] = {TBM_GETLINESIZE, TBM_GETNUMTICS,   TBM_GETPAGESIZE, TBM_GETPOS,
                                  TBM_GETRANGEMIN, TBM_GETRANGEMAX, TBM_GETSELSTART, TBM_GETSELEND};

WPARAM AsWParam(int32_t value) { return static_cast<WPARAM>(static_cast<intptr_t>(value)); }

int32_t WindowResult(HWND window) { return static_cast<int32_t>(reinterpret_cast<intptr_t>(window)); }

HWND CreateLabel(const Call& call, const char* text, DWORD style) {
    return CreateWindowExA(0, "STATIC", text, style, 0, 0, ArgInt(call, 3), ArgInt(call, 4), ArgWindow(call, 1),
                           nullptr, call.hostInstance, nullptr);
}

// The setters report 1 whatever the trackbar answers.
Completed SendAndReportDone(const Call& call, UINT message, WPARAM wParam, LPARAM lParam) {
    Send(ArgWindow(call, 1), message, wParam, lParam);
    return CompleteInt(call, 1);
}

bool IsOwnWindowOfClass(HWND window, const char* className) {
    char name[32] = "";
    return IsWindow(window) && IsOwnWindow(window) && GetClassNameA(window, name, sizeof name) &&
           lstrcmpiA(name, className) == 0;
}

// The trackbar keeps naming its buddies after they are destroyed, and a
// handle may name another window by the next call: only a label of this
// process is destroyed.
void DestroyBuddy(HWND trackbar, WPARAM side) {
    HWND buddy = reinterpret_cast<HWND>(Send(trackbar, TBM_GETBUDDY, side, 0));
    if (IsOwnWindowOfClass(buddy, "Static")) DestroyWindow(buddy);
}

}  // namespace

Completed trCreateTrackBar(const Call& call) {
    const DWORD style = static_cast<DWORD>(ArgInt(call, 6)) | kTrackbarStyle;
    HWND trackbar = CreateWindowExA(0, TRACKBAR_CLASSA, "Trackbar", style, ArgInt(call, 2), ArgInt(call, 3),
                                    ArgInt(call, 4), ArgInt(call, 5), ArgWindow(call, 1), nullptr,
                                    call.hostInstance, nullptr);
    return CompleteInt(call, WindowResult(trackbar));
}

Completed trGETTRACKINFO(const Call& call) {
    const uint32_t selector = static_cast<uint32_t>(ArgInt(call, 2));
    LRESULT answer = 0;
    if (selector < sizeof kTrackQueries / sizeof kTrackQueries[0])
        answer = Send(ArgWindow(call, 1), kTrackQueries[selector], 0, 0);
    return CompleteInt(call, static_cast<int32_t>(answer));
}

// Labels are children of argument 1; the trackbar moves them to its ends.
// A buddy it had before is replaced but left alive. Only a trackbar places
// them: for any other window they would stay at the parent's corner, over
// its controls, so none are made.
Completed trSETBUDDY(const Call& call) {
    HWND trackbar = ArgWindow(call, 2);
    if (!IsOwnWindowOfClass(trackbar, TRACKBAR_CLASSA)) return CompleteInt(call, 0);
    HWND nearLabel = CreateLabel(call, ArgText(call, 5), kNearLabelStyle);
    Send(trackbar, TBM_SETBUDDY, kNearSide, reinterpret_cast<LPARAM>(nearLabel));
    HWND farLabel = CreateLabel(call, ArgText(call, 6), kFarLabelStyle);
    Send(trackbar, TBM_SETBUDDY, kFarSide, reinterpret_cast<LPARAM>(farLabel));
    return CompleteInt(call, 1);
}

Completed trREMOVEBUDDY(const Call& call) {
    HWND trackbar = ArgWindow(call, 1);
    DestroyBuddy(trackbar, kNearSide);
    DestroyBuddy(trackbar, kFarSide);
    return CompleteInt(call, 1);
}

Completed trCLEARSEL(const Call& call) { return SendAndReportDone(call, TBM_CLEARSEL, kRedraw, 0); }
Completed trCLEARTICS(const Call& call) { return SendAndReportDone(call, TBM_CLEARTICS, kRedraw, 0); }
Completed trSETLINESIZE(const Call& call) { return SendAndReportDone(call, TBM_SETLINESIZE, 0, ArgInt(call, 2)); }
Completed trSETPAGESIZE(const Call& call) { return SendAndReportDone(call, TBM_SETPAGESIZE, 0, ArgInt(call, 2)); }
Completed trSETPOS(const Call& call) { return SendAndReportDone(call, TBM_SETPOS, kRedraw, ArgInt(call, 2)); }
Completed trSETRANGEMAX(const Call& call) { return SendAndReportDone(call, TBM_SETRANGEMAX, kRedraw, ArgInt(call, 2)); }
Completed trSETRANGEMIN(const Call& call) { return SendAndReportDone(call, TBM_SETRANGEMIN, kRedraw, ArgInt(call, 2)); }
Completed trSETSELEND(const Call& call) { return SendAndReportDone(call, TBM_SETSELEND, kRedraw, ArgInt(call, 2)); }
Completed trSETSELSTART(const Call& call) { return SendAndReportDone(call, TBM_SETSELSTART, kRedraw, ArgInt(call, 2)); }
Completed trSETTIC(const Call& call) { return SendAndReportDone(call, TBM_SETTIC, 0, ArgInt(call, 2)); }
Completed trSETTICFREQ(const Call& call) { return SendAndReportDone(call, TBM_SETTICFREQ, AsWParam(ArgInt(call, 2)), 0); }
Completed trSETTIPSIDE(const Call& call) { return SendAndReportDone(call, TBM_SETTIPSIDE, AsWParam(ArgInt(call, 2)), 0); }
