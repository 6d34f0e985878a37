// The substitute host's Wavefront OBJ scene loader over arbitrary text; the
// scratch folder holds a material library, ship.mtl, for "mtllib" to find.
#include <cstddef>
#include <cstdint>

#include "clayhost/scene_obj.h"
#include "fuzz/scene_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::LoadAndCheck(clayhost::ParseObjScene, "scene.obj", data, size);
  return 0;
}
