#include "exporter/export_driver.h"

#include <gtest/gtest.h>

#include "clayhost/served_scene.h"
#include "clayhost/testing/test_scene.h"
#include "exporter/testing/export_sandbox.h"

namespace exporter {
namespace {

using clayhost::ServedScene;

constexpr int kNo = 7;

clayhost::SceneObject Triangle(const std::string& name, std::optional<std::string> activated) {
  clayhost::SceneObject object = clayhost::testing::TestObject(name, std::move(activated));
  object.vertices = {{{0, 0, 0}}, {{1, 0, 0}}, {{0, 1, 0}}};
  clayhost::Face face;
  face.vertex = {0, 1, 2, 0};
  object.faces = {face};
  return object;
}

class ExecuteExportTest : public ::testing::Test {
 protected:
  ExecuteExportTest() {
    std::filesystem::create_directories(sandbox_.OnDrive("out"));
    scene_.materials = {{"red", {}}};
  }

  std::uint8_t Execute() {
    ServedScene host(scene_);
    mcp::ExportParams params{};
    params.path = "C:\\out\\ship.rsd";
    params.scale = 1.0f;
    sandbox_.QueueAnswers({kNo});
    const std::uint8_t result =
        ExecuteExport(host.api(), ServedScene::handle(), params, exportlib::PlatformUserChannel());
    EXPECT_EQ(host.diagnostics(), "");
    return result;
  }

  // The export ran to rsdn.bat, its report being the only box shown.
  void ExpectExportedAlone(const std::string& model) {
    ASSERT_EQ(sandbox_.boxes().size(), 1u);
    EXPECT_EQ(sandbox_.boxes()[0].caption, "Launch NO$PSX?");
    EXPECT_NE(sandbox_.boxes()[0].text.find("Model " + model + " has: "), std::string::npos);
    EXPECT_EQ(sandbox_.ToolCalls(), std::vector<std::string>{"/out\trsdn.bat [ship] [1.0] [0]"});
  }

  testing::ExportSandbox sandbox_;
  clayhost::Scene scene_;
};

TEST_F(ExecuteExportTest, ObjectsAfterTheExportedOneAreNotRead) {
  scene_.objects = {Triangle("off", "0"), Triangle("ship", "1"), Triangle("later", "oops"),
                    Triangle("last", "1")};
  EXPECT_EQ(Execute(), 1);
  ExpectExportedAlone("ship");
}

TEST_F(ExecuteExportTest, EmptyActivatedTextIsNotActivated) {
  scene_.objects = {Triangle("blank", ""), Triangle("ship", "1")};
  EXPECT_EQ(Execute(), 1);
  ExpectExportedAlone("ship");
}

TEST_F(ExecuteExportTest, EmptyActivatedTextAloneMeansNoModel) {
  scene_.objects = {Triangle("blank", "")};
  EXPECT_EQ(Execute(), 0);
  EXPECT_EQ(sandbox_.BoxTexts(),
            std::vector<std::string>{"ERROR! No model selected or no model data is present! "
                                     "Please select the root model to export."});
  EXPECT_FALSE(sandbox_.Exists("out\\ship.rsd"));
}

TEST_F(ExecuteExportTest, NonNumericActivatedBeforeTheExportedOneStillStops) {
  scene_.objects = {Triangle("odd", "oops"), Triangle("ship", "1")};
  EXPECT_EQ(Execute(), 0);
  EXPECT_EQ(sandbox_.BoxTexts(),
            std::vector<std::string>{"Error: the \"Activated\" attribute of object (odd) is not a "
                                     "number: 'oops' is not a valid integer value, the export "
                                     "has stopped."});
  EXPECT_TRUE(sandbox_.ToolCalls().empty());
}

}  // namespace
}  // namespace exporter
