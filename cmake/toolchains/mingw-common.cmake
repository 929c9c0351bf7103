# Shared part of the mingw-w64 toolchain files. The including file sets MORVANE_MINGW_TRIPLET and
# CMAKE_SYSTEM_PROCESSOR first.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_C_COMPILER ${MORVANE_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${MORVANE_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${MORVANE_MINGW_TRIPLET}-windres)

# The static libpng and libjpeg built by scripts/build-mingw-deps live in a cache folder. The toolchain is
# read again for every try_compile, where neither the environment of the first run nor the cache is
# guaranteed, so the folder falls back to the same default that the scripts use.
if(NOT MORVANE_DEPS)
  if(NOT "$ENV{MORVANE_DEPS}" STREQUAL "")
    set(MORVANE_DEPS "$ENV{MORVANE_DEPS}")
  else()
    set(MORVANE_DEPS /opt/morvane-deps)
  endif()
endif()
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES MORVANE_DEPS)

set(CMAKE_FIND_ROOT_PATH /usr/${MORVANE_MINGW_TRIPLET} ${MORVANE_DEPS}/${MORVANE_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Programs and the DLL carry their own C and C++ runtime (and winpthread), so nothing from mingw has to
# sit beside them on Windows or under Wine. libz-mingw-w64-dev ships both an import library and a static
# one; the static one keeps zlib inside the binary too.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(ZLIB_USE_STATIC_LIBS ON)
