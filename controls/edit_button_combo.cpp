// Edit boxes, push buttons and combo boxes that the script's own windows
// hold: text limit, modification flag, two button styles, the selection.
#include "../interface/call.h"

namespace {

// BS_FLAT with BS_LEFTTEXT (the same bit as BS_RIGHTBUTTON).
constexpr LONG kMultilineStyleBits = BS_FLAT | BS_LEFTTEXT;

int32_t SendInt(HWND control, UINT message, int32_t wParam, int32_t lParam) {
    return static_cast<int32_t>(Send(control, message, static_cast<WPARAM>(static_cast<intptr_t>(wParam)),
                                     static_cast<LPARAM>(lParam)));
}

// Scripts count from 1, the combo box from 0; wraps like the 32-bit host.
int32_t Shifted(int32_t value, int32_t by) {
    return static_cast<int32_t>(static_cast<uint32_t>(value) + static_cast<uint32_t>(by));
}

}  // namespace

Completed ebSetLenLimit(const Call& call) {
    return CompleteInt(call, SendInt(ArgWindow(call, 1), EM_LIMITTEXT, ArgInt(call, 2), 0));
}

Completed ebGetModify(const Call& call) {
    return CompleteInt(call, SendInt(ArgWindow(call, 1), EM_GETMODIFY, 0, 0));
}

// EM_SETMODIFY answers nothing; the script gets its own flag back.
Completed ebSetModify(const Call& call) {
    const int32_t flag = ArgInt(call, 2);
    SendInt(ArgWindow(call, 1), EM_SETMODIFY, flag, 0);
    return CompleteInt(call, flag);
}

// The style is written directly: BM_SETSTYLE would keep only the type bits.
Completed pbSetMultiline(const Call& call) {
    const HWND button = ArgWindow(call, 1);
    const LONG style = GetWindowLongA(button, GWL_STYLE);
    SetWindowLongA(button, GWL_STYLE, style | kMultilineStyleBits);
    return CompleteInt(call, 1);
}

// A push button with its text on the left; lParam 1 redraws it.
Completed pbLeftAlign(const Call& call) {
    return CompleteInt(call, SendInt(ArgWindow(call, 1), BM_SETSTYLE, BS_PUSHBUTTON | BS_LEFTTEXT, 1));
}

Completed cbGetCurSel(const Call& call) {
    return CompleteInt(call, Shifted(SendInt(ArgWindow(call, 1), CB_GETCURSEL, 0, 0), 1));
}

// Item 0 sends -1, which clears the selection; CB_ERR reads as 0.
Completed cbSetCurSel(const Call& call) {
    return CompleteInt(call, Shifted(SendInt(ArgWindow(call, 1), CB_SETCURSEL, Shifted(ArgInt(call, 2), -1), 0), 1));
}
