// Window procedures of ours, set directly and found in a table in process
// memory: one procedure for every use, which hands each message to the
// handlers of the window's uses and passes it on.
#include "window_hooks.h"

#include "call.h"
#include "keyed_table.h"

namespace {

struct UseRow {
    HookUse use;
    HookHandler* handler;  // null: the use needs no message but WM_NCDESTROY
    HookRelease* release;  // null: the use keeps no data
};

constexpr UseRow kUses[] = {
    {kHookDrawingRuns, DrawingRunMessage, ReleaseDrawingRun},
    {kHookCellColours, CellColourMessage, ReleaseCellColours},
    {kHookColourParent, ColourParentMessage, nullptr},
    {kHookPicker, nullptr, ReleasePicker},
    {kHookPickerParent, PickerParentMessage, nullptr},
};

KeyedTable<WindowHook> Hooks;

// Ours answers the probe with this, which no other procedure does: a
// probe answered tells that messages sent to the window reach ours.
constexpr LRESULT kReached = 0x54624C6E;

UINT ProbeMessage() {
    static const UINT message = RegisterWindowMessageA("Tabulon.Reached");
    return message;
}

uint64_t KeyOf(HWND window) { return reinterpret_cast<uintptr_t>(window); }

LRESULT CALLBACK OurProcedureA(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK OurProcedureW(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

LONG_PTR Ours(bool unicode) {
    return reinterpret_cast<LONG_PTR>(unicode ? OurProcedureW : OurProcedureA);
}

LONG_PTR ProcedureOf(HWND window, bool unicode) {
    return unicode ? GetWindowLongPtrW(window, GWLP_WNDPROC) : GetWindowLongPtrA(window, GWLP_WNDPROC);
}

// Answers the procedure replaced, 0 on failure.
LONG_PTR SetProcedure(HWND window, bool unicode, LONG_PTR procedure) {
    return unicode ? SetWindowLongPtrW(window, GWLP_WNDPROC, procedure)
                   : SetWindowLongPtrA(window, GWLP_WNDPROC, procedure);
}

// The message, passed on to what ours stood in front of in this record.
LRESULT PassOn(const WindowHook& hook, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return hook.unicode ? CallWindowProcW(hook.next, window, message, wParam, lParam)
                        : CallWindowProcA(hook.next, window, message, wParam, lParam);
}

void Release(WindowHook& hook) {
    for (const UseRow& row : kUses) {
        if ((hook.uses & row.use) && row.release) row.release(hook);
    }
}

// The window has gone: its uses release their data, and ours leaves the
// chain where it is still in front (behind a later procedure it can only
// stay, and the window gets no message after this one).
void Unhook(HWND window) {
    WindowHook* hook = FindHook(window);
    if (!hook) return;
    Release(*hook);
    if (ProcedureOf(window, hook->unicode) == Ours(hook->unicode))
        SetProcedure(window, hook->unicode, reinterpret_cast<LONG_PTR>(hook->next));
    RemoveRecord(Hooks, hook);
}

// A window that went while ours was cut out of its chain never showed us
// its WM_NCDESTROY; its record goes before the table grows.
void ForgetGoneWindows() {
    for (uint32_t i = 0; i < Hooks.capacity;) {
        WindowHook& hook = Hooks.slots[i];
        if (hook.key && !IsWindow(reinterpret_cast<HWND>(static_cast<uintptr_t>(hook.key)))) {
            Release(hook);
            RemoveRecord(Hooks, &hook);  // a later record may move into slot i
        } else {
            ++i;
        }
    }
}

// Whether a message sent to the window reaches ours: at once when ours is
// in front; else a later procedure stands in front, which may pass
// messages on to ours or may have cut it out (a host putting back a
// procedure it saved before ours, or the common controls removing their
// last subclass): the probe tells which.
bool Reached(HWND window) {
    const WindowHook* hook = FindHook(window);
    if (!hook) return false;
    if (ProcedureOf(window, hook->unicode) == Ours(hook->unicode)) return true;
    return SendMessageA(window, ProbeMessage(), 0, 0) == kReached;
}

// Sets ours in front of whatever the window has now. A window put back
// keeps its record, with its uses and their data.
bool Attach(HWND window) {
    if (!PinModule()) return false;
    WindowHook* hook = FindHook(window);
    if (!hook) {
        if (2ull * (Hooks.count + 1) > Hooks.capacity) ForgetGoneWindows();
        WindowHook fresh = {};
        fresh.key = KeyOf(window);
        hook = AddRecord(Hooks, fresh);
        if (!hook) return false;
    }
    const bool unicode = IsWindowUnicode(window) != FALSE;
    const LONG_PTR next = SetProcedure(window, unicode, Ours(unicode));
    if (!next) {
        if (!hook->uses) RemoveRecord(Hooks, hook);
        return false;
    }
    hook->next = reinterpret_cast<WNDPROC>(next);
    hook->unicode = unicode;
    return true;
}

LRESULT Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam, bool unicodeEntry) {
    const WindowHook* hook = FindHook(window);
    if (!hook) {  // a window ours has let go of
        return unicodeEntry ? DefWindowProcW(window, message, wParam, lParam)
                            : DefWindowProcA(window, message, wParam, lParam);
    }
    if (message == ProbeMessage()) return kReached;
    if (message == WM_NCDESTROY) {
        const LRESULT answer = CallNextProcedure(window, message, wParam, lParam);
        Unhook(window);
        return answer;
    }
    // What this procedure passes on to, as it was when the message came.
    const WindowHook arrived = *hook;
    for (const UseRow& row : kUses) {
        LRESULT answer = 0;
        if ((arrived.uses & row.use) && row.handler && row.handler(window, message, wParam, lParam, answer))
            return answer;
    }
    return PassOn(arrived, window, message, wParam, lParam);
}

LRESULT CALLBACK OurProcedureA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return Procedure(window, message, wParam, lParam, false);
}

LRESULT CALLBACK OurProcedureW(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return Procedure(window, message, wParam, lParam, true);
}

}  // namespace

WindowHook* FindHook(HWND window) {
    if (!window) return nullptr;
    return FindRecord(Hooks, KeyOf(window), [](const WindowHook&) { return true; });
}

WindowHook* HookWindow(HWND window, HookUse use) {
    if (!window || GetWindowThreadProcessId(window, nullptr) != GetCurrentThreadId()) return nullptr;
    if (!Reached(window) && !Attach(window)) return nullptr;
    WindowHook* hook = FindHook(window);  // the probe may have moved it
    if (hook) hook->uses |= use;
    return hook;
}

LRESULT CallNextProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const WindowHook* hook = FindHook(window);
    return hook ? PassOn(*hook, window, message, wParam, lParam) : DefWindowProcA(window, message, wParam, lParam);
}
