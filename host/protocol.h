// The host's side of the extender's protocol: load the extender, learn its
// functions (query, handshake, enumeration), and make script calls with
// ExtenderArgs laid out as the host lays them out, copying the completion
// inside HostReturn. The stand-in host and the tests share it.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "../interface/extender_abi.h"

namespace host {

typedef int32_t(__stdcall* Dispatcher)(HWND, HINSTANCE, uint32_t, int32_t, void*, HostContext*, uint32_t,
                                       void*, int32_t, ExtenderResult*);
typedef int32_t(__stdcall* Query)(int32_t, void*, int32_t);

struct Extender {
    HMODULE module;
    Dispatcher dispatch;
    Query query;
};

// What the host learns before the first script call.
struct Introduction {
    std::string title;
    int32_t version;
    int32_t interfaceLevel;
    int32_t handshake;
    std::vector<FunctionEntry> functions;
};

// The arguments a host passes: the slots of ExtenderArgs.
constexpr int kArgumentSlots = static_cast<int>(sizeof(ExtenderArgs::slot) / sizeof(ArgSlot));

// tabulon.dll beside the running program.
std::string DefaultExtenderPath();
bool LoadExtender(Extender& extender, const std::string& path);
// Enumerates until the extender answers 0, or 65,536 rows (function numbers
// are 16-bit), so that an extender that never ends its table cannot hang
// the host.
Introduction Introduce(const Extender& extender);
// A row's name up to its terminator, never past the field.
std::string NameOf(const FunctionEntry& entry);

// One argument slot: an integer, a text, or both.
struct Arg {
    int32_t intValue;
    const char* text;
    Arg(int value) : intValue(value), text(nullptr) {}
    Arg(unsigned value) : intValue(static_cast<int32_t>(value)), text(nullptr) {}
    Arg(long value) : intValue(static_cast<int32_t>(value)), text(nullptr) {}
    Arg(const char* value) : intValue(0), text(value) {}
    Arg(const std::string& value) : intValue(0), text(value.c_str()) {}
    Arg(HWND window) : intValue(static_cast<int32_t>(reinterpret_cast<intptr_t>(window))), text(nullptr) {}
    Arg(void* handle) : intValue(static_cast<int32_t>(reinterpret_cast<intptr_t>(handle))), text(nullptr) {}
    Arg(int value, const char* textValue) : intValue(value), text(textValue) {}
};

// Everything HostReturn saw, copied inside the callback.
struct Completion {
    int calls;  // how often HostReturn ran during the call
    int32_t status;
    uint32_t cookie;
    HostContext* context;
    ExtenderResult* result;
    uint32_t kind;
    int32_t intValue;
    std::string text;
    int32_t dispatcherAnswer;
    int32_t stackDrift;  // stack pointer after the dispatcher minus before
};

enum class Convention { Stdcall, Cdecl };

struct Session {
    Extender extender;
    HWND owner;          // ownerWindow of every call
    HINSTANCE instance;  // hostInstance of every call
    Convention convention = Convention::Stdcall;
    int32_t hostReturnAnswer = 0;
    uint32_t hostVersion = 1005;
    std::vector<FunctionEntry> functions;
};

// A script call by number with up to kArgumentSlots arguments; the result
// record is pre-filled with intValue 0x5A5A5A5A so that untouched fields
// show.
Completion CallNumberWith(Session& session, int32_t number, const std::vector<Arg>& args);

// True when window is a message box's dialog, with what it shows.
bool ReadMessageBox(HWND window, std::string& caption, std::string& text);

// The class of the host's top-level windows, registered on first use:
// plain, in the dialog colour, with the arrow pointer.
const char* TopWindowClass();

}  // namespace host
