#include "tools/rsd2tmd/tmd_packet.h"

namespace rsd2tmd {
namespace {

using tmdlayout::kCodePolygon;
using tmdlayout::kModeGouraud;
using tmdlayout::kModeQuad;
using tmdlayout::kModeRaw;
using tmdlayout::kModeSemiTransparent;
using tmdlayout::kModeTextured;
constexpr int kHeaderSize = tmdlayout::kPrimitiveHeaderSize;

void Store16(std::uint8_t* at, std::uint16_t value) {
  at[0] = static_cast<std::uint8_t>(value);
  at[1] = static_cast<std::uint8_t>(value >> 8);
}

std::uint16_t Load16(const std::uint8_t* at) {
  return static_cast<std::uint16_t>(at[0] | at[1] << 8);
}

bool Lit(std::uint8_t flag) {
  return (flag & kFlagUnlit) == 0;
}

}  // namespace

std::uint8_t ModeOf(const TmdPolygon& polygon) {
  const bool gouraud = polygon.lit ? polygon.smooth : polygon.vertex_colours;
  std::uint8_t mode = kCodePolygon;
  mode |= gouraud ? kModeGouraud : 0;
  mode |= polygon.corners == 4 ? kModeQuad : 0;
  mode |= polygon.textured ? kModeTextured : 0;
  mode |= polygon.semi_transparent ? kModeSemiTransparent : 0;
  mode |= polygon.lit ? 0 : kModeRaw;
  return mode;
}

std::uint8_t FlagOf(const TmdPolygon& polygon) {
  std::uint8_t flag = polygon.lit ? 0 : kFlagUnlit;
  flag |= polygon.double_sided ? kFlagDoubleSided : 0;
  flag |= polygon.lit && polygon.vertex_colours ? kFlagVertexColours : 0;
  return flag;
}

std::optional<PacketLayout> LayoutOf(std::uint8_t mode, std::uint8_t flag) {
  const PacketLayout layout = tmdlayout::PacketLayoutOf(mode, flag);
  if (!layout.polygon) {
    return std::nullopt;
  }
  return layout;
}

std::vector<std::uint8_t> EncodePolygon(const TmdPolygon& polygon) {
  const std::uint8_t mode = ModeOf(polygon);
  const std::uint8_t flag = FlagOf(polygon);
  const PacketLayout layout = *LayoutOf(mode, flag);
  std::vector<std::uint8_t> bytes(kHeaderSize + 4 * std::size_t{layout.ilen}, 0);
  bytes[0] = layout.olen;
  bytes[1] = layout.ilen;
  bytes[2] = flag;
  bytes[3] = mode;
  std::uint8_t* packet = bytes.data() + kHeaderSize;
  if (layout.texture_at >= 0) {
    for (int i = 0; i < layout.corners; ++i) {
      std::uint8_t* word = packet + layout.texture_at + 4 * i;
      word[0] = polygon.uv[i].u;
      word[1] = polygon.uv[i].v;
      Store16(word + 2, i == 0 ? polygon.cba : i == 1 ? polygon.tsb : 0);
    }
  }
  for (int i = 0; i < layout.colours; ++i) {
    std::uint8_t* word = packet + layout.colour_at + 4 * i;
    word[0] = polygon.colours[i].red;
    word[1] = polygon.colours[i].green;
    word[2] = polygon.colours[i].blue;
    word[3] = i == 0 ? mode : 0;
  }
  for (int i = 0; i < layout.normals; ++i) {
    Store16(packet + layout.normal_at + layout.index_stride * i, polygon.normals[i]);
  }
  for (int i = 0; i < layout.corners; ++i) {
    Store16(packet + layout.vertex_at + layout.index_stride * i, polygon.vertices[i]);
  }
  return bytes;
}

TmdPolygon DecodePolygon(std::uint8_t mode, std::uint8_t flag, const PacketLayout& layout,
                         const std::uint8_t* packet) {
  TmdPolygon polygon;
  polygon.corners = layout.corners;
  polygon.lit = Lit(flag);
  const bool gouraud = (mode & kModeGouraud) != 0;
  polygon.smooth = polygon.lit && gouraud;
  polygon.vertex_colours = polygon.lit ? (flag & kFlagVertexColours) != 0 : gouraud;
  polygon.textured = layout.texture_at >= 0;
  polygon.semi_transparent = (mode & kModeSemiTransparent) != 0;
  polygon.double_sided = (flag & kFlagDoubleSided) != 0;
  if (polygon.textured) {
    for (int i = 0; i < layout.corners; ++i) {
      const std::uint8_t* word = packet + layout.texture_at + 4 * i;
      polygon.uv[i] = {word[0], word[1]};
    }
    polygon.cba = Load16(packet + layout.texture_at + 2);
    polygon.tsb = Load16(packet + layout.texture_at + 6);
  }
  for (int i = 0; i < layout.colours; ++i) {
    const std::uint8_t* word = packet + layout.colour_at + 4 * i;
    polygon.colours[i] = {word[0], word[1], word[2]};
  }
  for (int i = 0; i < layout.normals; ++i) {
    polygon.normals[i] = Load16(packet + layout.normal_at + layout.index_stride * i);
  }
  for (int i = 0; i < layout.corners; ++i) {
    polygon.vertices[i] = Load16(packet + layout.vertex_at + layout.index_stride * i);
  }
  return polygon;
}

}  // namespace rsd2tmd
