// Animation controls playing silent AVI clips. Frame numbers are the
// control's own, 0-based, passed unchanged.
#include "../interface/call.h"  // brings windows.h, which commctrl.h needs first

#include <commctrl.h>

namespace {

constexpr int kAnimationId = 2222;

}  // namespace

Completed anCreateAVI(const Call& call) {
    // Created hidden and empty; anOpenAVI shows it once it has a clip.
    HWND animation = CreateWindowExA(0, ANIMATE_CLASSA, nullptr, WS_CHILD, 0, 0, 0, 0, ArgWindow(call, 1),
                                     reinterpret_cast<HMENU>(static_cast<intptr_t>(kAnimationId)), call.hostInstance,
                                     nullptr);
    if (animation)
        SetWindowPos(animation, nullptr, ArgInt(call, 2), ArgInt(call, 3), ArgInt(call, 4), ArgInt(call, 5),
                     SWP_NOZORDER | SWP_FRAMECHANGED);
    return CompleteInt(call, static_cast<int32_t>(reinterpret_cast<intptr_t>(animation)));
}

Completed anPlayAVI(const Call& call) {
    // Frames travel as two 16-bit words: 0xFFFF as the last frame means the
    // clip's end; a repeat count of -1 means forever.
    const uint32_t frames = ((static_cast<uint32_t>(ArgInt(call, 3)) & 0xFFFFu) << 16) |
                            (static_cast<uint32_t>(ArgInt(call, 2)) & 0xFFFFu);
    Send(ArgWindow(call, 1), ACM_PLAY, static_cast<WPARAM>(static_cast<intptr_t>(ArgInt(call, 4))),
         static_cast<LPARAM>(frames));
    return CompleteInt(call, 1);
}

Completed anStopAVI(const Call& call) {
    Send(ArgWindow(call, 1), ACM_STOP, 0, 0);
    return CompleteInt(call, 1);
}

Completed anCloseAVI(const Call& call) {
    Send(ArgWindow(call, 1), ACM_OPENA, 0, 0);  // no file: closes the clip
    return CompleteInt(call, 1);
}

Completed anOpenAVI(const Call& call) {
    HWND animation = ArgWindow(call, 1);
    SendPointer(animation, ACM_OPENA, 0, ArgText(call, 2));
    ShowWindow(animation, SW_SHOW);  // shown even when the clip did not open
    return CompleteInt(call, 0);
}
