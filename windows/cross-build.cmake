# Included right after the top-level project() of a mingw-w64 cross build
# (-DCMAKE_PROJECT_gannet_toolchain_INCLUDE=windows/cross-build.cmake).
# Debian packages GoogleTest for the build machine only, so the cross build
# compiles it from the sources Debian ships, and find_package(GTest) finds
# the stand-in package of windows/cmake/ for those targets.
if(NOT DEFINED GANNET_BUILD_TESTS OR GANNET_BUILD_TESTS)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
endif()
set(GTest_DIR ${CMAKE_CURRENT_LIST_DIR}/cmake CACHE PATH "" FORCE)
