// What every script function handler sees: the call, its arguments by
// position, the three completions, and the message helpers they share.
#pragma once
#include <windows.h>

#include "extender_abi.h"
#include "function_list.h"

enum StringId : UINT {
    kStringInvalidRequest = 101,
    kStringUnknownFunction = 901,
    kStringTitle = 1000,
};

struct Call {
    HWND ownerWindow;        // owner of every message box a function shows
    HINSTANCE hostInstance;  // hInstance of every window a function creates
    uint32_t cookie;
    HostReturn hostReturn;
    HostContext* hostContext;
    const ExtenderArgs* args;
    ExtenderResult* result;
};

// Only the completions make one, so a handler that returns has completed.
struct Completed {
    int32_t hostAnswer;
};

Completed CompleteInt(const Call& call, int32_t value);
Completed CompleteText(const Call& call, const char* text);
Completed CompleteFailure(const Call& call, UINT stringId);

typedef Completed Handler(const Call& call);

#define TABULON_DECLARE_HANDLER(number, name, argCount, mask, roles) Completed name(const Call& call);
TABULON_FUNCTIONS(TABULON_DECLARE_HANDLER)
#undef TABULON_DECLARE_HANDLER

// A function whose family is not built yet answers like an unknown number.
#define TABULON_NOT_BUILT(name) \
    Completed name(const Call& call) { return CompleteFailure(call, kStringUnknownFunction); }

// Arguments are counted from 1, as scripts count them.
inline int32_t ArgInt(const Call& call, int k) { return call.args->slot[k - 1].intValue; }
inline const char* ArgText(const Call& call, int k) {
    const char* text = call.args->slot[k - 1].text;
    return text ? text : "";
}
inline HWND ArgWindow(const Call& call, int k) {
    return reinterpret_cast<HWND>(static_cast<intptr_t>(ArgInt(call, k)));
}

inline LRESULT Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return SendMessageA(window, message, wParam, lParam);
}

// A pointer means nothing in another process: a window there would read or
// write at our addresses. Such a window is treated like one that is gone.
bool IsOwnWindow(HWND window);
inline LRESULT SendPointer(HWND window, UINT message, WPARAM wParam, const void* record) {
    if (!IsOwnWindow(window)) return 0;
    return SendMessageA(window, message, wParam, reinterpret_cast<LPARAM>(record));
}

// Whether the process runs under Wine, whose controls have limits of their
// own that Windows' do not.
bool RunsOnWine();

// The message boxes of script functions: owned by the host window, MB_OK.
void ShowMessage(const Call& call, const char* text, const char* caption);

extern HINSTANCE ModuleHandle;

// Windows whose procedures point into this module may outlive the host's
// hold on it: once the first one exists, the module stays loaded for the
// rest of the process. False when it could not be kept.
bool PinModule();

int32_t LoadExtenderString(HINSTANCE instance, UINT id, char* buffer, int size);
