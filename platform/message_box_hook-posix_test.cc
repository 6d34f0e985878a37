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
}

// A host that could not show the box answers with a code the box does not
// offer: that is no answer, and the box gets the one that starts nothing.
TEST(HostMessageBoxTest, AnswersTheBoxDoesNotOfferStartNothing) {
  g_answer = 42;
  EXPECT_EQ(ShowMessageBox("c", "t", Buttons::kYesNoCancel), Answer::kCancel);
  EXPECT_EQ(ShowMessageBox("c", "t", Buttons::kYesNo), Answer::kNo);
  EXPECT_EQ(ShowMessageBox("c", "t", Buttons::kOk), Answer::kOk);
  g_answer = 0;
  EXPECT_EQ(ShowMessageBox("c", "t", Buttons::kYesNoCancel), Answer::kCancel);
  g_answer = 2;  // Cancel
  EXPECT_EQ(ShowMessageBox("c", "t", Buttons::kYesNo), Answer::kNo);
  g_answer = 1;  // OK
  EXPECT_EQ(ShowMessageBox("c", "t", Buttons::kYesNoCancel), Answer::kCancel);
  g_answer = 6;  // Yes
  EXPECT_EQ(ShowMessageBox("c", "t", Buttons::kOk), Answer::kOk);
}

}  // namespace
}  // namespace platform
