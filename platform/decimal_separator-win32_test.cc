#include <windows.h>

#include <gtest/gtest.h>

#include "platform/decimal_separator.h"

namespace platform {
namespace {

TEST(DecimalSeparatorWin32, IsTheUserSetting) {
  char expected[4] = {};
  ASSERT_GT(GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, expected, sizeof(expected)), 0);
  EXPECT_EQ(ReadUserDecimalSeparator(), expected[0]);
}

}  // namespace
}  // namespace platform
