// The POSIX rsdn.bat, run the way the exporter runs it: in the export
// folder, with the base name unquoted, the scale and the launch mode.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

class RsdnTest : public ::testing::Test {
 protected:
  RsdnTest() {
    std::string pattern = (std::filesystem::temp_directory_path() / "rsdn-XXXXXX").string();
    folder_ = mkdtemp(pattern.data());
  }
  ~RsdnTest() override { std::filesystem::remove_all(folder_); }

  void Write(const std::string& name, const std::string& text = "") {
    std::ofstream(folder_ / name, std::ios::binary) << text;
  }

  // Output and exit status of `  "rsdn.bat"   ARGS` in the folder.
  std::pair<std::string, int> Run(const std::string& args) {
    const std::string command =
        "cd \"" + folder_.string() + "\" &&  \"" + RSDN_PATH + "\"   " + args + " 2>&1";
    std::string output;
    FILE* pipe = popen(command.c_str(), "r");
    char buffer[1024];
    for (std::size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
      output.append(buffer, n);
    }
    const int status = pclose(pipe);
    return {output, WEXITSTATUS(status)};
  }

  std::filesystem::path folder_;
};

TEST_F(RsdnTest, ChecksEveryFileTheRsdNames) {
  Write("ship.rsd",
        "#c\r\n@RSD940102\r\nPLY=ship.ply\r\nMAT=ship.mat\r\nNTEX=2\r\nTEX[0]=ship0.tim\r\n"
        "TEX[1]=ship1.tim\r\n");
  Write("ship.ply");
  Write("ship.mat");
  Write("ship0.tim");
  auto [missing, missing_status] = Run("ship  1.0 1 ");
  EXPECT_EQ(missing_status, 1);
  EXPECT_NE(missing.find("ERROR: ship1.tim not found in "), std::string::npos) << missing;
  EXPECT_EQ(missing.find("would convert"), std::string::npos);

  Write("ship1.tim");
  auto [launch, launch_status] = Run("ship  1.0 1 ");
  EXPECT_EQ(launch_status, 0) << launch;
  EXPECT_NE(launch.find("rsdn: would convert ship.rsd (ship.ply, ship.mat, 2 TIM files) to "
                        "ship.tmd at scale 1.0\n"
                        "rsdn: would start NO$PSX with ship.tmd and the files of ship.PSX\n"),
            std::string::npos)
      << launch;
  auto [only, only_status] = Run("ship  1.0 0 ");
  EXPECT_EQ(only_status, 0);
  EXPECT_NE(only.find("rsdn: TMD only, the emulator is not started"), std::string::npos);
}

TEST_F(RsdnTest, RejoinsABaseNameSplitAtItsSpace) {
  Write("my sh.rsd", "#c\r\n@RSD940102\r\nPLY=my sh.ply\r\nMAT=my sh.mat\r\nNTEX=0\r\n");
  Write("my sh.ply");
  Write("my sh.mat");
  auto [output, status] = Run("my sh  1.0 0 ");
  EXPECT_EQ(status, 0) << output;
  EXPECT_NE(output.find("would convert my sh.rsd (my sh.ply, my sh.mat, 0 TIM files)"),
            std::string::npos)
      << output;
}

TEST_F(RsdnTest, MissingModelOrArguments) {
  auto [output, status] = Run("ship  1.0 1 ");
  EXPECT_EQ(status, 1);
  EXPECT_NE(output.find("ERROR: ship.rsd not found"), std::string::npos);
  auto [usage, usage_status] = Run("ship");
  EXPECT_EQ(usage_status, 2);
  EXPECT_EQ(usage.rfind("ERROR: usage", 0), 0u);
}

}  // namespace
