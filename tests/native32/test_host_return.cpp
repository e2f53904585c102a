// The completion call on 32-bit x86 against callbacks of both conventions:
// the answer comes back, the arguments arrive in order, and the stack
// pointer and callee-saved registers are as before. Built with -m32 and
// run under an i386 emulator where the machine has no 32-bit support.
#include <stdint.h>

#include "../../interface/host_return_call.h"
#include "../check.h"

namespace {

int32_t seen[4];
int calls;

__attribute__((stdcall)) int32_t StdcallCallback(int32_t status, uint32_t cookie, void* context, void* result) {
    seen[0] = status, seen[1] = static_cast<int32_t>(cookie);
    seen[2] = static_cast<int32_t>(reinterpret_cast<uintptr_t>(context));
    seen[3] = static_cast<int32_t>(reinterpret_cast<uintptr_t>(result));
    ++calls;
    return 7;
}

__attribute__((cdecl)) int32_t CdeclCallback(int32_t status, uint32_t cookie, void* context, void* result) {
    seen[0] = status, seen[1] = static_cast<int32_t>(cookie);
    seen[2] = static_cast<int32_t>(reinterpret_cast<uintptr_t>(context));
    seen[3] = static_cast<int32_t>(reinterpret_cast<uintptr_t>(result));
    ++calls;
    return -9;
}

struct Drift {
    int32_t answer;
    int32_t stack;
};

// Measures the stack pointer right around the call.
__attribute__((noinline)) Drift CallAndMeasure(const void* callback, int32_t status) {
    uintptr_t before, after;
    int32_t answer;
    __asm__ volatile("movl %%esp, %0" : "=r"(before) : : "memory");
    answer = CallHostReturnAt(callback, status, 0xC00C1E, reinterpret_cast<void*>(0x1000),
                              reinterpret_cast<void*>(0x2000));
    __asm__ volatile("movl %%esp, %0" : "=r"(after) : : "memory");
    return Drift{answer, static_cast<int32_t>(after - before)};
}

void Convention(const void* callback, int32_t expectedAnswer) {
    calls = 0;
    for (int i = 0; i < 10000; ++i) {
        const Drift d = CallAndMeasure(callback, i % 2 ? -1 : 0);
        if (d.stack != 0 || d.answer != expectedAnswer) {
            CHECK_EQ(d.stack, 0);
            CHECK_EQ(d.answer, expectedAnswer);
            return;
        }
    }
    CHECK_EQ(calls, 10000);
    CHECK_EQ(seen[0], -1);
    CHECK_EQ(seen[1], 0xC00C1E);
    CHECK_EQ(seen[2], 0x1000);
    CHECK_EQ(seen[3], 0x2000);
}

}  // namespace

int main() {
    check::Group("stdcall callback", [] { Convention(reinterpret_cast<const void*>(&StdcallCallback), 7); });
    check::Group("cdecl callback", [] { Convention(reinterpret_cast<const void*>(&CdeclCallback), -9); });
    return check::Finish();
}
