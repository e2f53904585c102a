// IP address controls: four one-byte fields set and read as dotted text.
// Scripts count the fields from 1, the control from 0.
#include "../interface/call.h"  // brings windows.h, which commctrl.h needs first

#include <commctrl.h>

#include "ipaddress_text.h"

namespace {

constexpr int kIpControlId = 4444;

LPARAM PackedParam(uint32_t packed) { return static_cast<LPARAM>(packed); }

// The control's field number of a script's field k: k - 1, wrapping
// rather than overflowing, sign-extended like any integer wParam.
WPARAM FieldOf(int32_t scriptField) {
    const int32_t field = static_cast<int32_t>(static_cast<uint32_t>(scriptField) - 1u);
    return static_cast<WPARAM>(static_cast<intptr_t>(field));
}

}  // namespace

Completed ipCreateIP(const Call& call) {
    HWND control = CreateWindowExA(0, WC_IPADDRESSA, "IPAddress", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS,
                                   ArgInt(call, 2), ArgInt(call, 3), ArgInt(call, 4), ArgInt(call, 5),
                                   ArgWindow(call, 1), reinterpret_cast<HMENU>(static_cast<intptr_t>(kIpControlId)),
                                   call.hostInstance, nullptr);
    return CompleteInt(call, static_cast<int32_t>(reinterpret_cast<intptr_t>(control)));
}

Completed ipSetIP(const Call& call) {
    const uint32_t packed = PackAddressText(ArgText(call, 2));
    return CompleteInt(call, static_cast<int32_t>(Send(ArgWindow(call, 1), IPM_SETADDRESS, 0, PackedParam(packed))));
}

Completed ipGetIP(const Call& call) {
    // Stays 0 when the window fills in nothing (not an IP address control,
    // or not ours), so such a window reads "0.0.0.0".
    DWORD packed = 0;
    SendPointer(ArgWindow(call, 1), IPM_GETADDRESS, 0, &packed);
    char text[kAddressTextSize];
    return CompleteText(call, FormatAddressText(packed, text, sizeof text));
}

Completed ipClearIP(const Call& call) {
    return CompleteInt(call, static_cast<int32_t>(Send(ArgWindow(call, 1), IPM_CLEARADDRESS, 0, 0)));
}

Completed ipSetFocus(const Call& call) {
    // Field 0 becomes -1, past the last field: the control then focuses
    // the first blank one.
    return CompleteInt(call, static_cast<int32_t>(Send(ArgWindow(call, 1), IPM_SETFOCUS, FieldOf(ArgInt(call, 2)), 0)));
}

Completed ipIsBlank(const Call& call) {
    return CompleteInt(call, static_cast<int32_t>(Send(ArgWindow(call, 1), IPM_ISBLANK, 0, 0)));
}

Completed ipSetRange(const Call& call) {
    const LPARAM range = static_cast<LPARAM>(((static_cast<uint32_t>(ArgInt(call, 4)) & 0xFFu) << 8) |
                                             (static_cast<uint32_t>(ArgInt(call, 3)) & 0xFFu));
    return CompleteInt(call, static_cast<int32_t>(Send(ArgWindow(call, 1), IPM_SETRANGE, FieldOf(ArgInt(call, 2)), range)));
}
