#include "clayhost/scene.h"

#include <filesystem>
#include <optional>
#include <utility>

#include "toolfiles/input_file.h"

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
  std::string problem;
  std::optional<std::string> content = toolfiles::ReadInputFile(path, kSceneFileLimit, &problem);
  if (content) {
    return std::move(*content);
  }
  // Asked without throwing: a name too long for the system is just absent.
  std::error_code error;
  if (!std::filesystem::exists(path, error)) {
    throw SceneError(path + ": cannot read the file: no such file");
  }
  throw SceneError(path + ": " + problem);
}

}  // namespace clayhost
