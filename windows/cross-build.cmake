# Included right after the top-level project() of a mingw-w64 cross build
# (-DCMAKE_PROJECT_gannet_toolchain_INCLUDE=windows/cross-build.cmake).
# Debian packages GoogleTest and nlohmann-json for the build machine only, so
# the cross build makes its own: GoogleTest from the sources Debian ships, and
# the JSON headers searched after mingw's own headers so those still win.
if(NOT DEFINED GANNET_BUILD_TESTS OR GANNET_BUILD_TESTS)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
endif()

# find_package() then finds the stand-ins of windows/cmake/ for these.
set(GTest_DIR ${CMAKE_CURRENT_LIST_DIR}/cmake CACHE PATH "" FORCE)
set(nlohmann_json_DIR ${CMAKE_CURRENT_LIST_DIR}/cmake CACHE PATH "" FORCE)
