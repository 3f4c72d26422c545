# The Wine loader that runs the programs of a MinGW toolchain file here, from
# the one check in scripts/wine-loader.sh: set VEX_WINE_ARCH (win32 or win64)
# before including this. None where this machine cannot run them; then the
# tests that need it are not registered, and tests/CMakeLists.txt says why
# from VEX_WINE_MISSING.
execute_process(COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-loader.sh ${VEX_WINE_ARCH}
                OUTPUT_VARIABLE VEX_WINE_LOADER ERROR_VARIABLE VEX_WINE_MISSING
                OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_STRIP_TRAILING_WHITESPACE)
if(VEX_WINE_LOADER)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${VEX_WINE_LOADER})
endif()
