// The data block psxview appends to the console program
// (console/view_data.h): the TMD, the TIM files and the pack, each checked
// for what the console program relies on, and the camera's sphere.
#ifndef GANNET_TOOLS_PSXVIEW_VIEW_BLOCK_H_
#define GANNET_TOOLS_PSXVIEW_VIEW_BLOCK_H_

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "console/camera.h"
#include "tools/rsd2tmd/tmd_file.h"
#include "tools/rsdformat/pck_file.h"

namespace psxview {

/// An input file: its name as given, for messages, and its bytes.
struct InputFile {
  std::string name;
  std::vector<std::uint8_t> bytes;
};

struct ViewRequest {
  InputFile tmd;
  std::vector<InputFile> tims;  ///< in load order
  std::optional<InputFile> pack;
  camera::View view = camera::View::kThreeQuarter;
  bool spin = false;
  std::optional<int> frame;  ///< the one pack frame shown
};

/// Why no view is written: "FILE: reason".
class Refusal : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

/// A rectangle of video memory in 16-bit columns and rows.
struct VramArea {
  int x = 0, y = 0, width = 0, height = 0;
};

/// The rectangle the console program draws into: both frame buffers.
inline constexpr VramArea kFrameBuffers = {0, 0, 320, 480};

/// The box around every vertex of the model's first object and of every
/// frame of `pack` (when there is one).
camera::Box ModelBox(const rsd2tmd::TmdModel& model, const rsdformat::PackFile* pack);

/// The block for `request`, to follow a program image of `program_size`
/// bytes. Throws Refusal for a TMD that is not sound, holds no object or
/// whose blocks the console cannot read in words; a TIM that is not one,
/// runs past video memory or overlaps the frame buffers or another TIM's
/// image or palette; a pack that is not one, holds no frame, or whose frames
/// hold another number of vertices (or normals) than the TMD; a frame number
/// past the pack; and a model that, with everything it brings, does not fit
/// the console's memory.
std::vector<std::uint8_t> BuildViewBlock(const ViewRequest& request, std::uint32_t program_size);

}  // namespace psxview

#endif  // GANNET_TOOLS_PSXVIEW_VIEW_BLOCK_H_
