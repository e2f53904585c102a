// Records shared with the script host. Layouts are fixed by the host's
// protocol: every offset below is part of the contract.
#pragma once
#include <stddef.h>
#include <stdint.h>

#ifdef _WIN32
#define TABULON_STDCALL __stdcall
#else
#define TABULON_STDCALL
#endif

struct HostContext {
    uint32_t hostOwned0;
    uint32_t hostOwned1;
    uint32_t hostVersion;  // host interface version; the handshake needs >= 1005
};

struct ArgSlot {
    int32_t intValue;
    uint32_t hostOwned0;
    const char* text;
    uint8_t hostOwned1[40 - 8 - sizeof(const char*)];
};

struct ExtenderArgs {
    uint8_t header[24];  // the host's; never read or written
    ArgSlot slot[6];     // slot[0] is argument 1
};

struct ExtenderResult {
    uint8_t hostOwned[24];
    int32_t intValue;
    uint32_t kind;  // 1 integer, 2 text
    const char* text;
};

enum ResultKind : uint32_t { kResultInt = 1, kResultText = 2 };

// The host's completion callback. Hosts differ in who pops the arguments;
// the dispatcher copes with both (see CallHostReturn).
typedef int32_t(TABULON_STDCALL* HostReturn)(int32_t status, uint32_t cookie,
                                              HostContext* hostContext,
                                              ExtenderResult* result);

struct FunctionEntry {
    int32_t number;  // -1 marks the terminator row
    int32_t kind;    // 2 for every script function
    uint32_t stringMask;
    uint32_t reserved;
    int32_t argCount;
    uint16_t nameLength;
    char name[34];
};

constexpr int32_t kExtenderVersion = 51002;
constexpr int32_t kInterfaceLevel = 5;
constexpr uint32_t kMinimumHostVersion = 1005;

static_assert(sizeof(ArgSlot) == 40, "argument slot is 40 bytes");
static_assert(offsetof(ExtenderArgs, slot) == 24, "first slot at 24");
static_assert(offsetof(ArgSlot, text) == 8, "slot text at 8");
static_assert(offsetof(ExtenderResult, intValue) == 24, "result int at 24");
static_assert(offsetof(ExtenderResult, kind) == 28, "result kind at 28");
static_assert(offsetof(ExtenderResult, text) == 32, "result text at 32");
static_assert(offsetof(HostContext, hostVersion) == 8, "host version at 8");
static_assert(sizeof(FunctionEntry) == 56, "function rows are 56 bytes");
static_assert(offsetof(FunctionEntry, nameLength) == 20, "name length at 20");
static_assert(offsetof(FunctionEntry, name) == 22, "name at 22");

// The two exports, as the host finds them: _QALExtender2@40 and
// _QALExtenderQuery@12.
extern "C" {
int32_t TABULON_STDCALL QALExtender2(void* ownerWindow, void* hostInstance, uint32_t cookie, int32_t functionNumber,
                                     HostReturn hostReturn, HostContext* hostContext, uint32_t unused, void* data,
                                     int32_t tableIndex, ExtenderResult* result);
int32_t TABULON_STDCALL QALExtenderQuery(int32_t request, void* buffer, int32_t length);
}
