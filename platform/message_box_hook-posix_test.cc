// A program that defines ClayHostMessageBox answers every box itself.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/host_hook.h"
#include "platform/message_box.h"

namespace {

struct Shown {
  std::string caption, text;
  int buttons;
};
std::vector<Shown> g_shown;
int g_answer = 0;

}  // namespace

extern "C" int ClayHostMessageBox(const char* caption, const char* text, int buttons) {
  g_shown.push_back({caption, text, buttons});
  return g_answer;
}

namespace platform {
namespace {

TEST(HostMessageBoxTest, HookGetsTheBoxAndItsButtonCode) {
  g_shown.clear();
  g_answer = 1;
  SetMessageCaption("Gannet");
  ShowMessage("Export done");
  g_answer = 7;
  EXPECT_EQ(ShowMessageBox("Skerry", "Go on?", Buttons::kYesNo), Answer::kNo);
  g_answer = 2;
  EXPECT_EQ(ShowMessageBox("Gannet", "Launch NO$PSX?", Buttons::kYesNoCancel), Answer::kCancel);
  ASSERT_EQ(g_shown.size(), 3u);
  EXPECT_EQ(g_shown[0].caption, "Gannet");
  EXPECT_EQ(g_shown[0].text, "Export done");
  EXPECT_EQ(g_shown[0].buttons, 0);
  EXPECT_EQ(g_shown[1].buttons, 1);
  EXPECT_EQ(g_shown[2].buttons, 2);
}

TEST(HostMessageBoxTest, HookAnswersMapToButtons) {
  g_answer = 6;
  EXPECT_EQ(ShowMessageBox("c", "t", Buttons::kYesNoCancel), Answer::kYes);
  g_answer = 1;
  EXPECT_EQ(ShowMessageBox("c", "t", Buttons::kOk), Answer::kOk);
  // An answer no box has counts as the first button.
  g_answer = 42;
  EXPECT_EQ(ShowMessageBox("c", "t", Buttons::kYesNo), Answer::kYes);
  EXPECT_EQ(ShowMessageBox("c", "t", Buttons::kOk), Answer::kOk);
}

}  // namespace
}  // namespace platform
