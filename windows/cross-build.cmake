# Included right after the top-level project() of a mingw-w64 cross build
# (-DCMAKE_PROJECT_gannet_toolchain_INCLUDE=windows/cross-build.cmake).
# Debian packages GoogleTest, nlohmann-json and stb for the build machine
# only, so the cross build makes its own: GoogleTest from the sources Debian
# ships, and the header-only libraries through -idirafter /usr/include so
# that mingw's own C and C++ headers still win over the build machine's.
if(NOT DEFINED GANNET_BUILD_TESTS OR GANNET_BUILD_TESTS)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
endif()

# find_package() then finds the stand-ins of windows/cmake/ for these.
set(GTest_DIR ${CMAKE_CURRENT_LIST_DIR}/cmake CACHE PATH "" FORCE)
set(nlohmann_json_DIR ${CMAKE_CURRENT_LIST_DIR}/cmake CACHE PATH "" FORCE)

# Stands in for the libstb that the substitute host links natively.
add_library(gannet_cross_stb STATIC EXCLUDE_FROM_ALL ${CMAKE_CURRENT_LIST_DIR}/stb_implementation.c)
target_compile_options(gannet_cross_stb PUBLIC -idirafter /usr/include)
set(GANNET_STB_LIBRARY gannet_cross_stb CACHE STRING "" FORCE)
