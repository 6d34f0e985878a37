# Stand-in package for the cross build: the targets come from the GoogleTest
# sources that windows/cross-build.cmake adds.
set(GTest_FOUND FALSE)
if(TARGET GTest::gtest AND TARGET GTest::gtest_main)
  set(GTest_FOUND TRUE)
endif()
