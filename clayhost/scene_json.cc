#include "clayhost/scene_json.h"

#include <nlohmann/json.hpp>

#include <cfloat>
#include <cmath>
#include <filesystem>
#include <initializer_list>
#include <limits>
#include <map>

#include "clayhost/ansi_text.h"
#include "clayhost/texture_image.h"

namespace clayhost {
namespace {

// Ordered, so that parameters and textures keep the order of the file.
using Json = nlohmann::ordered_json;

/// Where in the file a value sits, as a JSON pointer, for the messages.
class Place {
 public:
  Place(const std::string& file, std::string pointer)
      : file_(&file), pointer_(std::move(pointer)) {}

  Place operator/(const std::string& key) const {
    return Place(*file_, pointer_ + "/" + Escape(key));
  }
  Place operator/(std::size_t index) const {
    return Place(*file_, pointer_ + "/" + std::to_string(index));
  }

  [[noreturn]] void Fail(const std::string& what) const {
    throw SceneError(*file_ + ": " + (pointer_.empty() ? "/" : pointer_) + ": " + what);
  }

 private:
  static std::string Escape(const std::string& key) {
    std::string escaped;
    for (const char c : key) {
      if (c == '~') {
        escaped += "~0";
      } else if (c == '/') {
        escaped += "~1";
      } else {
        escaped += c;
      }
    }
    return escaped;
  }

  const std::string* file_;
  std::string pointer_;
};

void RequireObject(const Json& value, const Place& place) {
  if (!value.is_object()) {
    place.Fail("must be an object");
  }
}

void RequireArray(const Json& value, const Place& place) {
  if (!value.is_array()) {
    place.Fail("must be an array");
  }
}

void RequireKeys(const Json& value, const Place& place, std::initializer_list<const char*> known) {
  RequireObject(value, place);
  for (const auto& [key, member] : value.items()) {
    bool found = false;
    for (const char* name : known) {
      found = found || key == name;
    }
    if (!found) {
      (place / key).Fail("unknown key \"" + key + "\"");
    }
  }
}

void RequireCount(std::size_t count, const Place& place) {
  if (count > kMaxItems) {
    place.Fail("more than " + std::to_string(kMaxItems) + " entries");
  }
}

std::string ReadText(const Json& value, const Place& place) {
  if (!value.is_string()) {
    place.Fail("must be a text");
  }
  auto bytes = Utf8ToLatin1(value.get<std::string>());
  if (!bytes) {
    place.Fail("holds a character above U+00FF; plug-in texts are 8-bit");
  }
  return *bytes;
}

std::string ReadKeyText(const std::string& key, const Place& place) {
  auto bytes = Utf8ToLatin1(key);
  if (!bytes) {
    place.Fail("the name holds a character above U+00FF; plug-in texts are 8-bit");
  }
  return *bytes;
}

float ReadFloat(const Json& value, const Place& place) {
  if (!value.is_number()) {
    place.Fail("must be a number");
  }
  const double number = value.get<double>();
  if (!std::isfinite(number) || std::fabs(number) > FLT_MAX) {
    place.Fail("does not fit a 32-bit float");
  }
  return static_cast<float>(number);
}

std::int64_t ReadInteger(const Json& value, const Place& place, std::int64_t lowest,
                         std::int64_t highest) {
  const std::string range =
      "must be from " + std::to_string(lowest) + " to " + std::to_string(highest);
  if (!value.is_number_integer()) {
    place.Fail("must be a whole number");
  }
  if (value.is_number_unsigned() &&
      value.get<std::uint64_t>() > static_cast<std::uint64_t>(highest)) {
    place.Fail(range);
  }
  const auto number = value.get<std::int64_t>();
  if (number < lowest || number > highest) {
    place.Fail(range);
  }
  return number;
}

std::uint64_t ReadFlags(const Json& value, const Place& place) {
  if (!value.is_number_integer() ||
      (!value.is_number_unsigned() && value.get<std::int64_t>() < 0)) {
    place.Fail("must be a whole number from 0 to 2^64-1");
  }
  return value.get<std::uint64_t>();
}

void ReadFloats(const Json& value, const Place& place, std::size_t count, float* out) {
  RequireArray(value, place);
  if (value.size() != count) {
    place.Fail("must hold " + std::to_string(count) + " numbers");
  }
  for (std::size_t i = 0; i < count; ++i) {
    out[i] = ReadFloat(value[i], place / i);
  }
}

std::uint8_t ReadByte(const Json& value, const Place& place) {
  return static_cast<std::uint8_t>(ReadInteger(value, place, 0, 255));
}

Texture ReadTexture(const std::string& key, const Json& value, const Place& place,
                    const std::filesystem::path& folder) {
  RequireKeys(value, place, {"file", "width", "height", "rgb", "name", "save"});
  Texture texture;
  texture.name = ReadKeyText(key, place);
  if (value.contains("name")) {
    const Json& naming = value["name"];
    if (naming == false) {
      texture.naming = TextureNaming::kNameless;
    } else if (naming == "error") {
      texture.naming = TextureNaming::kUnreadable;
    } else if (naming != true) {
      (place / "name").Fail("must be false (no name), \"error\" (unreadable) or true");
    }
  }
  if (value.contains("save")) {
    if (!value["save"].is_boolean()) {
      (place / "save").Fail("must be true or false");
    }
    texture.saves = value["save"].get<bool>();
  }
  if (value.contains("file")) {
    for (const char* generated : {"width", "height", "rgb"}) {
      if (value.contains(generated)) {
        (place / generated).Fail("a texture has either a file or generated pixels, not both");
      }
    }
    if (!value["file"].is_string()) {
      (place / "file").Fail("must be a text");
    }
    const auto file = std::filesystem::absolute(folder / value["file"].get<std::string>());
    texture.file = file.lexically_normal().string();
    if (const auto problem = CheckImageFile(texture.file)) {
      (place / "file").Fail(*problem);
    }
    return texture;
  }
  if (value.contains("width")) {
    texture.width =
        static_cast<int>(ReadInteger(value["width"], place / "width", 1, kMaxTextureSide));
  }
  if (value.contains("height")) {
    texture.height =
        static_cast<int>(ReadInteger(value["height"], place / "height", 1, kMaxTextureSide));
  }
  if (value.contains("rgb")) {
    const Place rgb_place = place / "rgb";
    RequireArray(value["rgb"], rgb_place);
    if (value["rgb"].size() != 3) {
      rgb_place.Fail("must hold 3 numbers from 0 to 255");
    }
    for (std::size_t i = 0; i < 3; ++i) {
      texture.rgb[i] = ReadByte(value["rgb"][i], rgb_place / i);
    }
  }
  return texture;
}

Param ReadParam(const std::string& key, const Json& value, const Place& place,
                const std::map<std::string, int>& texture_index) {
  RequireKeys(value, place, {"type", "value", "color", "texture"});
  Param param;
  param.name = ReadKeyText(key, place);
  if (!value.contains("type")) {
    place.Fail("a parameter needs a \"type\"");
  }
  param.type = static_cast<std::uint16_t>(ReadInteger(value["type"], place / "type", 0, 65535));
  if (value.contains("value")) {
    param.has_value = true;
    param.value = ReadFloat(value["value"], place / "value");
  } else if (param.type == mcp::kParamFloat || param.type == mcp::kParamFloat2) {
    place.Fail("a parameter of type " + std::to_string(param.type) + " needs a \"value\"");
  }
  if (value.contains("color")) {
    const Place color_place = place / "color";
    RequireArray(value["color"], color_place);
    const std::size_t count = value["color"].size();
    if (count != 3 && count != 4) {
      color_place.Fail("must hold 3 or 4 numbers");
    }
    param.has_color = true;
    param.color[3] = 1;
    ReadFloats(value["color"], color_place, count, param.color);
  } else if (param.type == mcp::kParamColor || param.type == mcp::kParamColor2) {
    place.Fail("a parameter of type " + std::to_string(param.type) + " needs a \"color\"");
  }
  if (value.contains("texture") && !value["texture"].is_null()) {
    const Json& name = value["texture"];
    if (!name.is_string()) {
      (place / "texture").Fail("must be a key of \"textures\" or null");
    }
    const auto found = texture_index.find(name.get<std::string>());
    if (found == texture_index.end()) {
      (place / "texture")
          .Fail("names no entry of \"textures\": \"" + name.get<std::string>() + "\"");
    }
    param.texture = found->second;
  }
  return param;
}

Material ReadMaterial(const Json& value, const Place& place,
                      const std::map<std::string, int>& texture_index) {
  RequireKeys(value, place, {"name", "params"});
  Material material;
  if (!value.contains("name")) {
    place.Fail("a material needs a \"name\"");
  }
  material.name = ReadText(value["name"], place / "name");
  if (value.contains("params")) {
    const Place params_place = place / "params";
    RequireObject(value["params"], params_place);
    for (const auto& [key, param] : value["params"].items()) {
      material.params.push_back(ReadParam(key, param, params_place / key, texture_index));
    }
  }
  return material;
}

Vertex ReadVertex(const Json& value, const Place& place) {
  Vertex vertex;
  if (value.is_array()) {
    ReadFloats(value, place, 3, vertex.c);
    return vertex;
  }
  if (!value.is_object()) {
    place.Fail("must be [x, y, z] or {\"pos\": [x, y, z], \"flags\": N}");
  }
  RequireKeys(value, place, {"pos", "flags"});
  if (!value.contains("pos")) {
    place.Fail("a vertex needs a \"pos\"");
  }
  ReadFloats(value["pos"], place / "pos", 3, vertex.c);
  if (value.contains("flags")) {
    vertex.flags = ReadFlags(value["flags"], place / "flags");
  }
  return vertex;
}

Face ReadFace(const Json& value, const Place& place, std::size_t vertex_count,
              std::size_t texcoord_count, std::size_t material_count) {
  RequireKeys(value, place, {"v", "t", "material", "flags"});
  Face face;
  const Place v_place = place / "v";
  if (!value.contains("v")) {
    place.Fail("a face needs its vertex indices \"v\"");
  }
  RequireArray(value["v"], v_place);
  const std::size_t corners = value["v"].size();
  if (corners != 3 && corners != 4) {
    v_place.Fail("a face has 3 or 4 corners, not " + std::to_string(corners));
  }
  face.corner_count = static_cast<std::uint8_t>(corners);
  for (std::size_t k = 0; k < corners; ++k) {
    const auto index = ReadInteger(value["v"][k], v_place / k, 0, INT32_MAX);
    if (static_cast<std::size_t>(index) >= vertex_count) {
      (v_place / k)
          .Fail("vertex index " + std::to_string(index) + " is out of range (the object has " +
                std::to_string(vertex_count) + " vertices)");
    }
    face.vertex[k] = static_cast<std::int32_t>(index);
  }
  if (value.contains("t")) {
    const Place t_place = place / "t";
    RequireArray(value["t"], t_place);
    if (value["t"].size() != corners) {
      t_place.Fail("must hold one index per corner (" + std::to_string(corners) + ")");
    }
    for (std::size_t k = 0; k < corners; ++k) {
      const auto index = ReadInteger(value["t"][k], t_place / k, INT32_MIN, INT32_MAX);
      if (index > 0 && static_cast<std::size_t>(index) > texcoord_count) {
        (t_place / k)
            .Fail("texture-coordinate index " + std::to_string(index) +
                  " is out of range (1 names the first of " + std::to_string(texcoord_count) +
                  " entries)");
      }
      face.texcoord[k] = static_cast<std::int32_t>(index);
    }
  }
  if (value.contains("material")) {
    const auto ref = ReadInteger(value["material"], place / "material", 0, UINT32_MAX);
    if (static_cast<std::size_t>(ref) >= material_count) {
      (place / "material")
          .Fail("material " + std::to_string(ref) + " is out of range (the scene has " +
                std::to_string(material_count) + " materials)");
    }
    face.material = static_cast<mcp::MaterialRef>(ref);
  }
  if (value.contains("flags")) {
    face.flags = ReadFlags(value["flags"], place / "flags");
  }
  return face;
}

SceneObject ReadObject(const Json& value, const Place& place, std::size_t material_count) {
  RequireKeys(value, place, {"attributes", "vertices", "texcoords", "faces"});
  SceneObject object;
  if (value.contains("attributes")) {
    const Place attributes_place = place / "attributes";
    RequireObject(value["attributes"], attributes_place);
    for (const auto& [key, text] : value["attributes"].items()) {
      object.attributes.push_back(
          {ReadKeyText(key, attributes_place / key), ReadText(text, attributes_place / key)});
    }
  }
  if (value.contains("vertices")) {
    const Place vertices_place = place / "vertices";
    RequireArray(value["vertices"], vertices_place);
    RequireCount(value["vertices"].size(), vertices_place);
    object.vertices.reserve(value["vertices"].size());
    for (std::size_t i = 0; i < value["vertices"].size(); ++i) {
      object.vertices.push_back(ReadVertex(value["vertices"][i], vertices_place / i));
    }
  }
  auto texcoords = std::make_shared<std::vector<TexCoord>>();
  if (value.contains("texcoords")) {
    const Place texcoords_place = place / "texcoords";
    RequireArray(value["texcoords"], texcoords_place);
    RequireCount(value["texcoords"].size(), texcoords_place);
    for (std::size_t i = 0; i < value["texcoords"].size(); ++i) {
      float uv[2];
      ReadFloats(value["texcoords"][i], texcoords_place / i, 2, uv);
      texcoords->push_back({uv[0], uv[1]});
    }
  }
  object.texcoords = texcoords;
  if (value.contains("faces")) {
    const Place faces_place = place / "faces";
    RequireArray(value["faces"], faces_place);
    RequireCount(value["faces"].size(), faces_place);
    object.faces.reserve(value["faces"].size());
    for (std::size_t i = 0; i < value["faces"].size(); ++i) {
      object.faces.push_back(ReadFace(value["faces"][i], faces_place / i, object.vertices.size(),
                                      texcoords->size(), material_count));
    }
  }
  return object;
}

Json ParseDocument(std::string_view text, const std::string& path) {
  try {
    return Json::parse(text);
  } catch (const Json::exception& error) {
    // The library's message already names line and column (a number too
    // large for a double is an out_of_range, not a parse_error); drop its tag.
    std::string message = error.what();
    const auto tag_end = message.find("] ");
    if (tag_end != std::string::npos) {
      message.erase(0, tag_end + 2);
    }
    throw SceneError(path + ": " + message);
  }
}

}  // namespace

Scene ParseJsonScene(std::string_view text, const std::string& path) {
  const Json document = ParseDocument(text, path);
  const Place root(path, "");
  RequireKeys(document, root, {"objects", "materials", "textures"});
  const auto folder = std::filesystem::path(path).parent_path();

  Scene scene;
  std::map<std::string, int> texture_index;
  if (document.contains("textures")) {
    const Place textures_place = root / "textures";
    RequireObject(document["textures"], textures_place);
    RequireCount(document["textures"].size(), textures_place);
    for (const auto& [key, value] : document["textures"].items()) {
      texture_index[key] = static_cast<int>(scene.textures.size());
      scene.textures.push_back(ReadTexture(key, value, textures_place / key, folder));
    }
  }
  if (document.contains("materials")) {
    const Place materials_place = root / "materials";
    RequireArray(document["materials"], materials_place);
    RequireCount(document["materials"].size(), materials_place);
    for (std::size_t i = 0; i < document["materials"].size(); ++i) {
      scene.materials.push_back(
          ReadMaterial(document["materials"][i], materials_place / i, texture_index));
    }
  }
  if (document.contains("objects")) {
    const Place objects_place = root / "objects";
    RequireArray(document["objects"], objects_place);
    RequireCount(document["objects"].size(), objects_place);
    for (std::size_t i = 0; i < document["objects"].size(); ++i) {
      scene.objects.push_back(
          ReadObject(document["objects"][i], objects_place / i, scene.materials.size()));
    }
  }
  return scene;
}

}  // namespace clayhost
