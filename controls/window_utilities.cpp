// Utilities for any window: a brief show that ends hidden, destruction,
// pending painting, the class name, and the taskbar's visibility.
#include "../interface/call.h"

namespace {

// The class-name buffer; GetClassNameA may fill all but the last byte.
constexpr int kClassNameSize = 512;
constexpr int kClassNameLimit = kClassNameSize - 1;

const char kTaskbarClass[] = "Shell_TrayWnd";
const char kStartButtonClass[] = "Button";

}  // namespace

// Hide, show, hide: the window ends hidden.
Completed gzShow(const Call& call) {
    const HWND window = ArgWindow(call, 1);
    ShowWindow(window, SW_HIDE);
    ShowWindow(window, SW_SHOW);
    ShowWindow(window, SW_HIDE);
    return CompleteInt(call, 0);
}

Completed RemoveControl(const Call& call) {
    DestroyWindow(ArgWindow(call, 1));
    return CompleteInt(call, 1);
}

// Validates rather than invalidates: only painting already due is done.
Completed RedrawControl(const Call& call) {
    RedrawWindow(ArgWindow(call, 1), nullptr, nullptr, RDW_VALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    return CompleteInt(call, 1);
}

Completed DCCompatible(const Call& call) {
    char className[kClassNameSize] = "";
    const int length = GetClassNameA(ArgWindow(call, 1), className, kClassNameLimit);
    className[length > 0 && length < kClassNameSize ? length : 0] = '\0';
    return CompleteText(call, className);
}

// The start button is the first top-level window of the button class on
// systems that make it one. Both are found before either changes.
Completed wnTaskBar(const Call& call) {
    const int command = ArgInt(call, 1);
    const HWND taskbar = FindWindowA(kTaskbarClass, nullptr);
    const HWND startButton = FindWindowExA(GetDesktopWindow(), nullptr, kStartButtonClass, nullptr);
    if (taskbar) ShowWindow(taskbar, command);
    const BOOL wasVisible = startButton ? ShowWindow(startButton, command) : FALSE;
    return CompleteInt(call, wasVisible);
}
