#include "clayhost/scene_json.h"

#include <gtest/gtest.h>

#include <string>

namespace clayhost {
namespace {

std::string ErrorOf(const std::string& json) {
  try {
    ParseJsonScene(json, "s.json");
  } catch (const SceneError& error) {
    return error.what();
  }
  return "(no error)";
}

TEST(ParseJsonSceneTest, ReadsEveryFeatureOfTheFormat) {
  const Scene scene = ParseJsonScene(R"({
    "objects": [{
      "attributes": {"Name": "ship", "Activated": "1", "Note": "caf\u00e9"},
      "vertices": [[1, 2, 3], {"pos": [4, 5, 6], "flags": 18446744073709551615}, [7, 8, 9]],
      "texcoords": [[0.25, 0.75]],
      "faces": [{"v": [0, 1, 2], "t": [1, 0, -1], "material": 1, "flags": 64},
                {"v": [2, 1, 0, 1]}]
    }],
    "materials": [
      {"name": "plain"},
      {"name": "hull~64x64x4", "params": {
        "Diffuse": {"type": 3, "color": [0.5, 0.25, 1]},
        "Specular": {"type": 1, "value": 0.5},
        "DiffuseMap": {"type": 5, "texture": "red"},
        "BumpMap": {"type": 5, "texture": null}}}],
    "textures": {
      "red": {"width": 4, "height": 2, "rgb": [255, 0, 0]},
      "nameless": {"name": false}, "unreadable": {"name": "error"}, "unsaved": {"save": false}}
  })",
                                     "s.json");

  ASSERT_EQ(scene.objects.size(), 1u);
  const SceneObject& ship = scene.objects[0];
  ASSERT_EQ(ship.attributes.size(), 3u);
  EXPECT_EQ(ship.FindAttribute("Note")->value, "caf\xE9");  // 8-bit, as plug-ins read it
  EXPECT_EQ(ship.FindAttribute("Missing"), nullptr);
  EXPECT_EQ(ship.vertices[1].flags, 0xFFFFFFFFFFFFFFFFull);
  EXPECT_EQ(ship.vertices[2].c[2], 9.0f);
  EXPECT_EQ((*ship.texcoords)[0].v, 0.75f);
  const Face& triangle = ship.faces[0];
  EXPECT_EQ(triangle.corner_count, 3);
  EXPECT_EQ(triangle.texcoord[0], 1);
  EXPECT_EQ(triangle.texcoord[2], -1);
  EXPECT_EQ(triangle.texcoord[3], 0);
  EXPECT_EQ(triangle.vertex[3], 0);
  EXPECT_EQ(triangle.material, 1u);
  EXPECT_EQ(triangle.flags, 64u);
  const Face& quad = ship.faces[1];
  EXPECT_EQ(quad.corner_count, 4);
  EXPECT_EQ(quad.vertex[3], 1);
  EXPECT_EQ(quad.texcoord[3], 0);  // no "t": no coordinates at any corner
  EXPECT_EQ(quad.material, 0u);

  const Material& hull = scene.materials[1];
  ASSERT_EQ(hull.params.size(), 4u);
  EXPECT_EQ(hull.params[0].name, "Diffuse");  // the file's order
  EXPECT_TRUE(hull.params[0].has_color);
  EXPECT_EQ(hull.params[0].color[3], 1.0f);  // three numbers: the fourth is 1
  EXPECT_EQ(hull.params[1].value, 0.5f);
  EXPECT_EQ(hull.params[2].texture, 0);
  EXPECT_EQ(hull.params[3].texture, kNoTexture);

  ASSERT_EQ(scene.textures.size(), 4u);
  EXPECT_EQ(scene.textures[0].name, "red");
  EXPECT_EQ(scene.textures[0].width, 4);
  EXPECT_EQ(scene.textures[0].rgb[0], 255);
  EXPECT_EQ(scene.textures[1].naming, TextureNaming::kNameless);
  EXPECT_EQ(scene.textures[2].naming, TextureNaming::kUnreadable);
  EXPECT_FALSE(scene.textures[3].saves);
}

TEST(ParseJsonSceneTest, AnEmptyObjectIsAnEmptyScene) {
  const Scene scene = ParseJsonScene("{}", "s.json");
  EXPECT_TRUE(scene.objects.empty());
  EXPECT_TRUE(scene.materials.empty());
}

TEST(ParseJsonSceneTest, SyntaxErrorsNameFileAndLine) {
  EXPECT_EQ(
      ErrorOf("{\n  \"objects\": [,]\n}").rfind("s.json: parse error at line 2, column 15:", 0), 0u)
      << ErrorOf("{\n  \"objects\": [,]\n}");
  // A number beyond the double range is the parser's out_of_range error.
  EXPECT_EQ(ErrorOf(R"({"objects": [{"vertices": [[1e999, 0, 0]]}]})"),
            "s.json: number overflow parsing '1e999'");
}

TEST(ParseJsonSceneTest, FaultsNameTheirJsonPointer) {
  const std::string triangle = R"("vertices": [[0,0,0],[1,0,0],[0,1,0]])";
  EXPECT_EQ(ErrorOf(R"({"object": []})"), "s.json: /object: unknown key \"object\"");
  EXPECT_EQ(ErrorOf(R"([])"), "s.json: /: must be an object");
  EXPECT_EQ(ErrorOf(R"({"objects": [{"attributes": {"Activated": 1}}]})"),
            "s.json: /objects/0/attributes/Activated: must be a text");
  EXPECT_EQ(ErrorOf(R"({"objects": [{"attributes": {"Name": "\u0100"}}]})"),
            "s.json: /objects/0/attributes/Name: holds a character above U+00FF; plug-in texts "
            "are 8-bit");
  EXPECT_EQ(ErrorOf(R"({"objects": [{"vertices": [[0, 0]]}]})"),
            "s.json: /objects/0/vertices/0: must hold 3 numbers");
  EXPECT_EQ(ErrorOf(R"({"objects": [{"vertices": [[0, 0, 1e39]]}]})"),
            "s.json: /objects/0/vertices/0/2: does not fit a 32-bit float");
  EXPECT_EQ(ErrorOf(R"({"objects": [{"vertices": [{"pos": [0,0,0], "flags": -1}]}]})"),
            "s.json: /objects/0/vertices/0/flags: must be a whole number from 0 to 2^64-1");
  EXPECT_EQ(ErrorOf(R"({"objects": [{)" + triangle + R"(, "faces": [{"v": [0, 1, 3]}]}]})"),
            "s.json: /objects/0/faces/0/v/2: vertex index 3 is out of range (the object has 3 "
            "vertices)");
  EXPECT_EQ(ErrorOf(R"({"objects": [{)" + triangle + R"(, "faces": [{"v": [0,1,2,0,1]}]}]})"),
            "s.json: /objects/0/faces/0/v: a face has 3 or 4 corners, not 5");
  EXPECT_EQ(ErrorOf(R"({"objects": [{)" + triangle + R"(, "faces": [{"v": [0,1,2], "t": [1]}]}]})"),
            "s.json: /objects/0/faces/0/t: must hold one index per corner (3)");
  EXPECT_EQ(
      ErrorOf(R"({"objects": [{)" + triangle + R"(, "faces": [{"v": [0,1,2], "t": [0,0,1]}]}]})"),
      "s.json: /objects/0/faces/0/t/2: texture-coordinate index 1 is out of range (1 names the "
      "first of 0 entries)");
  EXPECT_EQ(
      ErrorOf(R"({"objects": [{)" + triangle + R"(, "faces": [{"v": [0,1,2], "material": 0}]}]})"),
      "s.json: /objects/0/faces/0/material: material 0 is out of range (the scene has 0 "
      "materials)");
}

TEST(ParseJsonSceneTest, MaterialFaultsNameTheirParameter) {
  EXPECT_EQ(ErrorOf(R"({"materials": [{"params": {}}]})"),
            "s.json: /materials/0: a material needs a \"name\"");
  EXPECT_EQ(ErrorOf(R"({"materials": [{"name": "m", "params": {"Specular": {"type": 1}}}]})"),
            "s.json: /materials/0/params/Specular: a parameter of type 1 needs a \"value\"");
  EXPECT_EQ(ErrorOf(R"({"materials": [{"name": "m", "params": {"Diffuse": {"type": 4}}}]})"),
            "s.json: /materials/0/params/Diffuse: a parameter of type 4 needs a \"color\"");
  EXPECT_EQ(ErrorOf(R"({"materials": [{"name": "m", "params": {"Diffuse": {"value": 1}}}]})"),
            "s.json: /materials/0/params/Diffuse: a parameter needs a \"type\"");
  EXPECT_EQ(ErrorOf(R"({"materials": [{"name": "m", "params": {"X": {"type": 70000}}}]})"),
            "s.json: /materials/0/params/X/type: must be from 0 to 65535");
  EXPECT_EQ(
      ErrorOf(
          R"({"materials": [{"name": "m", "params": {"DiffuseMap": {"type": 5, "texture": "x"}}}]})"),
      "s.json: /materials/0/params/DiffuseMap/texture: names no entry of \"textures\": \"x\"");
}

TEST(ParseJsonSceneTest, RefusesTexturesItCannotServe) {
  EXPECT_EQ(ErrorOf(R"({"textures": {"big": {"width": 100000, "height": 100000}}})"),
            "s.json: /textures/big/width: must be from 1 to 4096");
  EXPECT_EQ(ErrorOf(R"({"textures": {"a/b~c": {"name": "x"}}})"),
            "s.json: /textures/a~1b~0c/name: must be false (no name), \"error\" (unreadable) or "
            "true");
  EXPECT_EQ(ErrorOf(R"({"textures": {"t": {"file": "t.png", "rgb": [1, 2, 3]}}})"),
            "s.json: /textures/t/rgb: a texture has either a file or generated pixels, not both");
  const std::string missing = ErrorOf(R"({"textures": {"t": {"file": "no-such.png"}}})");
  EXPECT_EQ(missing.rfind("s.json: /textures/t/file: cannot read the image /", 0), 0u) << missing;
  EXPECT_NE(missing.find("no-such.png"), std::string::npos);
}

}  // namespace
}  // namespace clayhost
