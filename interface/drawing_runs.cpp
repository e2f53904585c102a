// Runs of changes on visible controls, drawn once when they end.
//
// A control met by a run is hooked (window_hooks.h) for its life: ours
// sees what the host tells the control about drawing, its paints, and the
// posted end of a run. Runs under way are listed here; a control is in a
// run exactly while it is on this list. A run of a list control holds the
// control's drawing back once an item changes; a run of colour changes
// alone keeps drawing on and gathers the area to draw again instead. A run
// of a progress or status bar paces its paints.
#include "drawing_runs.h"

#include "window_hooks.h"

int PendingRunCount;
int CallsUnderWay;

namespace {

struct Run {
    HWND control;
    bool drawingHeld;  // we turned the control's drawing off
    bool paced;        // paints inside calls come at most one a frame
    bool paintDue;     // paced: a paint was put off
    DWORD lastPaint;   // paced: when the control last painted inside a call
    RECT due;          // else what to invalidate when the run ends
};

// Runs under way at once; past this many, a control is simply not batched.
constexpr int kMaxPendingRuns = 64;
Run PendingRuns[kMaxPendingRuns];
// Paced runs with a paint put off.
int PaintsDue;

// A paced control paints at most this often inside calls (ms): one frame.
constexpr DWORD kFrame = 16;

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

void SetPaintDue(Run& run, bool due) {
    if (run.paintDue != due) PaintsDue += due ? 1 : -1;
    run.paintDue = due;
}

// Takes the control's run off the list; false when it had none.
bool TakeRun(HWND control, Run& taken) {
    Run* run = FindRun(control);
    if (!run) return false;
    taken = *run;
    SetPaintDue(*run, false);
    *run = PendingRuns[--PendingRunCount];
    return true;
}

// A run ends at the host's next message, which only ours takes: the
// caller has hooked the control, so that messages reach ours.
Run* StartRun(HWND control) {
    if (PendingRunCount == kMaxPendingRuns || !PostMessageA(control, EndRunMessage(), 0, 0)) return nullptr;
    Run& run = PendingRuns[PendingRunCount++];
    run = Run{control, false, false, false, 0, {}};
    return &run;
}

// The run of a visible control of this thread that ours can watch; null
// when the control is not to be batched.
Run* RunOf(HWND control) {
    // A hidden control draws nothing; one of another thread is left alone.
    if (!IsWindowVisible(control)) return nullptr;
    const WindowHook* hook = HookWindow(control, kHookDrawingRuns);  // puts ours back if it was cut out
    if (!hook || hook->hostHeldDrawing) return nullptr;
    Run* run = FindRun(control);
    return run ? run : StartRun(control);
}

void SendOwnRedraw(HWND control, BOOL drawing) {
    SendMessageA(control, WM_SETREDRAW, static_cast<WPARAM>(drawing), kOwnRedraw);
}

// What an ended run, already off the list, leaves to do.
void Finish(const Run& ended) {
    if (ended.drawingHeld) {
        SendOwnRedraw(ended.control, TRUE);
        RedrawWindow(ended.control, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
    } else if (ended.paintDue) {
        UpdateWindow(ended.control);  // the final value shows now
    } else if (!IsRectEmpty(&ended.due)) {
        InvalidateRect(ended.control, &ended.due, TRUE);
    }
}

// A paced control's paint inside a call: put off when it painted less than
// a frame ago. It stays invalid, to be painted later.
bool PutOffPaint(HWND control) {
    Run* run = CallsUnderWay > 0 ? FindRun(control) : nullptr;
    if (!run || !run->paced) return false;
    const DWORD now = GetTickCount();
    if (now - run->lastPaint < kFrame) {
        SetPaintDue(*run, true);
        return true;
    }
    run->lastPaint = now;
    SetPaintDue(*run, false);
    return false;
}

// Paints put off a frame ago or more. Painting may run host procedures that
// start or end runs, so each control is looked for afresh.
void PaintOverdue() {
    HWND overdue[kMaxPendingRuns];
    int count = 0;
    const DWORD now = GetTickCount();
    for (int i = 0; i < PendingRunCount; ++i) {
        const Run& run = PendingRuns[i];
        if (run.paintDue && now - run.lastPaint >= kFrame) overdue[count++] = run.control;
    }
    for (int i = 0; i < count; ++i) {
        // The paint comes to ours a frame after the last, so it goes
        // through, inside a nested call too; the next is a frame from now.
        Run* run = FindRun(overdue[i]);
        if (!run) continue;
        SetPaintDue(*run, false);
        UpdateWindow(overdue[i]);
        if ((run = FindRun(overdue[i]))) run->lastPaint = GetTickCount();
    }
}

// Whether window lies in ancestor, at any depth.
bool LiesIn(HWND window, HWND ancestor) {
    for (HWND parent = GetAncestor(window, GA_PARENT); parent; parent = GetAncestor(parent, GA_PARENT)) {
        if (parent == ancestor) return true;
    }
    return false;
}

// Ends the runs a call on window with this role could disturb or depend
// on: always those of the windows it lies in (held drawing would hide it);
// unless the call joins window's run, its own; and when it acts on all
// that lies in window, those of the windows in it. Ending one may run host
// procedures that end or start others, so the list is read afresh.
void EndRunsAround(HWND window, WindowRole role) {
    const bool own = role == kActsOn || role == kCreatesIn, inside = role == kActsOn;
    for (bool ended = true; ended;) {
        ended = false;
        for (int i = 0; i < PendingRunCount && !ended; ++i) {
            const HWND control = PendingRuns[i].control;
            if (control == window ? own : LiesIn(window, control) || (inside && LiesIn(control, window))) {
                RestoreDrawing(control);
                ended = true;
            }
        }
    }
}

}  // namespace

bool DrawingRunMessage(HWND control, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& answer) {
    if (message == EndRunMessage()) {
        RestoreDrawing(control);
        answer = 0;
        return true;
    }
    if (message == WM_PAINT) {
        answer = 0;
        return PutOffPaint(control);
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
    if (TakeRun(control, ended) && !ended.drawingHeld) Finish(ended);
    if (WindowHook* hook = FindHook(control)) hook->hostHeldDrawing = wParam == 0;
    return false;
}

void ReleaseDrawingRun(WindowHook& hook) {
    Run ended;
    TakeRun(reinterpret_cast<HWND>(static_cast<uintptr_t>(hook.key)), ended);
}

void SuspendDrawing(HWND control) {
    Run* run = RunOf(control);
    if (!run || run->drawingHeld) return;
    run->drawingHeld = true;
    SendOwnRedraw(control, FALSE);
}

void RepaintWhenRunEnds(HWND control, const RECT& area) {
    Run* run = RunOf(control);
    if (!run) {
        InvalidateRect(control, &area, TRUE);
    } else if (!run->drawingHeld) {
        UnionRect(&run->due, &run->due, &area);
    }
}

// Once a bar's run is under way, each call costs one look at the list: a
// bar stepped in a tight loop pays no more than that.
void PacePaints(HWND control) {
    Run* run = FindRun(control);
    if (!run) run = RunOf(control);
    if (run) run->paced = true;
}

void RestoreDrawing(HWND control) {
    Run ended;
    if (TakeRun(control, ended)) Finish(ended);
}

void RestoreEveryRun() {
    while (PendingRunCount > 0) RestoreDrawing(PendingRuns[PendingRunCount - 1].control);
}

void PrepareRunsFor(const Call& call, uint8_t windows) {
    if (PaintsDue > 0) PaintOverdue();
    if (windows == kEveryWindow) {
        RestoreEveryRun();
        return;
    }
    for (int argument = 1; argument <= 2 && PendingRunCount > 0; ++argument) {
        const WindowRole role = RoleOf(windows, argument);
        if (role != kNoWindow) EndRunsAround(ArgWindow(call, argument), role);
    }
}
