// List boxes that the script's own windows hold: counts, selection states,
// extents, item heights, deletion by scope, and the selected items as text.
#include "../interface/call.h"
#include "../interface/conversions.h"
#include "../interface/drawing_runs.h"

namespace {

// The most indexes one selection query may ask for.
constexpr int32_t kMaxSelectedIndexes = 32767;

const char kNoteCaption[] = "Note";
const char kNoSelectedScope2[] = "A Scope of -2 indicated but no Items selected for deletion";
const char kNoSelectedScope3[] = "A Scope of -3 indicated but no Items selected";
const char kIndexTooLarge[] = "Index is greater than number of items in ListView";
const char kInvalidScope[] = "Invalid Scope value";

enum Scope : int32_t { kScopeAll = -1, kScopeSelected = -2, kScopeUnselected = -3 };

// Scripts count from 1, the list box from 0; wraps like the 32-bit host.
int32_t Shifted(int32_t value, int32_t by) {
    return static_cast<int32_t>(static_cast<uint32_t>(value) + static_cast<uint32_t>(by));
}

int32_t SendInt(HWND listBox, UINT message, int32_t wParam, int32_t lParam) {
    return static_cast<int32_t>(Send(listBox, message, static_cast<WPARAM>(static_cast<intptr_t>(wParam)),
                                     static_cast<LPARAM>(lParam)));
}

// Deletes downwards so that the indexes still to be visited stay valid;
// answers the last delete's answer, 0 when nothing went.
int32_t DeleteWhere(HWND listBox, int32_t itemCount, int32_t wantedState) {
    int32_t answer = 0;
    SuspendDrawing(listBox);
    for (int32_t item = itemCount - 1; item >= 0; --item) {
        if (SendInt(listBox, LB_GETSEL, item, 0) == wantedState) answer = SendInt(listBox, LB_DELETESTRING, item, 0);
    }
    RestoreDrawing(listBox);
    return answer;
}

const char* DeleteProblem(int32_t selectedCount, int64_t index, int32_t itemCount, int32_t scope) {
    if (selectedCount == 0 && scope == kScopeSelected) return kNoSelectedScope2;
    if (selectedCount == 0 && scope == kScopeUnselected) return kNoSelectedScope3;
    if (index > itemCount) return kIndexTooLarge;
    if (scope < kScopeUnselected) return kInvalidScope;
    return nullptr;
}

}  // namespace

Completed lbGetItemCount(const Call& call) {
    return CompleteInt(call, SendInt(ArgWindow(call, 1), LB_GETCOUNT, 0, 0));
}

Completed lbGetItemCountSel(const Call& call) {
    return CompleteInt(call, SendInt(ArgWindow(call, 1), LB_GETSELCOUNT, 0, 0));
}

Completed lbGetItemState(const Call& call) {
    return CompleteInt(call, SendInt(ArgWindow(call, 1), LB_GETSEL, Shifted(ArgInt(call, 2), -1), 0));
}

// LB_SETSEL takes the state first and the item second; item -1 is all.
Completed lbSetItemState(const Call& call) {
    const HWND listBox = ArgWindow(call, 1);
    SuspendDrawing(listBox);
    return CompleteInt(call, SendInt(listBox, LB_SETSEL, ArgInt(call, 3), Shifted(ArgInt(call, 2), -1)));
}

Completed lbSetHScrollSize(const Call& call) {
    return CompleteInt(call, SendInt(ArgWindow(call, 1), LB_SETHORIZONTALEXTENT, ArgInt(call, 2), 0));
}

// Heights travel in the low byte's range; item 0 stands for all items of a
// fixed-height list box.
Completed lbSetItemHeight(const Call& call) {
    int32_t height = ArgInt(call, 2);
    if (height > 255) height = 255;
    if (height < 1) height = 1;
    SendInt(ArgWindow(call, 1), LB_SETITEMHEIGHT, 0, height);
    return CompleteInt(call, 1);
}

Completed lbGetItemHeight(const Call& call) {
    return CompleteInt(call, SendInt(ArgWindow(call, 1), LB_GETITEMHEIGHT, 0, 0));
}

Completed lbDeleteItem(const Call& call) {
    const HWND listBox = ArgWindow(call, 1);
    const int32_t scope = ArgInt(call, 3);
    const int32_t selectedCount = SendInt(listBox, LB_GETSELCOUNT, 0, 0);
    const int32_t itemCount = SendInt(listBox, LB_GETCOUNT, 0, 0);

    // Negative indexes count from the end only for a single-item delete.
    int64_t index = ArgInt(call, 2);
    if (index == 0) index = 1;
    if (index < 0 && scope == 0) index += static_cast<int64_t>(itemCount) + 1;

    int32_t result = itemCount;
    if (const char* problem = DeleteProblem(selectedCount, index, itemCount, scope)) {
        ShowMessage(call, problem, kNoteCaption);
    } else if (scope == kScopeAll) {
        SendInt(listBox, LB_RESETCONTENT, 0, 0);
        result = 0;
    } else if (scope >= 0) {
        SuspendDrawing(listBox);
        result = SendInt(listBox, LB_DELETESTRING, static_cast<int32_t>(index - 1), 0);
    } else {
        result = DeleteWhere(listBox, itemCount, scope == kScopeSelected ? 1 : 0);
    }
    return CompleteInt(call, result);
}

// The list box is never asked for more indexes than the array holds, and
// an answer above the request is not believed.
Completed lbGetItemSel(const Call& call) {
    const HWND listBox = ArgWindow(call, 1);
    int32_t indexes[kMaxSelectedIndexes] = {};
    ListText list;
    StartList(list);
    char number[kDecimalTextSize];

    int32_t requested = SendInt(listBox, LB_GETSELCOUNT, 0, 0);
    if (requested < 0) requested = 0;
    if (requested > kMaxSelectedIndexes) requested = kMaxSelectedIndexes;
    int32_t written = static_cast<int32_t>(SendPointer(listBox, LB_GETSELITEMS, static_cast<WPARAM>(requested), indexes));

    if (written == LB_ERR) {
        // Only single-selection list boxes refuse; no selection reads "0".
        const int32_t current = SendInt(listBox, LB_GETCURSEL, 0, 0);
        AppendListItem(list, FormatInteger(Shifted(current, 1), number, sizeof number, 10), true);
    } else {
        if (written > requested) written = requested;
        if (written <= 0) {
            AppendListItem(list, "0", true);
        } else {
            for (int32_t i = 0; i < written; ++i) {
                FormatInteger(Shifted(indexes[i], 1), number, sizeof number, 10);
                if (!AppendListItem(list, number, i == written - 1)) break;
            }
        }
    }
    return CompleteText(call, list.text);
}
