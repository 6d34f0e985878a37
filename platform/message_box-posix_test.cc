// Without a host hook the box falls back to the terminal.
#include <gtest/gtest.h>

#include <cstdio>

#include "platform/message_box.h"

namespace platform {
namespace {

class TerminalMessageBoxTest : public ::testing::Test {
 protected:
  // A test run must never wait for a person: standard input at its end.
  void SetUp() override { ASSERT_NE(std::freopen("/dev/null", "r", stdin), nullptr); }
};

TEST_F(TerminalMessageBoxTest, WithoutAnAnswerTheFirstButtonIsTaken) {
  testing::internal::CaptureStderr();
  EXPECT_EQ(ShowMessageBox("Gannet", "Launch NO$PSX?", Buttons::kYesNoCancel), Answer::kYes);
  EXPECT_EQ(ShowMessageBox("Gannet", "Bad export data!", Buttons::kYesNo), Answer::kYes);
  EXPECT_EQ(ShowMessageBox("Gannet", "done", Buttons::kOk), Answer::kOk);
  const std::string shown = testing::internal::GetCapturedStderr();
  EXPECT_NE(shown.find("--- Gannet ---\nLaunch NO$PSX?\n[Y]es / [N]o / [C]ancel?"),
            std::string::npos)
      << shown;
  EXPECT_NE(shown.find("done\n[OK]"), std::string::npos) << shown;
}

TEST_F(TerminalMessageBoxTest, ShowMessageUsesThePluginCaption) {
  SetMessageCaption("Skerry");
  testing::internal::CaptureStderr();
  ShowMessage("ERROR: something");
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "--- Skerry ---\nERROR: something\n[OK] \n");
}

}  // namespace
}  // namespace platform
