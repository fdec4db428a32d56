# Cross-compiles for 32-bit Windows with MinGW-w64: the build that ships Vexlo7-1.7.cqp.dll.
# Nothing of it runs on our machines (they cannot execute 32-bit code); it is checked statically.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(CMAKE_C_COMPILER i686-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER i686-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER i686-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/i686-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(VEXLO_OBJDUMP i686-w64-mingw32-objdump)
# Doubles are computed in SSE2 registers, as in the x86-64 build, not in the x87 unit's extended
# precision, so every conversion and score rounds the same way in both Windows builds.
set(CMAKE_C_FLAGS_INIT "-msse2 -mfpmath=sse")
set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse")
