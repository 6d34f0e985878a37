// Every polygon packet kind against bytes worked out by hand from the packet
// tables. The same values fill every case: vertices 1 2 3 4, normals 5 6 7 8,
// colours 10 11 12 / 20 21 22 / 30 31 32 / 40 41 42 (hex), texel positions
// A0 A1 / B0 B1 / C0 C1 / D0 D1, CBA 0x7868, TSB 0x0087. Quads are given in
// stored corner order.
#include "tools/rsd2tmd/tmd_packet.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace rsd2tmd {
namespace {

enum Bits : unsigned {
  kQuad = 1,
  kUnlit = 2,
  kSmooth = 4,
  kColours = 8,
  kTextured = 16,
  kAbe = 32,
  kFce = 64,
};

// The polygon of `bits`, holding exactly the fields its packet stores.
TmdPolygon Polygon(unsigned bits) {
  TmdPolygon p;
  p.corners = (bits & kQuad) ? 4 : 3;
  p.lit = !(bits & kUnlit);
  p.smooth = p.lit && (bits & kSmooth);
  p.vertex_colours = (bits & kColours) != 0;
  p.textured = (bits & kTextured) != 0;
  p.semi_transparent = (bits & kAbe) != 0;
  p.double_sided = (bits & kFce) != 0;
  const int colours = p.lit && p.textured ? 0 : p.vertex_colours ? p.corners : 1;
  for (int i = 0; i < colours; ++i) {
    const auto base = static_cast<std::uint8_t>(0x10 * (i + 1));
    p.colours[i] = {base, static_cast<std::uint8_t>(base + 1), static_cast<std::uint8_t>(base + 2)};
  }
  const int normals = !p.lit ? 0 : p.smooth ? p.corners : 1;
  for (int i = 0; i < normals; ++i) {
    p.normals[i] = static_cast<std::uint16_t>(5 + i);
  }
  for (int i = 0; i < p.corners; ++i) {
    p.vertices[i] = static_cast<std::uint16_t>(1 + i);
    if (p.textured) {
      const auto base = static_cast<std::uint8_t>(0xA0 + 0x10 * i);
      p.uv[i] = {base, static_cast<std::uint8_t>(base + 1)};
    }
  }
  if (p.textured) {
    p.cba = 0x7868;
    p.tsb = 0x0087;
  }
  return p;
}

std::vector<std::uint8_t> Bytes(const std::string& hex) {
  std::vector<std::uint8_t> bytes;
  for (std::size_t i = 0; i < hex.size(); ++i) {
    if (hex[i] != ' ') {
      bytes.push_back(
          static_cast<std::uint8_t>(std::strtoul(hex.substr(i, 2).c_str(), nullptr, 16)));
      ++i;
    }
  }
  return bytes;
}

struct Kind {
  const char* name;
  unsigned bits;
  const char* bytes;  // olen ilen flag mode, then the packet
};

constexpr Kind kKinds[] = {
    {"lit flat tri 20/00", 0, "04 03 00 20  10 11 12 20  05 00 01 00  02 00 03 00"},
    {"lit gouraud tri 30/00", kSmooth,
     "06 04 00 30  10 11 12 30  05 00 01 00  06 00 02 00  07 00 03 00"},
    {"lit flat tri, vertex colours 20/04", kColours,
     "06 05 04 20  10 11 12 20  20 21 22 00  30 31 32 00  05 00 01 00  02 00 03 00"},
    {"lit gouraud tri, vertex colours 30/04", kSmooth | kColours,
     "06 06 04 30  10 11 12 30  20 21 22 00  30 31 32 00  05 00 01 00  06 00 02 00  07 00 03 00"},
    {"lit flat textured tri 24/00", kTextured,
     "07 05 00 24  A0 A1 68 78  B0 B1 87 00  C0 C1 00 00  05 00 01 00  02 00 03 00"},
    {"lit gouraud textured tri 34/00", kSmooth | kTextured,
     "09 06 00 34  A0 A1 68 78  B0 B1 87 00  C0 C1 00 00  05 00 01 00  06 00 02 00  07 00 03 00"},
    {"lit flat quad 28/00", kQuad,
     "05 04 00 28  10 11 12 28  05 00 01 00  02 00 03 00  04 00 00 00"},
    {"lit gouraud quad 38/00", kQuad | kSmooth,
     "08 05 00 38  10 11 12 38  05 00 01 00  06 00 02 00  07 00 03 00  08 00 04 00"},
    {"lit flat quad, vertex colours 28/04", kQuad | kColours,
     "08 07 04 28  10 11 12 28  20 21 22 00  30 31 32 00  40 41 42 00  05 00 01 00  02 00 03 00"
     "  04 00 00 00"},
    {"lit gouraud quad, vertex colours 38/04", kQuad | kSmooth | kColours,
     "08 08 04 38  10 11 12 38  20 21 22 00  30 31 32 00  40 41 42 00  05 00 01 00  06 00 02 00"
     "  07 00 03 00  08 00 04 00"},
    {"lit flat textured quad 2C/00", kQuad | kTextured,
     "09 07 00 2C  A0 A1 68 78  B0 B1 87 00  C0 C1 00 00  D0 D1 00 00  05 00 01 00  02 00 03 00"
     "  04 00 00 00"},
    {"lit gouraud textured quad 3C/00", kQuad | kSmooth | kTextured,
     "0C 08 00 3C  A0 A1 68 78  B0 B1 87 00  C0 C1 00 00  D0 D1 00 00  05 00 01 00  06 00 02 00"
     "  07 00 03 00  08 00 04 00"},
    {"unlit tri 21/01", kUnlit, "04 03 01 21  10 11 12 21  01 00 02 00  03 00 00 00"},
    {"unlit tri, vertex colours 31/01", kUnlit | kColours,
     "06 05 01 31  10 11 12 31  20 21 22 00  30 31 32 00  01 00 02 00  03 00 00 00"},
    {"unlit textured tri 25/01", kUnlit | kTextured,
     "07 06 01 25  A0 A1 68 78  B0 B1 87 00  C0 C1 00 00  10 11 12 25  01 00 02 00  03 00 00 00"},
    {"unlit textured tri, vertex colours 35/01", kUnlit | kTextured | kColours,
     "09 08 01 35  A0 A1 68 78  B0 B1 87 00  C0 C1 00 00  10 11 12 35  20 21 22 00  30 31 32 00"
     "  01 00 02 00  03 00 00 00"},
    {"unlit quad 29/01", kUnlit | kQuad, "05 03 01 29  10 11 12 29  01 00 02 00  03 00 04 00"},
    {"unlit quad, vertex colours 39/01", kUnlit | kQuad | kColours,
     "08 06 01 39  10 11 12 39  20 21 22 00  30 31 32 00  40 41 42 00  01 00 02 00  03 00 04 00"},
    {"unlit textured quad 2D/01", kUnlit | kQuad | kTextured,
     "09 07 01 2D  A0 A1 68 78  B0 B1 87 00  C0 C1 00 00  D0 D1 00 00  10 11 12 2D  01 00 02 00"
     "  03 00 04 00"},
    {"unlit textured quad, vertex colours 3D/01", kUnlit | kQuad | kTextured | kColours,
     "0C 0A 01 3D  A0 A1 68 78  B0 B1 87 00  C0 C1 00 00  D0 D1 00 00  10 11 12 3D  20 21 22 00"
     "  30 31 32 00  40 41 42 00  01 00 02 00  03 00 04 00"},
    // Semi-transparency adds 2 to mode (also in the colour word), double
    // sides 2 to flag; neither changes a length.
    {"lit flat tri, ABE and FCE 22/02", kAbe | kFce,
     "04 03 02 22  10 11 12 22  05 00 01 00  02 00 03 00"},
    {"lit gouraud quad, vertex colours, FCE 38/06", kQuad | kSmooth | kColours | kFce,
     "08 08 06 38  10 11 12 38  20 21 22 00  30 31 32 00  40 41 42 00  05 00 01 00  06 00 02 00"
     "  07 00 03 00  08 00 04 00"},
    {"lit gouraud textured tri, ABE 36/00", kSmooth | kTextured | kAbe,
     "09 06 00 36  A0 A1 68 78  B0 B1 87 00  C0 C1 00 00  05 00 01 00  06 00 02 00  07 00 03 00"},
    {"unlit textured quad, ABE and FCE 2F/03", kUnlit | kQuad | kTextured | kAbe | kFce,
     "09 07 03 2F  A0 A1 68 78  B0 B1 87 00  C0 C1 00 00  D0 D1 00 00  10 11 12 2F  01 00 02 00"
     "  03 00 04 00"},
};

TEST(TmdPacketTest, EveryKindEncodesToItsHandComputedBytes) {
  for (const Kind& kind : kKinds) {
    EXPECT_EQ(EncodePolygon(Polygon(kind.bits)), Bytes(kind.bytes)) << kind.name;
  }
}

TEST(TmdPacketTest, EveryKindDecodesFromItsBytes) {
  for (const Kind& kind : kKinds) {
    const std::vector<std::uint8_t> bytes = Bytes(kind.bytes);
    const std::optional<PacketLayout> layout = LayoutOf(bytes[3], bytes[2]);
    ASSERT_TRUE(layout) << kind.name;
    EXPECT_EQ(layout->olen, bytes[0]) << kind.name;
    EXPECT_EQ(layout->ilen, bytes[1]) << kind.name;
    EXPECT_EQ(std::size_t{layout->ilen} * 4, bytes.size() - 4) << kind.name;
    EXPECT_EQ(DecodePolygon(bytes[3], bytes[2], *layout, bytes.data() + 4), Polygon(kind.bits))
        << kind.name;
  }
}

TEST(TmdPacketTest, BytePairsThatNameNoPolygonKind) {
  EXPECT_FALSE(LayoutOf(0x40, 0x00));  // a line
  EXPECT_FALSE(LayoutOf(0x64, 0x01));  // a sprite
  EXPECT_FALSE(LayoutOf(0x20, 0x08));  // reserved flag bit
  EXPECT_FALSE(LayoutOf(0x24, 0x04));  // GRD on a textured polygon
  EXPECT_FALSE(LayoutOf(0x21, 0x05));  // GRD on an unlit polygon
  EXPECT_FALSE(LayoutOf(0x20, 0x01));  // unlit without TGE
  EXPECT_FALSE(LayoutOf(0x21, 0x00));  // lit with TGE
}

}  // namespace
}  // namespace rsd2tmd
