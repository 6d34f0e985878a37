# The console program (console/), built with the cross compiler when it is
# there: a project of its own under the cross toolchain, configured and built
# as a step of this build, so that the host build stays one configure. Its
# image lands beside psxview in the build tree, where psxview looks for it.
find_program(GANNET_CONSOLE_CXX mipsel-linux-gnu-g++)
if(NOT GANNET_CONSOLE_CXX)
  message(STATUS "mipsel-linux-gnu-g++ not found: the console program (psxview's viewer.bin) "
                 "is left out (scripts/setup.sh installs it)")
  return()
endif()

include(ExternalProject)
set(GANNET_VIEWER_IMAGE ${PROJECT_BINARY_DIR}/tools/psxview/viewer.bin)
ExternalProject_Add(console_program
  SOURCE_DIR ${PROJECT_SOURCE_DIR}/console
  BINARY_DIR ${PROJECT_BINARY_DIR}/console
  CMAKE_ARGS
    -DCMAKE_TOOLCHAIN_FILE=${PROJECT_SOURCE_DIR}/cmake/toolchains/mipsel-console.cmake
    -DCMAKE_BUILD_TYPE=Release
    -DGANNET_WARNINGS_AS_ERRORS=${GANNET_WARNINGS_AS_ERRORS}
    -DGANNET_VIEWER_OUTPUT=${GANNET_VIEWER_IMAGE}
  BUILD_ALWAYS ON
  BUILD_BYPRODUCTS ${GANNET_VIEWER_IMAGE}
  INSTALL_COMMAND "")
