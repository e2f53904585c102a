// Visual styles: a control drawn with the style ignores the colours it is
// sent (progress bars, status bars, tooltips, month calendars). A control a
// script colours is switched to classic drawing, for itself alone, so that
// the colour shows; controls that get no colour keep the style.
#pragma once
#include "call.h"  // brings windows.h, which uxtheme.h needs first

#include <uxtheme.h>  // types only: the functions are found at run time

struct ThemeFunctions {
    HTHEME(WINAPI* getWindowTheme)(HWND);
    HRESULT(WINAPI* setWindowTheme)(HWND, LPCWSTR, LPCWSTR);
};

// uxtheme is used only where it is in the process already: a control has a
// style only where uxtheme gave it one, so the extender neither imports it
// nor brings it in. The reference taken keeps the functions valid.
inline const ThemeFunctions* FindThemeFunctions() {
    static ThemeFunctions found = {};
    if (found.setWindowTheme) return &found;
    HMODULE uxtheme = nullptr;
    if (!GetModuleHandleExA(0, "uxtheme.dll", &uxtheme)) return nullptr;
    ThemeFunctions functions;
    functions.getWindowTheme = reinterpret_cast<decltype(functions.getWindowTheme)>(
        reinterpret_cast<void*>(GetProcAddress(uxtheme, "GetWindowTheme")));
    functions.setWindowTheme = reinterpret_cast<decltype(functions.setWindowTheme)>(
        reinterpret_cast<void*>(GetProcAddress(uxtheme, "SetWindowTheme")));
    if (!functions.getWindowTheme || !functions.setWindowTheme) {
        FreeLibrary(uxtheme);
        return nullptr;
    }
    found = functions;
    return &found;
}

// Switches the style off for one control of this process that has one; the
// control redraws classically. The names " " match no style class (empty
// names would do on Windows but are refused by Wine). A control without a
// style, or of another process, is left as it is. True when switched.
inline bool DrawClassically(HWND control) {
    if (!control || !IsOwnWindow(control)) return false;
    const ThemeFunctions* theme = FindThemeFunctions();
    if (!theme || !theme->getWindowTheme(control)) return false;
    return SUCCEEDED(theme->setWindowTheme(control, L" ", L" "));
}

// A colour message to a control the style would make ignore it: the
// control draws classically first. Answers the message's answer.
inline LRESULT SendColour(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
    DrawClassically(control);
    return Send(control, message, wParam, lParam);
}
