// Calling a function whose signature is known only at run time: up to
// kMaxStdcallArgs pointer-sized arguments, the 32-bit result. On i686 they
// are pushed right to left and the stack pointer is saved around the call
// and restored after it, so a callee that pops a different number of bytes
// than were pushed (a wrong argument count, or a cdecl function) cannot
// unbalance the caller. On x86-64 (the test build for 64-bit Wine) the one
// calling convention has the caller clean up, so every call passes all
// kMaxStdcallArgs words.
#pragma once

#include <cstdint>

namespace kit::win32 {

constexpr int kMaxStdcallArgs = 16;

int32_t CallStdcall(const void* function, const intptr_t* args, int count);

}  // namespace kit::win32
