// What both scene fuzzers run: one loader over the input, in a scratch
// folder that holds a material library and an image for it to find, and the
// checks on what comes back.
#ifndef GANNET_FUZZ_SCENE_CHECKS_H_
#define GANNET_FUZZ_SCENE_CHECKS_H_

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "clayhost/scene.h"

namespace fuzz {

/// A loader under test: text and the path of the file it came from.
using SceneParser = clayhost::Scene (*)(std::string_view text, const std::string& path);

/// Writes the input as `file_name` in the scratch folder and loads it with
/// `parse`. The loader must either give a scene whose every index points at
/// something the host can serve, or throw SceneError; anything else aborts.
void LoadAndCheck(SceneParser parse, const char* file_name, const std::uint8_t* data,
                  std::size_t size);

}  // namespace fuzz

#endif  // GANNET_FUZZ_SCENE_CHECKS_H_
