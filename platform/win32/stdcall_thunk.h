// Calling a function whose signature is known only at run time: up to
// kMaxStdcallArgs 32-bit arguments pushed right to left, the 32-bit result
// in EAX. The stack pointer is saved around the call and restored after it,
// so a callee that pops a different number of bytes than were pushed (a
// wrong argument count, or a cdecl function) cannot unbalance the caller.
#pragma once

#include <cstdint>

namespace kit::win32 {

constexpr int kMaxStdcallArgs = 16;

int32_t CallStdcall(const void* function, const int32_t* args, int count);

}  // namespace kit::win32
