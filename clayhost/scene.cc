#include "clayhost/scene.h"

#include <filesystem>
#include <fstream>

#include "clayhost/scene_json.h"
#include "clayhost/scene_obj.h"

namespace clayhost {
namespace {

bool EndsWithObj(const std::string& path) {
  if (path.size() < 4) {
    return false;
  }
  std::string ending = path.substr(path.size() - 4);
  for (char& c : ending) {
    c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  }
  return ending == ".obj";
}

}  // namespace

const Attribute* SceneObject::FindAttribute(const std::string& name) const {
  for (const Attribute& attribute : attributes) {
    if (attribute.name == name) {
      return &attribute;
    }
  }
  return nullptr;
}

std::string ReadSceneFile(const std::string& path) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) {
    throw SceneError(path + ": cannot read the file: no such file");
  }
  std::ifstream file(path, std::ios::binary);
  std::string content(static_cast<std::size_t>(std::filesystem::file_size(path, error)), '\0');
  if (error || !file.read(content.data(), static_cast<std::streamsize>(content.size()))) {
    throw SceneError(path + ": cannot read the file");
  }
  return content;
}

Scene LoadScene(const std::string& path) {
  const std::string text = ReadSceneFile(path);
  return EndsWithObj(path) ? ParseObjScene(text, path) : ParseJsonScene(text, path);
}

}  // namespace clayhost
