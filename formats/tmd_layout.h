// Where everything lies in a TMD model file: the header, the object table
// and the polygon packets. The one definition for every reader and writer of
// the project: the host tools and the console program compile this header
// alike, so it is plain C++ on <stdint.h> alone, for a freestanding cross
// compiler too. All numbers in the file are little-endian.
#ifndef GANNET_FORMATS_TMD_LAYOUT_H_
#define GANNET_FORMATS_TMD_LAYOUT_H_

#include <stdint.h>

namespace tmdlayout {

/// The file's first word.
inline constexpr uint32_t kTmdId = 0x41;

/// The header (id, flags, object count), then one entry per object.
inline constexpr uint32_t kHeaderSize = 12;
inline constexpr uint32_t kFlagsAt = 4;
inline constexpr uint32_t kObjectCountAt = 8;

/// One object entry: seven 32-bit words. Block offsets count from the
/// start of the object table (file offset kHeaderSize), for every object.
inline constexpr uint32_t kObjectSize = 28;
inline constexpr uint32_t kVertTopAt = 0;
inline constexpr uint32_t kNVertAt = 4;
inline constexpr uint32_t kNormalTopAt = 8;
inline constexpr uint32_t kNNormalAt = 12;
inline constexpr uint32_t kPrimitiveTopAt = 16;
inline constexpr uint32_t kNPrimitiveAt = 20;
inline constexpr uint32_t kScaleAt = 24;

/// Vertices and normals: x, y, z as int16 and a 16-bit pad (an SVECTOR).
inline constexpr uint32_t kSvectorSize = 8;

/// A primitive: olen, ilen, flag, mode, then ilen words of packet data.
inline constexpr uint32_t kPrimitiveHeaderSize = 4;
inline constexpr uint32_t kOlenAt = 0;
inline constexpr uint32_t kIlenAt = 1;
inline constexpr uint32_t kFlagAt = 2;
inline constexpr uint32_t kModeAt = 3;

/// Mode bits: the GPU's polygon command byte.
inline constexpr uint8_t kModeCodeMask = 0xE0;
inline constexpr uint8_t kCodePolygon = 0x20;
inline constexpr uint8_t kModeGouraud = 0x10;
inline constexpr uint8_t kModeQuad = 0x08;
inline constexpr uint8_t kModeTextured = 0x04;
inline constexpr uint8_t kModeSemiTransparent = 0x02;
inline constexpr uint8_t kModeRaw = 0x01;

/// Flag bits.
inline constexpr uint8_t kFlagUnlit = 0x01;
inline constexpr uint8_t kFlagDoubleSided = 0x02;
inline constexpr uint8_t kFlagVertexColours = 0x04;
inline constexpr uint8_t kFlagReserved = 0xF8;

/// Texture words: T0 = U0 V0 CBA, T1 = U1 V1 TSB, then Un Vn 0.
inline constexpr uint32_t kTextureWordSize = 4;

/// Where the fields of one packet kind lie, as byte offsets into the packet
/// data (after the header); -1 for a field the kind does not have.
struct PacketLayout {
  bool polygon = false;  ///< false: the mode and flag name no polygon kind
  int corners = 3;       ///< 3 or 4
  int texture_at = -1;   ///< T0; Tn at texture_at + 4n
  int colour_at = -1;    ///< the first colour word; the others follow
  int colours = 0;       ///< colour words: 0, 1 or one per corner
  int normal_at = -1;    ///< N0
  int normals = 0;       ///< 0, 1 or one per corner
  int vertex_at = 0;     ///< V0
  int index_stride = 2;  ///< bytes from Vn to Vn+1 (and Nn to Nn+1)
  uint8_t ilen = 0;      ///< packet words
  uint8_t olen = 0;      ///< words of the drawing packet built from it
};

/// The layout of the polygon kind named by `mode` and `flag`; .polygon is
/// false for a byte pair that names none: not a polygon, a reserved flag
/// bit, GRD on a textured or an unlit polygon, or an unlit polygon without
/// TGE (or a lit one with it).
///
/// Packet data, in this order: textured, one texture word per corner; colour
/// words R G B and a byte repeating mode (the first) or 0: none on a lit
/// textured polygon, one per corner with per-vertex colour, else one; lit
/// smooth, a normal and a vertex index per corner (N0 V0 N1 V1 ...), lit
/// flat, N0 then the vertex indices, unlit, the vertex indices; zero bytes
/// up to the next word.
constexpr PacketLayout PacketLayoutOf(uint8_t mode, uint8_t flag) {
  PacketLayout layout;
  const bool gouraud = (mode & kModeGouraud) != 0;
  const bool textured = (mode & kModeTextured) != 0;
  const bool lit = (flag & kFlagUnlit) == 0;
  const bool vertex_colours = (flag & kFlagVertexColours) != 0;
  if ((mode & kModeCodeMask) != kCodePolygon || (flag & kFlagReserved) != 0 ||
      lit == ((mode & kModeRaw) != 0) || (vertex_colours && (textured || !lit))) {
    return layout;
  }
  const int n = (mode & kModeQuad) != 0 ? 4 : 3;
  layout.polygon = true;
  layout.corners = n;
  int offset = 0;
  if (textured) {
    layout.texture_at = 0;
    offset += 4 * n;
  }
  if (lit) {
    layout.colours = textured ? 0 : (vertex_colours ? n : 1);
  } else {
    layout.colours = gouraud ? n : 1;
  }
  if (layout.colours > 0) {
    layout.colour_at = offset;
    offset += 4 * layout.colours;
  }
  if (lit && gouraud) {
    layout.normal_at = offset;
    layout.normals = n;
    layout.vertex_at = offset + 2;
    layout.index_stride = 4;
    offset += 4 * n;
  } else if (lit) {
    layout.normal_at = offset;
    layout.normals = 1;
    layout.vertex_at = offset + 2;
    offset += 2 + 2 * n;
  } else {
    layout.vertex_at = offset;
    offset += 2 * n;
  }
  layout.ilen = static_cast<uint8_t>((offset + 3) / 4);
  const bool drawn_gouraud = gouraud || vertex_colours;
  layout.olen = static_cast<uint8_t>((drawn_gouraud ? n : 1) + n + (textured ? n : 0));
  return layout;
}

}  // namespace tmdlayout

#endif  // GANNET_FORMATS_TMD_LAYOUT_H_
