# Cross build for 32-bit Windows with the posix-thread mingw-w64 compilers.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(MORVANE_MINGW_TRIPLET i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)

# The processors Windows has required since Windows 8 have SSE2: floating-point arithmetic in SSE2
# registers instead of the x87 unit, and loops the compiler may vectorise. A caller on 32-bit Windows
# (the hall, Windows' own callbacks) keeps the stack aligned to 4 bytes only, so a function that keeps SSE
# values on the stack aligns it itself. The object-format test checks that the libraries use SSE2.
set(CMAKE_C_FLAGS_INIT "-msse2 -mfpmath=sse -mstackrealign")
set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse -mstackrealign")
