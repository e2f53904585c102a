// Tab controls in a script's window: creation, tabs, selection, the style
// message, and a coloured area painted over a control.
#include "../interface/call.h"
#include "../interface/conversions.h"

#include <commctrl.h>  // needs windows.h, which call.h brings in

namespace {

constexpr DWORD kTabStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
constexpr int kTabIdentifier = 1111;
// Sent as it is to whatever window the script names; not a tab message.
constexpr UINT kStyleMessage = WM_USER + 56;
constexpr COLORREF kOutlineColor = RGB(0, 255, 0);

// Scripts count tabs from 1; wraps rather than overflowing at the edge.
int32_t ToControlIndex(int32_t scriptIndex) { return static_cast<int32_t>(static_cast<uint32_t>(scriptIndex) - 1u); }

WPARAM AsWParam(int32_t value) { return static_cast<WPARAM>(static_cast<intptr_t>(value)); }

int32_t WindowResult(HWND window) { return static_cast<int32_t>(reinterpret_cast<intptr_t>(window)); }

}  // namespace

Completed taCreateTab(const Call& call) {
    const DWORD style = static_cast<DWORD>(ArgInt(call, 6)) | kTabStyle;
    HWND tab = CreateWindowExA(0, WC_TABCONTROLA, "", style, ArgInt(call, 2), ArgInt(call, 3), ArgInt(call, 4),
                               ArgInt(call, 5), ArgWindow(call, 1),
                               reinterpret_cast<HMENU>(static_cast<intptr_t>(kTabIdentifier)), call.hostInstance,
                               nullptr);
    return CompleteInt(call, WindowResult(tab));
}

Completed taAddTab(const Call& call) {
    const int32_t position = ToControlIndex(ArgInt(call, 2));
    TCITEMA item{};
    item.mask = TCIF_TEXT | TCIF_IMAGE;
    item.pszText = const_cast<char*>(ArgText(call, 3));
    item.iImage = -1;
    SendPointer(ArgWindow(call, 1), TCM_INSERTITEMA, AsWParam(position), &item);
    // The position asked for, not where the control put it.
    return CompleteInt(call, position);
}

Completed taDeleteTab(const Call& call) {
    const LRESULT deleted = Send(ArgWindow(call, 1), TCM_DELETEITEM, AsWParam(ToControlIndex(ArgInt(call, 2))), 0);
    return CompleteInt(call, static_cast<int32_t>(deleted));
}

Completed taGetTabSel(const Call& call) {
    const LRESULT selected = Send(ArgWindow(call, 1), TCM_GETCURSEL, 0, 0);
    return CompleteInt(call, static_cast<int32_t>(static_cast<uint32_t>(selected) + 1u));
}

Completed taSetTabSel(const Call& call) {
    const LRESULT previous = Send(ArgWindow(call, 1), TCM_SETCURSEL, AsWParam(ToControlIndex(ArgInt(call, 2))), 0);
    return CompleteInt(call, static_cast<int32_t>(previous));
}

Completed taSetTabStyle(const Call& call) {
    const LRESULT answer = Send(ArgWindow(call, 1), kStyleMessage, 0, ToControlIndex(ArgInt(call, 2)));
    return CompleteInt(call, static_cast<int32_t>(answer));
}

// Paints outside WM_PAINT: fills the client area, then a dotted green
// rectangle. Every GDI object made here is released before returning, so
// scripts that repaint in a loop do not run the process out of handles.
Completed taSetBkColor(const Call& call) {
    HWND window = ArgWindow(call, 1);
    const COLORREF color = ColorFromBytes(ArgInt(call, 2), ArgInt(call, 3), ArgInt(call, 4));
    PAINTSTRUCT paint{};
    HDC dc = BeginPaint(window, &paint);
    RECT client{};
    GetClientRect(window, &client);
    HRGN region = CreateRectRgnIndirect(&client);
    HBRUSH brush = CreateSolidBrush(color);
    FillRgn(dc, region, brush);
    HPEN pen = CreatePen(PS_DOT, 1, kOutlineColor);
    HGDIOBJ previousPen = SelectObject(dc, pen);
    SetBkColor(dc, color);  // the gaps of the dotted outline
    Rectangle(dc, 60, 60, 600, 600);
    const COLORREF previousColor = SetBkColor(dc, color);
    if (previousPen) SelectObject(dc, previousPen);
    EndPaint(window, &paint);
    DeleteObject(pen);
    DeleteObject(brush);
    DeleteObject(region);
    return CompleteInt(call, static_cast<int32_t>(previousColor));
}
