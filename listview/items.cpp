// List view items: count, insert, delete, read, write, scroll.
#include <string.h>

#include "../interface/characters.h"
#include "../interface/conversions.h"
#include "listview_messages.h"

namespace {

constexpr int kItemTextSize = 1024;

// A cell's text of a list view of ours, in cell; the empty text when the
// list has no such item or sub-item. The buffer is cleared first because
// some controls leave it untouched for a missing item, and terminated last
// because some fill all of it, unterminated, for a long cell. A text cut
// at 1023 bytes ends on a character boundary.
const char* ReadCell(HWND ownList, int item, int column, char (&cell)[kItemTextSize]) {
    cell[0] = '\0';
    LVITEMA record = {};
    record.mask = LVIF_TEXT;
    record.iItem = item;
    record.iSubItem = column;
    record.pszText = cell;
    record.cchTextMax = kItemTextSize;
    lv::GetOwnItemText(ownList, item, record);
    cell[kItemTextSize - 1] = '\0';
    const char* text = record.pszText;
    if (text == nullptr || text == LPSTR_TEXTCALLBACKA) {
        cell[0] = '\0';
        return cell;
    }
    // The control may answer with storage of its own: take what fits, as
    // from our buffer.
    if (text != cell) CopyWholeCharacters(cell, text, kItemTextSize);
    if (strnlen(cell, kItemTextSize - 1) == kItemTextSize - 1) DropSplitCharacter(cell);
    return cell;
}

enum DeleteScope { kScopeAll = -1, kScopeSelected = -2, kScopeUnselected = -3 };

}  // namespace

Completed lvGetItemCount(const Call& call) {
    return CompleteInt(call, lv::ItemCount(ArgWindow(call, 1)));
}

Completed lvGetItemCountSel(const Call& call) {
    return CompleteInt(call, lv::SelectedCount(ArgWindow(call, 1)));
}

Completed lvDeleteItem(const Call& call) {
    const HWND list = ArgWindow(call, 1);
    int index = ArgInt(call, 2);
    const int scope = ArgInt(call, 3);
    const int selected = lv::SelectedCount(list);
    const int count = lv::ItemCount(list);

    if (index == 0) index = 1;
    // Counted from the end for one item: -1 is the last.
    if (index < 0 && scope == 0) index = index + count + 1;

    const char* refusal = nullptr;
    if (selected == 0 && scope == kScopeSelected) {
        refusal = "A Scope of -2 indicated but no Items selected for deletion";
    } else if (selected == 0 && scope == kScopeUnselected) {
        refusal = "A Scope of -3 indicated but no Items selected";
    } else if (index > count) {
        refusal = "Index is greater than number of items in ListView";
    } else if (scope < kScopeUnselected) {
        refusal = "Invalid Scope value";
    }

    int left = count;
    if (refusal) {
        ShowMessage(call, refusal, "Note");
    } else {
        if (scope == kScopeAll) {
            lv::DeleteAllItems(list);
        } else if (scope == kScopeSelected || scope == kScopeUnselected) {
            // From the end, so that deleting never moves an item not yet seen.
            const bool wantSelected = scope == kScopeSelected;
            SuspendDrawing(list);
            for (int i = count - 1; i >= 0; --i) {
                const bool isSelected = lv::ItemState(list, i, LVIS_SELECTED) == LVIS_SELECTED;
                if (isSelected == wantSelected) lv::DeleteItem(list, i);
            }
            RestoreDrawing(list);
        } else {
            SuspendDrawing(list);
            lv::DeleteItem(list, index - 1);
        }
        left = lv::ItemCount(list);
    }
    return CompleteInt(call, left);
}

Completed lvGetItemText(const Call& call) {
    const HWND list = ArgWindow(call, 1);
    const int item = ArgInt(call, 2) - 1;
    const int columnArg = ArgInt(call, 3);
    char cell[kItemTextSize];
    // 40 KB, in this call only. StartList empties it and every append
    // terminates it, so the bytes past the end are never read.
    ListText joined;
    const char* text = "";

    // Checked once for all the cells; another process's list view reads
    // like no window at all.
    if (!IsOwnWindow(list)) {
        text = "";
    } else if (columnArg != 0) {
        text = ReadCell(list, item, columnArg - 1, cell);
    } else {
        StartList(joined);
        const int columns = lv::HeaderItemCount(lv::Header(list));
        for (int column = 0; column < columns; ++column) {
            // A row too long for the list stops after its last whole cell.
            if (!AppendListItem(joined, ReadCell(list, item, column, cell), column == columns - 1)) break;
        }
        text = joined.text;
    }
    return CompleteText(call, text);
}

Completed lvInsertItem(const Call& call) {
    LVITEMA record = {};
    record.mask = LVIF_TEXT | LVIF_IMAGE;
    record.iItem = ArgInt(call, 2) - 1;
    record.iSubItem = 0;
    record.pszText = const_cast<char*>(ArgText(call, 3));
    record.cchTextMax = 256;
    record.iImage = I_IMAGENONE;  // no image until the script sets one
    const HWND list = ArgWindow(call, 1);
    SuspendDrawing(list);
    return CompleteInt(call, lv::InsertItem(list, record));
}

// A column below 1 names no cell: the control would take sub-item -1 as
// nothing to do and answer success, so it is refused before anything is sent.
Completed lvSetItemText(const Call& call) {
    if (ArgInt(call, 3) < 1) return CompleteInt(call, 0);
    LVITEMA record = {};
    record.iSubItem = ArgInt(call, 3) - 1;
    record.pszText = const_cast<char*>(ArgText(call, 4));
    const HWND list = ArgWindow(call, 1);
    SuspendDrawing(list);
    return CompleteInt(call, lv::SetItemText(list, ArgInt(call, 2) - 1, record));
}

// Makes item (argument 2) the row below `offset` (argument 3) visible rows.
// A target row outside the list scrolls nothing and answers 0: there is no
// row whose position could give the distance. So does a list view of
// another process, whose rows we could not measure.
Completed lvScrollTo(const Call& call) {
    const HWND list = ArgWindow(call, 1);
    const long long wanted = static_cast<long long>(ArgInt(call, 2)) - ArgInt(call, 3) - 1;
    int scrolled = 0;
    if (IsOwnWindow(list) && wanted >= 0 && wanted < lv::ItemCount(list)) {
        const int target = static_cast<int>(wanted);
        lv::EnsureVisible(list, target);
        const int top = lv::TopIndex(list);
        RECT targetRect = {}, topRect = {};
        if (lv::ItemBounds(list, target, targetRect) && lv::ItemBounds(list, top, topRect)) {
            scrolled = lv::Scroll(list, 0, targetRect.top - topRect.top);
        }
    }
    return CompleteInt(call, scrolled);
}
