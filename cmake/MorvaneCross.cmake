# Settings that only the Windows cross builds need; included from the top-level CMakeLists.txt after
# project(), before any package is looked up.

# Without the static libpng and libjpeg for the target, find_package would only say "could not find PNG".
foreach(lib libpng16.a libjpeg.a)
  if(NOT EXISTS ${MORVANE_DEPS}/${MORVANE_MINGW_TRIPLET}/lib/${lib})
    message(FATAL_ERROR "${MORVANE_DEPS}/${MORVANE_MINGW_TRIPLET}/lib/${lib} is missing: run scripts/setup "
                        "(or scripts/build-mingw-deps ${MORVANE_DEPS}) first")
  endif()
endforeach()

# 32-bit Windows programs run under the WoW64 Wine that scripts/build-wine-wow64 builds into the cache:
# Debian's Wine on this machine runs only 64-bit ones. Without it the win32 build's Wine tests are not
# defined, and scripts/test says so.
if(CMAKE_SYSTEM_PROCESSOR STREQUAL "i686" AND NOT CMAKE_CROSSCOMPILING_EMULATOR)
  if(EXISTS ${MORVANE_DEPS}/wine-wow64/.morvane-built AND EXISTS ${MORVANE_DEPS}/wine-wow64/bin/wine)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_SOURCE_DIR}/scripts/wine-run)
    message(STATUS "32-bit Windows tests run under ${MORVANE_DEPS}/wine-wow64")
  else()
    message(STATUS "No WoW64 Wine in ${MORVANE_DEPS}/wine-wow64: the 32-bit Windows tests are only built")
  endif()
endif()

# GoogleTest is built from source for the target (see cross/FindGTest.cmake).
list(PREPEND CMAKE_MODULE_PATH ${CMAKE_CURRENT_LIST_DIR}/cross)

# morvane_check_object_format(): adds a CTest test, run on the build machine, that checks with the target's
# objdump that the project's static libraries and programs really are of the target architecture (and, on
# i686, that the libraries do their floating-point arithmetic with SSE2), and tests that prove the check
# rejects the other architecture and x87 arithmetic. Call it after every target is defined.
function(morvane_check_object_format)
  find_program(MORVANE_OBJDUMP ${MORVANE_MINGW_TRIPLET}-objdump REQUIRED)
  if(CMAKE_SYSTEM_PROCESSOR STREQUAL "x86_64")
    set(format pe-x86-64)
    set(other pe-i386)
    # SSE2 is part of x86-64; the compiler never uses the x87 unit for double there.
    set(floating_point "")
  else()
    set(format pe-i386)
    set(other pe-x86-64)
    set(floating_point sse2)
  endif()
  set(libraries "")
  set(programs "")
  foreach(dir ${CMAKE_SOURCE_DIR}/src ${CMAKE_SOURCE_DIR}/src/dll ${CMAKE_SOURCE_DIR}/tests ${CMAKE_SOURCE_DIR}/host
              ${CMAKE_SOURCE_DIR}/host/server ${CMAKE_SOURCE_DIR}/host/tablesim ${CMAKE_SOURCE_DIR}/host/tablesim/win)
    get_property(targets DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
    foreach(target IN LISTS targets)
      get_target_property(type ${target} TYPE)
      if(type STREQUAL "STATIC_LIBRARY")
        list(APPEND libraries "$<TARGET_FILE:${target}>")
      elseif(type STREQUAL "EXECUTABLE" OR type STREQUAL "SHARED_LIBRARY" OR type STREQUAL "MODULE_LIBRARY")
        list(APPEND programs "$<TARGET_FILE:${target}>")
      endif()
    endforeach()
  endforeach()
  string(REPLACE ";" "\\;" libraries "${libraries}")
  string(REPLACE ";" "\\;" programs "${programs}")
  set(check ${CMAKE_COMMAND} -DOBJDUMP=${MORVANE_OBJDUMP} "-DLIBRARIES=${libraries}" "-DPROGRAMS=${programs}")
  add_test(NAME object_format_is_${format}
           COMMAND ${check} -DFORMAT=${format} -DFLOATING_POINT=${floating_point}
                   -P ${CMAKE_SOURCE_DIR}/cmake/CheckObjectFormat.cmake)
  add_test(NAME object_format_check_rejects_${other}
           COMMAND ${check} -DFORMAT=${other} -P ${CMAKE_SOURCE_DIR}/cmake/CheckObjectFormat.cmake)
  set_tests_properties(object_format_is_${format} PROPERTIES LABELS object-format)
  set_tests_properties(object_format_check_rejects_${other} PROPERTIES LABELS object-format
                       PASS_REGULAR_EXPRESSION "is[ \t\n]+${format},[ \t\n]+expected[ \t\n]+${other}")
  if(floating_point STREQUAL "sse2")
    # A library compiled for the x87 unit: the check must name its arithmetic.
    add_library(morvane_x87_probe STATIC ${CMAKE_SOURCE_DIR}/cmake/X87Probe.cpp)
    target_compile_options(morvane_x87_probe PRIVATE -mfpmath=387 -mno-sse)
    add_test(NAME object_format_check_rejects_x87
             COMMAND ${CMAKE_COMMAND} -DOBJDUMP=${MORVANE_OBJDUMP} -DLIBRARIES=$<TARGET_FILE:morvane_x87_probe>
                     -DFORMAT=${format} -DFLOATING_POINT=sse2 -P ${CMAKE_SOURCE_DIR}/cmake/CheckObjectFormat.cmake)
    set_tests_properties(object_format_check_rejects_x87 PROPERTIES LABELS object-format
                         PASS_REGULAR_EXPRESSION "x87[ \t\n]+arithmetic[ \t\n]+where[ \t\n]+SSE2[ \t\n]+is[ \t\n]+wanted")
  endif()
  # The library exports exactly the four entry points of a COM server and imports only Windows' own DLLs.
  add_test(NAME dll_exports_and_imports
           COMMAND ${CMAKE_COMMAND} -DOBJDUMP=${MORVANE_OBJDUMP} -DDLL=$<TARGET_FILE:morvane_dll>
                   -P ${CMAKE_SOURCE_DIR}/cmake/CheckDllImage.cmake)
  set_tests_properties(dll_exports_and_imports PROPERTIES LABELS object-format)
  if(TARGET wine_com_host)
    # The same check on a program, which is no DLL and exports nothing, must fail.
    add_test(NAME dll_check_rejects_a_program
             COMMAND ${CMAKE_COMMAND} -DOBJDUMP=${MORVANE_OBJDUMP} -DDLL=$<TARGET_FILE:wine_com_host>
                     -P ${CMAKE_SOURCE_DIR}/cmake/CheckDllImage.cmake)
    set_tests_properties(dll_check_rejects_a_program PROPERTIES LABELS object-format
                         PASS_REGULAR_EXPRESSION "is[ \t\n]+not[ \t\n]+marked[ \t\n]+as[ \t\n]+a[ \t\n]+DLL")
  endif()
endfunction()
