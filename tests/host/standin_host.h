// The tests' stand-in for the script host: the host's protocol
// (host/protocol.h) with one session for a whole test program, calls by
// name, message boxes intercepted and recorded, and spy windows that record
// the messages they are sent.
#pragma once
#include <windows.h>

#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include "../../host/protocol.h"

namespace host {

// Loads the extender, introduces it, and makes the owner window; the
// session every helper below uses. Exits the program when loading fails.
Session& Start(const std::string& path = DefaultExtenderPath());
Session& Current();

// A script call by number in the current session (see CallNumberWith).
Completion CallNumber(int32_t number, std::initializer_list<Arg> args);
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
