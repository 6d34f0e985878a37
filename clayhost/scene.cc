#include "clayhost/scene.h"

#include <filesystem>
#include <fstream>

namespace clayhost {

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

}  // namespace clayhost
