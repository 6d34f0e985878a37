#include "batchtool/script_interpreter.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "clayhost/served_scene.h"
#include "clayhost/testing/test_scene.h"
#include "exportlib/text_rules.h"
#include "testing/temp_folder.h"

namespace batchtool {
namespace {

using clayhost::ServedScene;
using clayhost::testing::TestObject;
using exportlib::LowerAscii;

struct CommandCall {
  std::string command;
  std::string folder;
};

struct WriterCall {
  std::string kind;
  std::int32_t index;
  std::string path;
  double scale;
  std::int32_t launch_mode;
};

class ScriptInterpreterTest : public ::testing::Test {
 protected:
  ScriptInterpreterTest() {
    scene_.objects = {TestObject("Cube"), TestObject("Sphere"), TestObject(" CUBE "), TestObject()};
    services_.show_message = [this](const std::string& text) { messages_.push_back(text); };
    services_.run_command = [this](const std::string& command, const std::string& folder) {
      commands_.push_back({command, folder});
      return std::string("output of ") + command;
    };
    writers_.write_obj = [this](mcp::Handle, std::int32_t index, const std::string& path,
                                double scale) {
      exports_.push_back({"obj", index, path, scale, -1});
    };
    writers_.write_rsd = [this](mcp::Handle, std::int32_t index, const std::string& path,
                                double scale, std::int32_t launch_mode) {
      exports_.push_back({"rsd", index, path, scale, launch_mode});
    };
  }

  ScriptOutcome Run(const std::string& script) {
    ServedScene host(scene_);
    const ScriptContext context{.host = host.api(),
                                .scene = ServedScene::handle(),
                                .channel = services_,
                                .writers = writers_};
    const ScriptOutcome outcome = RunScript(script, context);
    EXPECT_EQ(host.diagnostics(), "");
    return outcome;
  }

  clayhost::Scene scene_;
  exportlib::UserChannel services_;
  ObjectWriters writers_;
  std::vector<std::string> messages_;
  std::vector<CommandCall> commands_;
  std::vector<WriterCall> exports_;
  gannet_testing::TempFolder folder_;
};

TEST_F(ScriptInterpreterTest, EmptyScriptCompletesWithoutShowingAnything) {
  EXPECT_EQ(Run(""), ScriptOutcome::kCompleted);
  EXPECT_TRUE(messages_.empty());
  EXPECT_TRUE(commands_.empty());
}

TEST_F(ScriptInterpreterTest, ObjExportWritesEveryMatchInIndexOrder) {
  EXPECT_EQ(Run("!objexport Cube cube.obj 1.5\r\n"), ScriptOutcome::kCompleted);
  ASSERT_EQ(exports_.size(), 2u);
  // No asset folder yet: the path is the root of the current drive.
  EXPECT_EQ(exports_[0].index, 0);
  EXPECT_EQ(exports_[0].path, "\\cube.obj");
  EXPECT_EQ(exports_[0].scale, 1.5);
  EXPECT_EQ(exports_[1].index, 2);
  EXPECT_EQ(exports_[1].kind, "obj");
  EXPECT_TRUE(messages_.empty());
}

TEST_F(ScriptInterpreterTest, ObjectWithoutNameMatchesNoname) {
  Run("!objexport (noname) x.obj 1");
  ASSERT_EQ(exports_.size(), 1u);
  EXPECT_EQ(exports_[0].index, 3);
}

TEST_F(ScriptInterpreterTest, RsdExportPassesScaleAndLaunchMode) {
  const std::string folder = folder_.windows();
  Run("!assetpath " + folder + "\n!RsdExport SPHERE Ball.RSD 1 0\n!rsdexport sphere b.rsd 2.5 -3");
  ASSERT_EQ(exports_.size(), 2u);
  EXPECT_EQ(exports_[0].kind, "rsd");
  EXPECT_EQ(exports_[0].index, 1);
  EXPECT_EQ(exports_[0].path, LowerAscii(folder) + "\\ball.rsd");
  EXPECT_EQ(exports_[0].scale, 1.0);
  EXPECT_EQ(exports_[0].launch_mode, 0);
  EXPECT_EQ(exports_[1].scale, 2.5);
  EXPECT_EQ(exports_[1].launch_mode, -3);
}

TEST_F(ScriptInterpreterTest, NameNotFoundStopsTheRunWithFileLineNumbers) {
  const auto outcome =
      Run("# comment\r\n\r\n   \t\r\necho before\r\n!objexport Missing m.obj 1\r\necho after\r\n");
  EXPECT_EQ(outcome, ScriptOutcome::kStopped);
  ASSERT_EQ(messages_.size(), 2u);
  EXPECT_EQ(messages_[1],
            "ERROR:  In line: 5  !objexport missing m.obj 1\r\n\r\nExact root object name not "
            "found in your model: missing");
  ASSERT_EQ(commands_.size(), 1u);
  EXPECT_EQ(commands_[0].command, "echo before");
}

TEST_F(ScriptInterpreterTest, ArgumentsThatAreNoNumbersStopTheRun) {
  EXPECT_EQ(Run("!objexport cube cube.obj\n!objexport cube cube.obj 1\n"), ScriptOutcome::kStopped);
  EXPECT_TRUE(exports_.empty());
  ASSERT_EQ(messages_.size(), 1u);
  EXPECT_EQ(messages_[0],
            "ERROR:  In line: 1  !objexport cube cube.obj\r\n'cube.obj' is not a valid floating "
            "point value");

  messages_.clear();
  EXPECT_EQ(Run("\n!rsdexport cube c.rsd 1 x"), ScriptOutcome::kStopped);
  EXPECT_EQ(messages_.at(0),
            "ERROR:  In line: 2  !rsdexport cube c.rsd 1 x\r\n'x' is not a valid integer value");

  messages_.clear();
  EXPECT_EQ(Run("!objexport cube cube.obj 1.5 2"), ScriptOutcome::kStopped);
  EXPECT_EQ(Run("!objexport cube  cube.obj 1"), ScriptOutcome::kStopped);
  // Extra spaces right after the keyword are harmless: the rest is trimmed.
  EXPECT_EQ(Run("!objexport   cube c.obj 1"), ScriptOutcome::kCompleted);
  EXPECT_EQ(exports_.size(), 2u);
}

// A scale that a double cannot hold would write INF and NAN coordinates.
TEST_F(ScriptInterpreterTest, ScaleBeyondTheRangeOfADoubleIsNoNumber) {
  for (const std::string scale : {"1e400", "-1e400", "1e5000"}) {
    messages_.clear();
    EXPECT_EQ(Run("!rsdexport cube c.rsd " + scale + " 0"), ScriptOutcome::kStopped);
    EXPECT_EQ(messages_, std::vector<std::string>{"ERROR:  In line: 1  !rsdexport cube c.rsd " +
                                                  scale + " 0\r\n'" + scale +
                                                  "' is not a valid floating point value"});
    messages_.clear();
    EXPECT_EQ(Run("!objexport cube c.obj " + scale), ScriptOutcome::kStopped);
    EXPECT_EQ(messages_.size(), 1u);
  }
  EXPECT_TRUE(exports_.empty());
  // The largest doubles and the smallest ones (rounded to 0) are numbers.
  EXPECT_EQ(Run("!objexport cube c.obj 1.7e308\n!objexport cube c.obj 1e-400"),
            ScriptOutcome::kCompleted);
  ASSERT_EQ(exports_.size(), 4u);  // two objects are named cube
  EXPECT_EQ(exports_[0].scale, 1.7e308);
  EXPECT_EQ(exports_[2].scale, 0.0);
}

TEST_F(ScriptInterpreterTest, AssetPathSetsLowerCaseFolderAndCreatesOneLevel) {
  const std::string folder = folder_.windows() + "\\Out";
  EXPECT_EQ(Run("!ASSETPATH " + folder + "\ndir"), ScriptOutcome::kCompleted);
  EXPECT_TRUE(std::filesystem::is_directory(folder_.path() / "out"));
  ASSERT_EQ(commands_.size(), 1u);
  EXPECT_EQ(commands_[0].folder, LowerAscii(folder));
  EXPECT_TRUE(messages_.size() == 1u);
}

TEST_F(ScriptInterpreterTest, AssetPathTwoLevelsDownStopsTheRun) {
  const std::string folder = LowerAscii(folder_.windows()) + "\\missing\\out";
  EXPECT_EQ(Run("\n!assetpath " + folder + "\ndir"), ScriptOutcome::kStopped);
  EXPECT_EQ(messages_, std::vector<std::string>{"ERROR:  In line: 2 - Folder doesnt exist and "
                                                "could not be created:  " +
                                                folder});
  EXPECT_TRUE(commands_.empty());
  EXPECT_FALSE(std::filesystem::exists(folder_.path() / "missing"));
}

TEST_F(ScriptInterpreterTest, AssetPathKeywordAloneIsACommandLine) {
  EXPECT_EQ(Run("  !AssetPath  \n"), ScriptOutcome::kCompleted);
  ASSERT_EQ(commands_.size(), 1u);
  // The trimmed line in its own case; before any folder it runs where the
  // host runs.
  EXPECT_EQ(commands_[0].command, "!AssetPath");
  EXPECT_EQ(commands_[0].folder, ".");
}

TEST_F(ScriptInterpreterTest, CommandLinesShowTheirOutputWhileEchoHoldsOn) {
  Run("Echo One\n!echo off\necho two\n!echo none\necho three\n!echo\necho four\n");
  ASSERT_EQ(commands_.size(), 4u);
  EXPECT_EQ(messages_, (std::vector<std::string>{" Echo One\r\noutput of Echo One",
                                                 " echo three\r\noutput of echo three"}));
}

TEST_F(ScriptInterpreterTest, EchoIsTestedBeforeQuit) {
  EXPECT_EQ(Run("!echo !quit\necho still here"), ScriptOutcome::kCompleted);
  EXPECT_EQ(commands_.size(), 1u);
}

TEST_F(ScriptInterpreterTest, QuitAndExitAnywhereInTheLineStopTheRun) {
  EXPECT_EQ(Run("echo a\n!quit\necho b"), ScriptOutcome::kStopped);
  EXPECT_EQ(commands_.size(), 1u);
  EXPECT_EQ(Run("echo leaving !EXIT now\necho b"), ScriptOutcome::kStopped);
  EXPECT_EQ(commands_.size(), 1u);
  EXPECT_TRUE(messages_.size() == 1u);
}

TEST_F(ScriptInterpreterTest, KeywordsAreFoundAnywhereWithFixedArgumentPositions) {
  // The folder is cut from position 11 of the command text, wherever the
  // keyword stands.
  const std::string folder = LowerAscii(folder_.windows());
  Run("x!assetpath " + folder + "\n");
  EXPECT_EQ(messages_.size(), 1u);
  EXPECT_NE(messages_.at(0).find("Folder doesnt exist"), std::string::npos);
  EXPECT_NE(messages_.at(0).find(":  h " + folder), std::string::npos);
}

}  // namespace
}  // namespace batchtool
