#include "platform/win32/stdcall_thunk.h"

namespace kit::win32 {

#if defined(__x86_64__)

int32_t CallStdcall(const void* function, const intptr_t* args, int count) {
  intptr_t a[kMaxStdcallArgs] = {};
  for (int i = 0; i < count && i < kMaxStdcallArgs; ++i) a[i] = args[i];
  using Fn = intptr_t (*)(intptr_t, intptr_t, intptr_t, intptr_t, intptr_t, intptr_t, intptr_t, intptr_t,
                          intptr_t, intptr_t, intptr_t, intptr_t, intptr_t, intptr_t, intptr_t, intptr_t);
  auto fn = reinterpret_cast<Fn>(const_cast<void*>(function));
  return static_cast<int32_t>(
      fn(a[0], a[1], a[2], a[3], a[4], a[5], a[6], a[7], a[8], a[9], a[10], a[11], a[12], a[13], a[14], a[15]));
}

#else

int32_t CallStdcall(const void* function, const intptr_t* args, int count) {
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

#endif

}  // namespace kit::win32
