#include "packer/options.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "packer/error_exit.h"
#include "packer/run_settings.h"

namespace morphon {
namespace {

void Read(std::vector<const char*> arguments) {
  arguments.insert(arguments.begin(), "morphon");
  ReadOptions(static_cast<int>(arguments.size()), arguments.data());
}

std::string RefusalOf(std::vector<const char*> arguments) {
  try {
    Read(std::move(arguments));
  } catch (const RunError& error) {
    EXPECT_FALSE(error.file.has_value());
    return error.message.value_or("");
  }
  return "accepted";
}

TEST(OptionsTest, DefaultsWhenNothingMatches) {
  Read({"go"});
  EXPECT_EQ(g_tweens, 0u);
  EXPECT_EQ(g_normals, 1);
  EXPECT_EQ(g_include_loopback, 0);
  EXPECT_EQ(g_min_max, 0);
  EXPECT_EQ(g_verbose, 0);
}

TEST(OptionsTest, EqualityOptionsTakeOnlyTheTwoForms) {
  Read({"-nn", "-MM", "-v"});
  EXPECT_EQ(g_normals, 0);
  EXPECT_EQ(g_min_max, 1);
  EXPECT_EQ(g_verbose, 1);
  Read({"-NN", "-mm", "-V"});
  EXPECT_EQ(g_normals, 0);
  EXPECT_EQ(g_min_max, 1);
  EXPECT_EQ(g_verbose, 1);
  Read({"-Nn", "-mM", "-vV", "-NNN"});
  EXPECT_EQ(g_normals, 1);
  EXPECT_EQ(g_min_max, 0);
  EXPECT_EQ(g_verbose, 0);
}

TEST(OptionsTest, LoopAndTweensAreFoundAnywhereInAnArgument) {
  Read({"-Loop"});
  EXPECT_EQ(g_include_loopback, 1);
  Read({"x-l"});
  EXPECT_EQ(g_include_loopback, 1);
  Read({"-T12"});
  EXPECT_EQ(g_tweens, 12u);
  Read({"-t2"});
  EXPECT_EQ(g_tweens, 2u);
  // One argument can set both; the number is read from its third character.
  Read({"-T5-L"});
  EXPECT_EQ(g_tweens, 5u);
  EXPECT_EQ(g_include_loopback, 1);
  Read({"x-t5"});
  EXPECT_EQ(g_tweens, 0u);
  Read({"-Tx7"});
  EXPECT_EQ(g_tweens, 0u);
}

TEST(OptionsTest, LaterTweenCountWinsAndOneMeansNone) {
  Read({"-T3", "-T5"});
  EXPECT_EQ(g_tweens, 5u);
  Read({"-T5", "-T1"});
  EXPECT_EQ(g_tweens, 0u);
  Read({"-T3", "-Tx"});
  EXPECT_EQ(g_tweens, 0u);
}

TEST(OptionsTest, OnlyTheFirstFiveArgumentsCount) {
  Read({"a", "b", "c", "d", "-T4", "-V"});
  EXPECT_EQ(g_tweens, 4u);
  EXPECT_EQ(g_verbose, 0);
}

TEST(OptionsTest, TweenNumberReadsLikeAtoi) {
  EXPECT_EQ(ReadTweenNumber("-T"), 0);
  EXPECT_EQ(ReadTweenNumber("-T  \t+42abc"), 42);
  EXPECT_EQ(ReadTweenNumber("-T-3"), -3);
  EXPECT_EQ(ReadTweenNumber("-T+-3"), 0);
  EXPECT_EQ(ReadTweenNumber("-T 0009"), 9);
  EXPECT_GT(ReadTweenNumber("-T99999999999999999999999"), 0);
}

TEST(OptionsTest, RefusesTweenCountsThatWouldWrap) {
  EXPECT_EQ(RefusalOf({"-T-1"}), "The -T tween count must not be negative.");
  EXPECT_EQ(RefusalOf({"-T4294967296"}), "The -T tween count does not fit in 32 bits.");
  EXPECT_EQ(RefusalOf({"-T4294967295"}), "accepted");
  EXPECT_EQ(RefusalOf({"-T-1", "-T3"}), "accepted");
  EXPECT_EQ(RefusalOf({"-T-0"}), "accepted");
}

}  // namespace
}  // namespace morphon
