// The texture pass: numbers every texture of the scene's materials, has the
// host save it as a BMP file and converts it to a TIM image with the outside
// tools, as the material name's size suffix asks.
#ifndef GANNET_EXPORTER_TEXTURE_PASS_H_
#define GANNET_EXPORTER_TEXTURE_PASS_H_

#include <cstdint>
#include <string>

#include "exporter/rsd_export_options.h"
#include "exporter/texture_list.h"
#include "hostplugin/host_api.h"
#include "platform/file_system.h"

namespace exporter {

/// The first video-memory column of the default texture placement, and the
/// first palette row.
inline constexpr std::int32_t kDefaultImageColumn = 640;
inline constexpr std::int32_t kDefaultPaletteRow = 256;

/// What the pass needs from the export.
struct TexturePassInput {
  mcp::Handle scene = 0;
  std::string base_path;  // B: texture k lives at B + k + ".bmp", "-resized.bmp", ".tim"
  RsdExportOptions options;
};

/// Visits every material of the scene in order and fills `textures`.
/// Writes the commands it runs as "# " comment lines into `mat`. Throws
/// ExportStop for the faults that end the export.
void RunTexturePass(const mcp::HostApi& host, const TexturePassInput& input,
                    platform::OutputFile& mat, TextureList& textures);

/// How far the default placement moves right after a texture `width` pixels
/// wide at `depth` bits: one video-memory column holds 16 bits, so the image
/// covers (width − 1) × depth / 16 columns past its first (truncated).
std::int32_t VramAdvance(std::int32_t width, std::int32_t depth);

}  // namespace exporter

#endif  // GANNET_EXPORTER_TEXTURE_PASS_H_
