# Helpers shared by every folder: warnings, the GBK execution character set, one static library per layer
# and one test program per layer.

function(morvane_project_options target)
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    # Literals are GBK at run time, as the host and the server carry text.
    target_compile_options(${target} PRIVATE -Wall -Wextra -Werror -fexec-charset=GBK)
    if(CMAKE_CXX_COMPILER_VERSION VERSION_GREATER_EQUAL 12 AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
      # GCC 12 at -O3 reports a bogus overlap inside std::string for "x" + std::string(...) (GCC bug
      # 105651), which breaks every optimised build, native and mingw alike.
      target_compile_options(${target} PRIVATE -Wno-restrict)
      # At -O2 and above it also reports writes past the end of a vector being grown by push_back or
      # insert (GCC bugs 106199 and 107852): those stay visible as warnings but do not fail the build.
      target_compile_options(${target} PRIVATE
        $<$<NOT:$<CONFIG:Debug>>:-Wno-error=array-bounds -Wno-error=stringop-overflow>)
    endif()
  else()
    target_compile_options(${target} PRIVATE -Wall -Wextra -Werror -Wno-unused-command-line-argument)
  endif()
endfunction()

# morvane_layer(NAME folder DEPENDS lib... [EXCLUDE regex...] [EXTRA_SOURCES file...])
function(morvane_layer name)
  cmake_parse_arguments(ARG "" "FOLDER" "DEPENDS;EXCLUDE;EXTRA_SOURCES" ${ARGN})
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${ARG_FOLDER}/*.cpp)
  foreach(pattern IN LISTS ARG_EXCLUDE)
    list(FILTER sources EXCLUDE REGEX "${pattern}")
  endforeach()
  if(NOT sources AND NOT ARG_EXTRA_SOURCES)
    # A layer with nothing in it yet still carries its dependencies.
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${CMAKE_SOURCE_DIR}/src)
    target_link_libraries(${name} INTERFACE ${ARG_DEPENDS})
    return()
  endif()
  add_library(${name} STATIC ${sources} ${ARG_EXTRA_SOURCES})
  target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC ${ARG_DEPENDS})
  morvane_project_options(${name})
endfunction()

# morvane_test(NAME folder DEPENDS lib... [LABELS label...])
function(morvane_test name)
  cmake_parse_arguments(ARG "" "FOLDER" "DEPENDS;LABELS" ${ARGN})
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${ARG_FOLDER}/*.cpp)
  if(NOT sources)
    return()
  endif()
  add_executable(${name} ${sources})
  target_link_libraries(${name} PRIVATE ${ARG_DEPENDS} morvane_test_support GTest::gtest GTest::gmock)
  morvane_project_options(${name})
  if(CMAKE_CROSSCOMPILING)
    # A cross build runs its test programs only where it has an emulator (win64: Wine, which starts in
    # about two seconds, so each program is one CTest test). The programs share one Wine prefix and run
    # one at a time in it.
    if(CMAKE_CROSSCOMPILING_EMULATOR)
      add_test(NAME ${name} COMMAND ${name} --gtest_color=no WORKING_DIRECTORY ${CMAKE_BINARY_DIR})
      set_tests_properties(${name} PROPERTIES LABELS "${ARG_LABELS};wine" TIMEOUT 600 RESOURCE_LOCK wine_prefix)
    endif()
  else()
    gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST PROPERTIES LABELS "${ARG_LABELS}"
                         WORKING_DIRECTORY ${CMAKE_BINARY_DIR})
  endif()
endfunction()
