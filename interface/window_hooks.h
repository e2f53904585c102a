// The one way the extender puts its code in front of a window.
//
// A window procedure of ours is set directly (SetWindowLongPtr, in the
// window's own character set) in front of the window's own, and each
// hooked window has one record in a table in process memory, found by its
// handle in constant time on average. No window property and no subclass
// chain is looked at per message: under Wine each of those is a server
// round trip, paid by every message the window gets.
//
// A window is hooked for one or more uses. Each use has a handler, in its
// family, that sees the window's messages before the window's own
// procedure, and a release that frees the use's data when the window goes.
// Only windows of the calling thread are hooked; ours stays in front for
// the window's life, and the module stays loaded once one is set.
#pragma once
#include <windows.h>

#include <stdint.h>

enum HookUse : uint8_t {
    kHookDrawingRuns = 1,    // list view or list box: runs of item changes with drawing held back
    kHookCellColours = 2,    // list view: the text colours of its cells
    kHookColourParent = 4,   // parent of coloured list views: answers their custom draw
    kHookPicker = 8,         // date-time picker: its calendar font and colour mark
    kHookPickerParent = 16,  // parent of coloured pickers: their calendars as they drop down
};

struct CellColours;

struct WindowHook {
    uint64_t key;  // the window's handle
    WNDPROC next;  // what ours passes messages on to
    bool unicode;  // ours is set, and passes on, in this character set
    uint8_t uses;  // HookUse bits
    // Each use's data.
    bool hostHeldDrawing;      // drawing runs: the host itself turned drawing off last
    bool classicCalendars;     // picker: its calendars got a colour
    HFONT calendarFont;        // picker: the font dtSetDateTimeFont made
    CellColours* cellColours;  // list view: its coloured cells
};

// Hooks window for use, or puts ours back in front when something cut it
// out of the window's chain; null for a window of another thread, or when
// ours cannot be set. The record, like any from FindHook, is valid until
// the next message is sent: a procedure may hook or let go of windows.
WindowHook* HookWindow(HWND window, HookUse use);
WindowHook* FindHook(HWND window);
// The window's message, passed on to what ours stands in front of.
LRESULT CallNextProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// A use's handler: true when it gave the answer (passing the message on
// itself where it should go on); false lets the message go on.
typedef bool HookHandler(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& answer);
// Frees a use's data; called once the window has handled WM_NCDESTROY.
typedef void HookRelease(WindowHook& hook);

HookHandler DrawingRunMessage, CellColourMessage, ColourParentMessage, PickerParentMessage;
HookRelease ReleaseDrawingRun, ReleaseCellColours, ReleasePicker;
