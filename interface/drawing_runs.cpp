// Runs of item changes with the control's drawing held back.
//
// A control met by a run is hooked (window_hooks.h) for its life: ours
// sees what the host tells the control about drawing and takes the posted
// end of a run. Runs under way are listed here; a control is in a run
// exactly while it is on this list.
#include "drawing_runs.h"

#include "call.h"
#include "window_hooks.h"

int PendingRunCount;

namespace {

// Runs under way at once; past this many, a control is simply not batched.
constexpr int kMaxPendingRuns = 64;
HWND PendingRuns[kMaxPendingRuns];

// Marks the WM_SETREDRAW the extender sends itself (its lParam is unused
// otherwise); ours passes it on with lParam 0. The mark travels with the
// message, so calls that come in while it is on its way cannot confuse
// it with the host's.
constexpr LPARAM kOwnRedraw = 0x54424C52;

UINT EndRunMessage() {
    static const UINT message = RegisterWindowMessageA("Tabulon.EndDrawingRun");
    return message;
}

bool IsPending(HWND control) {
    for (int i = 0; i < PendingRunCount; ++i) {
        if (PendingRuns[i] == control) return true;
    }
    return false;
}

// True when the control was in a run.
bool DropPending(HWND control) {
    for (int i = 0; i < PendingRunCount; ++i) {
        if (PendingRuns[i] == control) {
            PendingRuns[i] = PendingRuns[--PendingRunCount];
            return true;
        }
    }
    return false;
}

void SendOwnRedraw(HWND control, BOOL drawing) {
    SendMessageA(control, WM_SETREDRAW, static_cast<WPARAM>(drawing), kOwnRedraw);
}

}  // namespace

bool DrawingRunMessage(HWND control, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& answer) {
    if (message == EndRunMessage()) {
        RestoreDrawing(control);
        answer = 0;
        return true;
    }
    if (message != WM_SETREDRAW) return false;
    if (lParam == kOwnRedraw) {
        // A procedure in front of ours may have made calls of its own
        // before passing ours on: one that comes after its run has ended,
        // or after a new run began, is out of date.
        answer = 0;
        if ((wParam != 0) != IsPending(control)) answer = CallNextProcedure(control, message, wParam, 0);
        return true;
    }
    // The host's own word on drawing wins over a run under way.
    DropPending(control);
    if (WindowHook* hook = FindHook(control)) hook->hostHeldDrawing = wParam == 0;
    return false;
}

void ReleaseDrawingRun(WindowHook& hook) {
    DropPending(reinterpret_cast<HWND>(static_cast<uintptr_t>(hook.key)));
}

void SuspendDrawing(HWND control) {
    // A hidden control draws nothing; one of another thread is left alone,
    // and so is one whose procedure of ours messages no longer reach.
    if (!IsWindowVisible(control)) return;
    const WindowHook* hook = HookWindow(control, kHookDrawingRuns);
    if (!hook || hook->hostHeldDrawing || IsPending(control) || PendingRunCount == kMaxPendingRuns) return;
    if (!PostMessageA(control, EndRunMessage(), 0, 0)) return;
    PendingRuns[PendingRunCount++] = control;
    SendOwnRedraw(control, FALSE);
}

void RestoreDrawing(HWND control) {
    if (!DropPending(control)) return;
    SendOwnRedraw(control, TRUE);
    RedrawWindow(control, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
}

void RestoreEveryRun() {
    while (PendingRunCount > 0) RestoreDrawing(PendingRuns[PendingRunCount - 1]);
}
