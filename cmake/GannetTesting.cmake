# Test helpers shared by every folder: gannet_add_test(NAME SOURCES... LIBS ...
# [LABELS ...]) builds one GoogleTest executable and registers its cases with
# ctest, with the labels given (the emulator stage's tests carry "emulator").
# Without GoogleTest the tests are left out, so that building the programs
# needs nothing but their own libraries.
if(GANNET_BUILD_TESTS)
  find_package(GTest QUIET)
  if(GTest_FOUND)
    enable_testing()
    include(GoogleTest)
  else()
    message(STATUS "GoogleTest not found: the tests are left out")
    set(GANNET_BUILD_TESTS OFF)
  endif()
endif()

function(gannet_add_test name)
  if(NOT GANNET_BUILD_TESTS)
    return()
  endif()
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS;LABELS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gtest_main)
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES TIMEOUT 300 LABELS "${ARG_LABELS}")
endfunction()
