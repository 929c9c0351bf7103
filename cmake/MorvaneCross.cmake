# Settings that only the Windows cross builds need; included from the top-level CMakeLists.txt after
# project(), before any package is looked up.

# Without the static libpng and libjpeg for the target, find_package would only say "could not find PNG".
foreach(lib libpng16.a libjpeg.a)
  if(NOT EXISTS ${MORVANE_DEPS}/${MORVANE_MINGW_TRIPLET}/lib/${lib})
    message(FATAL_ERROR "${MORVANE_DEPS}/${MORVANE_MINGW_TRIPLET}/lib/${lib} is missing: run scripts/setup "
                        "(or scripts/build-mingw-deps ${MORVANE_DEPS}) first")
  endif()
endforeach()

# GoogleTest is built from source for the target (see cross/FindGTest.cmake).
list(PREPEND CMAKE_MODULE_PATH ${CMAKE_CURRENT_LIST_DIR}/cross)
