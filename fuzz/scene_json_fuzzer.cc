// The substitute host's JSON scene loader over arbitrary text.
#include <cstddef>
#include <cstdint>

#include "clayhost/scene_json.h"
#include "fuzz/scene_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::LoadAndCheck(clayhost::ParseJsonScene, "scene.json", data, size);
  return 0;
}
