// The exporter's reading of one root object: faces and vertices as plain
// values, fetched through the host's callbacks.
#ifndef GANNET_EXPORTER_HOST_MODEL_H_
#define GANNET_EXPORTER_HOST_MODEL_H_

#include <array>
#include <cstdint>

#include "hostplugin/host_api.h"

namespace exporter {

/// One face as the host reports it. Only quads (corner_count 4) use corner 3.
struct Face {
  std::uint64_t flags = 0;
  mcp::MaterialRef material = 0;
  int corner_count = 3;
  std::array<std::int32_t, 4> vertex = {0, 0, 0, 0};
  std::array<std::int32_t, 4> texcoord = {0, 0, 0, 0};

  bool is_quad() const { return corner_count == 4; }
  /// Hidden faces (any of the flag bits 0xE0) are left out of every pass.
  bool is_exported() const { return (flags & mcp::kHiddenFlags) == 0; }
};

/// Face `index` of `object`. Pointers the host leaves null read as 0.
Face ReadFace(const mcp::HostApi& host, mcp::Handle object, std::int32_t index);

/// Vertex `index` of `object`, the record sized as the host expects. Its
/// pointers stay valid during the working call.
mcp::VertexRecord ReadVertex(const mcp::HostApi& host, mcp::Handle object, std::int32_t index);

/// The vertex's host coordinates c0, c1, c2 widened to double.
std::array<double, 3> HostCoordinates(const mcp::VertexRecord& vertex);

/// True when the vertex carries none of the hidden flag bits 0xE0.
bool IsCleanVertex(const mcp::VertexRecord& vertex);

/// The number of exported faces among the object's first `face_count`.
std::int32_t CountExportedFaces(const mcp::HostApi& host, mcp::Handle object,
                                std::int32_t face_count);

}  // namespace exporter

#endif  // GANNET_EXPORTER_HOST_MODEL_H_
