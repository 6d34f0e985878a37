// One polygon primitive of a TMD object: what it holds, the mode and flag
// bytes that name its packet kind, where each field lies in the packet, and
// its bytes.
//
// A primitive is a 4-byte header (olen, ilen, flag, mode) and ilen words of
// packet data. Packet data, in this order:
//   textured: one texture word per corner, T0 = U0 V0 CBA, T1 = U1 V1 TSB,
//     T2, T3 = Un Vn 0;
//   colour words R G B and a byte repeating mode (the first) or 0: none on a
//     lit textured polygon, one per corner with per-vertex colour, else one;
//   lit: smooth, a normal and a vertex index per corner (N0 V0 N1 V1 ...);
//     flat, N0 then the vertex indices; unlit: the vertex indices;
//   zero bytes up to the next word.
#ifndef GANNET_TOOLS_RSD2TMD_TMD_PACKET_H_
#define GANNET_TOOLS_RSD2TMD_TMD_PACKET_H_

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "formats/tmd_layout.h"
#include "tools/rsdformat/mat_file.h"

namespace rsd2tmd {

/// A colour of a packet, as the MAT file gives it.
using Rgb = rsdformat::Rgb;

/// A texel position within the texture page.
struct Uv {
  std::uint8_t u = 0, v = 0;
  friend bool operator==(const Uv&, const Uv&) = default;
};

/// Everything one polygon primitive says. Quads list their corners in the
/// stored "Z" order: the GPU draws (0, 1, 2) and (1, 2, 3).
struct TmdPolygon {
  int corners = 3;                ///< 3 or 4
  bool lit = true;                ///< light calculated (flag LGT clear)
  bool smooth = false;            ///< lit: a normal per corner (mode IIP)
  bool vertex_colours = false;    ///< a colour per corner (lit: GRD, unlit: IIP)
  bool textured = false;          ///< mode TME
  bool semi_transparent = false;  ///< mode ABE
  bool double_sided = false;      ///< flag FCE
  std::array<Rgb, 4> colours{};   ///< [0] alone, or one per corner
  std::array<Uv, 4> uv{};
  std::uint16_t cba = 0;  ///< palette word
  std::uint16_t tsb = 0;  ///< texture page word
  std::array<std::uint16_t, 4> vertices{};
  std::array<std::uint16_t, 4> normals{};  ///< [0] alone when flat
  friend bool operator==(const TmdPolygon&, const TmdPolygon&) = default;
};

/// Primitive flag bits.
inline constexpr std::uint8_t kFlagUnlit = tmdlayout::kFlagUnlit;
inline constexpr std::uint8_t kFlagDoubleSided = tmdlayout::kFlagDoubleSided;
inline constexpr std::uint8_t kFlagVertexColours = tmdlayout::kFlagVertexColours;

/// Where the fields of one packet kind lie (formats/tmd_layout.h).
using PacketLayout = tmdlayout::PacketLayout;

/// The mode byte of `polygon`.
std::uint8_t ModeOf(const TmdPolygon& polygon);

/// The flag byte of `polygon`.
std::uint8_t FlagOf(const TmdPolygon& polygon);

/// The layout of the polygon kind named by `mode` and `flag`, or nullopt for
/// a byte pair that names none: not a polygon, a reserved flag bit, GRD on a
/// textured or an unlit polygon, or an unlit polygon without TGE (or a lit
/// one with it).
std::optional<PacketLayout> LayoutOf(std::uint8_t mode, std::uint8_t flag);

/// The primitive's bytes, header included. `polygon` must name a kind of
/// LayoutOf (a lit textured polygon takes no per-vertex colour).
std::vector<std::uint8_t> EncodePolygon(const TmdPolygon& polygon);

/// The polygon stored in `packet` (ilen words) under `layout`. `packet` must
/// hold layout.ilen words.
TmdPolygon DecodePolygon(std::uint8_t mode, std::uint8_t flag, const PacketLayout& layout,
                         const std::uint8_t* packet);

}  // namespace rsd2tmd

#endif  // GANNET_TOOLS_RSD2TMD_TMD_PACKET_H_
