// List view state bits, check boxes, item images and the background picture.
#include <ole2.h>

#include "listview_messages.h"

namespace {

// No image list holds this index, so no image is drawn; unlike
// I_IMAGECALLBACK it sends no request to the parent.
constexpr int kClearedImage = -99;

}  // namespace

// Item 0 names index -1, which the control applies to every item.
Completed lvSetItemState(const Call& call) {
    const int item = ArgInt(call, 2) - 1;
    LVITEMA record = {};
    record.iItem = item;
    record.stateMask = static_cast<UINT>(ArgInt(call, 3));
    record.state = static_cast<UINT>(ArgInt(call, 4));
    const HWND list = ArgWindow(call, 1);
    SuspendDrawing(list);
    return CompleteInt(call, lv::SetItemState(list, item, record));
}

Completed lvGetItemState(const Call& call) {
    const UINT mask = static_cast<UINT>(ArgInt(call, 3));
    return CompleteInt(call, static_cast<int32_t>(lv::ItemState(ArgWindow(call, 1), ArgInt(call, 2) - 1, mask)));
}

// The check value is the state image index minus 1, as lvGetItemCheck
// reads it: 1 checks the box, 0 clears it.
Completed lvSetItemCheck(const Call& call) {
    const int item = ArgInt(call, 2) - 1;
    const UINT image = static_cast<UINT>(ArgInt(call, 3)) + 1;
    LVITEMA record = {};
    record.mask = LVIF_STATE;
    record.iItem = item;
    record.iSubItem = 0;
    record.stateMask = LVIS_STATEIMAGEMASK;
    record.state = INDEXTOSTATEIMAGEMASK(image) & LVIS_STATEIMAGEMASK;
    const HWND list = ArgWindow(call, 1);
    SuspendDrawing(list);
    return CompleteInt(call, lv::SetItemState(list, item, record));
}

// 1 checked, 0 unchecked, -1 for an item without a state image.
Completed lvGetItemCheck(const Call& call) {
    const UINT bits = lv::ItemState(ArgWindow(call, 1), ArgInt(call, 2) - 1, LVIS_STATEIMAGEMASK);
    return CompleteInt(call, static_cast<int32_t>(bits >> 12) - 1);
}

// The picture is loaded through OLE, so OLE is up around the request.
Completed lvSetBkImage(const Call& call) {
    const HWND list = ArgWindow(call, 1);
    LVBKIMAGEA record = {};
    record.ulFlags = static_cast<ULONG>(ArgInt(call, 5)) | LVBKIF_SOURCE_URL;
    record.pszImage = const_cast<char*>(ArgText(call, 4));
    record.xOffsetPercent = ArgInt(call, 2);
    record.yOffsetPercent = ArgInt(call, 3);
    const HRESULT ole = OleInitialize(nullptr);
    // Texts without a background of their own let the picture show.
    lv::SetTextBkColor(list, CLR_NONE);
    lv::SetBkImage(list, record);
    if (ole == S_OK || ole == S_FALSE) OleUninitialize();
    return CompleteInt(call, 0);
}

// A column below 1 names no cell, as in lvSetItemText: refused unsent.
Completed lvSetItemImage(const Call& call) {
    if (ArgInt(call, 3) < 1) return CompleteInt(call, 0);
    const HWND list = ArgWindow(call, 1);
    SuspendDrawing(list);
    lv::SetExtendedStyle(list, LVS_EX_SUBITEMIMAGES, LVS_EX_SUBITEMIMAGES);
    LVITEMA record = {};
    record.mask = LVIF_IMAGE;
    record.iItem = ArgInt(call, 2) - 1;
    record.iSubItem = ArgInt(call, 3) - 1;
    record.iImage = ArgInt(call, 4) - 1;
    return CompleteInt(call, lv::SetItem(list, record));
}

Completed lvSetImageList(const Call& call) {
    const HWND list = ArgWindow(call, 1);
    const HIMAGELIST images = reinterpret_cast<HIMAGELIST>(static_cast<intptr_t>(ArgInt(call, 2)));
    lv::SetExtendedStyle(list, LVS_EX_SUBITEMIMAGES, LVS_EX_SUBITEMIMAGES);
    lv::SetImageList(list, LVSIL_SMALL, images);
    return CompleteInt(call, ImageList_GetImageCount(images));
}

// Only the items' own images; sub-item images stay.
Completed lvClearImages(const Call& call) {
    const HWND list = ArgWindow(call, 1);
    LVITEMA record = {};
    record.mask = LVIF_IMAGE;
    record.iSubItem = 0;
    record.iImage = kClearedImage;
    const int count = IsOwnWindow(list) ? lv::ItemCount(list) : 0;
    if (count > 0) SuspendDrawing(list);
    for (int i = 0; i < count; ++i) {
        record.iItem = i;
        lv::SetOwnItem(list, record);
    }
    RestoreDrawing(list);
    return CompleteInt(call, 1);
}
