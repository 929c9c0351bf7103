# Cross builds have no GoogleTest libraries for the target, so this replaces CMake's own FindGTest there:
# it builds GoogleTest from Debian's source package (googletest, in /usr/src/googletest) with the target
# compilers and offers the same GTest::gtest, GTest::gtest_main, GTest::gmock and GTest::gmock_main
# targets that the native package provides.
set(MORVANE_GOOGLETEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest source tree built for cross builds")

if(NOT TARGET GTest::gtest)
  if(NOT EXISTS ${MORVANE_GOOGLETEST_SOURCE}/googletest/CMakeLists.txt)
    message(FATAL_ERROR "GoogleTest sources not found in ${MORVANE_GOOGLETEST_SOURCE}; "
                        "install the googletest package (scripts/setup does)")
  endif()
  set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
  add_subdirectory(${MORVANE_GOOGLETEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
endif()

set(GTest_FOUND TRUE)
set(GTEST_FOUND TRUE)
set(GTEST_LIBRARIES GTest::gtest)
set(GTEST_MAIN_LIBRARIES GTest::gtest_main)
set(GTEST_BOTH_LIBRARIES GTest::gtest GTest::gtest_main)
