// Progress bars in a script's window: colours, range, position, step,
// stepping or marquee animation, and the bar state.
#include "../interface/call.h"
#include "../interface/conversions.h"
#include "../interface/drawing_runs.h"
#include "../interface/visual_style.h"

#include <commctrl.h>  // needs windows.h, which call.h brings in

namespace {

constexpr DWORD kProgressStyle = WS_CHILD | WS_VISIBLE;
constexpr int32_t kMarqueeMode = 1;
constexpr LPARAM kMarqueeInterval = 200;  // milliseconds between updates
constexpr int32_t kBackground = 0;
constexpr int32_t kBar = 1;

WPARAM AsWParam(int32_t value) { return static_cast<WPARAM>(static_cast<intptr_t>(value)); }

int32_t WindowResult(HWND window) { return static_cast<int32_t>(reinterpret_cast<intptr_t>(window)); }

}  // namespace

// Argument 6 is listed for the script but does not change the style.
Completed pgCreateProgressBar(const Call& call) {
    HWND bar = CreateWindowExA(0, PROGRESS_CLASSA, "ProgressBar", kProgressStyle, ArgInt(call, 2), ArgInt(call, 3),
                               ArgInt(call, 4), ArgInt(call, 5), ArgWindow(call, 1), nullptr, call.hostInstance,
                               nullptr);
    return CompleteInt(call, WindowResult(bar));
}

// Any other choice than background or bar changes no colour. A bar that
// gets a colour draws classically from then on: the style would ignore it.
Completed pgSetColor(const Call& call) {
    HWND bar = ArgWindow(call, 1);
    const LPARAM color = static_cast<LPARAM>(ParseColorTriplet(ArgText(call, 2)));
    const int32_t which = ArgInt(call, 3);
    const UINT message = which == kBackground ? PBM_SETBKCOLOR : which == kBar ? PBM_SETBARCOLOR : 0;
    if (!message) return CompleteInt(call, 0);
    return CompleteInt(call, static_cast<int32_t>(SendColour(bar, message, 0, color)));
}

// The warning does not stop the range: the control gets what was asked.
Completed pgSetRange(const Call& call) {
    const int32_t minimum = ArgInt(call, 2);
    const int32_t maximum = ArgInt(call, 3);
    if (minimum >= maximum) ShowMessage(call, "Your Minimum value must be less than your Maximum value.", "Error");
    const LRESULT answer = Send(ArgWindow(call, 1), PBM_SETRANGE32, AsWParam(minimum), maximum);
    return CompleteInt(call, static_cast<int32_t>(answer));
}

Completed pgSetPosition(const Call& call) {
    HWND bar = ArgWindow(call, 1);
    PacePaints(bar);
    const LRESULT previous = Send(bar, PBM_SETPOS, AsWParam(ArgInt(call, 2)), 0);
    return CompleteInt(call, static_cast<int32_t>(previous));
}

Completed pgSetStep(const Call& call) {
    const LRESULT previous = Send(ArgWindow(call, 1), PBM_SETSTEP, AsWParam(ArgInt(call, 2)), 0);
    return CompleteInt(call, static_cast<int32_t>(previous));
}

// Marquee mode stays once set: a later step only advances the position.
Completed pgStep(const Call& call) {
    HWND bar = ArgWindow(call, 1);
    PacePaints(bar);
    LRESULT answer;
    if (ArgInt(call, 2) == kMarqueeMode) {
        SetWindowLongA(bar, GWL_STYLE, GetWindowLongA(bar, GWL_STYLE) | PBS_MARQUEE);
        answer = Send(bar, PBM_SETMARQUEE, TRUE, kMarqueeInterval);
    } else {
        answer = Send(bar, PBM_STEPIT, 0, 0);
    }
    return CompleteInt(call, static_cast<int32_t>(answer));
}

Completed pgSetState(const Call& call) {
    const LRESULT previous = Send(ArgWindow(call, 1), PBM_SETSTATE, AsWParam(ArgInt(call, 2)), 0);
    return CompleteInt(call, static_cast<int32_t>(previous));
}
