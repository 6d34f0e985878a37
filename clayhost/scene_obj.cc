#include "clayhost/scene_obj.h"

#include <charconv>
#include <cmath>
#include <filesystem>
#include <map>
#include <utility>
#include <vector>

#include "clayhost/texture_image.h"

namespace clayhost {
namespace {

/// One line of a text file being read: its number for messages and a
/// cursor over its words.
class LineCursor {
 public:
  LineCursor(const std::string& file, std::size_t number, std::string_view text)
      : file_(&file), number_(number), rest_(text) {}

  [[noreturn]] void Fail(const std::string& what) const {
    throw SceneError(*file_ + ":" + std::to_string(number_) + ": " + what);
  }

  /// The next word, empty at the end of the line.
  std::string_view Word() {
    SkipSpace();
    std::size_t end = 0;
    while (end < rest_.size() && !IsSpace(rest_[end])) {
      ++end;
    }
    const std::string_view word = rest_.substr(0, end);
    rest_.remove_prefix(end);
    return word;
  }

  /// The rest of the line without surrounding white space.
  std::string_view Rest() {
    SkipSpace();
    std::string_view rest = rest_;
    while (!rest.empty() && IsSpace(rest.back())) {
      rest.remove_suffix(1);
    }
    return rest;
  }

  bool AtEnd() {
    SkipSpace();
    return rest_.empty();
  }

  float Float(const char* what) {
    const std::string_view word = Word();
    float value = 0;
    const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
    if (word.empty() || error != std::errc() || end != word.data() + word.size() ||
        !std::isfinite(value)) {
      Fail("expected a number for " + std::string(what) + ", found \"" + std::string(word) + "\"");
    }
    return value;
  }

 private:
  static bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v';
  }
  void SkipSpace() {
    while (!rest_.empty() && IsSpace(rest_.front())) {
      rest_.remove_prefix(1);
    }
  }

  const std::string* file_;
  std::size_t number_;
  std::string_view rest_;
};

/// Calls `handle` with a cursor for each line of `text`.
template <typename Handler>
void ForEachLine(std::string_view text, const std::string& file, Handler handle) {
  std::size_t number = 0;
  while (!text.empty()) {
    ++number;
    const std::size_t end = text.find('\n');
    const std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    LineCursor cursor(file, number, line);
    handle(cursor);
  }
}

/// One to four numbers of a colour line ("Kd 0.5" is a grey).
void ReadColor(LineCursor& line, const char* what, float* rgb) {
  rgb[0] = line.Float(what);
  if (line.AtEnd()) {
    rgb[1] = rgb[2] = rgb[0];
    return;
  }
  rgb[1] = line.Float(what);
  rgb[2] = line.Float(what);
}

/// The file name of a "map_" line: the last word when options precede it,
/// otherwise the whole rest, which may hold spaces.
std::string_view MapFileName(LineCursor& line) {
  std::string_view rest = line.Rest();
  if (!rest.empty() && rest.front() == '-') {
    const std::size_t space = rest.find_last_of(" \t");
    rest = rest.substr(space == std::string_view::npos ? 0 : space + 1);
  }
  if (rest.empty()) {
    line.Fail("a texture line needs a file name");
  }
  return rest;
}

class ObjSceneBuilder {
 public:
  ObjSceneBuilder(const std::string& path)
      : path_(path),
        folder_(std::filesystem::absolute(std::filesystem::path(path)).parent_path()),
        texcoords_(std::make_shared<std::vector<TexCoord>>()) {}

  Scene Build(std::string_view text) {
    StartObject(std::filesystem::path(path_).stem().string());
    ForEachLine(text, path_, [this](LineCursor& line) { HandleObjLine(line); });
    DropEmptyObject();
    for (auto& object : scene_.objects) {
      object.texcoords = texcoords_;
    }
    if (!scene_.objects.empty()) {
      scene_.objects.front().attributes.push_back({"Activated", "1"});
    }
    return std::move(scene_);
  }

 private:
  void HandleObjLine(LineCursor& line) {
    const std::string_view keyword = line.Word();
    if (keyword == "v") {
      if (positions_.size() >= kMaxItems) {
        line.Fail("too many vertices");
      }
      Vertex vertex;
      for (float& c : vertex.c) {
        c = line.Float("a coordinate");
      }
      positions_.push_back(vertex);
      local_owner_.push_back(-1);
      local_index_.push_back(0);
    } else if (keyword == "vt") {
      if (texcoords_->size() >= kMaxItems) {
        line.Fail("too many texture coordinates");
      }
      TexCoord texcoord;
      texcoord.u = line.Float("u");
      texcoord.v = line.AtEnd() ? 0.0f : line.Float("v");
      texcoords_->push_back(texcoord);
    } else if (keyword == "f") {
      HandleFace(line);
    } else if (keyword == "o" || keyword == "g") {
      std::string name(line.Rest());
      StartObject(name.empty() ? std::filesystem::path(path_).stem().string() : name);
    } else if (keyword == "usemtl") {
      const std::string name(line.Rest());
      const auto found = material_index_.find(name);
      if (found == material_index_.end()) {
        line.Fail("usemtl names the material \"" + name + "\", which no mtllib before it defines");
      }
      current_material_ = found->second;
    } else if (keyword == "mtllib") {
      HandleMaterialLibrary(line);
    }
    // Normals, smoothing groups, lines, comments and the rest carry nothing
    // the host serves.
  }

  void StartObject(std::string name) {
    DropEmptyObject();
    ++object_number_;
    SceneObject object;
    object.attributes.push_back({"Name", std::move(name)});
    scene_.objects.push_back(std::move(object));
  }

  // An "o" line followed by a "g" line (or a "g default" before the
  // vertices) names one object, not two.
  void DropEmptyObject() {
    if (!scene_.objects.empty() && scene_.objects.back().faces.empty()) {
      scene_.objects.pop_back();
    }
  }

  std::int32_t LocalVertex(long long number, const LineCursor& line) {
    const long long count = static_cast<long long>(positions_.size());
    const long long global = number > 0 ? number - 1 : count + number;
    if (number == 0 || global < 0 || global >= count) {
      line.Fail("vertex " + std::to_string(number) + " does not exist (" + std::to_string(count) +
                " are defined so far)");
    }
    SceneObject& object = scene_.objects.back();
    if (local_owner_[global] != object_number_) {
      local_owner_[global] = object_number_;
      local_index_[global] = static_cast<std::int32_t>(object.vertices.size());
      object.vertices.push_back(positions_[global]);
    }
    return local_index_[global];
  }

  std::int32_t TexCoordNumber(long long number, const LineCursor& line) const {
    const long long count = static_cast<long long>(texcoords_->size());
    const long long one_based = number > 0 ? number : count + number + 1;
    if (number == 0 || one_based < 1 || one_based > count) {
      line.Fail("texture coordinate " + std::to_string(number) + " does not exist (" +
                std::to_string(count) + " are defined so far)");
    }
    return static_cast<std::int32_t>(one_based);
  }

  static long long ParseIndex(std::string_view text, const LineCursor& line) {
    long long value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size()) {
      line.Fail("malformed face corner \"" + std::string(text) + "\"");
    }
    return value;
  }

  void HandleFace(LineCursor& line) {
    corners_.clear();
    for (std::string_view word = line.Word(); !word.empty(); word = line.Word()) {
      const std::size_t slash = word.find('/');
      const std::int32_t vertex = LocalVertex(ParseIndex(word.substr(0, slash), line), line);
      std::int32_t texcoord = 0;
      if (slash != std::string_view::npos) {
        const std::string_view after = word.substr(slash + 1);
        const std::string_view vt = after.substr(0, after.find('/'));
        if (!vt.empty()) {
          texcoord = TexCoordNumber(ParseIndex(vt, line), line);
        }
      }
      corners_.emplace_back(vertex, texcoord);
    }
    if (corners_.size() < 3) {
      line.Fail("a face needs at least 3 corners, found " + std::to_string(corners_.size()));
    }
    SceneObject& object = scene_.objects.back();
    if (object.faces.size() + corners_.size() > kMaxItems) {
      line.Fail("too many faces");
    }
    const mcp::MaterialRef material = CurrentMaterial();
    if (corners_.size() <= 4) {
      AddFace(object, material, corners_.size(), [this](std::size_t k) { return corners_[k]; });
      return;
    }
    for (std::size_t i = 1; i + 1 < corners_.size(); ++i) {
      const std::size_t picks[3] = {0, i, i + 1};
      AddFace(object, material, 3, [&](std::size_t k) { return corners_[picks[k]]; });
    }
  }

  template <typename CornerAt>
  static void AddFace(SceneObject& object, mcp::MaterialRef material, std::size_t count,
                      CornerAt corner_at) {
    Face face;
    face.material = material;
    face.corner_count = static_cast<std::uint8_t>(count);
    for (std::size_t k = 0; k < count; ++k) {
      face.vertex[k] = corner_at(k).first;
      face.texcoord[k] = corner_at(k).second;
    }
    object.faces.push_back(face);
  }

  // Faces before any "usemtl" get a plain material, made when first needed.
  mcp::MaterialRef CurrentMaterial() {
    if (current_material_ < 0) {
      current_material_ = static_cast<int>(scene_.materials.size());
      scene_.materials.push_back({"default", {}});
    }
    return static_cast<mcp::MaterialRef>(current_material_);
  }

  void HandleMaterialLibrary(LineCursor& line) {
    const std::string rest(line.Rest());
    if (rest.empty()) {
      line.Fail("mtllib needs a file name");
    }
    // A name with spaces is one file when it exists; otherwise a list.
    // Asked without throwing: a name too long for the system is just absent.
    std::error_code error;
    if (std::filesystem::exists(folder_ / rest, error)) {
      ReadMaterialLibrary((folder_ / rest).string());
      return;
    }
    for (std::string_view word = line.Word(); !word.empty(); word = line.Word()) {
      ReadMaterialLibrary((folder_ / std::string(word)).string());
    }
  }

  void ReadMaterialLibrary(const std::string& mtl_path) {
    const std::string text = ReadSceneFile(mtl_path);
    scene_.sources.push_back(mtl_path);
    const auto mtl_folder = std::filesystem::path(mtl_path).parent_path();
    Material* material = nullptr;
    ForEachLine(text, mtl_path, [&](LineCursor& line) {
      const std::string_view keyword = line.Word();
      if (keyword == "newmtl") {
        const std::string name(line.Rest());
        if (scene_.materials.size() >= kMaxItems) {
          line.Fail("too many materials");
        }
        material_index_[name] = static_cast<int>(scene_.materials.size());
        scene_.materials.push_back({name, {}});
        material = &scene_.materials.back();
        return;
      }
      if (keyword.empty() || keyword.front() == '#') {
        return;
      }
      if (material == nullptr) {
        if (keyword == "Kd" || keyword == "Ns" || keyword == "Ni" || keyword == "Tf" ||
            keyword == "map_Kd" || keyword == "map_Bump" || keyword == "bump") {
          line.Fail("\"" + std::string(keyword) + "\" before the first newmtl");
        }
        return;
      }
      HandleMaterialLine(keyword, line, *material, mtl_folder);
    });
  }

  void HandleMaterialLine(std::string_view keyword, LineCursor& line, Material& material,
                          const std::filesystem::path& mtl_folder) {
    Param param;
    if (keyword == "Kd" || keyword == "Tf") {
      param.name = keyword == "Kd" ? "Diffuse" : "Transparency";
      param.type = mcp::kParamColor;
      param.has_color = true;
      ReadColor(line, keyword == "Kd" ? "Kd" : "Tf", param.color);
      param.color[3] = 1;
    } else if (keyword == "Ns" || keyword == "Ni") {
      param.name = keyword == "Ns" ? "Specular" : "Refraction";
      param.type = mcp::kParamFloat;
      param.has_value = true;
      param.value = line.Float(keyword == "Ns" ? "Ns" : "Ni");
      if (keyword == "Ns") {
        param.value /= 1000;
      }
    } else if (keyword == "map_Kd" || keyword == "map_Bump" || keyword == "bump") {
      param.name = keyword == "map_Kd" ? "DiffuseMap" : "BumpMap";
      param.type = mcp::kParamTexture;
      param.texture = TextureFor(MapFileName(line), line, mtl_folder);
    } else {
      return;
    }
    for (Param& existing : material.params) {
      if (existing.name == param.name) {
        existing = param;
        return;
      }
    }
    material.params.push_back(param);
  }

  int TextureFor(std::string_view file_name, const LineCursor& line,
                 const std::filesystem::path& mtl_folder) {
    const std::string name(file_name);
    const auto absolute = std::filesystem::absolute(mtl_folder / name).lexically_normal().string();
    const auto found = texture_index_.find(absolute);
    if (found != texture_index_.end()) {
      return found->second;
    }
    if (const auto problem = CheckImageFile(absolute)) {
      line.Fail(*problem);
    }
    Texture texture;
    texture.name = name;
    texture.file = absolute;
    texture_index_[absolute] = static_cast<int>(scene_.textures.size());
    scene_.textures.push_back(texture);
    return texture_index_[absolute];
  }

  const std::string& path_;
  std::filesystem::path folder_;
  Scene scene_;
  std::vector<Vertex> positions_;
  // For each file vertex: the object that last used it and its number there.
  std::vector<int> local_owner_;
  std::vector<std::int32_t> local_index_;
  int object_number_ = 0;
  std::shared_ptr<std::vector<TexCoord>> texcoords_;
  std::vector<std::pair<std::int32_t, std::int32_t>> corners_;
  std::map<std::string, int> material_index_;
  std::map<std::string, int> texture_index_;
  int current_material_ = -1;
};

}  // namespace

Scene ParseObjScene(std::string_view text, const std::string& path) {
  return ObjSceneBuilder(path).Build(text);
}

}  // namespace clayhost
