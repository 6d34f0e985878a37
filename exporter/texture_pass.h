// The texture pass: numbers every texture of the scene's materials, has the
// host save it as a BMP file and converts it to a TIM image with the outside
// tools, as the material name's size suffix asks.
#ifndef GANNET_EXPORTER_TEXTURE_PASS_H_
#define GANNET_EXPORTER_TEXTURE_PASS_H_

#include <cstdint>
#include <string>

#include "exporter/rsd_export_options.h"
#include "exporter/texture_list.h"
#include "exportlib/user_channel.h"
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
/// Writes the commands it runs as "# " comment lines into `mat`; runs them
/// and shows its warnings through `channel`. Throws ExportStop for the
/// faults that end the export.
void RunTexturePass(const mcp::HostApi& host, const TexturePassInput& input,
                    platform::OutputFile& mat, TextureList& textures,
                    const exportlib::UserChannel& channel);

/// The 16-bit video-memory columns that a texture `width` texels wide at
/// `depth` bits covers: ⌈width × depth / 16⌉ (0 for a width below 1).
std::int64_t VramColumns(std::int32_t width, std::int32_t depth);

/// The default placement of images in video memory: a cursor on the next
/// free 16-bit column, from column 640 on. Texture pages start every 64
/// columns and address 256 texels, so an image that would reach past the
/// page its first column lies in starts on the next page instead.
class VramCursor {
 public:
  /// Takes the columns of a texture `width` texels wide at `depth` bits (4,
  /// 8 or 16) and answers its first column.
  std::int32_t Place(std::int32_t width, std::int32_t depth);

 private:
  std::int64_t next_column_ = kDefaultImageColumn;
};

}  // namespace exporter

#endif  // GANNET_EXPORTER_TEXTURE_PASS_H_
