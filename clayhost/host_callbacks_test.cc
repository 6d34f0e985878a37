#include "clayhost/host_callbacks.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <sstream>
#include <string>

#include "clayhost/scene_json.h"
#include "testing/file_bytes.h"
#include "testing/temp_folder.h"

namespace clayhost {
namespace {

constexpr char kSceneJson[] = R"({
  "objects": [
    {"attributes": {"Name": "ship", "Activated": "1", "Empty": ""},
     "vertices": [[1, 2, 3], {"pos": [4, 5, 6], "flags": 224}, [7, 8, 9], [0, 0, 1]],
     "texcoords": [[0.25, 0.5], [1, 0]],
     "faces": [{"v": [0, 1, 2], "t": [1, 2, 0], "material": 1, "flags": 32},
               {"v": [0, 1, 2, 3], "material": 0}]},
    {"attributes": {"Name": "other"}}
  ],
  "materials": [
    {"name": "plain"},
    {"name": "hull~4x2x4", "params": {
      "Diffuse": {"type": 3, "color": [0.5, 0.25, 1, 0.75]},
      "Specular": {"type": 1, "value": 0.125},
      "DiffuseMap": {"type": 5, "texture": "red"},
      "BumpMap": {"type": 5, "texture": null},
      "Odd": {"type": 9, "value": 2, "texture": "unsaved"}}}
  ],
  "textures": {"red": {"width": 4, "height": 2, "rgb": [255, 16, 1]},
               "nameless": {"name": false}, "unreadable": {"name": "error"},
               "unsaved": {"save": false}}
})";

/// A scene served through the real callback table, as a plug-in sees it.
class HostCallbacksTest : public ::testing::Test {
 protected:
  void SetUp() override {
    scene_ = ParseJsonScene(kSceneJson, "scene.json");
    state_.diagnostics = &diagnostics_;
    state_.Serve(&scene_);
    serving_ = std::make_unique<ServeHostState>(state_);
    slots_ = CallbackSlotValues();
  }

  template <typename Fn>
  Fn Slot(int slot) const {
    return reinterpret_cast<Fn>(slots_[slot]);
  }
  mcp::Handle Object(int index) const {
    return Slot<mcp::GetRootObjectFn>(mcp::kGetRootObject)(SceneHandle(), index);
  }
  std::string Attribute(mcp::Handle object, const char* name) const {
    auto get = Slot<mcp::GetObjectAttributeFn>(mcp::kGetObjectAttribute);
    const std::int32_t size = get(object, name, nullptr, 0);
    if (size <= 0) {
      return "<absent " + std::to_string(size) + ">";
    }
    std::string buffer(static_cast<std::size_t>(size), '#');
    EXPECT_EQ(get(object, name, buffer.data(), size), size);
    EXPECT_EQ(buffer.back(), '\0');
    return buffer.c_str();
  }
  mcp::MaterialRecord Material(int index) const {
    mcp::MaterialRecord record{};
    EXPECT_EQ(Slot<mcp::GetMaterialFn>(mcp::kGetMaterial)(SceneHandle(), index, &record), 1);
    return record;
  }
  mcp::ParamRecord Param(mcp::MaterialRecord material, const char* name) const {
    mcp::ParamRecord param{};
    EXPECT_EQ(Slot<mcp::FindMaterialParamFn>(mcp::kFindMaterialParam)(SceneHandle(), &material,
                                                                      name, &param),
              1)
        << name;
    return param;
  }
  mcp::Handle TextureOf(const mcp::ParamRecord& param) const {
    mcp::Handle texture = 0;
    Slot<mcp::GetParamTextureFn>(mcp::kGetParamTexture)(param.handle, &texture);
    return texture;
  }
  mcp::Handle TextureNamed(const char* key) const {
    for (std::size_t i = 0; i < scene_.textures.size(); ++i) {
      if (scene_.textures[i].name == key) {
        // Only parameters hand out texture handles; find one through the
        // handle layout the host gives the first parameter's texture.
        const mcp::Handle red = TextureOf(Param(Material(1), "DiffuseMap"));
        return red + i;
      }
    }
    return 0;
  }

  Scene scene_;
  HostState state_;
  std::ostringstream diagnostics_;
  std::unique_ptr<ServeHostState> serving_;
  std::array<std::uintptr_t, mcp::kCallbackSlotCount> slots_{};
};

TEST_F(HostCallbacksTest, ServesObjectsAndTheirAttributes) {
  EXPECT_EQ(Slot<mcp::GetRootObjectCountFn>(mcp::kGetRootObjectCount)(SceneHandle()), 2);
  EXPECT_EQ(Attribute(Object(0), "Name"), "ship");
  EXPECT_EQ(Attribute(Object(0), "Activated"), "1");
  EXPECT_EQ(Attribute(Object(0), "Empty"), "");
  EXPECT_EQ(Attribute(Object(1), "Activated"), "<absent 0>");
  EXPECT_EQ(Attribute(Object(1), "Name"), "other");
  EXPECT_EQ(diagnostics_.str(), "");
}

TEST_F(HostCallbacksTest, ServesVerticesFacesAndTexCoordsThroughRecordPointers) {
  const mcp::Handle ship = Object(0);
  EXPECT_EQ(Slot<mcp::GetVertexCountFn>(mcp::kGetVertexCount)(ship, 0, 0, 0, 0, 0), 4);
  mcp::VertexRecord vertex{};
  vertex.size = sizeof vertex;
  ASSERT_EQ(Slot<mcp::GetVertexFn>(mcp::kGetVertex)(ship, 1, &vertex), 1);
  EXPECT_EQ(*vertex.flags, 224u);
  EXPECT_EQ(*vertex.c0, 4.0f);
  EXPECT_EQ(*vertex.c1, 5.0f);
  EXPECT_EQ(*vertex.c2, 6.0f);

  EXPECT_EQ(Slot<mcp::GetFaceCountFn>(mcp::kGetFaceCount)(ship), 2);
  mcp::FaceRecord face{};
  ASSERT_EQ(Slot<mcp::GetFaceFn>(mcp::kGetFace)(ship, 0, &face), 1);
  EXPECT_EQ(*face.flags, 32u);
  EXPECT_EQ(*face.material, 1u);
  EXPECT_EQ(*face.corner_count, 3);
  EXPECT_EQ(*face.vertex[2], 2);
  EXPECT_EQ(*face.vertex[3], 0);  // unused corner: a readable zero
  EXPECT_EQ(*face.texcoord[1], 2);
  EXPECT_EQ(*face.texcoord[2], 0);
  ASSERT_EQ(Slot<mcp::GetFaceFn>(mcp::kGetFace)(ship, 1, &face), 1);
  EXPECT_EQ(*face.corner_count, 4);
  EXPECT_EQ(*face.vertex[3], 3);

  mcp::TexCoordRecord texcoord{};
  ASSERT_EQ(Slot<mcp::GetTexCoordFn>(mcp::kGetTexCoord)(ship, 1, &texcoord), 1);
  EXPECT_EQ(*texcoord.u, 0.25f);
  EXPECT_EQ(*texcoord.v, 0.5f);
  ASSERT_EQ(Slot<mcp::GetTexCoordFn>(mcp::kGetTexCoord)(ship, 2, &texcoord), 1);
  EXPECT_EQ(*texcoord.u, 1.0f);
  // "No coordinate" may be asked for: zeros, without a report.
  EXPECT_EQ(Slot<mcp::GetTexCoordFn>(mcp::kGetTexCoord)(ship, 0, &texcoord), 0);
  EXPECT_EQ(*texcoord.u, 0.0f);
  EXPECT_EQ(*texcoord.v, 0.0f);
  EXPECT_EQ(diagnostics_.str(), "");
}

TEST_F(HostCallbacksTest, ServesMaterialsParametersAndTheirValues) {
  EXPECT_EQ(Slot<mcp::GetMaterialCountFn>(mcp::kGetMaterialCount)(SceneHandle()), 2);
  mcp::MaterialRecord hull = Material(1);
  EXPECT_STREQ(hull.name, "hull~4x2x4");
  mcp::MaterialRecord by_ref{};
  ASSERT_EQ(Slot<mcp::GetMaterialByRefFn>(mcp::kGetMaterialByRef)(1, &by_ref), 1);
  EXPECT_STREQ(by_ref.name, "hull~4x2x4");

  const mcp::ParamRecord diffuse = Param(by_ref, "Diffuse");
  EXPECT_EQ(*diffuse.type, 3);
  float c[4] = {};
  ASSERT_EQ(
      Slot<mcp::GetParamColorFn>(mcp::kGetParamColor)(diffuse.handle, &c[0], &c[1], &c[2], &c[3]),
      1);
  EXPECT_EQ(c[0], 0.5f);
  EXPECT_EQ(c[1], 0.25f);
  EXPECT_EQ(c[2], 1.0f);
  EXPECT_EQ(c[3], 0.75f);

  const mcp::ParamRecord specular = Param(hull, "Specular");
  EXPECT_EQ(*specular.type, 1);
  float value = 0;
  ASSERT_EQ(Slot<mcp::GetParamFloatFn>(mcp::kGetParamFloat)(specular.handle, &value), 1);
  EXPECT_EQ(value, 0.125f);
  EXPECT_NE(specular.handle, diffuse.handle);

  EXPECT_EQ(*Param(hull, "Odd").type, 9);
  EXPECT_EQ(TextureOf(Param(hull, "BumpMap")), 0u);
  EXPECT_NE(TextureOf(Param(hull, "DiffuseMap")), 0u);

  mcp::ParamRecord absent{};
  mcp::MaterialRecord plain = Material(0);
  EXPECT_EQ(Slot<mcp::FindMaterialParamFn>(mcp::kFindMaterialParam)(SceneHandle(), &plain,
                                                                    "Diffuse", &absent),
            0);
  EXPECT_EQ(Slot<mcp::FindMaterialParamFn>(mcp::kFindMaterialParam)(SceneHandle(), &hull, "diffuse",
                                                                    &absent),
            0);  // names are exact
  EXPECT_EQ(diagnostics_.str(), "");
}

TEST_F(HostCallbacksTest, TextureNamesFollowTheTwoCallProtocolAndItsFailures) {
  auto name = Slot<mcp::GetTextureNameFn>(mcp::kGetTextureName);
  const mcp::Handle red = TextureNamed("red");
  ASSERT_EQ(name(red, nullptr, 0), 4);
  char buffer[4] = {'#', '#', '#', '#'};
  EXPECT_EQ(name(red, buffer, 4), 4);
  EXPECT_STREQ(buffer, "red");

  EXPECT_EQ(name(TextureNamed("nameless"), nullptr, 0), 0);
  const mcp::Handle unreadable = TextureNamed("unreadable");
  ASSERT_EQ(name(unreadable, nullptr, 0), 11);
  char long_buffer[11] = {};
  EXPECT_EQ(name(unreadable, long_buffer, 11), 0);
  EXPECT_EQ(diagnostics_.str(), "");
}

TEST_F(HostCallbacksTest, SaveTextureWritesA24BitBmpAtTheMappedPath) {
  const gannet_testing::TempFolder scratch("clayhost-save-texture");
  const std::filesystem::path& folder = scratch.path();
  const std::string windows_path = "Z:" + folder.string() + "/red.bmp";
  auto save = Slot<mcp::SaveTextureFn>(mcp::kSaveTexture);

  ASSERT_EQ(save(TextureNamed("red"), windows_path.c_str(), 4), 1) << diagnostics_.str();
  const std::string bmp = gannet_testing::ReadBytes(folder / "red.bmp");
  // 54-byte header, rows of 4 pixels * 3 bytes (already a multiple of 4), 2 rows.
  ASSERT_EQ(bmp.size(), 54u + 2 * 12);
  EXPECT_EQ(bmp.substr(0, 2), "BM");
  EXPECT_EQ(static_cast<unsigned char>(bmp[18]), 4);             // width
  EXPECT_EQ(static_cast<unsigned char>(bmp[22]), 2);             // height
  EXPECT_EQ(static_cast<unsigned char>(bmp[28]), 24);            // bits per pixel
  EXPECT_EQ(bmp.substr(54, 3), std::string("\x01\x10\xFF", 3));  // blue, green, red

  EXPECT_EQ(save(TextureNamed("unsaved"), (windows_path + "2").c_str(), 4), 0);
  EXPECT_FALSE(std::filesystem::exists(folder / "red.bmp2"));
  EXPECT_EQ(diagnostics_.str(), "");
}

TEST_F(HostCallbacksTest, MisuseIsReportedAndAnsweredEmptily) {
  const mcp::Handle ship = Object(0);
  mcp::VertexRecord vertex{};
  EXPECT_EQ(Slot<mcp::GetVertexFn>(mcp::kGetVertex)(ship, 4, &vertex), 0);
  EXPECT_EQ(*vertex.c0, 0.0f);  // pointers aim at zeros, never dangle
  EXPECT_EQ(*vertex.flags, 0u);
  EXPECT_EQ(Slot<mcp::GetVertexFn>(mcp::kGetVertex)(ship, 0, nullptr), 0);
  vertex.size = 8;
  EXPECT_EQ(Slot<mcp::GetVertexFn>(mcp::kGetVertex)(ship, 0, &vertex), 0);

  mcp::FaceRecord face{};
  EXPECT_EQ(Slot<mcp::GetFaceFn>(mcp::kGetFace)(ship, -1, &face), 0);
  EXPECT_EQ(*face.vertex[3], 0);
  mcp::TexCoordRecord texcoord{};
  EXPECT_EQ(Slot<mcp::GetTexCoordFn>(mcp::kGetTexCoord)(ship, 3, &texcoord), 0);
  EXPECT_EQ(*texcoord.u, 0.0f);

  char small[3] = {'#', '#', '#'};
  EXPECT_EQ(Slot<mcp::GetObjectAttributeFn>(mcp::kGetObjectAttribute)(ship, "Name", small, 3), 0);
  EXPECT_EQ(small[0], '\0');
  EXPECT_EQ(Slot<mcp::GetObjectAttributeFn>(mcp::kGetObjectAttribute)(ship, nullptr, nullptr, 0),
            0);
  EXPECT_EQ(Slot<mcp::GetFaceCountFn>(mcp::kGetFaceCount)(SceneHandle()), 0);  // wrong kind
  EXPECT_EQ(Slot<mcp::GetRootObjectFn>(mcp::kGetRootObject)(SceneHandle() + 1, 0), 0u);

  mcp::MaterialRecord forged{};
  mcp::ParamRecord param{};
  EXPECT_EQ(Slot<mcp::FindMaterialParamFn>(mcp::kFindMaterialParam)(SceneHandle(), &forged,
                                                                    "Diffuse", &param),
            0);
  EXPECT_EQ(Slot<mcp::GetMaterialByRefFn>(mcp::kGetMaterialByRef)(2, &forged), 0);
  EXPECT_STREQ(forged.name, "");
  float value = 5;
  EXPECT_EQ(Slot<mcp::GetParamFloatFn>(mcp::kGetParamFloat)(0, &value), 0);
  EXPECT_EQ(value, 0.0f);
  const mcp::ParamRecord diffuse = Param(Material(1), "Diffuse");
  EXPECT_EQ(Slot<mcp::GetParamFloatFn>(mcp::kGetParamFloat)(diffuse.handle, &value), 0);
  EXPECT_EQ(Slot<mcp::SaveTextureFn>(mcp::kSaveTexture)(TextureNamed("red"), "Q:\\x.bmp", 4), 0);
  EXPECT_EQ(Slot<mcp::SaveTextureFn>(mcp::kSaveTexture)(TextureNamed("red"), "Z:\\tmp\\x.bmp", 2),
            0);

  EXPECT_EQ(diagnostics_.str(),
            "clayhost: plug-in error: GetVertex: vertex 4 is out of range (4 exist)\n"
            "clayhost: plug-in error: GetVertex: no record\n"
            "clayhost: plug-in error: GetVertex: record size 8 is smaller than 56\n"
            "clayhost: plug-in error: GetFace: face -1 is out of range (2 exist)\n"
            "clayhost: plug-in error: GetTexCoord: texture coordinate 3 is out of range (2 "
            "exist, numbered from 1)\n"
            "clayhost: plug-in error: GetObjectAttribute: buffer of 3 bytes for a text that "
            "needs 5\n"
            "clayhost: plug-in error: GetObjectAttribute: no attribute name\n"
            "clayhost: plug-in error: GetFaceCount: 0x10000001 is not an object handle\n"
            "clayhost: plug-in error: GetRootObject: scene handle 0x10000002 is not the scene's "
            "handle 0x10000001\n"
            "clayhost: plug-in error: FindMaterialParam: the material record was not filled by "
            "GetMaterial or GetMaterialByRef\n"
            "clayhost: plug-in error: GetMaterialByRef: material reference 2 is out of range (2 "
            "exist)\n"
            "clayhost: plug-in error: GetParamFloat: 0x0 is not a parameter handle\n"
            "clayhost: plug-in error: GetParamFloat: parameter \"Diffuse\" of type 3 has no "
            "number\n"
            "clayhost: plug-in error: SaveTexture: the path \"Q:\\x.bmp\" is on an unmapped "
            "drive\n"
            "clayhost: plug-in error: SaveTexture: format 2 is not the BMP format 4\n");
  EXPECT_EQ(state_.misuse_count, 15);
}

TEST_F(HostCallbacksTest, UnservedSlotsReportTheirNumber) {
  using UnservedFn = std::uintptr_t (*)();
  for (int slot = 0; slot < mcp::kCallbackSlotCount; ++slot) {
    ASSERT_NE(slots_[slot], 0u) << slot;
  }
  EXPECT_EQ(Slot<UnservedFn>(3)(), 0u);
  EXPECT_EQ(Slot<UnservedFn>(135)(), 0u);
  EXPECT_EQ(diagnostics_.str(),
            "clayhost: plug-in error: unserved slot: the plug-in called slot 3, which this host "
            "does not serve\n"
            "clayhost: plug-in error: unserved slot: the plug-in called slot 135, which this host "
            "does not serve\n");
}

TEST_F(HostCallbacksTest, OutsideTheWorkingCallThereIsNoScene) {
  state_.Serve(nullptr);
  EXPECT_EQ(Slot<mcp::GetRootObjectCountFn>(mcp::kGetRootObjectCount)(SceneHandle()), 0);
  EXPECT_EQ(diagnostics_.str(),
            "clayhost: plug-in error: GetRootObjectCount: called outside a working call, when "
            "there is no scene\n");
}

}  // namespace
}  // namespace clayhost
