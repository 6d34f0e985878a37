#include <windows.h>

#include <gtest/gtest.h>

#include "platform/message_box.h"

namespace platform {
namespace {

// The test runs headless, where MessageBoxA fails at once (wine answers -1):
// such a box must not count as a "Yes" to a question that would start
// something.
TEST(MessageBoxWin32, BoxThatCannotBeShownStartsNothing) {
  if (MessageBoxA(nullptr, "probe", "probe", MB_OK) > 0) {
    GTEST_SKIP() << "a display is present; boxes would wait for a user";
  }
  EXPECT_EQ(ShowMessageBox("Gannet", "Launch NO$PSX?", Buttons::kYesNoCancel), Answer::kCancel);
  EXPECT_EQ(ShowMessageBox("Gannet", "question", Buttons::kYesNo), Answer::kNo);
  EXPECT_EQ(ShowMessageBox("Gannet", "note", Buttons::kOk), Answer::kOk);
}

}  // namespace
}  // namespace platform
