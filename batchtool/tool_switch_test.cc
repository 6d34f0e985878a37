#include "batchtool/tool_switch.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "clayhost/served_scene.h"
#include "clayhost/testing/test_scene.h"
#include "testing/file_bytes.h"
#include "testing/temp_folder.h"

namespace batchtool {
namespace {

using clayhost::ServedScene;

// Drive C: of the plug-in is a scratch folder for each test.
class RunToolScriptTest : public ::testing::Test {
 protected:
  RunToolScriptTest() {
    setenv("GANNET_DRIVE_C", drive_.path().c_str(), 1);
    services_.show_message = [this](const std::string& text) { messages_.push_back(text); };
    services_.run_command = [this](const std::string& command, const std::string&) {
      commands_.push_back(command);
      return std::string();
    };
  }
  ~RunToolScriptTest() override { unsetenv("GANNET_DRIVE_C"); }

  void PutScript(const std::string& folder, const std::string& text) {
    gannet_testing::WriteBytes(drive_.path() / folder / "SkerryScript.txt", text);
  }

  std::int32_t Run() {
    ServedScene host(scene_);
    const std::int32_t result =
        RunToolScript(host.api(), ServedScene::handle(), services_, ObjectWriters{});
    EXPECT_EQ(host.diagnostics(), "");
    return result;
  }

  gannet_testing::TempFolder drive_;
  clayhost::Scene scene_;
  exportlib::UserChannel services_;
  std::vector<std::string> messages_;
  std::vector<std::string> commands_;
};

TEST_F(RunToolScriptTest, MissingScriptIsReportedAndGivesZero) {
  EXPECT_EQ(Run(), 0);
  EXPECT_EQ(messages_, std::vector<std::string>{
                           "ERROR: MarbleCLay not found in the expected locations!!\r\nExpected "
                           "locations are:\r\n1) C:\\MarbleCLAY\r\n2) C:\\Program "
                           "Files\\MarbleCLAY\r\nPlease make sure your MarbleCLAY folder is one "
                           "of the above!"});
}

TEST_F(RunToolScriptTest, ProgramFilesScriptWinsOverTheOther) {
  PutScript("Program Files/MarbleCLAY/Plugin", "first\n");
  PutScript("MarbleCLAY/plugin", "second\n");
  EXPECT_EQ(Run(), 1);
  EXPECT_EQ(commands_, std::vector<std::string>{"first"});
}

TEST_F(RunToolScriptTest, SecondLocationIsFoundWhateverTheCaseOfItsFolders) {
  PutScript("marbleclay/PLUGIN", "second\n");
  EXPECT_EQ(Run(), 1);
  EXPECT_EQ(commands_, std::vector<std::string>{"second"});
}

TEST_F(RunToolScriptTest, EmptyScriptCompletesSilently) {
  PutScript("MarbleCLAY/plugin", "");
  EXPECT_EQ(Run(), 1);
  EXPECT_TRUE(messages_.empty());
}

TEST_F(RunToolScriptTest, StoppedRunGivesZero) {
  PutScript("MarbleCLAY/plugin", "one\r\n!quit\r\n");
  EXPECT_EQ(Run(), 0);
  EXPECT_EQ(commands_, std::vector<std::string>{"one"});
}

TEST_F(RunToolScriptTest, ExceptionsOfTheRunDoNotEscape) {
  PutScript("MarbleCLAY/plugin", "boom\n");
  services_.run_command = [](const std::string&, const std::string&) -> std::string {
    throw std::runtime_error("no shell");
  };
  EXPECT_EQ(Run(), 0);
  EXPECT_EQ(messages_, std::vector<std::string>{"ERROR: no shell"});
}

// The shipped writers: the RSD export of a script line asks, shows and runs
// through the channel the tool was handed, not the platform's.
class ShippedRsdExportTest : public RunToolScriptTest {
 protected:
  ShippedRsdExportTest() {
    services_.ask = [this](const std::string& caption, const std::string& text,
                           platform::Buttons buttons) {
      questions_.push_back(caption + "|" + text);
      EXPECT_EQ(buttons, platform::Buttons::kYesNoCancel);
      return platform::Answer::kYes;
    };
    clayhost::SceneObject tri = clayhost::testing::TestObject("Tri");
    tri.vertices = {{{0, 0, 0}}, {{1, 0, 0}}, {{0, 1, 0}}};
    clayhost::Face face;
    face.vertex = {0, 1, 2, 0};
    tri.faces = {face};
    scene_.objects = {tri};
    scene_.materials = {clayhost::Material{"red", {}}};
    PutScript("MarbleCLAY/plugin", "!assetpath C:\\out\r\n!rsdexport tri ship.rsd 1 2\r\n");
  }

  std::int32_t RunShipped() {
    ServedScene host(scene_);
    const std::int32_t result = RunToolScript(host.api(), ServedScene::handle(), services_);
    EXPECT_EQ(host.diagnostics(), "");
    return result;
  }

  std::vector<std::string> questions_;
};

TEST_F(ShippedRsdExportTest, LaunchQuestionAndRsdnGoThroughTheChannel) {
  gannet_testing::WriteBytes(drive_.path() / "MarbleCLAY/plugin/rsdn.bat", "");
  EXPECT_EQ(RunShipped(), 1);
  EXPECT_TRUE(messages_.empty());
  ASSERT_EQ(questions_.size(), 1u);
  EXPECT_TRUE(questions_[0].starts_with("Launch NO$PSX?|RSD files have been created"));
  EXPECT_NE(questions_[0].find("Model Tri has: \r\n3 Verts, \r\n1 faces"), std::string::npos);
  EXPECT_EQ(commands_,
            std::vector<std::string>{"  \"C:\\MarbleCLAY\\plugin\\rsdn.bat\"   ship  1.0 1 "});
}

TEST_F(ShippedRsdExportTest, StopOfTheExportIsShownThroughTheChannel) {
  EXPECT_EQ(RunShipped(), 1);
  EXPECT_TRUE(questions_.empty());
  EXPECT_TRUE(commands_.empty());
  EXPECT_EQ(messages_,
            std::vector<std::string>{"ERROR: Gannet rsdn.bat file not found, it must be in :\r\n"
                                     "C:\\MarbleCLAY\\plugin\\rsdn.bat\r\n or \r\n"
                                     "C:\\Program Files\\MarbleCLAY\\Plugin\\rsdn.bat"});
}

}  // namespace
}  // namespace batchtool
