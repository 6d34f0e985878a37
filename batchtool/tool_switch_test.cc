#include "batchtool/tool_switch.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "exporter/testing/fake_host.h"
#include "testing/file_bytes.h"
#include "testing/temp_folder.h"

namespace batchtool {
namespace {

using exporter::testing::FakeHost;
using exporter::testing::FakeScene;

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
    FakeHost host(scene_);
    return RunToolScript(host.api(), FakeHost::kSceneHandle, services_, ObjectWriters{});
  }

  gannet_testing::TempFolder drive_;
  FakeScene scene_;
  ToolServices services_;
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

}  // namespace
}  // namespace batchtool
