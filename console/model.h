// A TMD object drawn through the geometry coprocessor: every vertex
// projected once a frame, then every polygon primitive turned into the GPU
// packet its mode byte names, lit when its flag asks for it, left out when
// it turns its back to the eye (unless it is double-sided) and sorted into
// the ordering table by its mean depth. Primitives that are not polygons
// are skipped by their length.
#ifndef GANNET_CONSOLE_MODEL_H_
#define GANNET_CONSOLE_MODEL_H_

#include <stdint.h>

#include "console/camera.h"
#include "console/packets.h"

namespace model {

/// The blocks of one object. A pack frame replaces the vertices (and the
/// normals when it holds them).
struct Mesh {
  const uint8_t* primitives = nullptr;
  uint32_t primitive_count = 0;
  const uint8_t* vertices = nullptr;
  uint32_t vertex_count = 0;
  const uint8_t* normals = nullptr;
};

/// The first object of the TMD file at `tmd`.
Mesh FirstObject(const uint8_t* tmd);

/// Draws meshes of `vertex_count` vertices into an ordering table.
class Drawer {
 public:
  /// `projected` holds 2 words per vertex; `table` `table_length` entries.
  Drawer(uint32_t* projected, uint32_t* table, uint32_t table_length)
      : projected_(projected), table_(table), table_length_(table_length) {}

  /// Spreads the depths of `sphere`, seen through the camera, over the
  /// table: its nearest point at entry 0, its farthest at the last.
  void SetDepthRange(const camera::Sphere& sphere);

  /// Projects every vertex of `mesh` with the transform the coprocessor
  /// holds, then links a packet for every polygon that shows. `poll` is
  /// called for every polygon.
  void Draw(const Mesh& mesh, packets::Buffer& buffer, void (*poll)());

 private:
  void Project(const Mesh& mesh);
  void Polygon(const Mesh& mesh, const uint8_t* primitive, packets::Buffer& buffer);
  uint32_t EntryOf(uint32_t depth_sum, int corners) const;

  uint32_t* projected_;
  uint32_t* table_;
  uint32_t table_length_;
  int32_t near_ = 0;
  int32_t depth_scale_ = 0;
};

}  // namespace model

#endif  // GANNET_CONSOLE_MODEL_H_
