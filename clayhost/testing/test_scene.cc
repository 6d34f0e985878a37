#include "clayhost/testing/test_scene.h"

#include <algorithm>
#include <memory>
#include <utility>

namespace clayhost::testing {

SceneObject TestObject(std::optional<std::string> name, std::optional<std::string> activated) {
  SceneObject object;
  SetAttribute(object, "Name", std::move(name));
  SetAttribute(object, "Activated", std::move(activated));
  return object;
}

void SetAttribute(SceneObject& object, const std::string& name, std::optional<std::string> value) {
  std::erase_if(object.attributes, [&](const Attribute& old) { return old.name == name; });
  if (value) {
    object.attributes.push_back({name, std::move(*value)});
  }
}

void SetTexCoords(SceneObject& object, std::vector<TexCoord> texcoords) {
  object.texcoords = std::make_shared<const std::vector<TexCoord>>(std::move(texcoords));
}

Param FloatParam(const std::string& name, float value, std::uint16_t type) {
  Param param;
  param.name = name;
  param.type = type;
  param.has_value = true;
  param.value = value;
  return param;
}

Param ColorParam(const std::string& name, float r, float g, float b, std::uint16_t type) {
  Param param;
  param.name = name;
  param.type = type;
  param.has_color = true;
  param.color[0] = r;
  param.color[1] = g;
  param.color[2] = b;
  param.color[3] = 1;
  return param;
}

Param TextureParam(const std::string& name, int texture) {
  Param param;
  param.name = name;
  param.type = mcp::kParamTexture;
  param.texture = texture;
  return param;
}

Texture NamedTexture(const std::string& name, TextureNaming naming) {
  Texture texture;
  texture.name = name;
  texture.naming = naming;
  return texture;
}

}  // namespace clayhost::testing
