// The PLY file: vertices, one flat normal per exported face, and polygons.
#ifndef GANNET_EXPORTER_PLY_WRITER_H_
#define GANNET_EXPORTER_PLY_WRITER_H_

#include <array>
#include <cstdint>
#include <string>

#include "exporter/host_model.h"
#include "hostplugin/host_api.h"
#include "platform/file_system.h"

namespace exporter {

/// The warning set when a quad's corners do not lie in one plane.
inline constexpr const char* kNonCoplanarWarning =
    "* Model contains none Coplanar quads, depending on the view angle, they disapear when they "
    "shouldnt!!\r\n This is fine while modelling, but not for the final export, see help!";

/// The message that stops an export at host vertex `index` (counted from 0)
/// when one of its coordinates is not a finite number after scaling: such a
/// coordinate would be written as INF or NAN, which no later tool reads.
std::string NonFiniteVertexMessage(std::int32_t index);

/// Host coordinates (c0, c1, c2) as the console writes them: (S·c1, −S·c2, S·c0).
std::array<double, 3> MapCoordinates(const mcp::VertexRecord& vertex, double scale_factor);

/// The unit normal of the plane through p0, p1, p2 ((p1 − p0) × (p2 − p0));
/// components that are not numbers (a face without area) are 0.
std::array<double, 3> FlatNormal(const std::array<double, 3>& p0, const std::array<double, 3>& p1,
                                 const std::array<double, 3>& p2);

/// The polygon line of an exported face with running index `n`.
std::string PolygonLine(const Face& face, std::int32_t n);

/// Writes the comment line, the magic line and the item-count heading.
void WritePlyHeader(platform::OutputFile& ply);

/// What the PLY body needs to know about the model.
struct PlyModel {
  mcp::Handle object = 0;
  std::int32_t vertex_count = 0;
  std::int32_t face_count = 0;      // all faces, hidden ones included
  std::int32_t exported_faces = 0;  // F
  double scale_factor = 10;         // S
};

/// Writes counts, vertices, normals and polygons. Returns true when some
/// exported quad is not coplanar (PlaneSide on the raw host coordinates).
/// Throws ExportStop with NonFiniteVertexMessage before the line of a vertex
/// whose scaled coordinates are not all finite.
bool WritePlyBody(const mcp::HostApi& host, const PlyModel& model, platform::OutputFile& ply);

}  // namespace exporter

#endif  // GANNET_EXPORTER_PLY_WRITER_H_
