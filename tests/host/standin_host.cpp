#include "standin_host.h"

#include <stdio.h>
#include <stdlib.h>
#include <commctrl.h>

#include "../check.h"

namespace host {
namespace {

Session* current;

std::vector<MessageBoxSeen> boxes;
decltype(&MessageBoxA) realMessageBox = MessageBoxA;

int WINAPI RecordingMessageBox(HWND owner, LPCSTR text, LPCSTR caption, UINT style) {
    boxes.push_back(MessageBoxSeen{owner, text ? text : "", caption ? caption : "", style, false, nullptr, "", ""});
    return realMessageBox(owner, text, caption, style);
}

LRESULT CALLBACK DismissMessageBoxes(int code, WPARAM wParam, LPARAM lParam) {
    std::string caption, text;
    if (code == HCBT_ACTIVATE && ReadMessageBox(reinterpret_cast<HWND>(wParam), caption, text)) {
        HWND dialog = reinterpret_cast<HWND>(wParam);
        if (!boxes.empty() && !boxes.back().shown) {
            MessageBoxSeen& seen = boxes.back();
            seen.shown = true;
            seen.dialogOwner = GetWindow(dialog, GW_OWNER);
            seen.dialogCaption = caption;
            seen.dialogText = text;
        }
        PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// Routes the extender's MessageBoxA through the recorder.
void HookMessageBox(HMODULE module) {
    auto* base = reinterpret_cast<BYTE*>(module);
    auto* dos = reinterpret_cast<IMAGE_DOS_HEADER*>(base);
    auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (!imports.VirtualAddress) return;
    for (auto* d = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress); d->Name; ++d) {
        if (lstrcmpiA(reinterpret_cast<char*>(base + d->Name), "user32.dll") != 0) continue;
        auto* thunk = reinterpret_cast<IMAGE_THUNK_DATA*>(base + d->FirstThunk);
        for (; thunk->u1.Function; ++thunk) {
            if (thunk->u1.Function != reinterpret_cast<DWORD_PTR>(realMessageBox)) continue;
            DWORD old;
            VirtualProtect(&thunk->u1.Function, sizeof(DWORD_PTR), PAGE_READWRITE, &old);
            thunk->u1.Function = reinterpret_cast<DWORD_PTR>(&RecordingMessageBox);
            VirtualProtect(&thunk->u1.Function, sizeof(DWORD_PTR), old, &old);
        }
    }
}

LRESULT CALLBACK SpyProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* spy = reinterpret_cast<Spy*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (spy && spy->window) {
        const bool control = message >= WM_USER || message == WM_GETTEXT || message == WM_SETTEXT ||
                             message == WM_SETFONT || message == WM_GETFONT;
        if (spy->recordAll || control) spy->log.push_back(Message{message, wParam, lParam});
        LRESULT answer = 0;
        if (spy->answer && spy->answer(message, wParam, lParam, answer)) return answer;
        if (message >= WM_USER) return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

const char* MessageName(UINT message) {
    static char text[16];
    snprintf(text, sizeof text, "0x%04X", message);
    return text;
}

}  // namespace

Session& Start(const std::string& path) {
    static Session session;
    if (!LoadExtender(session.extender, path)) {
        printf("FAIL cannot load the extender %s (error %lu)\n", path.c_str(), GetLastError());
        exit(2);
    }
    HookMessageBox(session.extender.module);
    session.functions = Introduce(session.extender).functions;
    session.instance = GetModuleHandleA(nullptr);
    // The host process has the common controls' classes available.
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_DATE_CLASSES | ICC_INTERNET_CLASSES |
                                                       ICC_USEREX_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    session.owner = CreateTopWindow("Tabulon test owner", 200, 100);
    SetWindowsHookExA(WH_CBT, DismissMessageBoxes, nullptr, GetCurrentThreadId());
    current = &session;
    return session;
}

Session& Current() { return *current; }

Completion CallNumber(int32_t number, std::initializer_list<Arg> args) {
    return CallNumberWith(*current, number, std::vector<Arg>(args));
}

int32_t NumberOf(const char* name) {
    for (const FunctionEntry& entry : current->functions)
        if (lstrcmpiA(entry.name, name) == 0) return entry.number;
    printf("FAIL no function named %s\n", name);
    return -1000;
}

int32_t Int(const char* name, std::initializer_list<Arg> args) {
    const Completion c = CallNumber(NumberOf(name), args);
    const bool ok = c.calls == 1 && c.status == 0 && c.kind == kResultInt;
    check::Record(ok, std::string(name) + " completes once with an integer (calls " + std::to_string(c.calls) +
                          ", status " + std::to_string(c.status) + ", kind " + std::to_string(c.kind) + " " + c.text + ")",
                  __FILE__, __LINE__);
    return ok ? c.intValue : 0x7FFFFFFF;
}

std::string Text(const char* name, std::initializer_list<Arg> args) {
    const Completion c = CallNumber(NumberOf(name), args);
    const bool ok = c.calls == 1 && c.status == 0 && c.kind == kResultText;
    check::Record(ok, std::string(name) + " completes once with a text (calls " + std::to_string(c.calls) +
                          ", status " + std::to_string(c.status) + ", kind " + std::to_string(c.kind) + ")",
                  __FILE__, __LINE__);
    return ok ? c.text : "<failed>";
}

std::vector<MessageBoxSeen>& MessageBoxes() { return boxes; }

std::vector<std::string> TakeMessageBoxes() {
    std::vector<std::string> seen;
    for (const MessageBoxSeen& box : boxes) seen.push_back(box.caption + ": " + box.text);
    boxes.clear();
    return seen;
}

Spy& CreateSpy(HWND parent, const char* className) {
    WNDCLASSA windowClass{};
    if (!GetClassInfoA(GetModuleHandleA(nullptr), className, &windowClass)) {
        windowClass.lpfnWndProc = SpyProcedure;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = className;
        windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
        RegisterClassA(&windowClass);
    }
    Spy* spy = new Spy();
    const DWORD style = parent ? WS_CHILD : WS_POPUP;
    spy->window =
        CreateWindowExA(0, className, "spy", style, 0, 0, 100, 20, parent, nullptr, GetModuleHandleA(nullptr), spy);
    return *spy;
}

void DestroySpy(Spy& spy) {
    HWND window = spy.window;
    spy.window = nullptr;
    DestroyWindow(window);
}

bool OkSequence(Spy& spy, const std::vector<Expected>& expected, const char* context, const char* file, int line) {
    bool same = spy.log.size() == expected.size();
    for (size_t i = 0; same && i < expected.size(); ++i) {
        const Message& m = spy.log[i];
        const Expected& e = expected[i];
        same = m.message == e.message && (!(e.flags & kWParam) || m.wParam == e.wParam) &&
               (!(e.flags & kLParam) || m.lParam == e.lParam);
    }
    if (!same) {
        printf("FAIL [%s] %s:%d: message sequence %s differs\n  expected:\n", check::Totals().group, file, line, context);
        for (const Expected& e : expected)
            printf("    %s wParam %s lParam %s\n", MessageName(e.message),
                   (e.flags & kWParam) ? std::to_string(static_cast<long>(e.wParam)).c_str() : "*",
                   (e.flags & kLParam) ? std::to_string(static_cast<long>(e.lParam)).c_str() : "*");
        printf("  actual:\n");
        for (const Message& m : spy.log)
            printf("    %s wParam %ld lParam %ld\n", MessageName(m.message), static_cast<long>(m.wParam),
                   static_cast<long>(m.lParam));
    }
    check::Record(same, std::string("message sequence ") + context, file, line);
    spy.log.clear();
    return same;
}

HWND CreateTopWindow(const char* title, int width, int height) {
    HWND window = CreateWindowExA(0, TopWindowClass(), title, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, width,
                                  height, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    Pump();
    return window;
}

HWND CreateChild(HWND parent, const char* className, DWORD style, int x, int y, int width, int height, int id,
                 const char* text) {
    return CreateWindowExA(0, className, text, style | WS_CHILD, x, y, width, height, parent,
                           reinterpret_cast<HMENU>(static_cast<intptr_t>(id)), GetModuleHandleA(nullptr), nullptr);
}

void Pump() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

}  // namespace host
