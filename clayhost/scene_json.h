// The JSON scene file (docs/SCENES.md describes it).
#ifndef GANNET_CLAYHOST_SCENE_JSON_H_
#define GANNET_CLAYHOST_SCENE_JSON_H_

#include <string>
#include <string_view>

#include "clayhost/scene.h"

namespace clayhost {

/// Builds the scene from the JSON `text` of the file `path`; image files are
/// looked up relative to the file's folder. Throws SceneError naming `path`,
/// the line or JSON pointer of the fault, and the fault.
Scene ParseJsonScene(std::string_view text, const std::string& path);

}  // namespace clayhost

#endif  // GANNET_CLAYHOST_SCENE_JSON_H_
