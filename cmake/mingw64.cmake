# Cross toolchain for x86-64 Windows: the same code built for 64-bit Wine, so
# the Win32 suite can run on a machine whose kernel runs no 32-bit code.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(KIT_TRIPLE x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
