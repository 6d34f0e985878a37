#include "exporter/host_model.h"

namespace exporter {
namespace {

template <typename T>
T ValueOr0(const T* pointer) {
  return pointer == nullptr ? T{} : *pointer;
}

double Widen(const float* coordinate) {
  return static_cast<double>(ValueOr0(coordinate));
}

}  // namespace

Face ReadFace(const mcp::HostApi& host, mcp::Handle object, std::int32_t index) {
  mcp::FaceRecord record{};
  record.size = sizeof(record);
  host.GetFace(object, index, &record);
  Face face;
  face.flags = ValueOr0(record.flags);
  face.material = ValueOr0(record.material);
  face.corner_count = ValueOr0(record.corner_count);
  for (std::size_t k = 0; k < 4; ++k) {
    face.vertex[k] = ValueOr0(record.vertex[k]);
    face.texcoord[k] = ValueOr0(record.texcoord[k]);
  }
  return face;
}

mcp::VertexRecord ReadVertex(const mcp::HostApi& host, mcp::Handle object, std::int32_t index) {
  mcp::VertexRecord record{};
  record.size = sizeof(record);
  host.GetVertex(object, index, &record);
  return record;
}

std::array<double, 3> HostCoordinates(const mcp::VertexRecord& vertex) {
  return {Widen(vertex.c0), Widen(vertex.c1), Widen(vertex.c2)};
}

bool IsCleanVertex(const mcp::VertexRecord& vertex) {
  return (ValueOr0(vertex.flags) & mcp::kHiddenFlags) == 0;
}

std::int32_t CountExportedFaces(const mcp::HostApi& host, mcp::Handle object,
                                std::int32_t face_count) {
  std::int32_t exported = 0;
  for (std::int32_t i = 0; i < face_count; ++i) {
    if (ReadFace(host, object, i).is_exported()) {
      ++exported;
    }
  }
  return exported;
}

}  // namespace exporter
