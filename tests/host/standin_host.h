// A stand-in for the script host: loads the real extender, speaks its
// protocol, makes script calls with ExtenderArgs laid out as the host lays
// them out, records every completion, intercepts message boxes, and offers
// spy windows that record the messages they are sent.
#pragma once
#include <windows.h>

#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include "../../interface/extender_abi.h"

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

// tabulon.dll beside the running program.
std::string DefaultExtenderPath();
bool LoadExtender(Extender& extender, const std::string& path);
Introduction Introduce(const Extender& extender);

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

// Loads the extender, introduces it, and makes the owner window; the
// session every helper below uses. Exits the program when loading fails.
Session& Start(const std::string& path = DefaultExtenderPath());
Session& Current();

// A script call by number; the result record is pre-filled with intValue
// 0x5A5A5A5A so that untouched fields show.
Completion CallNumber(int32_t number, std::initializer_list<Arg> args);
Completion CallNumberWith(Session& session, int32_t number, const std::vector<Arg>& args);
int32_t NumberOf(const char* name);  // from the enumerated table, any case

// Calls expected to succeed; a wrong status or kind is reported and shows
// as 0x7FFFFFFF or "<failed>".
int32_t Int(const char* name, std::initializer_list<Arg> args);
std::string Text(const char* name, std::initializer_list<Arg> args);

// Message boxes the extender showed: the arguments it passed and the real
// dialog seen on the screen (then dismissed with OK).
struct MessageBoxSeen {
    HWND owner;
    std::string text;
    std::string caption;
    UINT style;
    bool shown;  // the dialog appeared and was dismissed
    HWND dialogOwner;
    std::string dialogText;
    std::string dialogCaption;
};
std::vector<MessageBoxSeen>& MessageBoxes();
// True when window is a message box's dialog, with what it shows.
bool ReadMessageBox(HWND window, std::string& caption, std::string& text);
// "caption: text" of every box since the last call, then forgets them.
std::vector<std::string> TakeMessageBoxes();

// Spy windows record the messages they are sent, and may answer them.
struct Message {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};
struct Spy {
    HWND window;
    std::vector<Message> log;
    // Called at send time (records pointed to by lParam are alive); return
    // true and set answer to answer the message.
    std::function<bool(UINT, WPARAM, LPARAM, LRESULT&)> answer;
    bool recordAll = false;  // else only control messages (WM_USER and up, texts, fonts)
};
Spy& CreateSpy(HWND parent = nullptr, const char* className = "TabulonSpy");
void DestroySpy(Spy& spy);

// An expected message: check wParam and/or lParam as the flags say.
enum : unsigned { kWParam = 1, kLParam = 2, kBoth = 3 };
struct Expected {
    UINT message;
    unsigned flags;
    WPARAM wParam;
    LPARAM lParam;
};
// Compares the spy's log with the sequence, prints both on mismatch, and
// clears the log.
bool OkSequence(Spy& spy, const std::vector<Expected>& expected, const char* context, const char* file, int line);
#define OK_SEQUENCE(spy, ...) host::OkSequence((spy), __VA_ARGS__, __FILE__, __LINE__)

// A visible top-level test window, and a child control in it.
HWND CreateTopWindow(const char* title, int width = 640, int height = 480);
HWND CreateChild(HWND parent, const char* className, DWORD style, int x, int y, int width, int height,
                 int id = 0, const char* text = "");
void Pump();  // handles pending messages of this thread

}  // namespace host
