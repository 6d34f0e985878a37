// The texture settings a user writes at the end of a material name, after
// its first '~': an optional 'g' or 'G' for grey, width x height x depth, and
// an optional second '~' with the video-memory block image x, image y,
// palette x, palette y ("hull~256x128x8", "sky~g64x64x4",
// "logo~128x64x16~768x0x640x480"). The separators are lower-case 'x'.
#ifndef GANNET_EXPORTER_SIZE_SUFFIX_H_
#define GANNET_EXPORTER_SIZE_SUFFIX_H_

#include <cstdint>
#include <optional>
#include <string>

namespace exporter {

/// A material name's suffix as the texture pass reads it.
struct SizeSuffix {
  /// The suffix after the '~' (and after the grey letter), as written.
  std::string text;
  /// " -colorspace gray " when the suffix starts with 'g' or 'G', else " ".
  std::string grey_option;
  /// Width, height and depth as ScanFormatted reads them; 0 where it stops.
  std::int32_t width = 0, height = 0, depth = 0;
  /// The texts before the first 'x' and between it and the next one.
  std::string width_text, height_text;
  /// false when there is no 'x' after the width text (the height text is
  /// then empty).
  bool has_height_separator = false;
};

/// Texel width and height of a texture, as whole numbers.
struct TexelSize {
  std::int32_t width = 0;
  std::int32_t height = 0;
};

/// A texture's place in video memory: image origin and palette position.
struct VramOrigin {
  std::int32_t image_x = 0, image_y = 0, palette_x = 0, palette_y = 0;
};

/// What ParseSizeSuffix makes of a material name.
enum class SuffixStatus {
  kParsed,
  kNoTilde,           // no '~' at all: the texture gets no TIM
  kNoWidthSeparator,  // no 'x' after the width (or 'x' first): the export stops
};

/// Parses `material_name` up to its sizes. Throws exportlib::ConversionError
/// when a run of number characters is not a number ("1-2x...").
SuffixStatus ParseSizeSuffix(const std::string& material_name, SizeSuffix& suffix);

/// The block after a second '~' in the suffix (spaces around it ignored;
/// numbers not reached stay 0); nullopt without one. Throws like
/// ParseSizeSuffix.
std::optional<VramOrigin> ReadVramOrigin(const SizeSuffix& suffix);

/// A width or height text of the suffix as the whole number that both the
/// conversion and the texel positions use: blanks around it are ignored
/// (" 64" is 64); nullopt when it is not a whole 32-bit number ("2 56",
/// "64a", "").
std::optional<std::int32_t> SizeNumber(const std::string& text);

}  // namespace exporter

#endif  // GANNET_EXPORTER_SIZE_SUFFIX_H_
