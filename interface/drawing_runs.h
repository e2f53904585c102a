// Item changes on visible list views and list boxes, with drawing held back,
// and paints of visible progress and status bars, paced.
//
// A visible list control redraws its scroll bars at once on every insert or
// delete, which makes a script loop of single-item calls tens of times
// slower than on a hidden control. So the first change of a run turns the
// control's drawing off (WM_SETREDRAW), and drawing comes back, with one
// invalidation, at whichever comes first:
// - the host's thread takes its next message: the run posts a message of
//   its own to the control, which is taken before any WM_PAINT;
// - a call that could disturb the run or depend on it: one that acts on
//   the control, on a window it lies in or on one that lies in it, or that
//   shows a message box (the function list says which windows each call
//   names, and how); calls on other windows leave the run alone.
// Loops inside one call restore their control when they end.
//
// A visible progress or status bar paints inside every call that changes
// it. In a run of its own, which ends the same ways, it paints inside
// calls at most once a frame: a paint put off is done by the first call
// a frame after the last one, and when the run ends, so the bar still
// moves during a long loop and shows its final value at the end.
//
// Runs are kept only for visible controls of the calling thread: a
// control whose drawing the host turned off stays as the host left it. A
// procedure of ours in front of the control (window_hooks.h) tracks this,
// sees the paints and forgets a control that goes; a run starts only where
// messages reach that procedure.
#pragma once
#include <windows.h>

#include "call.h"

// Before a change on a list control: starts a run, or joins the one under way.
void SuspendDrawing(HWND control);
// Ends control's run: drawing on, the whole control invalidated.
void RestoreDrawing(HWND control);
// Has area of control drawn again when its run ends, starting a run that
// keeps drawing on if there is none: a loop of colour changes draws once.
void RepaintWhenRunEnds(HWND control, const RECT& area);
// Before a change on a progress or status bar: its paints inside calls
// come at most once a frame until its run ends.
void PacePaints(HWND control);

extern int PendingRunCount;
// Extender calls under way on this thread, nested ones included: paints
// inside them are ours to pace.
extern int CallsUnderWay;

void RestoreEveryRun();
// Ends every run under way; nearly free when there is none.
inline void RestoreAllDrawing() {
    if (PendingRunCount > 0) RestoreEveryRun();
}
// Before a call whose window arguments have these roles (function_list.h),
// while runs are under way: does the paints put off for a frame or more,
// and ends the runs the call could disturb or depend on.
void PrepareRunsFor(const Call& call, uint8_t windows);
