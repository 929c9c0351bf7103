# Cross build for 64-bit Windows with the posix-thread mingw-w64 compilers. This machine runs these
# programs under Wine (it cannot execute 32-bit code), so the tests go through scripts/wine-run.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(MORVANE_MINGW_TRIPLET x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../../scripts/wine-run)
