// List view columns: insert, widths, header images, and filling a column.
#include "../interface/conversions.h"
#include "listview_messages.h"

Completed lvInsertColumn(const Call& call) {
    const HWND list = ArgWindow(call, 1);
    const int column = ArgInt(call, 2) - 1;
    LVCOLUMNA record = {};
    record.mask = LVCF_TEXT;
    record.pszText = const_cast<char*>(ArgText(call, 3));
    const int inserted = lv::InsertColumn(list, column, record);
    // Sized where the script asked for it, not where the control put it.
    lv::SetColumnWidth(list, column, LVSCW_AUTOSIZE_USEHEADER);
    return CompleteInt(call, inserted);
}

Completed lvSetColumnWidth(const Call& call) {
    return CompleteInt(call, lv::SetColumnWidth(ArgWindow(call, 1), ArgInt(call, 2) - 1, ArgInt(call, 3)));
}

Completed lvSetColumnFill(const Call& call) {
    const HWND list = ArgWindow(call, 1);
    LVITEMA record = {};
    record.iSubItem = ArgInt(call, 2) - 1;
    record.pszText = const_cast<char*>(ArgText(call, 3));
    const int count = IsOwnWindow(list) ? lv::ItemCount(list) : 0;
    if (count > 0) SuspendDrawing(list);
    for (int i = 0; i < count; ++i) lv::SetOwnItemText(list, i, record);
    RestoreDrawing(list);
    return CompleteInt(call, 1);
}

Completed lvSetColumnFillSeq(const Call& call) {
    const HWND list = ArgWindow(call, 1);
    char number[kDecimalTextSize];
    LVITEMA record = {};
    record.iSubItem = ArgInt(call, 2) - 1;
    record.pszText = number;
    // Unsigned, so that a long numbering wraps around instead of overflowing.
    uint32_t value = static_cast<uint32_t>(ArgInt(call, 3));
    const uint32_t step = static_cast<uint32_t>(ArgInt(call, 4));
    const int count = IsOwnWindow(list) ? lv::ItemCount(list) : 0;
    if (count > 0) SuspendDrawing(list);
    for (int i = 0; i < count; ++i, value += step) {
        FormatInteger(static_cast<int32_t>(value), number, sizeof number, 10);
        lv::SetOwnItemText(list, i, record);
    }
    RestoreDrawing(list);
    return CompleteInt(call, 1);
}

// The format is set whole: the column also becomes left-aligned.
Completed lvSetColumnImage(const Call& call) {
    LVCOLUMNA record = {};
    record.mask = LVCF_FMT | LVCF_IMAGE;
    record.fmt = LVCFMT_IMAGE | LVCFMT_COL_HAS_IMAGES;
    record.iImage = ArgInt(call, 3) - 1;
    return CompleteInt(call, lv::SetColumn(ArgWindow(call, 1), ArgInt(call, 2) - 1, record));
}
