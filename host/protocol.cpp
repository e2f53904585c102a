#include "protocol.h"

#include <string.h>

#include "../interface/characters.h"

namespace host {
namespace {

Completion* recording;        // the call under way, if any
const Session* answering;     // whose hostReturnAnswer HostReturn gives back

void RecordCompletion(int32_t status, uint32_t cookie, HostContext* context, ExtenderResult* result) {
    if (!recording) return;
    Completion& c = *recording;
    ++c.calls;
    c.status = status;
    c.cookie = cookie;
    c.context = context;
    c.result = result;
    c.kind = result->kind;
    c.intValue = result->intValue;
    c.text = (result->kind == kResultText && result->text) ? result->text : "";
}

int32_t __stdcall HostReturnStdcall(int32_t status, uint32_t cookie, HostContext* context, ExtenderResult* result) {
    RecordCompletion(status, cookie, context, result);
    return answering ? answering->hostReturnAnswer : 0;
}

int32_t __cdecl HostReturnCdecl(int32_t status, uint32_t cookie, HostContext* context, ExtenderResult* result) {
    RecordCompletion(status, cookie, context, result);
    return answering ? answering->hostReturnAnswer : 0;
}

}  // namespace

std::string DefaultExtenderPath() {
    char path[MAX_PATH] = "";
    // A program deeper than MAX_PATH gets its name cut and unterminated:
    // the bare name then finds the DLL in the program's folder, which the
    // loader searches first.
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return "tabulon.dll";
    // The folder ends at the last separator, found by characters: a trail
    // byte such as ソ's 0x5C reads as "\" too.
    char* separator = FindLastPathSeparator(path);
    return std::string(path, separator ? separator + 1 : path) + "tabulon.dll";
}

bool LoadExtender(Extender& extender, const std::string& path) {
    extender.module = LoadLibraryA(path.c_str());
    if (!extender.module) return false;
    extender.dispatch = reinterpret_cast<Dispatcher>(GetProcAddress(extender.module, "_QALExtender2@40"));
    extender.query = reinterpret_cast<Query>(GetProcAddress(extender.module, "_QALExtenderQuery@12"));
    return extender.dispatch && extender.query;
}

Introduction Introduce(const Extender& extender) {
    Introduction intro{};
    char title[256] = "";
    intro.version = extender.query(1, title, sizeof title);
    title[sizeof title - 1] = '\0';
    intro.title = title;
    int32_t levels[] = {5};
    intro.interfaceLevel = extender.query(2, levels, 1);
    HostContext context{0, 0, 1005};
    char reply[64] = "";
    intro.handshake = extender.dispatch(nullptr, nullptr, 0, -1, nullptr, &context, 0, reply, 0, nullptr);
    for (int32_t row = 0; row < 0x10000; ++row) {
        FunctionEntry entry{};
        if (extender.dispatch(nullptr, nullptr, 0, -2, nullptr, &context, 0, &entry, row, nullptr) == 0) break;
        intro.functions.push_back(entry);
    }
    return intro;
}

std::string NameOf(const FunctionEntry& entry) { return std::string(entry.name, strnlen(entry.name, sizeof entry.name)); }

Completion CallNumberWith(Session& session, int32_t number, const std::vector<Arg>& args) {
    ExtenderArgs block;
    memset(&block, 0xCC, sizeof block);  // host bytes the extender must not read
    for (int k = 0; k < kArgumentSlots; ++k) {
        block.slot[k].intValue = 0;
        block.slot[k].text = "";
    }
    for (size_t k = 0; k < args.size() && k < static_cast<size_t>(kArgumentSlots); ++k) {
        block.slot[k].intValue = args[k].intValue;
        block.slot[k].text = args[k].text ? args[k].text : "";
    }
    ExtenderResult result;
    memset(&result, 0, sizeof result);
    result.intValue = 0x5A5A5A5A;
    HostContext context{0, 0, session.hostVersion};
    Completion completion{};
    // A call may come from a window procedure inside another.
    Completion* outerRecording = recording;
    const Session* outerAnswering = answering;
    recording = &completion;
    answering = &session;
    const void* callback = session.convention == Convention::Stdcall ? reinterpret_cast<const void*>(&HostReturnStdcall)
                                                                     : reinterpret_cast<const void*>(&HostReturnCdecl);
    uintptr_t before, after;
    __asm__ volatile("mov %%esp, %k0" : "=r"(before) : : "memory");
    completion.dispatcherAnswer = session.extender.dispatch(session.owner, session.instance, 0xC00C1E, number,
                                                            const_cast<void*>(callback), &context, 0, &block, 0, &result);
    __asm__ volatile("mov %%esp, %k0" : "=r"(after) : : "memory");
    completion.stackDrift = static_cast<int32_t>(after - before);
    recording = outerRecording;
    answering = outerAnswering;
    return completion;
}

bool ReadMessageBox(HWND window, std::string& caption, std::string& text) {
    char className[32] = "";
    GetClassNameA(window, className, sizeof className);
    if (lstrcmpA(className, "#32770") != 0) return false;
    char buffer[1024] = "";
    GetWindowTextA(window, buffer, sizeof buffer);
    caption = buffer;
    buffer[0] = '\0';
    GetDlgItemTextA(window, 0xFFFF, buffer, sizeof buffer);
    text = buffer;
    return true;
}

const char* TopWindowClass() {
    static const char kName[] = "TabulonScriptWindow";
    static bool registered = false;
    if (!registered) {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = DefWindowProcA;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = kName;
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
        RegisterClassA(&windowClass);
        registered = true;
    }
    return kName;
}

}  // namespace host
