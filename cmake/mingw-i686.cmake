# Cross build for 32-bit Windows with Debian's MinGW-w64, win32 thread model.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86)
set(TOOLCHAIN_PREFIX i686-w64-mingw32)
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
# The Wine loader that runs these programs here, from the one check in
# scripts/wine-loader.sh; none where this machine cannot run them, and then
# the tests that need it are not registered (tests/CMakeLists.txt says so).
execute_process(COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-loader.sh win32
                OUTPUT_VARIABLE VEX_WINE_LOADER ERROR_VARIABLE VEX_WINE_MISSING
                OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_STRIP_TRAILING_WHITESPACE)
if(VEX_WINE_LOADER)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${VEX_WINE_LOADER})
endif()
