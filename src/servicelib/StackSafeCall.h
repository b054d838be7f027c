// A call into a 32-bit Windows library whose calling convention is not known.
//
// A __stdcall function removes its arguments from the stack when it returns; a __cdecl function
// leaves that to its caller. A call compiled for the one convention into a function of the other
// leaves the stack pointer off by the arguments' size, which corrupts the caller. This call keeps
// the stack pointer in a callee-saved register (ESI, which both conventions preserve), pushes the
// arguments, calls, and then sets the stack pointer back from that register: right for either
// convention, whatever the function did with its arguments. Every argument and the result are
// 32-bit words (integers or addresses); the result comes back in EAX under both conventions.
//
// Only for 32-bit x86 (i686). Thread: any; the function itself decides what is safe to call.
#pragma once

#if defined(__i386__)

#include <cstddef>
#include <cstdint>

// The SSE registers exist (and may be changed by the callee) only where the compiler uses them.
#if defined(__SSE__)
#define CORVANE_SSE_CLOBBERS , "xmm0", "xmm1", "xmm2", "xmm3", "xmm4", "xmm5", "xmm6", "xmm7"
#else
#define CORVANE_SSE_CLOBBERS
#endif

namespace servicelib {

// Calls `function` with the `count` words of `arguments` (the first one first, as C passes them)
// and returns what it returns in EAX.
inline uint32_t CallPreservingStack(const void* function, const uint32_t* arguments,
                                    std::size_t count) {
    uint32_t result;
    // ECX and EDX are inputs and are clobbered by the callee; listing them as in/out operands
    // tells the compiler so. The callee may also change every other caller-saved register (the
    // x87 stack, which MMX shares, and SSE) and any memory it was given an address of.
    asm volatile(
        "movl %%esp, %%esi\n\t"       // the stack pointer, kept across the call
        "leal (,%%ecx,4), %%eax\n\t"  // room for the arguments ...
        "subl %%eax, %%esp\n\t"
        "andl $-16, %%esp\n\t"  // ... with the first one on a 16-byte boundary
        "testl %%ecx, %%ecx\n\t"
        "jz 2f\n"
        "1:\n\t"
        "movl -4(%%edx,%%ecx,4), %%eax\n\t"  // copy the arguments, last one first
        "movl %%eax, -4(%%esp,%%ecx,4)\n\t"
        "decl %%ecx\n\t"
        "jnz 1b\n"
        "2:\n\t"
        "call *%%edi\n\t"
        "movl %%esi, %%esp"  // whatever the callee removed
        : "=a"(result), "+c"(count), "+d"(arguments)
        : "D"(function)
        : "esi", "memory", "cc", "st", "st(1)", "st(2)", "st(3)", "st(4)", "st(5)", "st(6)",
          "st(7)" CORVANE_SSE_CLOBBERS);
    return result;
}

}  // namespace servicelib

#endif
