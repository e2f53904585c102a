// One typed request per list-view operation, shared by the list view
// sources. Requests that carry a record go through SendPointer, so a list
// view of another process answers 0 and never sees our addresses.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include "../interface/call.h"
#include "../interface/drawing_runs.h"

namespace lv {

// Indexes travel sign-extended: the control reads wParam as an int.
inline WPARAM Index(int index) { return static_cast<WPARAM>(static_cast<INT_PTR>(index)); }

inline int ItemCount(HWND list) { return static_cast<int>(Send(list, LVM_GETITEMCOUNT, 0, 0)); }
inline int SelectedCount(HWND list) { return static_cast<int>(Send(list, LVM_GETSELECTEDCOUNT, 0, 0)); }
inline UINT ItemState(HWND list, int item, UINT mask) {
    return static_cast<UINT>(Send(list, LVM_GETITEMSTATE, Index(item), static_cast<LPARAM>(mask)));
}
inline BOOL DeleteItem(HWND list, int item) { return static_cast<BOOL>(Send(list, LVM_DELETEITEM, Index(item), 0)); }
inline BOOL DeleteAllItems(HWND list) { return static_cast<BOOL>(Send(list, LVM_DELETEALLITEMS, 0, 0)); }
inline int InsertItem(HWND list, const LVITEMA& item) {
    return static_cast<int>(SendPointer(list, LVM_INSERTITEMA, 0, &item));
}
inline BOOL SetItem(HWND list, const LVITEMA& item) {
    return static_cast<BOOL>(SendPointer(list, LVM_SETITEMA, 0, &item));
}
inline int GetItemText(HWND list, int item, LVITEMA& record) {
    return static_cast<int>(SendPointer(list, LVM_GETITEMTEXTA, Index(item), &record));
}
inline BOOL SetItemText(HWND list, int item, const LVITEMA& record) {
    return static_cast<BOOL>(SendPointer(list, LVM_SETITEMTEXTA, Index(item), &record));
}
inline BOOL SetItemState(HWND list, int item, const LVITEMA& record) {
    return static_cast<BOOL>(SendPointer(list, LVM_SETITEMSTATE, Index(item), &record));
}
// For loops over many items: the caller has made sure once, with
// IsOwnWindow, that the list view is ours.
inline int GetOwnItemText(HWND ownList, int item, LVITEMA& record) {
    return static_cast<int>(Send(ownList, LVM_GETITEMTEXTA, Index(item), reinterpret_cast<LPARAM>(&record)));
}
inline BOOL SetOwnItemText(HWND ownList, int item, const LVITEMA& record) {
    return static_cast<BOOL>(Send(ownList, LVM_SETITEMTEXTA, Index(item), reinterpret_cast<LPARAM>(&record)));
}
inline BOOL SetOwnItem(HWND ownList, const LVITEMA& item) {
    return static_cast<BOOL>(Send(ownList, LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item)));
}

inline HWND Header(HWND list) { return reinterpret_cast<HWND>(Send(list, LVM_GETHEADER, 0, 0)); }
inline int HeaderItemCount(HWND header) { return static_cast<int>(Send(header, HDM_GETITEMCOUNT, 0, 0)); }
inline BOOL EnsureVisible(HWND list, int item) { return static_cast<BOOL>(Send(list, LVM_ENSUREVISIBLE, Index(item), FALSE)); }
inline int TopIndex(HWND list) { return static_cast<int>(Send(list, LVM_GETTOPINDEX, 0, 0)); }
// rect.left carries the part of the item asked for, LVIR_BOUNDS here.
inline BOOL ItemBounds(HWND list, int item, RECT& rect) {
    rect.left = LVIR_BOUNDS;
    return static_cast<BOOL>(SendPointer(list, LVM_GETITEMRECT, Index(item), &rect));
}
inline BOOL Scroll(HWND list, int dx, int dy) {
    return static_cast<BOOL>(Send(list, LVM_SCROLL, Index(dx), static_cast<LPARAM>(dy)));
}
inline int InsertColumn(HWND list, int column, const LVCOLUMNA& record) {
    return static_cast<int>(SendPointer(list, LVM_INSERTCOLUMNA, Index(column), &record));
}
inline BOOL SetColumn(HWND list, int column, const LVCOLUMNA& record) {
    return static_cast<BOOL>(SendPointer(list, LVM_SETCOLUMNA, Index(column), &record));
}
inline BOOL SetColumnWidth(HWND list, int column, int width) {
    return static_cast<BOOL>(Send(list, LVM_SETCOLUMNWIDTH, Index(column), static_cast<LPARAM>(width)));
}
inline DWORD SetExtendedStyle(HWND list, DWORD mask, DWORD style) {
    return static_cast<DWORD>(Send(list, LVM_SETEXTENDEDLISTVIEWSTYLE, mask, static_cast<LPARAM>(style)));
}
// An image list is a pointer of this process.
inline HIMAGELIST SetImageList(HWND list, int which, HIMAGELIST images) {
    return reinterpret_cast<HIMAGELIST>(SendPointer(list, LVM_SETIMAGELIST, Index(which), images));
}
inline BOOL SetTextBkColor(HWND list, COLORREF colour) {
    return static_cast<BOOL>(Send(list, LVM_SETTEXTBKCOLOR, 0, static_cast<LPARAM>(colour)));
}
inline BOOL SetBkImage(HWND list, const LVBKIMAGEA& record) {
    return static_cast<BOOL>(SendPointer(list, LVM_SETBKIMAGEA, 0, &record));
}
inline UINT MapIndexToId(HWND list, int item) {
    return static_cast<UINT>(Send(list, LVM_MAPINDEXTOID, Index(item), 0));
}
inline int MapIdToIndex(HWND list, UINT id) { return static_cast<int>(Send(list, LVM_MAPIDTOINDEX, id, 0)); }
// Where a cell's text is drawn, in client coordinates; sub-item 0 is the
// item's own label.
inline BOOL SubItemLabel(HWND list, int item, int subItem, RECT& rect) {
    rect.top = subItem;
    rect.left = LVIR_LABEL;
    return static_cast<BOOL>(SendPointer(list, LVM_GETSUBITEMRECT, Index(item), &rect));
}

}  // namespace lv
