// Reading an export from its RSD file: the textures for the video-memory
// picture, the whole model for the render, and the display area from the
// project file beside it.
#ifndef GANNET_TOOLS_RSDVIEW_EXPORT_FILES_H_
#define GANNET_TOOLS_RSDVIEW_EXPORT_FILES_H_

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "tools/rsdformat/mat_file.h"
#include "tools/rsdformat/ply_file.h"
#include "tools/rsdformat/rsd_file.h"
#include "tools/rsdview/video_memory.h"
#include "tools/rsdview/vram_check.h"

namespace rsdview {

/// Every TIM the RSD file names, in TEX order. Throws rsdformat::ReadError.
std::vector<Texture> ReadTextures(const rsdformat::RsdFile& rsd,
                                  const std::filesystem::path& rsd_path);

/// A model with everything checked that a render relies on: each polygon
/// has exactly one material and every texture number a TIM.
struct Model {
  rsdformat::RsdFile rsd;
  rsdformat::PlyFile ply;
  rsdformat::MatFile mat;
  std::vector<std::int32_t> material;  // index into mat.lines, per polygon
  std::vector<Texture> textures;
  /// Per polygon, when the file gives each its page and palette words (a
  /// TMD model); empty when each textured line's TIM sets them.
  std::vector<TextureWindow> windows;
  /// What reading mended ("Warning: FILE:LINE: ..."), for the user.
  std::vector<std::string> warnings;
};

/// Every file of the export whose RSD file is `rsd_path`: the RSD file, the
/// PLY, MAT and TIM files it names and its project file, for the outputs to
/// keep clear of.
std::vector<std::filesystem::path> ExportFilePaths(const std::filesystem::path& rsd_path,
                                                   const rsdformat::RsdFile& rsd);

/// Reads the RSD file and the files it names, and moves texel positions
/// outside their images onto the image's edge as a converter does (one
/// warning). Throws rsdformat::ReadError.
Model ReadModel(const std::filesystem::path& rsd_path);

/// The display area the project file beside the RSD file (same name, ".PSX")
/// sets under [Graphics Mode] with Width= and Height=; 640 x 240, what the
/// exporter writes, when there is no project file. Throws
/// rsdformat::ReadError for a project file that does not say it.
Area ProjectDisplayArea(const std::filesystem::path& rsd_path);

}  // namespace rsdview

#endif  // GANNET_TOOLS_RSDVIEW_EXPORT_FILES_H_
