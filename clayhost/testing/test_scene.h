// Short ways to build the scenes that tests serve through
// clayhost::ServedScene.
#ifndef GANNET_CLAYHOST_TESTING_TEST_SCENE_H_
#define GANNET_CLAYHOST_TESTING_TEST_SCENE_H_

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "clayhost/scene.h"

namespace clayhost::testing {

/// A root object with the attribute Name when `name` is given and the
/// attribute Activated when `activated` is (an active object by default).
SceneObject TestObject(std::optional<std::string> name = std::nullopt,
                       std::optional<std::string> activated = std::string("1"));

/// Gives `object` the attribute `name` with `value`, or takes it away when
/// `value` is nullopt.
void SetAttribute(SceneObject& object, const std::string& name, std::optional<std::string> value);

/// Gives `object` its own texture coordinates, numbered from 1 as faces name
/// them.
void SetTexCoords(SceneObject& object, std::vector<TexCoord> texcoords);

/// A float parameter (type 1 unless given).
Param FloatParam(const std::string& name, float value, std::uint16_t type = mcp::kParamFloat);
/// A colour parameter with the fourth value 1 (type 3 unless given).
Param ColorParam(const std::string& name, float r, float g, float b,
                 std::uint16_t type = mcp::kParamColor);
/// A texture parameter naming scene texture `texture` (kNoTexture: none).
Param TextureParam(const std::string& name, int texture);

/// A texture of that name whose name both calls of GetTextureName answer.
Texture NamedTexture(const std::string& name, TextureNaming naming = TextureNaming::kNamed);

}  // namespace clayhost::testing

#endif  // GANNET_CLAYHOST_TESTING_TEST_SCENE_H_
