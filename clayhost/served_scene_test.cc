#include "clayhost/served_scene.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "clayhost/testing/test_scene.h"
#include "testing/temp_folder.h"

namespace clayhost {
namespace {

// The tests of plug-in code rely on both records: the saves they assert on
// and the misuse they insist is absent.
TEST(ServedScene, RecordsSavesAndDescribesMisuse) {
  const gannet_testing::TempFolder folder("clayhost_served_scene_test");
  Scene scene;
  scene.objects = {testing::TestObject("ship")};
  scene.textures = {testing::NamedTexture("wood")};
  scene.materials = {{"m", {testing::TextureParam("DiffuseMap", 0)}}};
  int heard = 0;
  ServedScene host(scene, [&](const SaveCall& call) { heard += call.texture + 1; });
  EXPECT_EQ(host.api().GetRootObjectCount(ServedScene::handle()), 1);

  mcp::MaterialRecord material{};
  ASSERT_EQ(host.api().GetMaterial(ServedScene::handle(), 0, &material), 1);
  mcp::ParamRecord param{};
  ASSERT_EQ(host.api().FindMaterialParam(ServedScene::handle(), &material, "DiffuseMap", &param),
            1);
  const std::string path = folder.windows("wood.bmp");
  host.api().SaveTexture(host.api().GetParamTexture(param.handle), path.c_str(), 4);
  ASSERT_EQ(host.saves().size(), 1u);
  EXPECT_EQ(host.saves()[0].texture, 0);
  EXPECT_EQ(host.saves()[0].path, path);
  EXPECT_EQ(host.saves()[0].format, 4);
  EXPECT_EQ(heard, 1);
  EXPECT_TRUE(std::filesystem::exists(folder / "wood.bmp"));
  EXPECT_EQ(host.diagnostics(), "");

  mcp::VertexRecord vertex{};
  EXPECT_EQ(host.api().GetVertex(host.object(0), 0, &vertex), 0);
  EXPECT_EQ(host.misuse_count(), 1);
  EXPECT_EQ(host.diagnostics(),
            "clayhost: plug-in error: GetVertex: vertex 0 is out of range (0 exist)\n");
}

}  // namespace
}  // namespace clayhost
