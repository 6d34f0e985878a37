#include "exporter/export_names.h"

#include <gtest/gtest.h>

#include "exporter/testing/export_sandbox.h"

namespace exporter {
namespace {

TEST(ExportNames, DropsTheLastFourCharactersWhateverTheyAre) {
  const ExportNames ship = DeriveExportNames("C:\\models\\ship.rsd");
  EXPECT_EQ(ship.base_path, "C:\\models\\ship");
  EXPECT_EQ(ship.base_name, "ship");
  EXPECT_EQ(ship.export_folder, "C:\\models");
  const ExportNames no_extension = DeriveExportNames("C:\\models\\abcdefgh");
  EXPECT_EQ(no_extension.base_name, "abcd");
  EXPECT_EQ(DeriveExportNames("D:ship.rsd").base_name, "ship");
  EXPECT_EQ(DeriveExportNames("D:ship.rsd").export_folder, "D:");
  EXPECT_EQ(DeriveExportNames("C:\\ship.rsd").export_folder, "C:");
  EXPECT_EQ(DeriveExportNames("abc").base_path, "");
}

TEST(ExportNames, PluginFolderSearchOrder) {
  {
    testing::ExportSandbox sandbox(testing::RsdnPlace::kBoth);
    EXPECT_EQ(FindPluginFolder(), "C:\\Program Files\\MarbleCLAY\\Plugin");
  }
  {
    testing::ExportSandbox sandbox(testing::RsdnPlace::kRoot);
    EXPECT_EQ(FindPluginFolder(), "C:\\MarbleCLAY\\plugin");
  }
  {
    testing::ExportSandbox sandbox(testing::RsdnPlace::kNone);
    EXPECT_FALSE(FindPluginFolder().has_value());
  }
}

}  // namespace
}  // namespace exporter
