#include "tools/rsdview/anim_sheet.h"

#include <algorithm>
#include <string>

#include "tools/rsdformat/read_error.h"
#include "tools/rsdview/tmd_model.h"

namespace rsdview {
namespace {

constexpr Rgb kLabel = {220, 220, 220};
constexpr Rgb kGrid = {90, 90, 90};

}  // namespace

std::vector<Model> FramesOnModel(const PackFile& pack, const Model& base,
                                 const std::string& pack_name) {
  const std::size_t vertices = base.ply.vertices.size(), normals = base.ply.normals.size();
  std::vector<Model> frames;
  for (const PackFrame& frame : pack.frames) {
    if (frame.vertices.size() != vertices ||
        (!frame.normals.empty() && frame.normals.size() != normals)) {
      throw rsdformat::ReadError(pack_name, "",
                                 "its frames hold " + std::to_string(frame.vertices.size()) +
                                     " vertices and " + std::to_string(frame.normals.size()) +
                                     " normals, the base model " + std::to_string(vertices) +
                                     " and " + std::to_string(normals));
    }
    frames.push_back(WithVertices(base, frame.vertices, frame.normals));
  }
  return frames;
}

AnimationSheet ReadAnimation(const std::filesystem::path& pack, const std::filesystem::path& tmd,
                             const std::vector<std::filesystem::path>& tims, View view,
                             const RenderOptions& options) {
  const PackFile file = ReadPack(pack);
  if (file.frames.empty()) {
    throw rsdformat::ReadError(pack.string(), "", "holds no frames");
  }
  const auto width = static_cast<std::uint64_t>(PanelWidth(options));
  const auto height = static_cast<std::uint64_t>(PanelHeight(options));
  if (file.frames.size() * width * height > kLargestSheetPixels) {
    throw rsdformat::ReadError(
        pack.string(), "",
        std::to_string(file.frames.size()) + " frames of " + std::to_string(width) + " x " +
            std::to_string(height) + " pixels are more than one sheet holds (" +
            std::to_string(kLargestSheetPixels) + " pixels); give a smaller --size");
  }
  const Model base = ModelFromTmd(ReadTmdModel(tmd), ReadTimFiles(tims));
  AnimationSheet sheet;
  sheet.frames = RenderFrames(FramesOnModel(file, base, pack.string()), view, options);
  sheet.vertices = base.ply.vertices.size();
  sheet.loops = file.loops;
  return sheet;
}

Canvas ContactSheet(const std::vector<Canvas>& frames) {
  const int count = static_cast<int>(frames.size());
  const int columns = std::min(count, kSheetColumns);
  const int rows = (count + kSheetColumns - 1) / kSheetColumns;
  const int width = frames.front().width(), height = frames.front().height();
  Canvas sheet(columns * width, rows * height, kRenderBackground);
  for (int i = 0; i < count; ++i) {
    const int left = i % kSheetColumns * width, top = i / kSheetColumns * height;
    sheet.Paste(frames[static_cast<std::size_t>(i)], left, top);
    sheet.Text(left + 3, top + 3, std::to_string(i), kLabel);
    if (left > 0) {
      sheet.Fill(left, top, 1, height, kGrid);
    }
    if (top > 0) {
      sheet.Fill(left, top, width, 1, kGrid);
    }
  }
  return sheet;
}

}  // namespace rsdview
