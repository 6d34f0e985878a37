// The POSIX rsdn.bat, run the way the exporter runs it: in the export
// folder, with the base name unquoted, the scale and the launch mode. It
// converts the model with the rsd2tmd it finds, and tells what it did on
// its output, in rsdn.log and in the host's report.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "testing/file_bytes.h"
#include "testing/program_run.h"
#include "testing/temp_folder.h"

namespace {

// A 16-bit TIM of one texel at 0,0.
const std::string kTim("\x10\0\0\0\x02\0\0\0\x0e\0\0\0\0\0\0\0\x01\0\x01\0\xff\x7f", 22);

std::string Rsd(const std::string& base, int textures) {
  std::string rsd = "#c\r\n@RSD940102\r\nPLY=" + base + ".ply\r\nMAT=" + base +
                    ".mat\r\nNTEX=" + std::to_string(textures) + "\r\n";
  for (int i = 0; i < textures; ++i) {
    rsd += "TEX[" + std::to_string(i) + "]=" + base + std::to_string(i) + ".tim\r\n";
  }
  return rsd;
}

constexpr char kPly[] =
    "@PLY940102\r\n3 1 1\r\n0 0 0\r\n0 0 10\r\n10 0 0\r\n0 1 0\r\n"
    "0 2 1 0 0 0 0 0 0\r\n";
constexpr char kMat[] = "@MAT940801\r\n1\r\n0 1 F T 1 0 0 0 0 0 0 0 0\r\n";

class RsdnTest : public ::testing::Test {
 protected:
  void Write(const std::string& name, const std::string& text = "") {
    gannet_testing::WriteBytes(folder_ / name, text);
  }

  void WriteModel(const std::string& base) {
    Write(base + ".rsd", Rsd(base, 2));
    Write(base + ".ply", kPly);
    Write(base + ".mat", kMat);
    Write(base + "0.tim", kTim);
    Write(base + "1.tim", kTim);
  }

  // Output and exit status of `  "RSDN"   ARGS` in the folder, with
  // rsd2tmd on the PATH unless `path` replaces it.
  std::pair<std::string, int> Run(const std::string& args, const std::string& path = "",
                                  const std::string& rsdn = RSDN_PATH) {
    const std::string search =
        path.empty() ? std::filesystem::path(RSD2TMD_PATH).parent_path().string() + ":$PATH" : path;
    const gannet_testing::ProgramRun ran = gannet_testing::RunShell(
        "cd \"" + folder_.string() + "\" && PATH=" + search + " \"" + rsdn + "\"   " + args);
    return {ran.output, ran.exit_code};
  }

  const gannet_testing::TempFolder scratch_{"rsdn"};
  const std::filesystem::path& folder_ = scratch_.path();
};

TEST_F(RsdnTest, ConvertsWhenEveryFileTheRsdNamesIsThere) {
  WriteModel("ship");
  std::filesystem::remove(folder_ / "ship1.tim");
  auto [missing, missing_status] = Run("ship  1.0 1 ");
  EXPECT_EQ(missing_status, 1);
  EXPECT_NE(missing.find("ERROR: ship1.tim not found in "), std::string::npos) << missing;
  EXPECT_FALSE(std::filesystem::exists(folder_ / "ship.tmd"));

  Write("ship1.tim", kTim);
  auto [launch, launch_status] = Run("ship  1.0 1 ");
  EXPECT_EQ(launch_status, 0) << launch;
  EXPECT_NE(launch.find("rsd2tmd: wrote ship.tmd: 1 polygons, 3 vertices, 1 normals, 100 bytes\n"
                        "rsdn: converted ship.rsd (ship.ply, ship.mat, 2 TIM files) to "
                        "ship.tmd at scale 1.0\n"
                        "rsdn: NO$PSX is not available here, ship.tmd and the files of ship.PSX "
                        "are ready for it\n"),
            std::string::npos)
      << launch;
  EXPECT_EQ(std::filesystem::file_size(folder_ / "ship.tmd"), 100u);
  auto [only, only_status] = Run("ship  1.0 0 ");
  EXPECT_EQ(only_status, 0);
  EXPECT_NE(only.find("rsdn: TMD only, the emulator is not started"), std::string::npos);
}

TEST_F(RsdnTest, RejoinsABaseNameSplitAtItsSpace) {
  WriteModel("my sh");
  auto [output, status] = Run("my sh  1.0 0 ");
  EXPECT_EQ(status, 0) << output;
  EXPECT_NE(output.find("converted my sh.rsd (my sh.ply, my sh.mat, 2 TIM files) to my sh.tmd"),
            std::string::npos)
      << output;
  EXPECT_TRUE(std::filesystem::exists(folder_ / "my sh.tmd"));
}

TEST_F(RsdnTest, PassesOnARefusal) {
  WriteModel("ship");
  Write("ship.mat", "@MAT940801\r\n1\r\n0 1 F T 2 0 0 0 0 0 0 0 0\r\n");
  auto [output, status] = Run("ship  1.0 0 ");
  EXPECT_EQ(status, 2);
  EXPECT_NE(output.find("rsd2tmd: ship.mat:3: texture number 2 has no TIM (NTEX=2)\n"
                        "ERROR: ship.rsd was not converted, no ship.tmd written\n"),
            std::string::npos)
      << output;
  EXPECT_FALSE(std::filesystem::exists(folder_ / "ship.tmd"));
}

TEST_F(RsdnTest, MissingModelConverterOrArguments) {
  auto [output, status] = Run("ship  1.0 1 ");
  EXPECT_EQ(status, 1);
  EXPECT_NE(output.find("ERROR: ship.rsd not found"), std::string::npos);
  WriteModel("ship");
  auto [alone, alone_status] = Run("ship  1.0 1 ", "/usr/bin:/bin");
  EXPECT_EQ(alone_status, 1);
  EXPECT_NE(alone.find("ERROR: rsd2tmd not found beside rsdn.bat (" +
                       std::filesystem::path(RSDN_PATH).parent_path().string() +
                       "), in the build or installed tree, or on the PATH"),
            std::string::npos)
      << alone;
  auto [usage, usage_status] = Run("ship");
  EXPECT_EQ(usage_status, 2);
  EXPECT_EQ(usage.rfind("ERROR: usage", 0), 0u);
}

// The review's case: the README's steps put only img2tim on the PATH, and
// the conversion failed without a word. rsdn.bat looks beside itself, in the
// build tree that made its copy and in the installed tree before the PATH,
// whose rsd2tmd here always fails.
TEST_F(RsdnTest, FindsRsd2tmdBeforeThePath) {
  WriteModel("ship");
  const std::filesystem::path path_first = folder_ / "path";
  gannet_testing::WriteScript(path_first / "rsd2tmd", "echo 'ERROR: the PATH'\nexit 1\n");
  const std::string path = path_first.string() + ":/usr/bin:/bin";
  const auto converts = [&](const std::filesystem::path& rsdn) {
    std::filesystem::remove(folder_ / "ship.tmd");
    auto [output, status] = Run("ship  1.0 0 ", path, rsdn.string());
    EXPECT_EQ(status, 0) << rsdn << "\n" << output;
    EXPECT_TRUE(std::filesystem::exists(folder_ / "ship.tmd")) << rsdn;
  };
  // Beside itself.
  const std::filesystem::path beside = folder_ / "beside";
  std::filesystem::create_directories(beside);
  std::filesystem::copy(RSDN_PATH, beside / "rsdn.bat");
  std::filesystem::create_symlink(RSD2TMD_PATH, beside / "rsd2tmd");
  converts(beside / "rsdn.bat");
  // The build's copy, copied to a plug-in folder of its own.
  const std::filesystem::path copied = folder_ / "copied";
  std::filesystem::create_directories(copied);
  std::filesystem::copy(RSDN_BUILT_PATH, copied / "rsdn.bat");
  converts(copied / "rsdn.bat");
  // The installed copy, in a tree laid out as its way to rsd2tmd says.
  const std::string installed = gannet_testing::ReadBytes(RSDN_INSTALLED_PATH);
  const std::size_t way = installed.find("\ninstalled_rsd2tmd='");
  ASSERT_NE(way, std::string::npos);
  const std::size_t start = way + 20;
  const std::filesystem::path relative =
      installed.substr(start, installed.find('\'', start) - start);
  const std::filesystem::path plugin = folder_ / "prefix" / "share" / "gannet" / "plugin";
  std::filesystem::create_directories((plugin / relative).lexically_normal().parent_path());
  std::filesystem::create_directories(plugin);
  std::filesystem::create_symlink(RSD2TMD_PATH, (plugin / relative).lexically_normal());
  gannet_testing::WriteScript(plugin / "rsdn.bat", installed.substr(installed.find('\n') + 1));
  converts(plugin / "rsdn.bat");
}

// The review's case: a conversion that failed inside rsdn.bat ended in
// "Finished correctly", as the exporter discards what it prints.
TEST_F(RsdnTest, TellsTheLogAndTheHostsReport) {
  WriteModel("ship");
  Write("ship.ply",
        "@PLY940102\r\n3 1 1\r\n0 0 0\r\n0 0 10\r\n99999 0 0\r\n0 1 0\r\n"
        "0 2 1 0 0 0 0 0 0\r\n");
  const std::string report = (folder_ / "report.txt").string();
  Write("report.txt", "before\n");
  const gannet_testing::ProgramRun ran = gannet_testing::RunShell(
      "cd \"" + folder_.string() + "\" && GANNET_HOST_REPORT='" + report +
      "' PATH=" + std::filesystem::path(RSD2TMD_PATH).parent_path().string() + ":$PATH \"" +
      RSDN_PATH + "\"   ship  1.0 0 ");
  const std::string& output = ran.output;
  const int status = ran.exit_code;
  EXPECT_EQ(status, 2);
  const std::string refusal =
      "rsd2tmd: ship.ply:5: vertex 2 value 99999 times 1 is 99999, beyond the 16 bits of a TMD "
      "entry (-32768 to 32767)\nERROR: ship.rsd was not converted, no ship.tmd written\n";
  EXPECT_NE(output.find(refusal), std::string::npos) << output;
  EXPECT_EQ(gannet_testing::ReadBytes(folder_ / "rsdn.log"), output);
  EXPECT_EQ(gannet_testing::ReadBytes(report), "before\n" + output);
}

// rsd2tmd would take a base name "-rf" for an option.
TEST_F(RsdnTest, ConvertsABaseNameThatLooksLikeAnOption) {
  WriteModel("-rf");
  auto [output, status] = Run("-rf  1.0 0 ");
  EXPECT_EQ(status, 0) << output;
  EXPECT_TRUE(std::filesystem::exists(folder_ / "-rf.tmd"));
}

}  // namespace
