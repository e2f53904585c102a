// The dispatcher export, the completions and the module's entry point.
#include "call.h"
#include "drawing_runs.h"
#include "function_table.h"
#include "host_return_call.h"

HINSTANCE ModuleHandle;
char ScratchText[256];

namespace {

constexpr int kHighestNumber = 377;

struct JumpTable {
    Handler* byNumber[kHighestNumber + 1];
    uint8_t windows[kHighestNumber + 1];  // the roles of its window arguments
};

constexpr JumpTable MakeJumpTable() {
    JumpTable table{};
#define TABULON_JUMP_ROW(number, name, argCount, mask, roles) \
    table.byNumber[number] = &name;                            \
    table.windows[number] = (roles);
    TABULON_FUNCTIONS(TABULON_JUMP_ROW)
#undef TABULON_JUMP_ROW
    return table;
}

constexpr JumpTable kJumpTable = MakeJumpTable();

int32_t CallHostReturn(const Call& call, int32_t status) {
    return CallHostReturnAt(reinterpret_cast<const void*>(call.hostReturn), status, call.cookie, call.hostContext,
                            call.result);
}

const char kNeedNewerHost[] = "Need newer version of QAL DLL";

}  // namespace

Completed CompleteInt(const Call& call, int32_t value) {
    call.result->intValue = value;
    call.result->kind = kResultInt;
    return Completed{CallHostReturn(call, 0)};
}

Completed CompleteText(const Call& call, const char* text) {
    call.result->text = text;
    call.result->kind = kResultText;
    return Completed{CallHostReturn(call, 0)};
}

Completed CompleteFailure(const Call& call, UINT stringId) {
    ScratchText[0] = '\0';
    LoadStringA(ModuleHandle, stringId, ScratchText, sizeof ScratchText);
    call.result->text = ScratchText;
    call.result->kind = kResultText;
    return Completed{CallHostReturn(call, -1)};
}

bool IsOwnWindow(HWND window) {
    DWORD process = 0;
    return GetWindowThreadProcessId(window, &process) != 0 && process == GetCurrentProcessId();
}

bool RunsOnWine() {
    const HMODULE system = GetModuleHandleA("ntdll.dll");
    return system && GetProcAddress(system, "wine_get_version");
}

bool PinModule() {
    static bool pinned = false;
    HMODULE self = nullptr;
    if (!pinned)
        pinned = GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_PIN | GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS,
                                    reinterpret_cast<LPCSTR>(&PinModule), &self) != FALSE;
    return pinned;
}

void ShowMessage(const Call& call, const char* text, const char* caption) {
    // The box lets the host's thread wait: every list shows as it is now
    // behind it, and no run is left for its messages to end out of turn.
    RestoreAllDrawing();
    MessageBoxA(call.ownerWindow, text, caption, MB_OK);
}

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved);
extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD, LPVOID) {
    ModuleHandle = instance;
    return TRUE;
}

extern "C" int32_t __stdcall QALExtender2(void* ownerWindow, void* hostInstance, uint32_t cookie,
                                          int32_t functionNumber, HostReturn hostReturn,
                                          HostContext* hostContext, uint32_t /*unused*/, void* data,
                                          int32_t tableIndex, ExtenderResult* result) {
    const int number = static_cast<int16_t>(functionNumber & 0xFFFF);
    switch (number) {
        case -1:
            if (hostContext->hostVersion >= kMinimumHostVersion) return kFunctionCount;
            lstrcpyA(static_cast<char*>(data), kNeedNewerHost);
            return -1;
        case -2:
            return EnumerateFunction(tableIndex, static_cast<FunctionEntry*>(data));
        case -3:
            return 1;
        default:
            break;
    }
    const Call call{static_cast<HWND>(ownerWindow), static_cast<HINSTANCE>(hostInstance), cookie, hostReturn, hostContext,
                    static_cast<const ExtenderArgs*>(data), result};
    const bool known = number >= 0 && number <= kHighestNumber;
    Handler* handler = known ? kJumpTable.byNumber[number] : nullptr;
    if (!handler) return CompleteFailure(call, kStringUnknownFunction).hostAnswer;
    if (PendingRunCount > 0) PrepareRunsFor(call, kJumpTable.windows[number]);
    ++CallsUnderWay;
    const int32_t answer = handler(call).hostAnswer;
    --CallsUnderWay;
    return answer;
}
