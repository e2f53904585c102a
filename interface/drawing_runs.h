// Item changes on visible list views and list boxes, with drawing held back.
//
// A visible list control redraws its scroll bars at once on every insert or
// delete, which makes a script loop of single-item calls tens of times
// slower than on a hidden control. So the first change of a run turns the
// control's drawing off (WM_SETREDRAW), and drawing comes back, with one
// invalidation, at whichever comes first:
// - the host's thread takes its next message: the run posts a message of
//   its own to the control, which is taken before any WM_PAINT;
// - a call that is not part of the run (its row in the function list says
//   kEndsRun): the dispatcher restores every control before it.
// Loops inside one call restore their control when they end.
//
// Drawing is held back only on a visible control of the calling thread that
// draws: a control whose drawing the host turned off stays as the host left
// it. A procedure of ours in front of the control (window_hooks.h) tracks
// this and forgets a control that goes; a run starts only where messages
// reach that procedure.
#pragma once
#include <windows.h>

// Before a change on control: starts a run, or joins the one under way.
void SuspendDrawing(HWND control);
// Ends control's run: drawing on, the whole control invalidated.
void RestoreDrawing(HWND control);
// Has area of control drawn again when its run ends, starting a run that
// keeps drawing on if there is none: a loop of colour changes draws once.
void RepaintWhenRunEnds(HWND control, const RECT& area);

extern int PendingRunCount;
void RestoreEveryRun();
// Ends every run under way; nearly free when there is none.
inline void RestoreAllDrawing() {
    if (PendingRunCount > 0) RestoreEveryRun();
}

