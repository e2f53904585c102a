// Tooltips: a balloon tooltip window owned by a script window, whose tools
// are other windows of the script, each known by (window, identifier 0).
#include "../interface/call.h"  // brings windows.h, which commctrl.h needs first

#include <commctrl.h>

#include "../interface/conversions.h"
#include "../interface/visual_style.h"

namespace {

// The record's own size on this platform: 48 bytes in the 32-bit layout
// that scripts' hosts use (every member up to lpReserved).
constexpr UINT kToolInfoSize = sizeof(TTTOOLINFOA);
static_assert(sizeof(void*) != 4 || kToolInfoSize == 48, "TOOLINFOA is 48 bytes in the 32-bit layout");

// The tool named by a script: its window with identifier 0.
TTTOOLINFOA ToolOf(HWND tool) {
    TTTOOLINFOA info = {};
    info.cbSize = kToolInfoSize;
    info.hwnd = tool;
    info.uId = 0;
    return info;
}

}  // namespace

Completed ttCreateToolTip(const Call& call) {
    HWND tip = CreateWindowExA(0, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_BALLOON | TTS_ALWAYSTIP, CW_USEDEFAULT,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, ArgWindow(call, 1), nullptr,
                               call.hostInstance, nullptr);
    if (!tip) return CompleteInt(call, 0);
    SetWindowPos(tip, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
    return CompleteInt(call, static_cast<int32_t>(reinterpret_cast<intptr_t>(tip)));
}

Completed ttAddToolTip(const Call& call) {
    TTTOOLINFOA info = ToolOf(ArgWindow(call, 2));
    info.uFlags = TTF_SUBCLASS;
    // A tool that is no window can never show: it gets an empty area
    // rather than whatever a failed GetClientRect left.
    if (!GetClientRect(info.hwnd, &info.rect)) info.rect = RECT{0, 0, 0, 0};
    info.hinst = call.hostInstance;
    info.lpszText = const_cast<char*>(ArgText(call, 3));
    info.lParam = 0;
    return CompleteInt(call, static_cast<int32_t>(SendPointer(ArgWindow(call, 1), TTM_ADDTOOLA, 0, &info)));
}

Completed ttActivate(const Call& call) {
    Send(ArgWindow(call, 1), TTM_ACTIVATE, static_cast<WPARAM>(ArgInt(call, 2)), 0);
    return CompleteInt(call, 1);
}

Completed ttDeleteToolTip(const Call& call) {
    const TTTOOLINFOA info = ToolOf(ArgWindow(call, 2));
    return CompleteInt(call, static_cast<int32_t>(SendPointer(ArgWindow(call, 1), TTM_DELTOOLA, 0, &info)));
}

Completed ttSetDelay(const Call& call) {
    return CompleteInt(call, static_cast<int32_t>(Send(ArgWindow(call, 1), TTM_SETDELAYTIME,
                                                       static_cast<WPARAM>(ArgInt(call, 2)),
                                                       static_cast<LPARAM>(ArgInt(call, 3)))));
}

// A tip drawn with the style would ignore its colours: one that gets a
// colour draws classically.
Completed ttSetColor(const Call& call) {
    HWND tip = ArgWindow(call, 1);
    const WPARAM colour = ParseColorTriplet(ArgText(call, 2));
    const int32_t which = ArgInt(call, 3);
    const UINT message = which == 0 ? TTM_SETTIPBKCOLOR : which == 1 ? TTM_SETTIPTEXTCOLOR : 0;
    if (!message) return CompleteInt(call, 0);
    return CompleteInt(call, static_cast<int32_t>(SendColour(tip, message, colour, 0)));
}

Completed ttSetTitle(const Call& call) {
    // wParam is a TTI_ number or an icon handle, so it is sign-extended
    // like every handle.
    const WPARAM icon = static_cast<WPARAM>(static_cast<intptr_t>(ArgInt(call, 2)));
    return CompleteInt(call, static_cast<int32_t>(SendPointer(ArgWindow(call, 1), TTM_SETTITLEA, icon,
                                                              ArgText(call, 3))));
}

Completed ttSetText(const Call& call) {
    TTTOOLINFOA info = ToolOf(ArgWindow(call, 2));
    info.hinst = call.hostInstance;
    info.lpszText = const_cast<char*>(ArgText(call, 3));
    return CompleteInt(call, static_cast<int32_t>(SendPointer(ArgWindow(call, 1), TTM_UPDATETIPTEXTA, 0, &info)));
}
