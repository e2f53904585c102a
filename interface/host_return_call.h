// Calls the host's completion callback. Hosts disagree on who pops its
// four arguments (stdcall or cdecl); on 32-bit x86 the stack pointer is kept
// in a callee-saved register across the call, so either convention leaves
// the stack as it was.
#pragma once
#include <stdint.h>

typedef int32_t (*HostReturnAddress)(int32_t, uint32_t, void*, void*);

inline int32_t CallHostReturnAt(const void* callback, int32_t status, uint32_t cookie, void* hostContext,
                                void* result) {
#if defined(__i386__)
    const uint32_t arguments[4] = {static_cast<uint32_t>(status), cookie,
                                   static_cast<uint32_t>(reinterpret_cast<uintptr_t>(hostContext)),
                                   static_cast<uint32_t>(reinterpret_cast<uintptr_t>(result))};
    int32_t answer;
    __asm__ volatile(
        "movl %%esp, %%esi\n\t"
        "pushl 12(%%ebx)\n\t"
        "pushl 8(%%ebx)\n\t"
        "pushl 4(%%ebx)\n\t"
        "pushl (%%ebx)\n\t"
        "call *%%edi\n\t"
        "movl %%esi, %%esp\n\t"
        : "=a"(answer)
        : "b"(arguments), "D"(callback)
        : "esi", "ecx", "edx", "memory", "cc");
    return answer;
#else
    // 64-bit Windows has one calling convention.
    return reinterpret_cast<HostReturnAddress>(const_cast<void*>(callback))(status, cookie, hostContext, result);
#endif
}
