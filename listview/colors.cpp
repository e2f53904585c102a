// List view colours: the text background, and text colours per cell.
//
// A list view takes cell colours only from its parent's answers to
// NM_CUSTOMDRAW, so a coloured list view's parent is hooked to answer
// them (window_hooks.h). The colours live in the list view's record, keyed
// by the item's id rather than its row, so that inserting, deleting or
// sorting rows does not move them; the list view is hooked too, to drop an
// item's colours with the item and the table with the window.
#include "../interface/conversions.h"
#include "../interface/keyed_table.h"
#include "../interface/window_hooks.h"
#include "listview_messages.h"
#include "paint_colors.h"

// One coloured cell. Its key is the item's id + 1 (0 marks an empty slot),
// so all the cells of an item are found, and forgotten, together.
struct CellColour {
    uint64_t key;
    int32_t column;
    COLORREF colour;
};

struct CellColours {
    KeyedTable<CellColour> cells;
    COLORREF itemText;  // the row's text colour as the item stage left it
};

namespace {

uint64_t ItemKey(UINT itemId) { return static_cast<uint64_t>(itemId) + 1; }

CellColours* ColoursOf(HWND list) {
    const WindowHook* hook = FindHook(list);
    return hook ? hook->cellColours : nullptr;
}

const CellColour* FindCell(const CellColours& colours, UINT itemId, int column) {
    return FindRecord(colours.cells, ItemKey(itemId), [column](const CellColour& cell) { return cell.column == column; });
}

bool HasCells(const CellColours& colours, UINT itemId) {
    return FindRecord(colours.cells, ItemKey(itemId), [](const CellColour&) { return true; }) != nullptr;
}

bool StoreCell(CellColours& colours, UINT itemId, int column, COLORREF colour) {
    if (CellColour* found = const_cast<CellColour*>(FindCell(colours, itemId, column))) {
        found->colour = colour;
        return true;
    }
    return AddRecord(colours.cells, CellColour{ItemKey(itemId), column, colour}) != nullptr;
}

// The parent answers first; our colours go on top of its answer. Only rows
// with a coloured cell ask for their cells' stages, and a cell without a
// colour of ours gets the row's colour back, since the control hands the
// same record from one cell to the next. The host's procedure may destroy
// the list view while it answers: its colours are looked up afterwards.
LRESULT AnswerCustomDraw(HWND parent, WPARAM wParam, NMLVCUSTOMDRAW* draw) {
    const HWND list = draw->nmcd.hdr.hwndFrom;
    const DWORD stage = draw->nmcd.dwDrawStage;
    if (stage == (CDDS_ITEMPREPAINT | CDDS_SUBITEM)) draw->clrText = ColoursOf(list)->itemText;
    const LRESULT answer = CallNextProcedure(parent, WM_NOTIFY, wParam, reinterpret_cast<LPARAM>(draw));
    if (answer & CDRF_SKIPDEFAULT) return answer;
    const bool itemStage = stage == CDDS_ITEMPREPAINT || stage == (CDDS_ITEMPREPAINT | CDDS_SUBITEM);
    const UINT itemId = itemStage ? lv::MapIndexToId(list, static_cast<int>(draw->nmcd.dwItemSpec)) : 0;
    CellColours* colours = ColoursOf(list);
    if (!colours) return answer;
    switch (stage) {
        case CDDS_PREPAINT:
            return colours->cells.count ? answer | CDRF_NOTIFYITEMDRAW : answer;
        case CDDS_ITEMPREPAINT:
            colours->itemText = draw->clrText;
            return HasCells(*colours, itemId) ? answer | CDRF_NOTIFYSUBITEMDRAW : answer;
        case CDDS_ITEMPREPAINT | CDDS_SUBITEM: {
            const CellColour* cell = FindCell(*colours, itemId, draw->iSubItem);
            if (!cell) return answer;
            draw->clrText = cell->colour;
            return answer | CDRF_NEWFONT;
        }
    }
    return answer;
}

// Only what shows of the cell is drawn again, once the run of changes it
// belongs to ends.
void InvalidateCell(HWND list, int item, int column) {
    RECT cell = {}, client = {}, shown = {};
    if (lv::SubItemLabel(list, item, column, cell) && GetClientRect(list, &client) &&
        IntersectRect(&shown, &cell, &client))
        RepaintWhenRunEnds(list, shown);
}

// Remembers the colour of one cell and has it drawn again. Items and columns that
// don't exist, and list views of another thread, are left alone.
void ColourCell(HWND list, int item, int column, COLORREF colour) {
    if (!IsOwnWindow(list) || column < 0 || item < 0 || item >= lv::ItemCount(list)) return;
    const HWND parent = GetParent(list);
    if (!parent || !HookWindow(parent, kHookColourParent)) return;
    WindowHook* hook = HookWindow(list, kHookCellColours);
    if (!hook) return;
    if (!hook->cellColours) hook->cellColours = static_cast<CellColours*>(calloc(1, sizeof(CellColours)));
    const UINT itemId = lv::MapIndexToId(list, item);
    CellColours* colours = ColoursOf(list);
    if (!colours || !StoreCell(*colours, itemId, column, colour)) return;
    InvalidateCell(list, item, column);
}

}  // namespace

bool CellColourMessage(HWND list, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& answer) {
    switch (message) {
        case LVM_DELETEITEM: {
            const UINT itemId = lv::MapIndexToId(list, static_cast<int>(wParam));
            answer = CallNextProcedure(list, message, wParam, lParam);
            CellColours* colours = ColoursOf(list);
            if (answer && colours) RemoveRecords(colours->cells, ItemKey(itemId), [](const CellColour&) { return true; });
            return true;
        }
        case LVM_DELETEALLITEMS: {
            answer = CallNextProcedure(list, message, wParam, lParam);
            CellColours* colours = ColoursOf(list);
            if (answer && colours) ClearTable(colours->cells);
            return true;
        }
    }
    return false;
}

void ReleaseCellColours(WindowHook& hook) {
    if (!hook.cellColours) return;
    FreeTable(hook.cellColours->cells);
    free(hook.cellColours);
    hook.cellColours = nullptr;
}

bool ColourParentMessage(HWND parent, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& answer) {
    if (message != WM_NOTIFY || !lParam) return false;
    const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
    if (header->code != static_cast<UINT>(NM_CUSTOMDRAW) || !ColoursOf(header->hwndFrom)) return false;
    answer = AnswerCustomDraw(parent, wParam, reinterpret_cast<NMLVCUSTOMDRAW*>(lParam));
    return true;
}

// Behind the item texts only; the rest of the list keeps its background.
Completed lvSetBkColor(const Call& call) {
    return CompleteInt(call, lv::SetTextBkColor(ArgWindow(call, 1), ParseColorTriplet(ArgText(call, 2))));
}

// Like a text change, a colour joins the list's run of changes and shows
// when the run ends (drawing_runs.h), so that colouring many cells draws
// once; UpdateWindow on argument 1 draws nothing still due inside a run.
Completed lvSetItemTextColor(const Call& call) {
    ColourCell(ArgWindow(call, 2), ArgInt(call, 3) - 1, ArgInt(call, 4) - 1, ParseColorTriplet(ArgText(call, 5)));
    UpdateWindow(ArgWindow(call, 1));
    return CompleteInt(call, 1);
}
