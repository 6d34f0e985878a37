#include <gtest/gtest.h>
#include <stdlib.h>

#include <clocale>
#include <cstring>
#include <filesystem>
#include <string>

#include "platform/decimal_separator.h"
#include "testing/program_run.h"
#include "testing/temp_folder.h"

// glibc's newlocale keeps the LOCPATH search list it builds for a locale
// loaded from there; the test's private locale folder would count as a leak.
extern "C" const char* __lsan_default_suppressions() {
  return "leak:argz_add_sep\n";
}

namespace platform {
namespace {

namespace fs = std::filesystem;

class DecimalSeparatorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* name : {"LC_ALL", "LC_NUMERIC", "LANG", "LOCPATH"}) {
      unsetenv(name);
    }
  }
  void TearDown() override { SetUp(); }
  // Compiles de_DE (comma separator) into a private folder; false when the
  // machine has no locale sources.
  bool MakeGermanLocale() {
    const std::string locale = (locales_ / "de_DE.UTF-8").string();
    if (gannet_testing::RunProgram({"localedef", "-i", "de_DE", "-f", "UTF-8", locale}).exit_code !=
        0) {
      return false;
    }
    setenv("LOCPATH", locales_.path().c_str(), 1);
    return true;
  }
  const gannet_testing::TempFolder locales_{"decimal_separator_test"};
};

TEST_F(DecimalSeparatorTest, PointWhenNothingIsSetOrTheLocaleIsUnknown) {
  EXPECT_EQ(ReadUserDecimalSeparator(), '.');
  setenv("LANG", "xx_NOWHERE.UTF-8", 1);
  EXPECT_EQ(ReadUserDecimalSeparator(), '.');
  setenv("LC_ALL", "C", 1);
  EXPECT_EQ(ReadUserDecimalSeparator(), '.');
}

TEST_F(DecimalSeparatorTest, FollowsLcAllThenLcNumericThenLang) {
  if (!MakeGermanLocale()) {
    GTEST_SKIP() << "no locale sources to build de_DE";
  }
  setenv("LANG", "de_DE.UTF-8", 1);
  EXPECT_EQ(ReadUserDecimalSeparator(), ',');
  setenv("LC_NUMERIC", "C", 1);
  EXPECT_EQ(ReadUserDecimalSeparator(), '.');
  setenv("LC_ALL", "de_DE.UTF-8", 1);
  EXPECT_EQ(ReadUserDecimalSeparator(), ',');
  // The process's own locale is untouched.
  EXPECT_STREQ(std::setlocale(LC_NUMERIC, nullptr), "C");
  EXPECT_STREQ(std::localeconv()->decimal_point, ".");
}

}  // namespace
}  // namespace platform
