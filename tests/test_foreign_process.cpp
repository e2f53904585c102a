// Windows of another process: every function, given controls that another
// program owns, completes as it would for a handle that names no window
// wherever it would have to pass a pointer, and the other program receives
// no message that carries one and survives.
#include "host/standin_host.h"

#include <stdio.h>
#include <stdlib.h>

#include <set>
#include <string>

#include "check.h"

namespace {

struct Foreign {
    PROCESS_INFORMATION process;
    HANDLE output;
    HWND controls[5];  // list view, list box, tab control, status bar, tooltip
    HWND top;
};

std::string ReadLine(HANDLE pipe) {
    std::string line;
    char c;
    DWORD read;
    while (ReadFile(pipe, &c, 1, &read, nullptr) && read == 1 && c != '\n') line += c;
    return line;
}

bool StartForeign(Foreign& f) {
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string program = path;
    program = program.substr(0, program.rfind('\\') + 1) + "helper_foreign_controls.exe";
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE writeEnd;
    CreatePipe(&f.output, &writeEnd, &inherit, 0);
    SetHandleInformation(f.output, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = writeEnd;
    startup.hStdError = writeEnd;
    if (!CreateProcessA(program.c_str(), nullptr, nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &f.process))
        return false;
    CloseHandle(writeEnd);
    long values[6] = {};
    const std::string line = ReadLine(f.output);
    if (sscanf(line.c_str(), "%ld %ld %ld %ld %ld %ld", &values[0], &values[1], &values[2], &values[3], &values[4],
               &values[5]) != 6)
        return false;
    for (int i = 0; i < 5; ++i) f.controls[i] = reinterpret_cast<HWND>(static_cast<intptr_t>(values[i]));
    f.top = reinterpret_cast<HWND>(static_cast<intptr_t>(values[5]));
    return true;
}

// Functions that would create windows in, destroy, or hide the other
// program's windows, or act on the desktop, are left out.
const std::set<std::string> kLeftOut = {
    "ancreateavi", "dtcreatedatetime", "tacreatetab", "sbcreatestatusbar", "pgcreateprogressbar",
    "ttcreatetooltip", "ipcreateip", "trcreatetrackbar", "trsetbuddy", "removecontrol", "gzshow", "wntaskbar",
    "ilcreateimglist", "iladdimage", "ilremoveimage", "ildeleteimglist",
};

void EveryFunctionOnForeignControls() {
    Foreign f{};
    if (!CHECK(StartForeign(f))) return;
    CHECK(!host::MessageBoxes().size());
    int calls = 0;
    // A control of another class may read a message number as one of its
    // own; that hazard is the platform's, so each control meets its own
    // family and the functions meant for any window.
    const char* families[5] = {"lv", "lb", "ta", "sb", "tt"};
    for (int i = 0; i < 5; ++i) {
        HWND control = f.controls[i];
        for (const FunctionEntry& entry : host::Current().functions) {
            const std::string name = entry.name;
            const bool anyWindow = name == "gzextenderinfo" || name == "redrawcontrol" || name == "dccompatible";
            if (kLeftOut.count(name) || (!anyWindow && name.compare(0, 2, families[i]) != 0)) continue;
            const host::Completion c = host::CallNumber(
                entry.number, {host::Arg(static_cast<int>(reinterpret_cast<intptr_t>(control)), "1|2|3"),
                               host::Arg(name == "lvsetitemtextcolor" ? static_cast<int>(reinterpret_cast<intptr_t>(control)) : 1, "1.2.3.4"),
                               host::Arg(1, "text"), host::Arg(1, "text"), host::Arg(1, "0|0|255"), host::Arg(1, "x")});
            ++calls;
            if (name == "gzextenderinfo") continue;
            if (!CHECK_EQ(c.calls, 1) || !CHECK_EQ(c.status, 0)) printf("  %s\n", entry.name);
            if (name == "lvgetitemtext" || name == "dtgetdatetime") CHECK_EQ(c.text, "");
            if (name == "ipgetip") CHECK_EQ(c.text, "0.0.0.0");
        }
        host::MessageBoxes().clear();
    }
    CHECK_EQ(calls, 22 + 9 + 6 + 4 + 7 + 3 * 5);  // the families less their creators
    PostMessageA(f.top, WM_CLOSE, 0, 0);
    std::string report;
    for (std::string line = ReadLine(f.output); !line.empty(); line = ReadLine(f.output)) report += line + "\n";
    CHECK_EQ(WaitForSingleObject(f.process.hProcess, 20000), WAIT_OBJECT_0);
    DWORD exitCode = 99;
    GetExitCodeProcess(f.process.hProcess, &exitCode);
    if (!CHECK_EQ(exitCode, 0)) printf("%s", report.c_str());
    CHECK(report.find("pointer messages 0, intact") != std::string::npos);
    CloseHandle(f.output);
    CloseHandle(f.process.hProcess);
    CloseHandle(f.process.hThread);
}

}  // namespace

int main() {
    host::Start();
    check::Group("foreign controls", EveryFunctionOnForeignControls);
    return check::Finish();
}
