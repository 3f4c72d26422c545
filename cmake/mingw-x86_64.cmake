# Cross build for 64-bit Windows with Debian's MinGW-w64, win32 thread model.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(TOOLCHAIN_PREFIX x86_64-w64-mingw32)
# The win32 model's C++ runtime locks with critical sections and imports
# nothing newer than Windows XP. The posix model links winpthreads, which
# imports GetTickCount64 (Vista and later), so its programs do not start on
# XP or Server 2003.
set(MINGW_THREAD_MODEL "win32" CACHE STRING "win32 or posix")
set(CMAKE_C_COMPILER   ${TOOLCHAIN_PREFIX}-gcc-${MINGW_THREAD_MODEL})
set(CMAKE_CXX_COMPILER ${TOOLCHAIN_PREFIX}-g++-${MINGW_THREAD_MODEL})
set(CMAKE_RC_COMPILER  ${TOOLCHAIN_PREFIX}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${TOOLCHAIN_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
set(VEX_WINE_ARCH win64)
include(${CMAKE_CURRENT_LIST_DIR}/wine_loader.cmake)
