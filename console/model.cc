#include "console/model.h"

#include "console/gte.h"
#include "console/view.h"
#include "formats/tmd_layout.h"

namespace model {
namespace {

using namespace tmdlayout;

// The colour a lit textured polygon modulates its texels by before the
// light: 128 leaves a texel as it is.
constexpr uint32_t kNeutralTint = 0x808080;

// A draw-mode word for the untextured semi-transparent polygons: the TMD
// keeps no rate for them, so they blend at rate 0 (half and half), and
// drawing may go on into the displayed area as in every frame.
constexpr uint32_t kRateZeroDrawMode = 0xE1000000 | 1u << 10;

}  // namespace

Mesh FirstObject(const uint8_t* tmd) {
  const uint8_t* table = tmd + kHeaderSize;
  Mesh mesh;
  mesh.primitives = table + view::Word(table, kPrimitiveTopAt);
  mesh.primitive_count = view::Word(table, kNPrimitiveAt);
  mesh.vertices = table + view::Word(table, kVertTopAt);
  mesh.vertex_count = view::Word(table, kNVertAt);
  mesh.normals = table + view::Word(table, kNormalTopAt);
  return mesh;
}

void Drawer::SetDepthRange(const camera::Sphere& sphere) {
  const int32_t radius = camera::CameraRadius(sphere);
  near_ = camera::CameraDistance(sphere) - radius;
  depth_scale_ =
      static_cast<int32_t>(((table_length_ - 1) << 16) / static_cast<uint32_t>(2 * radius));
}

uint32_t Drawer::EntryOf(uint32_t depth_sum, int corners) const {
  const int32_t mean = static_cast<int32_t>(depth_sum / static_cast<uint32_t>(corners));
  const int32_t entry = ((mean - near_) * depth_scale_) >> 16;
  if (entry < 0) {
    return 0;
  }
  return static_cast<uint32_t>(entry) >= table_length_ ? table_length_ - 1
                                                       : static_cast<uint32_t>(entry);
}

void Drawer::Project(const Mesh& mesh) {
  const uint8_t* v = mesh.vertices;
  const uint32_t count = mesh.vertex_count;
  gte::Projected3 out;
  for (uint32_t i = 0; i < count; i += 3) {
    // A last group of one or two repeats its final vertex.
    const uint32_t b = i + 1 < count ? i + 1 : count - 1;
    const uint32_t c = i + 2 < count ? i + 2 : count - 1;
    gte::RotTransPers3(v + kSvectorSize * i, v + kSvectorSize * b, v + kSvectorSize * c, out);
    const uint32_t indices[3] = {i, b, c};
    for (int k = 0; k < 3; ++k) {
      projected_[2 * indices[k]] = out.xy[k];
      projected_[2 * indices[k] + 1] = out.z[k];
    }
  }
}

void Drawer::Polygon(const Mesh& mesh, const uint8_t* primitive, packets::Buffer& buffer) {
  const uint8_t flag = primitive[kFlagAt];
  const uint8_t mode = primitive[kModeAt];
  const PacketLayout layout = PacketLayoutOf(mode, flag);
  if (!layout.polygon) {
    return;
  }
  const uint8_t* data = primitive + kPrimitiveHeaderSize;
  const int n = layout.corners;
  uint32_t xy[4];
  uint32_t depth_sum = 0;
  for (int i = 0; i < n; ++i) {
    const uint32_t vertex = view::Half(data, layout.vertex_at + layout.index_stride * i);
    xy[i] = projected_[2 * vertex];
    depth_sum += projected_[2 * vertex + 1];
  }
  if ((flag & kFlagDoubleSided) == 0 &&
      !camera::FacesViewer(gte::NormalClip(xy[0], xy[1], xy[2]))) {
    return;
  }
  const bool lit = (flag & kFlagUnlit) == 0;
  const bool textured = layout.texture_at >= 0;
  const bool gouraud = (mode & kModeGouraud) != 0 || (flag & kFlagVertexColours) != 0;
  const int colours = gouraud ? n : 1;
  uint32_t colour[4];
  for (int i = 0; i < colours; ++i) {
    const int stored = layout.colours == n ? i : 0;
    colour[i] = layout.colours > 0 ? view::Word(data, layout.colour_at + 4 * stored) : kNeutralTint;
    if (lit) {
      const int normal = layout.normals == n ? i : 0;
      const uint32_t index = view::Half(data, layout.normal_at + layout.index_stride * normal);
      colour[i] = gte::LightColour(mesh.normals + kSvectorSize * index, colour[i]);
    }
  }
  const bool rate_word = (mode & kModeSemiTransparent) != 0 && !textured;
  const uint32_t words =
      (rate_word ? 1u : 0u) + static_cast<uint32_t>(colours + n + (textured ? n : 0));
  uint32_t* packet = buffer.Take(words);
  if (packet == nullptr) {
    return;
  }
  uint32_t* out = packet + 1;
  if (rate_word) {
    *out++ = kRateZeroDrawMode;
  }
  const uint32_t command = static_cast<uint32_t>(mode | (gouraud ? kModeGouraud : 0)) << 24;
  for (int i = 0; i < n; ++i) {
    if (i < colours) {
      *out++ = (colour[i] & 0xFFFFFF) | (i == 0 ? command : 0);
    }
    *out++ = xy[i];
    if (textured) {
      // U, V and the palette or page word are laid out as the GPU takes them.
      *out++ = view::Word(data, layout.texture_at + kTextureWordSize * i);
    }
  }
  packets::Link(&table_[EntryOf(depth_sum, n)], packet, words);
}

void Drawer::Draw(const Mesh& mesh, packets::Buffer& buffer, void (*poll)()) {
  Project(mesh);
  const uint8_t* primitive = mesh.primitives;
  for (uint32_t p = 0; p < mesh.primitive_count; ++p) {
    Polygon(mesh, primitive, buffer);
    poll();
    primitive += kPrimitiveHeaderSize + 4 * primitive[kIlenAt];
  }
}

}  // namespace model
