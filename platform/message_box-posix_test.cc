// Without a host hook the box falls back to the terminal.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <iostream>
#include <string>

#include "platform/message_box.h"

namespace platform {
namespace {

class TerminalMessageBoxTest : public ::testing::Test {
 protected:
  // A test run must never wait for a person: standard input at its end.
  void SetUp() override { ASSERT_NE(std::freopen("/dev/null", "r", stdin), nullptr); }
};

// Nobody answered: the answer that starts nothing, never the emulator.
TEST_F(TerminalMessageBoxTest, WithoutAnAnswerNothingIsStarted) {
  testing::internal::CaptureStderr();
  EXPECT_EQ(ShowMessageBox("Gannet", "Launch NO$PSX?", Buttons::kYesNoCancel), Answer::kCancel);
  EXPECT_EQ(ShowMessageBox("Gannet", "Bad export data!", Buttons::kYesNo), Answer::kNo);
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

// Standard input on a pseudo-terminal whose other end the test types into.
class TypedAnswersTest : public ::testing::Test {
 protected:
  void SetUp() override {
    master_ = posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_GE(master_, 0);
    ASSERT_EQ(grantpt(master_), 0);
    ASSERT_EQ(unlockpt(master_), 0);
    const int terminal = open(ptsname(master_), O_RDWR | O_NOCTTY);
    ASSERT_GE(terminal, 0);
    saved_stdin_ = dup(STDIN_FILENO);
    ASSERT_EQ(dup2(terminal, STDIN_FILENO), STDIN_FILENO);
    close(terminal);
    std::clearerr(stdin);
    std::cin.clear();
  }
  void TearDown() override {
    dup2(saved_stdin_, STDIN_FILENO);
    close(saved_stdin_);
    close(master_);
    std::clearerr(stdin);
    std::cin.clear();
  }
  void Type(const std::string& keys) {
    ASSERT_EQ(write(master_, keys.data(), keys.size()), static_cast<ssize_t>(keys.size()));
  }
  int master_ = -1;
  int saved_stdin_ = -1;
};

TEST_F(TypedAnswersTest, AsksAgainUntilTheReplyNamesAButton) {
  testing::internal::CaptureStderr();
  Type("maybe\nN\n");
  EXPECT_EQ(ShowMessageBox("Gannet", "Launch NO$PSX?", Buttons::kYesNoCancel), Answer::kNo);
  // Cancel is no answer to a Yes/No question.
  Type("c\nyes\n");
  EXPECT_EQ(ShowMessageBox("Gannet", "Bad export data!", Buttons::kYesNo), Answer::kYes);
  Type("C\n");
  EXPECT_EQ(ShowMessageBox("Gannet", "Launch NO$PSX?", Buttons::kYesNoCancel), Answer::kCancel);
  Type("\n");
  EXPECT_EQ(ShowMessageBox("Gannet", "done", Buttons::kOk), Answer::kOk);
  const std::string shown = testing::internal::GetCapturedStderr();
  EXPECT_NE(shown.find("[Y]es / [N]o / [C]ancel? [Y]es / [N]o / [C]ancel? "), std::string::npos)
      << shown;
}

}  // namespace
}  // namespace platform
