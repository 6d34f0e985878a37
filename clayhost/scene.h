// The scene that the substitute host serves to a plug-in: root objects with
// their vertices, texture coordinates and faces, the materials with their
// parameters, and the textures the parameters name. Plain data held in
// compact arrays, so a scene of a million faces costs a few arrays and no
// per-face allocation.
#ifndef GANNET_CLAYHOST_SCENE_H_
#define GANNET_CLAYHOST_SCENE_H_

#include <array>
#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "hostplugin/mcp_abi.h"

namespace clayhost {

/// A vertex: the host coordinates c0, c1, c2 and 64-bit flags.
struct Vertex {
  float c[3] = {0, 0, 0};
  std::uint64_t flags = 0;
};

/// A texture-coordinate pair.
struct TexCoord {
  float u = 0;
  float v = 0;
};

/// A face of 3 or 4 corners. Unused corners hold 0 so that every record
/// pointer the host hands out points at a value.
struct Face {
  std::uint64_t flags = 0;
  std::array<std::int32_t, 4> vertex = {0, 0, 0, 0};
  std::array<std::int32_t, 4> texcoord = {0, 0, 0, 0};  // 1 names the first entry; 0 or less: none
  mcp::MaterialRef material = 0;
  std::uint8_t corner_count = 3;
};

/// A named object attribute; the value is an 8-bit text as the host hands it out.
struct Attribute {
  std::string name;
  std::string value;
};

/// A root object. Texture coordinates may be shared between objects (an OBJ
/// file has one list for all of them).
struct SceneObject {
  std::vector<Attribute> attributes;
  std::vector<Vertex> vertices;
  std::shared_ptr<const std::vector<TexCoord>> texcoords;
  std::vector<Face> faces;

  /// The attribute of that name (exact comparison), or null.
  const Attribute* FindAttribute(const std::string& name) const;
};

/// No texture: the value of Param::texture for a parameter without one.
inline constexpr int kNoTexture = -1;

/// A material parameter: its type code and whichever values it carries.
struct Param {
  std::string name;
  std::uint16_t type = 0;
  bool has_value = false;  // types 1 and 2
  float value = 0;
  bool has_color = false;  // types 3 and 4
  float color[4] = {0, 0, 0, 0};
  int texture = kNoTexture;  // index into Scene::textures
};

/// A material: its name (8-bit text) and its parameters.
struct Material {
  std::string name;
  std::vector<Param> params;
};

/// How a texture answers GetTextureName.
enum class TextureNaming {
  kNamed,       // both calls answer the name
  kNameless,    // the first call answers size 0
  kUnreadable,  // the first call answers a size, the second fails
};

/// A texture and where SaveTexture takes its pixels from: an image file, or
/// a generated plain picture when `file` is empty.
struct Texture {
  std::string name;  // 8-bit text
  TextureNaming naming = TextureNaming::kNamed;
  bool saves = true;  // false: SaveTexture writes no file and fails
  std::string file;   // absolute host path of the source image, or empty
  int width = 8;
  int height = 8;
  std::uint8_t rgb[3] = {128, 128, 128};
};

/// A whole scene.
struct Scene {
  std::vector<SceneObject> objects;
  std::vector<Material> materials;
  std::vector<Texture> textures;
  /// Every file the scene was read from (scene, material libraries, texture
  /// images): the host never writes over one of them.
  std::vector<std::string> sources;
  /// What the reader found wrong but served anyway ("FILE:LINE: warning:
  /// ..."), for the host to show before the plug-in runs.
  std::vector<std::string> warnings;
};

/// A scene file that cannot be served. The message names the file, the
/// place in it and what is wrong.
class SceneError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

/// Largest width or height of a texture the host accepts, generated or read.
inline constexpr int kMaxTextureSide = 4096;
/// Largest number of objects, materials, textures, vertices or faces of any
/// one kind: handles carry indices in 28 bits.
inline constexpr std::size_t kMaxItems = (std::size_t{1} << 28) - 1;

/// The largest scene or material file the host reads: four times a
/// million-triangle OBJ file.
inline constexpr std::uint64_t kSceneFileLimit = std::uint64_t{256} << 20;

/// The whole content of a scene or material file. Throws SceneError when it
/// cannot be read: "FILE: cannot read the file: no such file", or, for a
/// folder, a device, a named pipe or a file beyond kSceneFileLimit, "FILE:
/// cannot read (a folder, not a regular file)".
std::string ReadSceneFile(const std::string& path);

}  // namespace clayhost

#endif  // GANNET_CLAYHOST_SCENE_H_
