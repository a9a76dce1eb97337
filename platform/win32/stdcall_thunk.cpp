#include "platform/win32/stdcall_thunk.h"

namespace kit::win32 {

int32_t CallStdcall(const void* function, const int32_t* args, int count) {
  int32_t result;
  // ESI holds the caller's stack pointer across the call (callee-saved);
  // the arguments start on a 16-byte boundary as GCC-built callees expect.
  asm volatile(
      "movl %[n], %%ecx\n\t"
      "movl %%esp, %%esi\n\t"
      "leal (,%%ecx,4), %%edx\n\t"
      "subl %%edx, %%esp\n\t"
      "andl $-16, %%esp\n\t"
      "addl %%edx, %%esp\n\t"
      "1:\n\t"
      "testl %%ecx, %%ecx\n\t"
      "jz 2f\n\t"
      "pushl -4(%[args],%%ecx,4)\n\t"
      "decl %%ecx\n\t"
      "jmp 1b\n\t"
      "2:\n\t"
      "call *%[fn]\n\t"
      "movl %%esi, %%esp\n\t"
      : "=&a"(result)
      : [fn] "b"(function), [args] "D"(args), [n] "g"(count)
      : "ecx", "edx", "esi", "memory", "cc");
  return result;
}

}  // namespace kit::win32
