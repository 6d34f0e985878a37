// The MAT file: one material line for a polygon, a range or a list of them.
//
//   @MAT940801
//   COUNT                                  the number of material lines
//   POLYGONS FLAG SHADING TYPE PARAMETERS  COUNT lines
//
// POLYGONS: "5", a range "2-9", or a list "2,4,6" whose items may also be
// ranges ("1-3,7"). FLAG: hexadecimal without "0x": bit 0 fixed colour (no
// light calculation), bit 1 double-sided, bit 2 semi-transparent, bits 3-5
// the rate (0-3 as the blend rates; 4-7 reserved), bits 6-7 reserved.
// SHADING: F flat (the first corner's normal) or G smooth. TYPE and its
// parameters:
//   C R G B
//   G R0 G0 B0 R1 G1 B1 R2 G2 B2 R3 G3 B3         (a triangle's fourth: 0 0 0)
//   T TNO U0 V0 U1 V1 U2 V2 U3 V3                 (a triangle's fourth: 0 0)
//   D TNO U0 V0 ... U3 V3 R G B
//   H TNO U0 V0 ... U3 V3 R0 G0 B0 ... R3 G3 B3
// A T line may end in an R G B triple, unused: the exporter writes one.
// Colours are 0..255. Texel positions are whole numbers counted from the
// image's top-left corner; they are kept as written (the exporter writes 256
// for the right edge of a 256-wide image), and whether a page can address
// them is the user's question, not the reader's.
#ifndef GANNET_TOOLS_RSDFORMAT_MAT_FILE_H_
#define GANNET_TOOLS_RSDFORMAT_MAT_FILE_H_

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace rsdformat {

/// Polygons first..last, both included.
struct PolygonRange {
  std::int32_t first = 0, last = 0;
};

enum class Shading { kFlat, kSmooth };

/// The material type letter.
enum class MatType : char {
  kColor = 'C',             // one colour
  kGradation = 'G',         // a colour per corner
  kTexture = 'T',           // texture
  kTextureColor = 'D',      // texture and one colour
  kTextureGradation = 'H',  // texture and a colour per corner
};

struct Rgb {
  std::uint8_t red = 0, green = 0, blue = 0;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

/// A texel position within the image, as written.
struct TexelPosition {
  std::int32_t u = 0, v = 0;
  friend bool operator==(const TexelPosition&, const TexelPosition&) = default;
};

/// One material line.
struct MatLine {
  int line = 0;  // where it stands in the file
  std::vector<PolygonRange> polygons;
  std::uint8_t flag = 0;
  Shading shading = Shading::kFlat;
  MatType type = MatType::kColor;
  std::int32_t texture = -1;              // T, D, H: the texture number (TNO)
  std::array<TexelPosition, 4> texels{};  // T, D, H
  std::array<Rgb, 4> colors{};            // C, D: [0]; G, H: one per corner
  bool unused_color = false;              // T: the line ended in an R G B, kept in colors[0]

  bool lit() const { return (flag & 0x01) == 0; }
  bool double_sided() const { return (flag & 0x02) != 0; }
  bool semi_transparent() const { return (flag & 0x04) != 0; }
  /// Bits 3-5: 0-3 name a blend rate, 4-7 are reserved.
  int rate() const { return (flag >> 3) & 0x07; }
  bool textured() const {
    return type == MatType::kTexture || type == MatType::kTextureColor ||
           type == MatType::kTextureGradation;
  }
  /// One colour per corner (G and H).
  bool per_corner_color() const {
    return type == MatType::kGradation || type == MatType::kTextureGradation;
  }
};

struct MatFile {
  std::string file;  // as named to the reader, for messages
  std::vector<MatLine> lines;
};

/// Parses a MAT text; `file` names it in messages. Throws ReadError.
MatFile ParseMat(std::string_view text, const std::string& file);

/// Reads and parses `path`. Throws ReadError.
MatFile ReadMat(const std::filesystem::path& path);

/// For each of `polygon_count` polygons the index into mat.lines of its
/// material. Throws ReadError naming the MAT line of a polygon number not
/// below `polygon_count` or of a polygon's second material, and naming the
/// polygon when one has no material.
std::vector<std::int32_t> MaterialOfEachPolygon(const MatFile& mat, std::int32_t polygon_count);

/// Throws ReadError naming the first textured line whose texture number is
/// not below `texture_count` (the RSD file's NTEX).
void CheckTextureNumbers(const MatFile& mat, std::int32_t texture_count);

}  // namespace rsdformat

#endif  // GANNET_TOOLS_RSDFORMAT_MAT_FILE_H_
