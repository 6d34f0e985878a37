#include "exportlib/checked_output.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "exportlib/export_stop.h"

namespace exportlib {
namespace {

std::string StopMessage(const auto& step) {
  try {
    step();
  } catch (const ExportStop& stop) {
    return stop.message();
  }
  return "no stop";
}

TEST(CheckedOutput, AFileThatCannotBeCreatedStopsNamingItsPath) {
  EXPECT_EQ(StopMessage([] { CreateCheckedOutput("C:\\no such folder\\ship.rsd"); }),
            "Error: Can not create the file C:\\no such folder\\ship.rsd");
}

TEST(CheckedOutput, AShortWriteStopsAtTheClose) {
  if (!std::filesystem::exists("/dev/full")) {
    GTEST_SKIP() << "/dev/full is not available";
  }
  CheckedOutput output = CreateCheckedOutput("Z:\\dev\\full");
  EXPECT_EQ(output.path, "Z:\\dev\\full");
  output.file.Write(std::string(1 << 16, 'x'));
  EXPECT_EQ(StopMessage([&] { CloseCheckedOutput(output); }),
            "Error: Can not write the file Z:\\dev\\full");
}

TEST(CheckedOutput, AGoodFileClosesQuietly) {
  // A path without a drive lies in the current folder on every platform.
  const std::string name = "checked_output_test.txt";
  CheckedOutput output = CreateCheckedOutput(name);
  output.file.Write("ok");
  EXPECT_EQ(StopMessage([&] { CloseCheckedOutput(output); }), "no stop");
  EXPECT_EQ(std::filesystem::file_size(name), 2u);
  std::filesystem::remove(name);
}

}  // namespace
}  // namespace exportlib
