// Runs of changes on visible list controls, drawn once when they end.
//
// A control met by a run is hooked (window_hooks.h) for its life: ours
// sees what the host tells the control about drawing and takes the posted
// end of a run. Runs under way are listed here; a control is in a run
// exactly while it is on this list. A run holds the control's drawing
// back once an item changes; a run of colour changes alone keeps drawing
// on and gathers the area to draw again instead.
#include "drawing_runs.h"

#include "call.h"
#include "window_hooks.h"

int PendingRunCount;

namespace {

struct Run {
    HWND control;
    bool drawingHeld;  // we turned the control's drawing off
    RECT due;          // else what to invalidate when the run ends
};

// Runs under way at once; past this many, a control is simply not batched.
constexpr int kMaxPendingRuns = 64;
Run PendingRuns[kMaxPendingRuns];

// Marks the WM_SETREDRAW the extender sends itself (its lParam is unused
// otherwise); ours passes it on with lParam 0. The mark travels with the
// message, so calls that come in while it is on its way cannot confuse
// it with the host's.
constexpr LPARAM kOwnRedraw = 0x54424C52;

UINT EndRunMessage() {
    static const UINT message = RegisterWindowMessageA("Tabulon.EndDrawingRun");
    return message;
}

Run* FindRun(HWND control) {
    for (int i = 0; i < PendingRunCount; ++i) {
        if (PendingRuns[i].control == control) return &PendingRuns[i];
    }
    return nullptr;
}

bool HoldsDrawing(HWND control) {
    const Run* run = FindRun(control);
    return run && run->drawingHeld;
}

// Takes the control's run off the list; false when it had none.
bool TakeRun(HWND control, Run& taken) {
    Run* run = FindRun(control);
    if (!run) return false;
    taken = *run;
    *run = PendingRuns[--PendingRunCount];
    return true;
}

// A run ends at the host's next message, which only ours takes: the
// caller has hooked the control, so that messages reach ours.
Run* StartRun(HWND control) {
    if (PendingRunCount == kMaxPendingRuns || !PostMessageA(control, EndRunMessage(), 0, 0)) return nullptr;
    Run& run = PendingRuns[PendingRunCount++];
    run = Run{control, false, {}};
    return &run;
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
        if ((wParam != 0) != HoldsDrawing(control)) answer = CallNextProcedure(control, message, wParam, 0);
        return true;
    }
    // The host's own word on drawing wins over a run under way.
    Run ended;
    if (TakeRun(control, ended) && !ended.drawingHeld) InvalidateRect(control, &ended.due, TRUE);
    if (WindowHook* hook = FindHook(control)) hook->hostHeldDrawing = wParam == 0;
    return false;
}

void ReleaseDrawingRun(WindowHook& hook) {
    Run ended;
    TakeRun(reinterpret_cast<HWND>(static_cast<uintptr_t>(hook.key)), ended);
}

void SuspendDrawing(HWND control) {
    // A hidden control draws nothing; one of another thread is left alone.
    if (!IsWindowVisible(control)) return;
    const WindowHook* hook = HookWindow(control, kHookDrawingRuns);  // puts ours back if it was cut out
    if (!hook || hook->hostHeldDrawing || HoldsDrawing(control)) return;
    Run* run = FindRun(control);
    if (!run && !(run = StartRun(control))) return;
    run->drawingHeld = true;
    SendOwnRedraw(control, FALSE);
}

void RepaintWhenRunEnds(HWND control, const RECT& area) {
    Run* run = FindRun(control);
    if (!run && IsWindowVisible(control) && HookWindow(control, kHookDrawingRuns)) run = StartRun(control);
    if (!run) {
        InvalidateRect(control, &area, TRUE);
    } else if (!run->drawingHeld) {
        UnionRect(&run->due, &run->due, &area);
    }
}

void RestoreDrawing(HWND control) {
    Run ended;
    if (!TakeRun(control, ended)) return;
    if (!ended.drawingHeld) {
        InvalidateRect(control, &ended.due, TRUE);
        return;
    }
    SendOwnRedraw(control, TRUE);
    RedrawWindow(control, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
}

void RestoreEveryRun() {
    while (PendingRunCount > 0) RestoreDrawing(PendingRuns[PendingRunCount - 1].control);
}
