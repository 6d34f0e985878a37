// An in-memory scene served through a real callback table, for tests of the
// code that reads the host only through mcp::HostApi.
//
// The host's callbacks are plain function pointers without user data, so one
// FakeHost at a time serves its scene; creating a second while the first is
// alive is a test bug and aborts.
#ifndef GANNET_EXPORTER_TESTING_FAKE_HOST_H_
#define GANNET_EXPORTER_TESTING_FAKE_HOST_H_

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "hostplugin/host_api.h"

namespace exporter::testing {

struct FakeVertex {
  float c0 = 0, c1 = 0, c2 = 0;
  std::uint64_t flags = 0;
};

struct FakeTexCoord {
  float u = 0, v = 0;
};

/// A face; `corner_count` is the byte the host reports (4 makes a quad).
struct FakeFace {
  std::array<std::int32_t, 4> vertex = {0, 0, 0, 0};
  std::array<std::int32_t, 4> texcoord = {0, 0, 0, 0};
  std::uint8_t corner_count = 3;
  mcp::MaterialRef material = 0;  // index into FakeScene::materials
  std::uint64_t flags = 0;
};

/// A material parameter: a float, a colour or a texture (index into
/// FakeScene::textures, or -1 for a texture parameter without texture).
struct FakeParam {
  std::string name;
  std::uint16_t type = mcp::kParamFloat;
  float value = 0;
  std::array<float, 4> color = {0, 0, 0, 0};
  int texture = -1;
};

/// A float parameter (type 1 unless given).
FakeParam FloatParam(const std::string& name, float value, std::uint16_t type = mcp::kParamFloat);
/// A colour parameter with the fourth value 1 (type 3 unless given).
FakeParam ColorParam(const std::string& name, float r, float g, float b,
                     std::uint16_t type = mcp::kParamColor);
/// A texture parameter naming fake texture `texture` (-1: none).
FakeParam TextureParam(const std::string& name, int texture);

struct FakeMaterial {
  std::string name;
  std::vector<FakeParam> params;
};

/// A texture. `name_size` overrides the size GetTextureName reports for its
/// first call; `name_readable` false makes the second call fail.
struct FakeTexture {
  std::string name;
  std::optional<std::int32_t> name_size;
  bool name_readable = true;
};

inline FakeTexture NamedTexture(const std::string& name) {
  FakeTexture texture;
  texture.name = name;
  return texture;
}

/// A root object; absent attributes are nullopt.
struct FakeObject {
  std::optional<std::string> name;
  std::optional<std::string> activated = std::string("1");
  std::vector<FakeVertex> vertices;
  std::vector<FakeTexCoord> texcoords;
  std::vector<FakeFace> faces;
};

/// A call of SaveTexture.
struct SavedTexture {
  int texture;  // index into FakeScene::textures
  std::string path;
  std::int32_t format;
};

struct FakeScene {
  std::vector<FakeObject> objects;
  std::vector<FakeMaterial> materials;
  std::vector<FakeTexture> textures;
  /// Every SaveTexture call, in order.
  std::vector<SavedTexture> saved;
  /// Called by SaveTexture after recording it (for example to write a file).
  std::function<void(const SavedTexture&)> on_save;
};

/// Serves `scene` through a filled callback table for as long as it lives.
/// The scene handle is kSceneHandle; object handles are index + 1.
class FakeHost {
 public:
  static constexpr mcp::Handle kSceneHandle = 0x5CE7E;

  explicit FakeHost(FakeScene& scene);
  ~FakeHost();
  FakeHost(const FakeHost&) = delete;
  FakeHost& operator=(const FakeHost&) = delete;

  const mcp::HostApi& api() const { return api_; }
  const mcp::CallbackTable& table() const { return table_; }

 private:
  mcp::CallbackTable table_;
  mcp::HostApi api_;
};

}  // namespace exporter::testing

#endif  // GANNET_EXPORTER_TESTING_FAKE_HOST_H_
