#include "clayhost/scene_obj.h"

#include <gtest/gtest.h>

#include <string>

#include "clayhost/scene_loader.h"

namespace clayhost {
namespace {

const std::string kTestData = CLAYHOST_TESTDATA;

std::string ErrorOf(const std::string& obj) {
  try {
    ParseObjScene(obj, kTestData + "/inline.obj");
  } catch (const SceneError& error) {
    return error.what();
  }
  return "(no error)";
}

const Param* FindParam(const Material& material, const std::string& name) {
  for (const Param& param : material.params) {
    if (param.name == name) {
      return &param;
    }
  }
  return nullptr;
}

TEST(ParseObjSceneTest, ReadsATexturedCubeWithItsMaterialLibrary) {
  const Scene scene = LoadScene(kTestData + "/cube.obj");
  ASSERT_EQ(scene.objects.size(), 1u);
  const SceneObject& crate = scene.objects[0];
  EXPECT_EQ(crate.FindAttribute("Name")->value, "crate");
  EXPECT_EQ(crate.FindAttribute("Activated")->value, "1");
  ASSERT_EQ(crate.vertices.size(), 8u);
  // Numbered in the order the faces first use them: 1, 4, 3, 2, ...
  EXPECT_EQ(crate.vertices[1].c[1], 1.0f);
  EXPECT_EQ(crate.vertices[1].c[0], 0.0f);
  ASSERT_EQ(crate.faces.size(), 6u);
  const Face& first = crate.faces[0];
  EXPECT_EQ(first.corner_count, 4);
  EXPECT_EQ(first.vertex[0], 0);
  EXPECT_EQ(first.vertex[1], 1);
  EXPECT_EQ(first.texcoord[0], 1);  // vt numbers stay 1-based
  EXPECT_EQ(first.texcoord[3], 4);
  EXPECT_EQ(crate.faces[5].texcoord[0], 0);  // "4//1": no texture coordinate
  ASSERT_EQ(crate.texcoords->size(), 4u);
  EXPECT_EQ((*crate.texcoords)[2].u, 1.0f);

  ASSERT_EQ(scene.materials.size(), 2u);
  EXPECT_EQ(first.material, 0u);
  EXPECT_EQ(crate.faces[5].material, 1u);
  const Material& textured = scene.materials[0];
  EXPECT_EQ(textured.name, "crate~16x16x4");
  EXPECT_EQ(FindParam(textured, "Diffuse")->type, mcp::kParamColor);
  EXPECT_EQ(FindParam(textured, "Diffuse")->color[1], 0.6f);
  EXPECT_EQ(FindParam(textured, "Specular")->value, 0.25f);  // Ns 250 / 1000
  const Param* map = FindParam(textured, "DiffuseMap");
  ASSERT_NE(map, nullptr);
  EXPECT_EQ(map->type, mcp::kParamTexture);
  ASSERT_EQ(scene.textures.size(), 1u);  // the bump map is the same file
  EXPECT_EQ(scene.textures[0].name, "crate.png");
  EXPECT_EQ(scene.textures[0].file, kTestData + "/crate.png");

  const Material& plain = scene.materials[1];
  EXPECT_EQ(FindParam(plain, "Diffuse")->color[2], 0.5f);  // "Kd 0.5" is a grey
  EXPECT_EQ(FindParam(plain, "Refraction")->value, 1.5f);
  EXPECT_EQ(FindParam(plain, "Transparency")->type, mcp::kParamColor);
  EXPECT_EQ(FindParam(plain, "Transparency")->color[2], 0.3f);
  EXPECT_EQ(FindParam(plain, "BumpMap")->texture, 0);
}

TEST(ParseObjSceneTest, SplitsObjectsAndNumbersTheirVerticesApart) {
  const Scene scene = ParseObjScene(
      "v 0 0 0\nv 1 0 0\nv 0 1 0\nv 1 1 0\nvt 0.5 0.5\n"
      "f 1 2 3\n"               // before any "o": named after the file, gets the default material
      "o hull\ng hull_group\n"  // a name line right after another names one object
      "f -1/-1 -2 -3\n"
      "o mast\nf 1 2 3 4 1\n",  // five corners: a fan of three triangles
      "/tmp/boat.obj");
  ASSERT_EQ(scene.objects.size(), 3u);
  EXPECT_EQ(scene.objects[0].FindAttribute("Name")->value, "boat");
  EXPECT_EQ(scene.objects[0].FindAttribute("Activated")->value, "1");
  EXPECT_EQ(scene.objects[1].FindAttribute("Activated"), nullptr);
  EXPECT_EQ(scene.objects[1].FindAttribute("Name")->value, "hull_group");
  ASSERT_EQ(scene.objects[1].vertices.size(), 3u);
  EXPECT_EQ(scene.objects[1].vertices[0].c[0], 1.0f);  // -1 is the fourth vertex
  EXPECT_EQ(scene.objects[1].vertices[0].c[1], 1.0f);
  EXPECT_EQ(scene.objects[1].faces[0].texcoord[0], 1);
  EXPECT_EQ(scene.objects[1].faces[0].vertex[2], 2);

  const SceneObject& mast = scene.objects[2];
  ASSERT_EQ(mast.faces.size(), 3u);
  EXPECT_EQ(mast.vertices.size(), 4u);
  EXPECT_EQ(mast.faces[2].vertex[0], 0);
  EXPECT_EQ(mast.faces[2].vertex[1], 3);
  EXPECT_EQ(mast.faces[2].vertex[2], 0);
  EXPECT_EQ(mast.faces[2].corner_count, 3);

  ASSERT_EQ(scene.materials.size(), 1u);
  EXPECT_EQ(scene.materials[0].name, "default");
  EXPECT_TRUE(scene.materials[0].params.empty());
}

TEST(ParseObjSceneTest, FaultsNameFileAndLine) {
  const std::string inline_obj = kTestData + "/inline.obj";
  EXPECT_EQ(ErrorOf("v 0 0 0\nf 1 2 3\n"),
            inline_obj + ":2: vertex 2 does not exist (1 are defined so far)");
  EXPECT_EQ(ErrorOf("v 0 0\n"), inline_obj + ":1: expected a number for a coordinate, found \"\"");
  EXPECT_EQ(ErrorOf("v 0 0 x\n"),
            inline_obj + ":1: expected a number for a coordinate, found \"x\"");
  EXPECT_EQ(ErrorOf("v 0 0 0\nv 1 0 0\nf 1 2\n"),
            inline_obj + ":3: a face needs at least 3 corners, found 2");
  EXPECT_EQ(ErrorOf("v 0 0 0\nf 1/a 1 1\n"), inline_obj + ":2: malformed face corner \"a\"");
  EXPECT_EQ(ErrorOf("v 0 0 0\nf 1/1 1 1\n"),
            inline_obj + ":2: texture coordinate 1 does not exist (0 are defined so far)");
  EXPECT_EQ(ErrorOf("usemtl hull\n"),
            inline_obj +
                ":1: usemtl names the material \"hull\", which no mtllib before it "
                "defines");
  EXPECT_EQ(ErrorOf("mtllib missing.mtl\n"),
            kTestData + "/missing.mtl: cannot read the file: no such file");
  // A name longer than the system allows is a file that cannot be read.
  const std::string long_name(300, 'm');
  EXPECT_EQ(ErrorOf("mtllib " + long_name + "\n"),
            kTestData + "/" + long_name + ": cannot read the file: no such file");
  EXPECT_EQ(
      ErrorOf("mtllib bad.mtl\n")
          .rfind(kTestData + "/bad.mtl:3: cannot read the image " + kTestData + "/missing.png", 0),
      0u)
      << ErrorOf("mtllib bad.mtl\n");
}

}  // namespace
}  // namespace clayhost
