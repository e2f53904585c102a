// List view colours: the text background, and text colours per cell.
//
// A list view takes cell colours only from its parent's answers to
// NM_CUSTOMDRAW, so a coloured list view's parent is subclassed to answer
// them. The colours live with the list view (a window property holding a
// small heap table), keyed by the item's id rather than its row, so that
// inserting, deleting or sorting rows does not move them. The list view is
// subclassed too, to drop an item's colours with the item and the table
// with the window.
#include "../interface/conversions.h"
#include "listview_messages.h"
#include "paint_colors.h"

namespace {

const char kColoursProperty[] = "Tabulon.CellColours";
constexpr UINT_PTR kSubclassId = 0x54424C4E;

struct CellColour {
    UINT itemId;
    int column;
    COLORREF colour;
};

struct ColourTable {
    CellColour* cells;
    int count;
    int capacity;
    COLORREF itemText;  // the row's text colour as the item stage left it
};

ColourTable* TableOf(HWND list) { return static_cast<ColourTable*>(GetPropA(list, kColoursProperty)); }

void FreeTable(HWND list) {
    ColourTable* table = static_cast<ColourTable*>(RemovePropA(list, kColoursProperty));
    if (!table) return;
    if (table->cells) HeapFree(GetProcessHeap(), 0, table->cells);
    HeapFree(GetProcessHeap(), 0, table);
}

const CellColour* FindCell(const ColourTable& table, UINT itemId, int column) {
    for (int i = 0; i < table.count; ++i) {
        if (table.cells[i].itemId == itemId && table.cells[i].column == column) return &table.cells[i];
    }
    return nullptr;
}

bool StoreCell(ColourTable& table, UINT itemId, int column, COLORREF colour) {
    CellColour* found = const_cast<CellColour*>(FindCell(table, itemId, column));
    if (found) {
        found->colour = colour;
        return true;
    }
    if (table.count == table.capacity) {
        const int capacity = table.capacity ? table.capacity * 2 : 8;
        const SIZE_T bytes = sizeof(CellColour) * static_cast<SIZE_T>(capacity);
        void* cells = table.cells ? HeapReAlloc(GetProcessHeap(), 0, table.cells, bytes)
                                  : HeapAlloc(GetProcessHeap(), 0, bytes);
        if (!cells) return false;
        table.cells = static_cast<CellColour*>(cells);
        table.capacity = capacity;
    }
    table.cells[table.count++] = CellColour{itemId, column, colour};
    return true;
}

void ForgetItem(ColourTable& table, UINT itemId) {
    int kept = 0;
    for (int i = 0; i < table.count; ++i) {
        if (table.cells[i].itemId != itemId) table.cells[kept++] = table.cells[i];
    }
    table.count = kept;
}

LRESULT CALLBACK ListSubclass(HWND list, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR) {
    switch (message) {
        case LVM_DELETEITEM: {
            const UINT itemId = lv::MapIndexToId(list, static_cast<int>(wParam));
            const LRESULT deleted = DefSubclassProc(list, message, wParam, lParam);
            ColourTable* table = TableOf(list);
            if (deleted && table) ForgetItem(*table, itemId);
            return deleted;
        }
        case LVM_DELETEALLITEMS: {
            const LRESULT deleted = DefSubclassProc(list, message, wParam, lParam);
            ColourTable* table = TableOf(list);
            if (deleted && table) table->count = 0;
            return deleted;
        }
        case WM_NCDESTROY:
            FreeTable(list);
            RemoveWindowSubclass(list, ListSubclass, id);
            break;
    }
    return DefSubclassProc(list, message, wParam, lParam);
}

// The parent answers first; our colours go on top of its answer. A cell
// without a colour of ours gets the row's colour back, since the control
// hands the same record from one sub-item to the next.
LRESULT AnswerCustomDraw(HWND parent, WPARAM wParam, NMLVCUSTOMDRAW* draw, ColourTable& table) {
    const HWND list = draw->nmcd.hdr.hwndFrom;
    const DWORD stage = draw->nmcd.dwDrawStage;
    if (stage == (CDDS_ITEMPREPAINT | CDDS_SUBITEM)) draw->clrText = table.itemText;
    LRESULT answer = DefSubclassProc(parent, WM_NOTIFY, wParam, reinterpret_cast<LPARAM>(draw));
    if (answer & CDRF_SKIPDEFAULT) return answer;
    switch (stage) {
        case CDDS_PREPAINT:
            return answer | CDRF_NOTIFYITEMDRAW;
        case CDDS_ITEMPREPAINT:
            table.itemText = draw->clrText;
            return table.count > 0 ? answer | CDRF_NOTIFYSUBITEMDRAW : answer;
        case CDDS_ITEMPREPAINT | CDDS_SUBITEM: {
            const UINT itemId = lv::MapIndexToId(list, static_cast<int>(draw->nmcd.dwItemSpec));
            const CellColour* cell = FindCell(table, itemId, draw->iSubItem);
            if (!cell) return answer;
            draw->clrText = cell->colour;
            return answer | CDRF_NEWFONT;
        }
    }
    return answer;
}

LRESULT CALLBACK ParentSubclass(HWND parent, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR) {
    if (message == WM_NOTIFY && lParam) {
        const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header->code == static_cast<UINT>(NM_CUSTOMDRAW)) {
            ColourTable* table = TableOf(header->hwndFrom);
            if (table) return AnswerCustomDraw(parent, wParam, reinterpret_cast<NMLVCUSTOMDRAW*>(lParam), *table);
        }
    } else if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(parent, ParentSubclass, id);
    }
    return DefSubclassProc(parent, message, wParam, lParam);
}

// Remembers the colour of one cell and repaints it. Items and columns that
// don't exist, and list views of other processes, are left alone.
void ColourCell(HWND list, int item, int column, COLORREF colour) {
    if (!IsOwnWindow(list) || column < 0 || item < 0 || item >= lv::ItemCount(list)) return;
    const HWND parent = GetParent(list);
    if (!parent) return;
    if (!PinModule() || !SetWindowSubclass(parent, ParentSubclass, kSubclassId, 0)) return;
    ColourTable* table = TableOf(list);
    if (!table) {
        table = static_cast<ColourTable*>(HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, sizeof(ColourTable)));
        if (!table) return;
        if (!SetPropA(list, kColoursProperty, table)) {
            HeapFree(GetProcessHeap(), 0, table);
            return;
        }
        if (!SetWindowSubclass(list, ListSubclass, kSubclassId, 0)) {
            FreeTable(list);
            return;
        }
    }
    if (!StoreCell(*table, lv::MapIndexToId(list, item), column, colour)) return;
    lv::RedrawItems(list, item, item);
    UpdateWindow(list);
}

}  // namespace

// Behind the item texts only; the rest of the list keeps its background.
Completed lvSetBkColor(const Call& call) {
    return CompleteInt(call, lv::SetTextBkColor(ArgWindow(call, 1), ParseColorTriplet(ArgText(call, 2))));
}

Completed lvSetItemTextColor(const Call& call) {
    ColourCell(ArgWindow(call, 2), ArgInt(call, 3) - 1, ArgInt(call, 4) - 1, ParseColorTriplet(ArgText(call, 5)));
    UpdateWindow(ArgWindow(call, 1));
    return CompleteInt(call, 1);
}
