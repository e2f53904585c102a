// Runs of item changes with the control's drawing held back.
//
// Each control met by a run gets a window procedure of ours in front of its
// own, for its life: it sees what the host tells the control about drawing,
// takes the posted end of a run, and forgets the control when it goes. The
// procedure is set directly rather than through the common controls'
// subclass chain, which costs a property lookup per message.
#include "drawing_runs.h"

#include "call.h"

int PendingRunCount;

namespace {

constexpr int kMaxTrackedControls = 256;

enum RunState : uint8_t {
    kRunPending = 1,       // we turned drawing off; it comes back at the end of the run
    kHostHeldDrawing = 2,  // the host itself turned drawing off last
};

struct TrackedControl {
    HWND control;
    WNDPROC original;
    bool unicode;  // the procedure is set and called in the control's own character set
    uint8_t state;
};

TrackedControl Tracked[kMaxTrackedControls];
int TrackedCount;
bool SendingOwnRedraw;

UINT EndRunMessage() {
    static const UINT message = RegisterWindowMessageA("Tabulon.EndDrawingRun");
    return message;
}

TrackedControl* Find(HWND control) {
    for (int i = 0; i < TrackedCount; ++i) {
        if (Tracked[i].control == control) return &Tracked[i];
    }
    return nullptr;
}

void SetPending(TrackedControl& tracked, bool pending) {
    if (((tracked.state & kRunPending) != 0) == pending) return;
    tracked.state = pending ? kRunPending : 0;
    PendingRunCount += pending ? 1 : -1;
}

void SendOwnRedraw(HWND control, BOOL drawing) {
    SendingOwnRedraw = true;
    SendMessageA(control, WM_SETREDRAW, static_cast<WPARAM>(drawing), 0);
    SendingOwnRedraw = false;
}

LRESULT Forward(const TrackedControl& tracked, UINT message, WPARAM wParam, LPARAM lParam) {
    return tracked.unicode ? CallWindowProcW(tracked.original, tracked.control, message, wParam, lParam)
                           : CallWindowProcA(tracked.original, tracked.control, message, wParam, lParam);
}

LRESULT CALLBACK TrackingProcedureA(HWND control, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK TrackingProcedureW(HWND control, UINT message, WPARAM wParam, LPARAM lParam);

// Ours, in the control's character set.
LONG_PTR OurProcedure(bool unicode) {
    return reinterpret_cast<LONG_PTR>(unicode ? TrackingProcedureW : TrackingProcedureA);
}

LONG_PTR ProcedureOf(HWND control, bool unicode) {
    return unicode ? GetWindowLongPtrW(control, GWLP_WNDPROC) : GetWindowLongPtrA(control, GWLP_WNDPROC);
}

// Answers the procedure replaced.
LONG_PTR SetProcedure(HWND control, bool unicode, LONG_PTR procedure) {
    return unicode ? SetWindowLongPtrW(control, GWLP_WNDPROC, procedure)
                   : SetWindowLongPtrA(control, GWLP_WNDPROC, procedure);
}

// The control goes: our procedure leaves it (when no later one came in
// front of ours) and its entry is dropped.
void Untrack(HWND control) {
    TrackedControl* tracked = Find(control);
    if (!tracked) return;
    SetPending(*tracked, false);
    if (ProcedureOf(control, tracked->unicode) == OurProcedure(tracked->unicode))
        SetProcedure(control, tracked->unicode, reinterpret_cast<LONG_PTR>(tracked->original));
    *tracked = Tracked[--TrackedCount];
}

LRESULT TrackingProcedure(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
    TrackedControl* tracked = Find(control);
    if (!tracked) return DefWindowProcA(control, message, wParam, lParam);  // not reached
    if (message == EndRunMessage()) {
        RestoreDrawing(control);
        return 0;
    }
    switch (message) {
        case WM_SETREDRAW:
            // The host's own word on drawing wins over a run under way.
            if (!SendingOwnRedraw) {
                SetPending(*tracked, false);
                tracked->state = wParam ? 0 : kHostHeldDrawing;
            }
            break;
        case WM_NCDESTROY: {
            const LRESULT answer = Forward(*tracked, message, wParam, lParam);
            Untrack(control);
            return answer;
        }
    }
    // The entry may move while the control handles the message.
    const TrackedControl current = *tracked;
    return Forward(current, message, wParam, lParam);
}

LRESULT CALLBACK TrackingProcedureA(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
    return TrackingProcedure(control, message, wParam, lParam);
}

LRESULT CALLBACK TrackingProcedureW(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
    return TrackingProcedure(control, message, wParam, lParam);
}

TrackedControl* Track(HWND control) {
    if (TrackedCount == kMaxTrackedControls || !PinModule()) return nullptr;
    TrackedControl& tracked = Tracked[TrackedCount];
    tracked.control = control;
    tracked.unicode = IsWindowUnicode(control) != FALSE;
    tracked.state = 0;
    const LONG_PTR original = SetProcedure(control, tracked.unicode, OurProcedure(tracked.unicode));
    if (!original) return nullptr;
    tracked.original = reinterpret_cast<WNDPROC>(original);
    ++TrackedCount;
    return &tracked;
}

}  // namespace

void SuspendDrawing(HWND control) {
    // A hidden control draws nothing; one of another thread is left alone.
    if (!IsWindowVisible(control) || GetWindowThreadProcessId(control, nullptr) != GetCurrentThreadId()) return;
    TrackedControl* tracked = Find(control);
    if (!tracked) tracked = Track(control);
    if (!tracked || tracked->state & (kRunPending | kHostHeldDrawing)) return;
    if (!PostMessageA(control, EndRunMessage(), 0, 0)) return;
    SetPending(*tracked, true);
    SendOwnRedraw(control, FALSE);
}

void RestoreDrawing(HWND control) {
    TrackedControl* tracked = Find(control);
    if (!tracked || !(tracked->state & kRunPending)) return;
    SetPending(*tracked, false);
    SendOwnRedraw(control, TRUE);
    RedrawWindow(control, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
}

void RestoreEveryRun() {
    for (int i = TrackedCount - 1; i >= 0 && PendingRunCount > 0; --i) {
        if (i < TrackedCount && (Tracked[i].state & kRunPending)) RestoreDrawing(Tracked[i].control);
    }
}
