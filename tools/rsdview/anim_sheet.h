// The frames of a pack drawn on its base model, and the contact sheet that
// shows them all: frames left to right and top to bottom, at most
// kSheetColumns across, each labelled with its number.
#ifndef GANNET_TOOLS_RSDVIEW_ANIM_SHEET_H_
#define GANNET_TOOLS_RSDVIEW_ANIM_SHEET_H_

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "tools/rsdformat/pck_file.h"
#include "tools/rsdview/canvas.h"
#include "tools/rsdview/model_render.h"

namespace rsdview {

using rsdformat::PackFile;
using rsdformat::PackFrame;
using rsdformat::ReadPack;

inline constexpr int kSheetColumns = 8;

/// The most pixels the frames of one sheet may cover together: a pack of
/// many frames at a large --size is refused rather than exhausting memory.
inline constexpr std::uint64_t kLargestSheetPixels = std::uint64_t{1} << 24;

/// How long the animated GIF shows each frame: 30 frames a second, rounded
/// to the GIF's hundredths.
inline constexpr int kAnimFrameDelayMs = 30;

/// Every frame of a pack, rendered.
struct AnimationSheet {
  std::vector<Canvas> frames;
  std::size_t vertices = 0;  ///< per frame
  bool loops = false;
};

/// The base model with each frame's vertices (and normals, when the pack
/// keeps them), framed alike. Throws rsdformat::ReadError naming the pack
/// when its frames do not hold the base model's vertex (or normal) count.
std::vector<Model> FramesOnModel(const PackFile& pack, const Model& base,
                                 const std::string& pack_name);

/// Reads the pack, the base TMD and the TIM files, and renders every frame
/// from `view`. Throws rsdformat::ReadError, also for a pack without frames
/// and for frames that would cover more than kLargestSheetPixels.
AnimationSheet ReadAnimation(const std::filesystem::path& pack, const std::filesystem::path& tmd,
                             const std::vector<std::filesystem::path>& tims, View view,
                             const RenderOptions& options);

/// The frames (at least one, all of one size) in rows of at most
/// kSheetColumns, numbered from 0.
Canvas ContactSheet(const std::vector<Canvas>& frames);

}  // namespace rsdview

#endif  // GANNET_TOOLS_RSDVIEW_ANIM_SHEET_H_
