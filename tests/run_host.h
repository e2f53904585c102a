// Runs the stand-in host program (tabulon-host.exe beside the test) as a
// child process and collects what it writes to standard output and
// standard error, in the order written, with its exit status. Its output is
// text mode; line ends come back as "\n".
#pragma once
#include <stdio.h>
#include <string.h>
#include <windows.h>

#include <string>

namespace run_host {

struct Outcome {
    DWORD exitCode;  // STILL_ACTIVE when it had to be stopped
    std::string output;
};

inline std::string ExeDirectory() {
    char path[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    char* slash = strrchr(path, '\\');
    if (slash) slash[1] = '\0';
    return path;
}

// The repository: the nearest folder above the test program (in build\ or
// build\x64) that holds CMakeLists.txt and examples\; empty when none does.
inline std::string RepositoryDirectory() {
    std::string directory = ExeDirectory();
    for (;;) {
        const DWORD examples = GetFileAttributesA((directory + "examples").c_str());
        if (GetFileAttributesA((directory + "CMakeLists.txt").c_str()) != INVALID_FILE_ATTRIBUTES &&
            examples != INVALID_FILE_ATTRIBUTES && (examples & FILE_ATTRIBUTE_DIRECTORY))
            return directory;
        if (directory.size() < 2) return "";
        const size_t slash = directory.find_last_of('\\', directory.size() - 2);
        if (slash == std::string::npos) return "";
        directory.resize(slash + 1);
    }
}

inline std::string HostPath() { return ExeDirectory() + "tabulon-host.exe"; }

// arguments follow the program name on the command line as given.
inline Outcome RunProgram(const std::string& program, const std::string& arguments, const std::string& directory = "",
                          DWORD timeoutMs = 60000) {
    Outcome outcome{STILL_ACTIVE, ""};
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE readEnd, writeEnd;
    if (!CreatePipe(&readEnd, &writeEnd, &inherit, 0)) return outcome;
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = writeEnd;
    startup.hStdError = writeEnd;
    PROCESS_INFORMATION process{};
    std::string commandLine = "\"" + program + "\" " + arguments;
    const BOOL started = CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, TRUE, 0, nullptr,
                                        directory.empty() ? nullptr : directory.c_str(), &startup, &process);
    CloseHandle(writeEnd);
    if (!started) {
        CloseHandle(readEnd);
        outcome.output = "cannot start " + program;
        return outcome;
    }
    const DWORD start = GetTickCount();
    char buffer[4096];
    for (;;) {
        DWORD available = 0, got = 0;
        if (PeekNamedPipe(readEnd, nullptr, 0, nullptr, &available, nullptr) && available) {
            if (ReadFile(readEnd, buffer, sizeof buffer, &got, nullptr) && got) outcome.output.append(buffer, got);
            continue;
        }
        if (WaitForSingleObject(process.hProcess, 20) == WAIT_OBJECT_0) {
            while (ReadFile(readEnd, buffer, sizeof buffer, &got, nullptr) && got) outcome.output.append(buffer, got);
            break;
        }
        if (GetTickCount() - start > timeoutMs) {
            TerminateProcess(process.hProcess, STILL_ACTIVE);
            outcome.output += "\n[stopped after " + std::to_string(timeoutMs / 1000) + " s]";
            WaitForSingleObject(process.hProcess, INFINITE);
            CloseHandle(readEnd);
            CloseHandle(process.hThread);
            CloseHandle(process.hProcess);
            return outcome;
        }
    }
    GetExitCodeProcess(process.hProcess, &outcome.exitCode);
    std::string lines;
    for (size_t i = 0; i < outcome.output.size(); ++i)
        if (!(outcome.output[i] == '\r' && i + 1 < outcome.output.size() && outcome.output[i + 1] == '\n'))
            lines += outcome.output[i];
    outcome.output = lines;
    CloseHandle(readEnd);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return outcome;
}

// The stand-in host beside the test.
inline Outcome Run(const std::string& arguments, const std::string& directory = "", DWORD timeoutMs = 60000) {
    return RunProgram(HostPath(), arguments, directory, timeoutMs);
}

// A script's source written to a file of its own under %TEMP%, run with the
// options given from directory (this one when empty), and removed again.
struct ScriptRun {
    std::string path;
    DWORD exitCode;
    std::string output;
};

inline ScriptRun RunScript(const std::string& source, const std::string& options = "",
                           const std::string& directory = "") {
    static int counter = 0;
    char temp[MAX_PATH] = "";
    GetTempPathA(MAX_PATH, temp);
    const std::string path = std::string(temp) + "tabulon-script-" + std::to_string(GetCurrentProcessId()) + "-" +
                             std::to_string(++counter) + ".tab";
    FILE* file = fopen(path.c_str(), "wb");
    if (file) {
        fwrite(source.data(), 1, source.size(), file);
        fclose(file);
    }
    const Outcome outcome = Run(options + " \"" + path + "\"", directory);
    DeleteFileA(path.c_str());
    return ScriptRun{path, outcome.exitCode, outcome.output};
}

}  // namespace run_host
