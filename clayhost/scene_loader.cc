#include "clayhost/scene_loader.h"

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

Scene LoadScene(const std::string& path) {
  const std::string text = ReadSceneFile(path);
  Scene scene = EndsWithObj(path) ? ParseObjScene(text, path) : ParseJsonScene(text, path);
  scene.sources.push_back(path);
  for (const Texture& texture : scene.textures) {
    if (!texture.file.empty()) {
      scene.sources.push_back(texture.file);
    }
  }
  return scene;
}

}  // namespace clayhost
