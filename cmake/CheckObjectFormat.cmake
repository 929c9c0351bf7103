# Checks the architecture of what a Windows cross build produced, with the target's objdump:
# every object inside the static libraries must be of the object format FORMAT (pe-i386, pe-x86-64), and
# every program must be a PE image of the same machine that imports no mingw runtime DLL. With
# -DFLOATING_POINT=sse2 the libraries' code must also do its floating-point arithmetic with SSE2, not
# with the x87 unit: what -msse2 -mfpmath=sse make of it (see cmake/toolchains/mingw-i686.cmake).
#   cmake -DOBJDUMP=<objdump> -DFORMAT=<format> -DLIBRARIES=<a;b> -DPROGRAMS=<x;y> [-DFLOATING_POINT=sse2]
#         -P CheckObjectFormat.cmake
# A missing file is a failure: the check is only worth something on a finished build.
if(NOT OBJDUMP OR NOT FORMAT OR (NOT LIBRARIES AND NOT PROGRAMS))
  message(FATAL_ERROR "usage: cmake -DOBJDUMP=... -DFORMAT=... -DLIBRARIES=... -DPROGRAMS=... -P ${CMAKE_CURRENT_LIST_FILE}")
endif()

function(objdump_of file option out)
  if(NOT EXISTS "${file}")
    message(FATAL_ERROR "${file} does not exist: the build is missing or incomplete")
  endif()
  execute_process(COMMAND ${OBJDUMP} ${option} "${file}" RESULT_VARIABLE result OUTPUT_VARIABLE text
                  ERROR_VARIABLE errors)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "${OBJDUMP} ${option} ${file} failed: ${errors}")
  endif()
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

set(objects 0)
foreach(library IN LISTS LIBRARIES)
  objdump_of("${library}" -f text)
  string(REGEX MATCHALL "[^\n]+:[ \t]+file format [^\n]+" members "${text}")
  if(NOT members)
    message(FATAL_ERROR "${library} holds no objects")
  endif()
  foreach(member IN LISTS members)
    string(REGEX REPLACE "^(.+):[ \t]+file format (.+)$" "\\1" name "${member}")
    string(REGEX REPLACE "^(.+):[ \t]+file format (.+)$" "\\2" format "${member}")
    if(NOT format STREQUAL FORMAT)
      message(FATAL_ERROR "${library}: ${name} is ${format}, expected ${FORMAT}")
    endif()
    math(EXPR objects "${objects} + 1")
  endforeach()
endforeach()

# Programs are images: objdump calls their format pei-* where objects are pe-*.
string(REGEX REPLACE "^pe-" "pei-" image_format "${FORMAT}")
foreach(program IN LISTS PROGRAMS)
  objdump_of("${program}" -p text)
  if(NOT text MATCHES "file format ${image_format}\n")
    string(REGEX MATCH "file format [^\n]+" found "${text}")
    message(FATAL_ERROR "${program}: ${found}, expected file format ${image_format}")
  endif()
  string(REGEX MATCHALL "DLL Name: [^\n]+" imports "${text}")
  foreach(import IN LISTS imports)
    if(import MATCHES "libstdc\\+\\+|libgcc|libwinpthread|zlib1|libpng|libjpeg")
      message(FATAL_ERROR "${program} needs a DLL that does not ship with it (${import}); "
                          "the runtime and libraries must be linked statically")
    endif()
  endforeach()
endforeach()

if(FLOATING_POINT STREQUAL "sse2")
  set(x87 "")
  set(sse2 0)
  foreach(library IN LISTS LIBRARIES)
    # The disassembly is large: awk reads it and hands over only what it found.
    execute_process(COMMAND ${OBJDUMP} -d --no-show-raw-insn "${library}"
                    COMMAND awk -f ${CMAKE_CURRENT_LIST_DIR}/FloatingPoint.awk
                    RESULTS_VARIABLE results OUTPUT_VARIABLE report ERROR_VARIABLE errors)
    if(NOT results STREQUAL "0;0")
      message(FATAL_ERROR "disassembling ${library} failed (${results}): ${errors}")
    endif()
    string(REGEX MATCHALL "x87 [^\n]+" found "${report}")
    foreach(line IN LISTS found)
      string(APPEND x87 "\n  ${library}: ${line}")
    endforeach()
    string(REGEX MATCH "sse2 ([0-9]+)" ignored "${report}")
    math(EXPR sse2 "${sse2} + ${CMAKE_MATCH_1}")
  endforeach()
  if(NOT x87 STREQUAL "")
    message(FATAL_ERROR "x87 arithmetic where SSE2 is wanted (object, function, instruction):${x87}\n"
                        "The i686 build compiles with -msse2 -mfpmath=sse (cmake/toolchains/mingw-i686.cmake); "
                        "a build folder configured before that keeps its old flags: delete its CMakeCache.txt.")
  endif()
  if(sse2 EQUAL 0)
    message(FATAL_ERROR "no SSE2 instruction in any of the libraries: they are not built for SSE2")
  endif()
  message(STATUS "no x87 arithmetic and ${sse2} SSE2 instructions in the libraries")
endif()

list(LENGTH LIBRARIES library_count)
list(LENGTH PROGRAMS program_count)
message(STATUS "${objects} objects in ${library_count} libraries and ${program_count} programs are ${FORMAT}")
