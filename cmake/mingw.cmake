# Shared part of the MinGW-w64 cross toolchains; the including file sets
# CMAKE_SYSTEM_PROCESSOR and KIT_TRIPLE. The compilers of the win32 thread
# model: the POSIX one links its threads runtime into every program, and that
# runtime imports calls the early 32-bit Windows versions lack. Threads, where
# needed, go through the platform layer's own Windows calls.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_C_COMPILER ${KIT_TRIPLE}-gcc-win32)
set(CMAKE_CXX_COMPILER ${KIT_TRIPLE}-g++-win32)
set(CMAKE_RC_COMPILER ${KIT_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${KIT_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
if(NOT CMAKE_CROSSCOMPILING_EMULATOR)
  set(CMAKE_CROSSCOMPILING_EMULATOR wine)
endif()
