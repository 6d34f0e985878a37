// Wavefront OBJ scenes with their MTL material libraries.
//
// Each "o" or "g" line starts a root object named after it (faces before
// the first one form an object named after the file); the first object is
// the activated one. Vertices are numbered per object in the order its faces
// first use them; texture coordinates stay in one list that every object
// shares, and faces keep their 1-based "vt" numbers. Polygons of more than
// four corners are cut into a fan of triangles.
#ifndef GANNET_CLAYHOST_SCENE_OBJ_H_
#define GANNET_CLAYHOST_SCENE_OBJ_H_

#include <string>
#include <string_view>

#include "clayhost/scene.h"

namespace clayhost {

/// Builds the scene from the OBJ `text` of the file `path`; "mtllib" files
/// are read relative to its folder, their textures relative to theirs.
/// Throws SceneError naming the file, the line and the fault.
Scene ParseObjScene(std::string_view text, const std::string& path);

}  // namespace clayhost

#endif  // GANNET_CLAYHOST_SCENE_OBJ_H_
