#include "clayhost/scene_obj.h"

#include <gtest/gtest.h>

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "clayhost/scene_loader.h"
#include "testing/file_bytes.h"
#include "testing/temp_folder.h"

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
  EXPECT_TRUE(scene.warnings.empty());
  ASSERT_EQ(scene.objects.size(), 1u);
  const SceneObject& crate = scene.objects[0];
  EXPECT_EQ(crate.FindAttribute("Name")->value, "crate");
  EXPECT_EQ(crate.FindAttribute("Activated")->value, "1");
  ASSERT_EQ(crate.vertices.size(), 8u);
  // Numbered in the order the faces first use them: 1, 4, 3, 2, ...
  EXPECT_EQ(crate.vertices[1].c[2], 1.0f);  // "v 0 1 0": up is c2
  EXPECT_EQ(crate.vertices[1].c[0], 0.0f);
  ASSERT_EQ(crate.faces.size(), 6u);
  const Face& first = crate.faces[0];
  EXPECT_EQ(first.corner_count, 4);
  // "f 1/1 4/2 3/3 2/4" reversed after its first corner.
  EXPECT_EQ(first.vertex, (std::array<std::int32_t, 4>{0, 3, 2, 1}));
  EXPECT_EQ(first.texcoord, (std::array<std::int32_t, 4>{1, 4, 3, 2}));  // vt numbers stay 1-based
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
  EXPECT_EQ(FindParam(textured, "Refraction")->value, 1.0f);  // Kd arrives as written
  EXPECT_EQ(FindParam(textured, "Specular")->value, 0.25f);   // Ns 250 / 1000
  const Param* map = FindParam(textured, "DiffuseMap");
  ASSERT_NE(map, nullptr);
  EXPECT_EQ(map->type, mcp::kParamTexture);
  ASSERT_EQ(scene.textures.size(), 1u);  // the bump map is the same file
  EXPECT_EQ(scene.textures[0].name, "crate.png");
  EXPECT_EQ(scene.textures[0].file, kTestData + "/crate.png");
  EXPECT_TRUE(scene.textures[0].saves);

  const Material& plain = scene.materials[1];
  EXPECT_EQ(FindParam(plain, "Diffuse")->color[2], 0.5f);  // "Kd 0.5" is a grey
  EXPECT_EQ(FindParam(plain, "BumpMap")->texture, 0);
  // Ni is an index of refraction and Tf a filter colour: neither is served.
  EXPECT_EQ(FindParam(plain, "Refraction")->value, 1.0f);
  EXPECT_EQ(FindParam(plain, "Transparency"), nullptr);
}

// A face seen from the front runs counter-clockwise in OBJ and clockwise in
// the modeller, whose right, up and towards-the-viewer axes are c1, c2, c0.
TEST(ParseObjSceneTest, ServesPositionsAndWindingInTheModellersFrame) {
  const Scene scene = ParseObjScene(
      "v 1 2 3\nv 4 5 6\nv 7 8 9\nv 10 11 12\nv 13 14 15\n"
      "f 1 2 3\nf 1 2 3 4\nf 1 2 3 4 5\n",
      "/tmp/frame.obj");
  const SceneObject& object = scene.objects.at(0);
  EXPECT_EQ(object.vertices[0].c[0], 3.0f);
  EXPECT_EQ(object.vertices[0].c[1], 1.0f);
  EXPECT_EQ(object.vertices[0].c[2], 2.0f);
  ASSERT_EQ(object.faces.size(), 5u);
  EXPECT_EQ(object.faces[0].vertex, (std::array<std::int32_t, 4>{0, 2, 1, 0}));
  EXPECT_EQ(object.faces[1].vertex, (std::array<std::int32_t, 4>{0, 3, 2, 1}));
  // A pentagon is a fan around its first corner, each triangle reversed.
  EXPECT_EQ(object.faces[2].vertex, (std::array<std::int32_t, 4>{0, 2, 1, 0}));
  EXPECT_EQ(object.faces[3].vertex, (std::array<std::int32_t, 4>{0, 3, 2, 0}));
  EXPECT_EQ(object.faces[4].vertex, (std::array<std::int32_t, 4>{0, 4, 3, 0}));
}

TEST(ParseObjSceneTest, SplitsObjectsAndNumbersTheirVerticesApart) {
  const Scene scene = ParseObjScene(
      "v 0 0 0\nv 1 0 0\nv 0 1 0\nv 1 1 0\nvt 0.5 0.5\n"
      "f 1 2 3\n"               // before any "o": named after the file, gets the default material
      "o hull\ng hull_group\n"  // a name line right after another names one object
      "f -1/-1 -2 -3\n"
      "o mast\nf 1 2 3 4\n",
      "/tmp/boat.obj");
  ASSERT_EQ(scene.objects.size(), 3u);
  EXPECT_EQ(scene.objects[0].FindAttribute("Name")->value, "boat");
  EXPECT_EQ(scene.objects[0].FindAttribute("Activated")->value, "1");
  EXPECT_EQ(scene.objects[1].FindAttribute("Activated"), nullptr);
  EXPECT_EQ(scene.objects[1].FindAttribute("Name")->value, "hull_group");
  ASSERT_EQ(scene.objects[1].vertices.size(), 3u);
  EXPECT_EQ(scene.objects[1].vertices[0].c[1], 1.0f);  // -1 is the fourth vertex, (1, 1, 0)
  EXPECT_EQ(scene.objects[1].vertices[0].c[2], 1.0f);
  EXPECT_EQ(scene.objects[1].faces[0].texcoord[0], 1);
  EXPECT_EQ(scene.objects[1].faces[0].vertex[1], 2);
  EXPECT_EQ(scene.objects[2].vertices.size(), 4u);

  ASSERT_EQ(scene.materials.size(), 1u);
  EXPECT_EQ(scene.materials[0].name, "default");
  EXPECT_TRUE(scene.materials[0].params.empty());
}

std::vector<Param> ParamsOf(const std::string& mtl_lines) {
  gannet_testing::TempFolder folder;
  gannet_testing::WriteBytes(folder.path() / "m.mtl", "newmtl m\n" + mtl_lines);
  gannet_testing::WriteBytes(folder.path() / "m.obj", "mtllib m.mtl\n");
  const Scene scene = LoadScene((folder.path() / "m.obj").string());
  EXPECT_TRUE(scene.warnings.empty());
  return scene.materials.at(0).params;
}

std::optional<float> TransparencyOf(const std::string& mtl_lines) {
  for (const Param& param : ParamsOf(mtl_lines)) {
    if (param.name == "Transparency") {
      EXPECT_EQ(param.color[0], param.color[2]);
      return param.color[0];
    }
  }
  return std::nullopt;
}

// What each MTL line means, not what it is called.
TEST(ParseObjSceneTest, MaterialLinesAreServedByMeaning) {
  // Blender's default material: the colour arrives as written, lit.
  const std::vector<Param> blender = ParamsOf(
      "Ns 250.000000\nKa 1.000000 1.000000 1.000000\nKd 0.800000 0.800000 0.800000\n"
      "Ks 0.500000 0.500000 0.500000\nKe 0.000000 0.000000 0.000000\nNi 1.450000\n"
      "d 1.000000\nillum 2\n");
  ASSERT_EQ(blender.size(), 3u);
  EXPECT_EQ(blender[0].name, "Specular");
  EXPECT_EQ(blender[1].name, "Diffuse");
  EXPECT_EQ(blender[1].color[0], 0.8f);
  EXPECT_EQ(blender[2].name, "Refraction");
  EXPECT_EQ(blender[2].value, 1.0f);

  EXPECT_EQ(TransparencyOf("d 1\n"), std::nullopt);
  EXPECT_EQ(TransparencyOf("d 0.25\n"), 0.75f);
  EXPECT_EQ(TransparencyOf("Tr 0.5\n"), 0.5f);
  EXPECT_EQ(TransparencyOf("Tr 0\n"), std::nullopt);
  // "d" wins over "Tr" in either order; "Tf 1 1 1" (opaque in many
  // exporters' files) is no transparency.
  EXPECT_EQ(TransparencyOf("d 0.75\nTr 0.5\n"), 0.25f);
  EXPECT_EQ(TransparencyOf("Tr 0.5\nd 0.75\n"), 0.25f);
  EXPECT_EQ(TransparencyOf("Tf 1 1 1\nTr 0\n"), std::nullopt);
}

// Texture options go, the file name (which may hold spaces) stays.
TEST(ParseObjSceneTest, TextureLinesDropTheirOptions) {
  gannet_testing::TempFolder folder;
  for (const char* name : {"a b.png", "c.png", "d.png", "e.png"}) {
    gannet_testing::WriteBytes(folder.path() / name,
                               gannet_testing::ReadBytes(kTestData + "/crate.png"));
  }
  gannet_testing::WriteBytes(folder.path() / "m.mtl",
                             "newmtl m\nmap_Kd -o 0.1 0.2 a b.png\n"
                             "newmtl n\nmap_Kd -blendu on -s 2 c.png\n"
                             "newmtl o\nmap_Bump -imfchan r d.png -bm 1.5\n"
                             "newmtl p\nbump -mm 0 1 -texres 512 e.png \n");
  gannet_testing::WriteBytes(folder.path() / "m.obj", "mtllib m.mtl\n");
  const Scene scene = LoadScene((folder.path() / "m.obj").string());
  EXPECT_TRUE(scene.warnings.empty()) << scene.warnings.front();
  ASSERT_EQ(scene.textures.size(), 4u);
  EXPECT_EQ(scene.textures[0].name, "a b.png");
  EXPECT_EQ(scene.textures[1].name, "c.png");
  EXPECT_EQ(scene.textures[2].name, "d.png");
  EXPECT_EQ(scene.textures[3].name, "e.png");
}

// What real files lack is warned about and served as the modeller would;
// only what cannot be read as a model at all stops the scene.
TEST(ParseObjSceneTest, SloppyFilesWarnAndAreServed) {
  gannet_testing::TempFolder folder;
  const std::string obj = (folder.path() / "s.obj").string();
  const std::string mtl = (folder.path() / "s.mtl").string();
  gannet_testing::WriteBytes(folder.path() / "wood.png",
                             gannet_testing::ReadBytes(kTestData + "/crate.png"));
  gannet_testing::WriteBytes(mtl,
                             "newmtl a\nmap_Kd C:\\Users\\ann\\wood.png\n"
                             "newmtl b\nmap_Kd /home/ann/missing.png\n"
                             "newmtl c\nmap_Kd gone.jpg\n");
  gannet_testing::WriteBytes(
      obj,
      "mtllib s.mtl lost.mtl\nv 0 0 0\nv 1 0 0\nv 0 1 0\n"
      "usemtl a\nf 1 2 3\nusemtl nowhere\nf 1 2 3\nusemtl nowhere\nf 3 2 1\n");
  const Scene scene = LoadScene(obj);
  const std::string folder_name = folder.path().string();
  ASSERT_EQ(scene.warnings.size(), 6u);
  EXPECT_EQ(scene.warnings[0], mtl +
                                   ":2: warning: the texture path \"C:\\Users\\ann\\wood.png\" is "
                                   "not relative to the material file; looking for wood.png "
                                   "beside it");
  EXPECT_EQ(scene.warnings[1], mtl +
                                   ":4: warning: the texture path \"/home/ann/missing.png\" is "
                                   "not relative to the material file; looking for missing.png "
                                   "beside it");
  EXPECT_EQ(scene.warnings[2].rfind(
                mtl + ":4: warning: cannot read the image " + folder_name + "/missing.png: ", 0),
            0u)
      << scene.warnings[2];
  EXPECT_NE(scene.warnings[2].find("; the texture is served by name and cannot be saved"),
            std::string::npos);
  EXPECT_EQ(scene.warnings[3].rfind(mtl + ":6: warning: cannot read the image ", 0), 0u);
  EXPECT_EQ(scene.warnings[4], obj + ":1: warning: " + folder_name +
                                   "/lost.mtl: cannot read the file: no such file; its "
                                   "materials are served without parameters");
  EXPECT_EQ(scene.warnings[5], obj +
                                   ":7: warning: usemtl names the material \"nowhere\", which no "
                                   "mtllib before it defines; it is served without parameters");

  ASSERT_EQ(scene.textures.size(), 3u);
  EXPECT_EQ(scene.textures[0].name, "C:\\Users\\ann\\wood.png");
  EXPECT_EQ(scene.textures[0].file, folder_name + "/wood.png");
  EXPECT_TRUE(scene.textures[0].saves);
  EXPECT_EQ(scene.textures[1].name, "/home/ann/missing.png");
  EXPECT_FALSE(scene.textures[1].saves);
  EXPECT_FALSE(scene.textures[2].saves);
  ASSERT_EQ(scene.materials.size(), 4u);
  EXPECT_EQ(scene.materials[3].name, "nowhere");
  EXPECT_TRUE(scene.materials[3].params.empty());
  const SceneObject& object = scene.objects.at(0);
  EXPECT_EQ(object.faces[1].material, 3u);
  EXPECT_EQ(object.faces[2].material, 3u);  // made once
}

TEST(ParseObjSceneTest, MalformedModelsStillFailWithFileAndLine) {
  const std::string inline_obj = kTestData + "/inline.obj";
  EXPECT_EQ(ErrorOf("v 0 0 0\nf 1 2 3\n"),
            inline_obj + ":2: vertex 2 does not exist (1 are defined so far)");
  EXPECT_EQ(ErrorOf("v 0 0 0\nf 0 1 1\n"),
            inline_obj + ":2: vertex 0 does not exist (1 are defined so far)");
  EXPECT_EQ(ErrorOf("v 0 0\n"), inline_obj + ":1: expected a number for a coordinate, found \"\"");
  EXPECT_EQ(ErrorOf("v 0 0 x\n"),
            inline_obj + ":1: expected a number for a coordinate, found \"x\"");
  EXPECT_EQ(ErrorOf("v nan 0 0\n"),
            inline_obj + ":1: expected a number for a coordinate, found \"nan\"");
  EXPECT_EQ(ErrorOf("v 0 0 0\nv 1 0 0\nf 1 2\n"),
            inline_obj + ":3: a face needs at least 3 corners, found 2");
  EXPECT_EQ(ErrorOf("v 0 0 0\nf 1/a 1 1\n"), inline_obj + ":2: malformed face corner \"a\"");
  EXPECT_EQ(ErrorOf("v 0 0 0\nf 1/1 1 1\n"),
            inline_obj + ":2: texture coordinate 1 does not exist (0 are defined so far)");
  EXPECT_EQ(ErrorOf("mtllib bad.mtl\n"),
            kTestData + "/bad.mtl:2: expected a number for Kd, found \"x\"");
}

}  // namespace
}  // namespace clayhost
