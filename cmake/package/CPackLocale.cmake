# Read by cpack before it packs: the sounds' names are Chinese, and CMake's archive writer reads and
# stores them through the locale, which must therefore be a UTF-8 one (C.UTF-8 is on every Debian).
set(locale "$ENV{LC_ALL}")
if(locale STREQUAL "")
  set(locale "$ENV{LC_CTYPE}")
endif()
if(locale STREQUAL "")
  set(locale "$ENV{LANG}")
endif()
if(NOT locale MATCHES "[Uu][Tt][Ff]-?8")
  message(FATAL_ERROR "The package's sound names need a UTF-8 locale, this one is '${locale}': "
                      "run with LC_ALL=C.UTF-8")
endif()
