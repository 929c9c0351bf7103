# The package a hall installs: `cmake --build --preset win32 --target package` writes
# Morvane-<file version>-win32.zip (the win64 preset the same for 64-bit Windows) with the library, its
# sound and icon folders, the game's option file, a README for hall operators and the notices of the
# libraries linked into the library. `cmake --install <build> --prefix <folder>` lays out the same files
# in a folder. Included by the top-level CMakeLists.txt in cross builds, after the library's target.

find_package(Python3 REQUIRED COMPONENTS Interpreter)

# What README.txt says of the player's computer, two lines of it.
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  set(MORVANE_PACKAGE_ARCH win32)
  set(MORVANE_PACKAGE_BITS 32)
  set(MORVANE_PACKAGE_CPU "An x86 processor with SSE2: a Pentium 4, an Athlon 64 or any later one (all")
  set(MORVANE_PACKAGE_CPU_MORE "that Windows 8 runs on). The library is compiled for SSE2: no older one runs it.")
else()
  set(MORVANE_PACKAGE_ARCH win64)
  set(MORVANE_PACKAGE_BITS 64)
  set(MORVANE_PACKAGE_CPU "An x86-64 processor (every one has the SSE2 instructions the library is")
  set(MORVANE_PACKAGE_CPU_MORE "compiled for).")
endif()
set(MORVANE_PACKAGE_NAME Morvane-${MORVANE_FILE_VERSION}-${MORVANE_PACKAGE_ARCH})
set(MORVANE_PACKAGE_FILE ${CMAKE_BINARY_DIR}/${MORVANE_PACKAGE_NAME}.zip)

# The game's option file comes from the native build, where the simulators' own copy is written from.
set(MORVANE_PACKAGE_INI ${MORVANE_NATIVE_BUILD}/hall/${MORVANE_COMMENTS}.ini)

configure_file(${CMAKE_SOURCE_DIR}/cmake/package/README.txt.in ${CMAKE_BINARY_DIR}/package/README.txt
               @ONLY NEWLINE_STYLE CRLF)

install(FILES $<TARGET_FILE:morvane_dll> ${CMAKE_BINARY_DIR}/package/README.txt DESTINATION .)
# The shipped library carries no symbol table or debugging sections (the static runtime brings some);
# its exports are the four entry points of its export table.
install(CODE "
  execute_process(COMMAND \"${CMAKE_STRIP}\" --strip-all \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/Morvane.dll\"
                  RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR \"Morvane.dll could not be stripped\")
  endif()
")
install(CODE "
  execute_process(
    COMMAND \"${Python3_EXECUTABLE}\" \"${CMAKE_SOURCE_DIR}/cmake/package/install-hall-files.py\"
            --dest \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}\" --game-id \"${MORVANE_COMMENTS}\"
            --assets \"${CMAKE_BINARY_DIR}/assets/out\" --ini \"${MORVANE_PACKAGE_INI}\"
            --deps \"${MORVANE_DEPS}\" --triplet \"${MORVANE_MINGW_TRIPLET}\"
    RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR \"the hall's files could not be installed\")
  endif()
")

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME Morvane)
set(CPACK_PACKAGE_VENDOR "${MORVANE_COMPANY_NAME}")
set(CPACK_PACKAGE_VERSION ${MORVANE_FILE_VERSION})
set(CPACK_PACKAGE_FILE_NAME ${MORVANE_PACKAGE_NAME})
# Everything inside one folder named like the package, which a hall copies as a whole.
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR})
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_SOURCE_DIR}/cmake/package/CPackLocale.cmake)
set(CPACK_SOURCE_GENERATOR "")
include(CPack)

# The package's own checks, run on the build machine: the package target as a fixture that makes the
# package, then its contents against what the library needs beside it. The Wine test of an installed
# package (tests/wine) requires the same fixture.
add_test(NAME package_build
         COMMAND ${CMAKE_COMMAND} -E env LC_ALL=C.UTF-8 ${CMAKE_COMMAND} --build ${CMAKE_BINARY_DIR} --target package)
set_tests_properties(package_build PROPERTIES FIXTURES_SETUP hall_package LABELS package TIMEOUT 600)
set(check_package ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/scripts/check-package
    --game-id ${MORVANE_COMMENTS} --version ${MORVANE_FILE_VERSION} --arch ${MORVANE_PACKAGE_ARCH}
    --sounds ${CMAKE_BINARY_DIR}/assets/out/Sound/${MORVANE_COMMENTS})
add_test(NAME package_contents COMMAND ${check_package} ${MORVANE_PACKAGE_FILE})
set_tests_properties(package_contents PROPERTIES FIXTURES_REQUIRED hall_package LABELS package)
# The check must find a package that lacks a sound, names one in GBK bytes, carries a DLL of the other
# architecture or a stray file, or an option file with Unix line ends.
add_test(NAME package_check_finds_faults
         COMMAND ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/cmake/package/check-package-faults.py
                 ${MORVANE_PACKAGE_FILE} ${CMAKE_BINARY_DIR}/package-faults ${check_package})
set_tests_properties(package_check_finds_faults PROPERTIES FIXTURES_REQUIRED hall_package LABELS package)
