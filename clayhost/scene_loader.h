// The scene file loader: picks the reader by the file's name.
#ifndef GANNET_CLAYHOST_SCENE_LOADER_H_
#define GANNET_CLAYHOST_SCENE_LOADER_H_

#include <string>

#include "clayhost/scene.h"

namespace clayhost {

/// Reads a JSON scene, or a Wavefront OBJ scene when the file name ends in
/// ".obj" (any case), with every file it was read from in its sources.
/// Throws SceneError.
Scene LoadScene(const std::string& path);

}  // namespace clayhost

#endif  // GANNET_CLAYHOST_SCENE_LOADER_H_
