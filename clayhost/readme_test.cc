// The README's Linux steps for the substitute host, run as they are written:
// in a folder laid out like the repository's root (its build/, examples/ and
// tools/; scripts/build.sh stands for the build already made) with a home
// of their own.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "testing/file_bytes.h"
#include "testing/program_run.h"
#include "testing/temp_folder.h"

namespace {

namespace fs = std::filesystem;

// The first sh block after `heading` in the README.
std::string StepsAfter(const std::string& heading) {
  const std::string readme = gannet_testing::ReadGolden(std::string(SOURCE_DIR) + "/README.md");
  const std::size_t section = readme.find(heading);
  const std::size_t start = readme.find("```sh\n", section);
  if (section == std::string::npos || start == std::string::npos) {
    return "";
  }
  const std::size_t body = start + 6;
  return readme.substr(body, readme.find("```", body) - body);
}

// The review's case: the steps put only img2tim on the PATH, rsdn.bat found
// no rsd2tmd, and the export ended "Finished correctly" without a TMD.
TEST(ReadmeTest, TheLinuxStepsMakeTmdFiles) {
  const std::string steps = StepsAfter("## The plug-ins on Linux");
  ASSERT_NE(steps.find("build/clayhost/clayhost export"), std::string::npos) << steps;
  const gannet_testing::TempFolder root("readme");
  fs::create_directory_symlink(BUILD_DIR, root / "build");
  fs::create_directory_symlink(std::string(SOURCE_DIR) + "/examples", root / "examples");
  fs::create_directory_symlink(std::string(SOURCE_DIR) + "/tools", root / "tools");
  gannet_testing::WriteScript(root / "scripts" / "build.sh", "exit 0\n");
  gannet_testing::RunOptions options;
  options.folder = root.path();
  options.environment["HOME"] = (root / "home").string();
  const gannet_testing::ProgramRun run = gannet_testing::RunShell("set -e\n" + steps, options);
  EXPECT_EQ(run.exit_code, 0) << run.output;
  EXPECT_NE(run.output.find("rsdn: converted ship.rsd (ship.ply, ship.mat, 2 TIM files) to "
                            "ship.tmd at scale 1.0\n"),
            std::string::npos)
      << run.output;
  for (const fs::path& made : {root / "out" / "ship.tmd", root / "out" / "cube.tmd",
                               root / "home" / "clay-c" / "cube-out" / "crate.obj"}) {
    EXPECT_TRUE(fs::exists(made)) << made;
  }
}

}  // namespace
