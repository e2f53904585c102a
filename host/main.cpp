// The stand-in host: loads the extender the way the script host does, learns
// its functions from the enumeration, and runs script files against it.
//
//   tabulon-host.exe [--auto-dismiss] [--extender PATH] [script.tab]
//
// Without a script it prints what it learned. Exit status: 0 when the
// script ran to its end with every expectation met, 1 for a script error or
// an unmet expectation, 2 when the host could not start.
//
// The language is script.h's (platform-neutral); the host's own words are
// words.cpp's, and the protocol is protocol.cpp's.
#include <stdio.h>
#include <string.h>
#include <windows.h>
#include <commctrl.h>

#include "../interface/conversions.h"
#include "call_shapes.h"  // made at build time from docs/reference.md
#include "protocol.h"
#include "script.h"
#include "words.h"

namespace {

host::Session session;

bool CallExtender(const script::Function& function, const std::string& spelled,
                  const std::vector<script::Value>& args, script::Value& result, std::string& error) {
    std::vector<host::Arg> slots;  // the texts stay in args until the call returns
    for (const script::Value& value : args) {
        if (value.isText) {
            host::Arg slot(value.text);
            // The integer a host puts beside a text: its leading number, as
            // the extender's own conversion reads one.
            slot.intValue = ParseDecimal(value.text.c_str());
            slots.push_back(slot);
        } else {
            slots.push_back(host::Arg(static_cast<int>(value.number)));
        }
    }
    const host::Completion c = host::CallNumberWith(session, function.number, slots);
    if (c.calls != 1) {
        error = spelled + " completed " + std::to_string(c.calls) + " times instead of once";
        return false;
    }
    if (c.status != 0) {
        error = spelled + " failed: " + c.text;
        return false;
    }
    if (c.kind == kResultInt) result = script::IntValue(c.intValue);
    else if (c.kind == kResultText) result = script::TextValue(c.text);
    else {
        error = spelled + " completed with the unknown result kind " + std::to_string(c.kind);
        return false;
    }
    return true;
}

// How a call of the function looks, from the reference; none when the
// reference does not know it with that many arguments (another extender).
std::string CallShape(const FunctionEntry& f) {
    for (const ReferenceEntry& entry : kReferenceEntries) {
        if (!entry.hostWord && lstrcmpiA(entry.name, host::NameOf(f).c_str()) == 0 && entry.maxArgs == f.argCount)
            return entry.shape;
    }
    return "";
}

// Headless runs: every message box is printed and closed with OK.
LRESULT CALLBACK DismissMessageBoxes(int code, WPARAM wParam, LPARAM lParam) {
    std::string caption, text;
    if (code == HCBT_ACTIVATE && host::ReadMessageBox(reinterpret_cast<HWND>(wParam), caption, text)) {
        printf("[message box] %s: %s\n", caption.c_str(), text.c_str());
        fflush(stdout);
        PostMessageA(reinterpret_cast<HWND>(wParam), WM_COMMAND, IDOK, 0);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// The extender registers no control class: the host process provides them.
void RegisterCommonControls() {
    INITCOMMONCONTROLSEX classes{sizeof classes, ICC_WIN95_CLASSES | ICC_DATE_CLASSES | ICC_INTERNET_CLASSES |
                                                     ICC_ANIMATE_CLASS | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&classes);
}

// Owner of the extender's message boxes, as the host's main window is.
HWND CreateOwnerWindow() {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "TabulonHostOwner";
    RegisterClassA(&windowClass);
    return CreateWindowExA(0, "TabulonHostOwner", "Tabulon host", WS_OVERLAPPED, 0, 0, 100, 50, nullptr, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
}

void PrintLine(const std::string& line) {
    printf("%s\n", line.c_str());
    fflush(stdout);
}

void ReportLine(const std::string& line) {
    fflush(stdout);
    fprintf(stderr, "%s\n", line.c_str());
    fflush(stderr);
}

bool ReadScript(const std::string& path, std::string& contents) {
    FILE* file = fopen(path.c_str(), "rb");
    if (!file) return false;
    char buffer[4096];
    size_t got;
    while ((got = fread(buffer, 1, sizeof buffer, file)) > 0) contents.append(buffer, got);
    fclose(file);
    return true;
}

int Usage() {
    fprintf(stderr, "usage: tabulon-host [--auto-dismiss] [--extender PATH] [script.tab]\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    std::string path = host::DefaultExtenderPath();
    std::string scriptPath;
    bool autoDismiss = false;
    for (int i = 1; i < argc; ++i) {
        if (strcmp(argv[i], "--extender") == 0 && i + 1 < argc) path = argv[++i];
        else if (strcmp(argv[i], "--auto-dismiss") == 0) autoDismiss = true;
        else if (argv[i][0] == '-' || !scriptPath.empty()) return Usage();
        else scriptPath = argv[i];
    }
    host::Extender extender{};
    if (!host::LoadExtender(extender, path)) {
        fprintf(stderr, "cannot load the extender %s\n", path.c_str());
        return 2;
    }
    const host::Introduction intro = host::Introduce(extender);
    if (scriptPath.empty()) {
        printf("title: %s\nversion: %d\ninterface level: %d\nfunctions: %d\n", intro.title.c_str(), intro.version,
               intro.interfaceLevel, intro.handshake);
        for (const FunctionEntry& f : intro.functions) {
            printf("  %3d  %-20s args %d", f.number, host::NameOf(f).c_str(), f.argCount);
            if (f.stringMask) printf("  texts 0x%X", f.stringMask);
            printf("\n");
        }
        return 0;
    }
    if (intro.handshake < 0) {
        fprintf(stderr, "the extender refused the handshake\n");
        return 2;
    }

    std::vector<script::Function> functions;
    AddHostWords(functions);  // first, so the host's words stay its own
    for (const FunctionEntry& f : intro.functions) {
        script::Function function;
        std::string error;
        if (!script::ExtenderFunction(host::NameOf(f), f.number, f.argCount, f.stringMask, host::kArgumentSlots,
                                      CallExtender, CallShape(f), function, error)) {
            fprintf(stderr, "%s\n", error.c_str());
            return 2;
        }
        functions.push_back(function);
    }

    std::string source;
    if (!ReadScript(scriptPath, source)) {
        fprintf(stderr, "cannot read %s\n", scriptPath.c_str());
        return 2;
    }
    script::Program program;
    script::Failure failure{0, ""};
    if (!script::Parse(source, functions, program, failure)) {
        fprintf(stderr, "%s:%d: %s\n", scriptPath.c_str(), failure.line, failure.message.c_str());
        return 1;
    }

    RegisterCommonControls();
    session.extender = extender;
    session.instance = GetModuleHandleA(nullptr);
    session.owner = CreateOwnerWindow();
    session.functions = intro.functions;
    if (autoDismiss) SetWindowsHookExA(WH_CBT, DismissMessageBoxes, nullptr, GetCurrentThreadId());
    const int status = script::Execute(program, functions, scriptPath, script::Console{PrintLine, ReportLine});
    fflush(stdout);
    return status;
}
