// The psxview program: the PS-EXE it writes around the console program it
// finds beside itself, and how it ends when it writes nothing: the exit
// status, the message, and no output (not even a part of one) left behind.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "testing/file_bytes.h"
#include "testing/program_run.h"
#include "testing/temp_folder.h"
#include "tools/rsd2tmd/tmd_file.h"

namespace {

namespace fs = std::filesystem;
using gannet_testing::ProgramRun;
using gannet_testing::ReadBytes;

std::string Quoted(const fs::path& path) {
  return gannet_testing::ShellQuoted(path.string());
}

class PsxviewProgram : public ::testing::Test {
 protected:
  PsxviewProgram() {
    rsd2tmd::TmdModel model;
    rsd2tmd::TmdPolygon triangle;
    triangle.lit = false;
    triangle.vertices = {0, 1, 2, 0};
    model.polygons.push_back(triangle);
    model.vertices = {{0, 0, 0, 0}, {10, 0, 0, 0}, {0, 10, 0, 0}};
    const std::vector<std::uint8_t> bytes = rsd2tmd::EncodeTmdFile(model);
    gannet_testing::WriteBytes(folder_ / "m.tmd", std::string(bytes.begin(), bytes.end()));
  }

  ProgramRun Psxview(const std::string& arguments, const fs::path& program = PSXVIEW) {
    gannet_testing::RunOptions options;
    options.errors_apart = true;
    return gannet_testing::RunShell(Quoted(program) + " " + arguments, options);
  }

  const gannet_testing::TempFolder scratch_{"psxview"};
  const fs::path& folder_ = scratch_.path();
};

TEST_F(PsxviewProgram, WritesTheConsoleProgramWithTheModelAfterIt) {
  const ProgramRun run =
      Psxview(Quoted(folder_ / "m.tmd") + " --view side -o " + Quoted(folder_ / "VIEW.EXE"));
  ASSERT_EQ(run.exit_code, 0) << run.errors;
  EXPECT_EQ(run.output, "psxview: wrote " + (folder_ / "VIEW.EXE").string() + ": " +
                            (folder_ / "m.tmd").string() + " with 0 TIMs, side view, " +
                            std::to_string(fs::file_size(folder_ / "VIEW.EXE")) + " bytes\n");
  const std::string exe = ReadBytes(folder_ / "VIEW.EXE");
  const std::string viewer = ReadBytes(fs::path(PSXVIEW).parent_path() / "viewer.bin");
  ASSERT_FALSE(viewer.empty());
  EXPECT_EQ(exe.substr(0, 8), "PS-X EXE");
  EXPECT_EQ(exe.size() % 2048, 0u);
  EXPECT_EQ(exe.substr(2048, viewer.size()), viewer);
  EXPECT_EQ(exe.substr(2048 + viewer.size(), 8), "GNTVIEW1");
  const std::string tmd = ReadBytes(folder_ / "m.tmd");
  EXPECT_NE(exe.find(tmd, 2048 + viewer.size()), std::string::npos);
}

TEST_F(PsxviewProgram, RefusesAndLeavesNothingBehind) {
  const std::string output = Quoted(folder_ / "VIEW.EXE");
  gannet_testing::WriteBytes(folder_ / "bad.tim", "not a TIM");
  struct Case {
    std::string arguments, message;
  };
  const std::vector<Case> cases = {
      {Quoted(folder_ / "m.tmd") + " " + Quoted(folder_ / "bad.tim") + " -o " + output,
       "psxview: " + (folder_ / "bad.tim").string() +
           ": byte 0: id 0x20746F6E is not a TIM file's 0x10\n"},
      {Quoted(folder_ / "none.tmd") + " -o " + output,
       "psxview: " + (folder_ / "none.tmd").string() + ": cannot read"},
      {Quoted(folder_ / "m.tmd") + " -o " + Quoted(folder_ / "sub" / ".." / "m.tmd"),
       "psxview: refusing to write " + (folder_ / "sub" / ".." / "m.tmd").string() +
           ": it is the input " + (folder_ / "m.tmd").string() + "\n"},
      {Quoted(folder_ / "m.tmd") + " -o /dev/full",
       "psxview: refusing to write /dev/full: it is a device, not a regular file\n"},
  };
  fs::create_directory(folder_ / "sub");
  for (const Case& c : cases) {
    const ProgramRun run = Psxview(c.arguments);
    EXPECT_EQ(run.exit_code, 2) << c.arguments;
    EXPECT_EQ(run.errors.substr(0, c.message.size()), c.message) << c.arguments;
    EXPECT_EQ(std::distance(fs::directory_iterator(folder_), fs::directory_iterator()), 3)
        << c.arguments;  // m.tmd, bad.tim and sub: nothing written
  }
  EXPECT_EQ(ReadBytes(folder_ / "m.tmd").substr(0, 1), "A");  // the input is as it was
}

TEST_F(PsxviewProgram, SaysWhereItLookedForAMissingConsoleProgram) {
  const fs::path alone = folder_ / "bin" / "psxview";
  fs::create_directories(alone.parent_path());
  fs::copy_file(PSXVIEW, alone);
  const ProgramRun run =
      Psxview(Quoted(folder_ / "m.tmd") + " -o " + Quoted(folder_ / "V.EXE"), alone);
  EXPECT_EQ(run.exit_code, 2);
  EXPECT_EQ(run.errors,
            "psxview: the console program viewer.bin is not installed (looked at " +
                (folder_ / "bin" / "viewer.bin").string() + " " +
                (folder_ / "bin" / ".." / "share" / "gannet" / "console" / "viewer.bin").string() +
                ")\n");
  EXPECT_FALSE(fs::exists(folder_ / "V.EXE"));
}

TEST_F(PsxviewProgram, UsageAndVersion) {
  const ProgramRun usage = Psxview("");
  EXPECT_EQ(usage.exit_code, 2);
  EXPECT_EQ(usage.errors,
            "psxview: no TMD file\n"
            "usage: psxview MODEL.tmd [A.tim ...] [--pack MORPHON.PCK] "
            "[--view front|side|top|three-quarter] [--spin] [--frame N] -o VIEW.EXE\n");
  const ProgramRun version = Psxview("--version");
  EXPECT_EQ(version.exit_code, 0);
  EXPECT_EQ(version.output, std::string("psxview ") + VERSION + "\n");
}

}  // namespace
