#include "clayhost/scene_obj.h"

#include <charconv>
#include <cmath>
#include <filesystem>
#include <map>
#include <optional>
#include <utility>
#include <vector>

#include "clayhost/texture_image.h"

namespace clayhost {
namespace {

bool IsSpace(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v';
}

std::optional<float> FiniteNumber(std::string_view word) {
  float value = 0;
  const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
  if (word.empty() || error != std::errc() || end != word.data() + word.size() ||
      !std::isfinite(value)) {
    return std::nullopt;
  }
  return value;
}

/// One line of a text file being read: its number for messages and a
/// cursor over its words.
class LineCursor {
 public:
  LineCursor(const std::string& file, std::size_t number, std::string_view text)
      : file_(&file), number_(number), rest_(text) {}

  /// "FILE:LINE: " for messages about this line.
  std::string Place() const { return *file_ + ":" + std::to_string(number_) + ": "; }

  [[noreturn]] void Fail(const std::string& what) const { throw SceneError(Place() + what); }

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
    const std::optional<float> value = FiniteNumber(word);
    if (!value) {
      Fail("expected a number for " + std::string(what) + ", found \"" + std::string(word) + "\"");
    }
    return *value;
  }

 private:
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

/// An OBJ position (x right, y up, z towards the viewer) in the modeller's
/// frame, whose right, up and towards-the-viewer axes are c1, c2 and c0.
Vertex InModellerFrame(float x, float y, float z) {
  Vertex vertex;
  vertex.c[0] = z;
  vertex.c[1] = x;
  vertex.c[2] = y;
  return vertex;
}

/// The OBJ corner that host corner `k` of an `n`-cornered face takes: the
/// modeller's faces run clockwise seen from the front, OBJ's the other way,
/// so the order is reversed with corner 0 kept first.
std::size_t ObjCornerOf(std::size_t k, std::size_t n) {
  return (n - k) % n;
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

/// How many words follow a texture option of an MTL map line; -o, -s and -t
/// take one to three numbers. -1 for a word that is no option.
int OptionArguments(std::string_view word) {
  static const std::map<std::string_view, int> kOptions = {
      {"-blendu", 1}, {"-blendv", 1},  {"-boost", 1},  {"-cc", 1},   {"-clamp", 1},
      {"-bm", 1},     {"-imfchan", 1}, {"-texres", 1}, {"-type", 1}, {"-colorspace", 1},
      {"-mm", 2},     {"-o", 3},       {"-s", 3},      {"-t", 3}};
  const auto found = kOptions.find(word);
  return found == kOptions.end() ? -1 : found->second;
}

/// The file name of a map line: what is left when the options and their
/// arguments are taken away, before or after it; it may hold spaces.
std::string_view MapFileName(LineCursor& line) {
  const std::string_view rest = line.Rest();
  std::size_t at = 0, name_begin = std::string_view::npos, name_end = 0;
  const auto next_word = [&]() {
    while (at < rest.size() && IsSpace(rest[at])) {
      ++at;
    }
    const std::size_t begin = at;
    while (at < rest.size() && !IsSpace(rest[at])) {
      ++at;
    }
    return rest.substr(begin, at - begin);
  };
  for (std::string_view word = next_word(); !word.empty(); word = next_word()) {
    const int arguments = OptionArguments(word);
    if (arguments < 0) {
      name_begin = std::min(name_begin, static_cast<std::size_t>(word.data() - rest.data()));
      name_end = at;
      continue;
    }
    // -o, -s and -t take up to three numbers; the others a fixed count.
    const bool numbers_only = arguments == 3;
    for (int i = 0; i < arguments; ++i) {
      const std::size_t before = at;
      const std::string_view argument = next_word();
      if (numbers_only && i > 0 && !FiniteNumber(argument)) {
        at = before;
        break;
      }
    }
  }
  if (name_begin == std::string_view::npos) {
    line.Fail("a texture line needs a file name");
  }
  return rest.substr(name_begin, name_end - name_begin);
}

/// A path that names a place on another machine or the whole file system:
/// absolute, with a drive letter, or with Windows separators.
bool IsForeignPath(std::string_view path) {
  const bool drive = path.size() >= 2 && path[1] == ':';
  return path.front() == '/' || drive || path.find('\\') != std::string_view::npos;
}

/// The last component of a path written with either separator.
std::string_view FileNameOf(std::string_view path) {
  const std::size_t slash = path.find_last_of("/\\:");
  return slash == std::string_view::npos ? path : path.substr(slash + 1);
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
      const float x = line.Float("a coordinate");
      const float y = line.Float("a coordinate");
      const float z = line.Float("a coordinate");
      positions_.push_back(InModellerFrame(x, y, z));
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
      HandleUseMaterial(line);
    } else if (keyword == "mtllib") {
      HandleMaterialLibrary(line);
    }
    // Normals, smoothing groups, lines, comments and the rest carry nothing
    // the host serves.
  }

  void Warn(const LineCursor& line, const std::string& what) {
    scene_.warnings.push_back(line.Place() + "warning: " + what);
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
      const auto corner = corner_at(ObjCornerOf(k, count));
      face.vertex[k] = corner.first;
      face.texcoord[k] = corner.second;
    }
    object.faces.push_back(face);
  }

  // Faces before any "usemtl" get a plain material, made when first needed.
  mcp::MaterialRef CurrentMaterial() {
    if (current_material_ < 0) {
      current_material_ = PlainMaterial("default");
    }
    return static_cast<mcp::MaterialRef>(current_material_);
  }

  int PlainMaterial(const std::string& name) {
    material_index_[name] = static_cast<int>(scene_.materials.size());
    scene_.materials.push_back({name, {}});
    return material_index_[name];
  }

  // A material that no library defines (its library missing, or a name
  // misspelt) is served without parameters, as a modeller would show it.
  void HandleUseMaterial(LineCursor& line) {
    const std::string name(line.Rest());
    const auto found = material_index_.find(name);
    if (found != material_index_.end()) {
      current_material_ = found->second;
      return;
    }
    if (scene_.materials.size() >= kMaxItems) {
      line.Fail("too many materials");
    }
    Warn(line, "usemtl names the material \"" + name +
                   "\", which no mtllib before it defines; it is served without parameters");
    current_material_ = PlainMaterial(name);
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
      ReadMaterialLibrary(line, (folder_ / rest).string());
      return;
    }
    for (std::string_view word = line.Word(); !word.empty(); word = line.Word()) {
      ReadMaterialLibrary(line, (folder_ / std::string(word)).string());
    }
  }

  // Models travel without their material files: the geometry is still
  // worth serving, so a library that cannot be read is a warning.
  void ReadMaterialLibrary(const LineCursor& mtllib_line, const std::string& mtl_path) {
    std::string text;
    try {
      text = ReadSceneFile(mtl_path);
    } catch (const SceneError& error) {
      Warn(mtllib_line,
           std::string(error.what()) + "; its materials are served without parameters");
      return;
    }
    scene_.sources.push_back(mtl_path);
    const auto mtl_folder = std::filesystem::path(mtl_path).parent_path();
    Material* material = nullptr;
    MaterialState state;
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
        state = {};
        return;
      }
      if (keyword.empty() || keyword.front() == '#') {
        return;
      }
      if (material == nullptr) {
        if (keyword == "Kd" || keyword == "Ns" || keyword == "d" || keyword == "Tr" ||
            keyword == "map_Kd" || keyword == "map_Bump" || keyword == "bump") {
          line.Fail("\"" + std::string(keyword) + "\" before the first newmtl");
        }
        return;
      }
      HandleMaterialLine(keyword, line, *material, state, mtl_folder);
    });
  }

  // What a material's earlier lines said about its transparency: "d" wins
  // over "Tr", its older inverted spelling, whichever comes first.
  struct MaterialState {
    bool has_dissolve = false;
  };

  void HandleMaterialLine(std::string_view keyword, LineCursor& line, Material& material,
                          MaterialState& state, const std::filesystem::path& mtl_folder) {
    if (keyword == "Kd") {
      Param diffuse = ColorParam("Diffuse");
      ReadColor(line, "Kd", diffuse.color);
      SetParam(material, diffuse);
      // Kd is the colour itself; the modeller's factor on the diffuse
      // colour is served as 1 so that it arrives as written.
      SetParam(material, FloatParam("Refraction", 1.0f));
    } else if (keyword == "Ns") {
      SetParam(material, FloatParam("Specular", line.Float("Ns") / 1000));
    } else if (keyword == "d" || keyword == "Tr") {
      const bool dissolve = keyword == "d";
      const float value = line.Float(dissolve ? "d" : "Tr");
      if (dissolve || !state.has_dissolve) {
        SetTransparency(material, dissolve ? 1 - value : value);
      }
      state.has_dissolve = state.has_dissolve || dissolve;
    } else if (keyword == "map_Kd" || keyword == "map_Bump" || keyword == "bump") {
      Param map;
      map.name = keyword == "map_Kd" ? "DiffuseMap" : "BumpMap";
      map.type = mcp::kParamTexture;
      map.texture = TextureFor(MapFileName(line), line, mtl_folder);
      SetParam(material, map);
    }
  }

  static Param ColorParam(const char* name) {
    Param param;
    param.name = name;
    param.type = mcp::kParamColor;
    param.has_color = true;
    param.color[3] = 1;
    return param;
  }

  static Param FloatParam(const char* name, float value) {
    Param param;
    param.name = name;
    param.type = mcp::kParamFloat;
    param.has_value = true;
    param.value = value;
    return param;
  }

  // How much light passes through, grey: an opaque material has none.
  static void SetTransparency(Material& material, float amount) {
    std::erase_if(material.params, [](const Param& p) { return p.name == "Transparency"; });
    if (amount > 0) {
      Param transparency = ColorParam("Transparency");
      transparency.color[0] = transparency.color[1] = transparency.color[2] = amount;
      material.params.push_back(transparency);
    }
  }

  static void SetParam(Material& material, const Param& param) {
    for (Param& existing : material.params) {
      if (existing.name == param.name) {
        existing = param;
        return;
      }
    }
    material.params.push_back(param);
  }

  // Texture paths are often the author's own (C:\Users\...\wood.png): the
  // file is looked for by its name beside the library. An image that cannot
  // be read is still a named texture; saving it fails, as in the modeller.
  int TextureFor(std::string_view written, const LineCursor& line,
                 const std::filesystem::path& mtl_folder) {
    const std::string name(written);
    std::filesystem::path file = mtl_folder / name;
    if (IsForeignPath(written)) {
      file = mtl_folder / std::string(FileNameOf(written));
      Warn(line, "the texture path \"" + name + "\" is not relative to the material file; " +
                     "looking for " + file.filename().string() + " beside it");
    }
    const auto absolute = std::filesystem::absolute(file).lexically_normal().string();
    const auto found = texture_index_.find(absolute);
    if (found != texture_index_.end()) {
      return found->second;
    }
    Texture texture;
    texture.name = name;
    if (const auto problem = CheckImageFile(absolute)) {
      Warn(line, *problem + "; the texture is served by name and cannot be saved");
      texture.saves = false;
    } else {
      texture.file = absolute;
    }
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
