#include "exporter/ply_writer.h"

#include <cmath>

#include "exporter/export_stop.h"
#include "exporter/line_text.h"
#include "exportlib/number_format.h"
#include "exportlib/plane_side.h"
#include "exportlib/write_line.h"

namespace exporter {
namespace {

using Point = std::array<double, 3>;

void AppendPoint(std::string& line, const Point& point) {
  exportlib::AppendFixed(line, point[0], 4);
  line += ' ';
  exportlib::AppendFixed(line, point[1], 4);
  line += ' ';
  exportlib::AppendFixed(line, point[2], 4);
}

void WriteVertices(const mcp::HostApi& host, const PlyModel& model, platform::OutputFile& ply) {
  std::string line;
  for (std::int32_t i = 0; i < model.vertex_count; ++i) {
    const Point point = MapCoordinates(ReadVertex(host, model.object, i), model.scale_factor);
    if (!std::isfinite(point[0]) || !std::isfinite(point[1]) || !std::isfinite(point[2])) {
      throw ExportStop(NonFiniteVertexMessage(i));
    }
    line.clear();
    AppendPoint(line, point);
    exportlib::WriteLine(ply, line);
  }
}

// The normal of a quad comes from corners 0, 1 and 3; the plane test runs
// first, on the host's own coordinates.
Point FaceNormal(const mcp::HostApi& host, const PlyModel& model, const Face& face,
                 bool& non_coplanar) {
  const mcp::VertexRecord v0 = ReadVertex(host, model.object, face.vertex[0]);
  const mcp::VertexRecord v1 = ReadVertex(host, model.object, face.vertex[1]);
  mcp::VertexRecord v2 = ReadVertex(host, model.object, face.vertex[2]);
  if (face.is_quad()) {
    const mcp::VertexRecord v3 = ReadVertex(host, model.object, face.vertex[3]);
    if (exportlib::PlaneSide(v0, v1, v2, v3) != 0.0) {
      non_coplanar = true;
    }
    v2 = v3;
  }
  const double s = model.scale_factor;
  return FlatNormal(MapCoordinates(v0, s), MapCoordinates(v1, s), MapCoordinates(v2, s));
}

bool WriteNormals(const mcp::HostApi& host, const PlyModel& model, platform::OutputFile& ply) {
  bool non_coplanar = false;
  std::string line;
  for (std::int32_t i = 0; i < model.face_count; ++i) {
    const Face face = ReadFace(host, model.object, i);
    if (!face.is_exported()) {
      continue;
    }
    line.clear();
    AppendPoint(line, FaceNormal(host, model, face, non_coplanar));
    exportlib::WriteLine(ply, line);
  }
  return non_coplanar;
}

void WritePolygons(const mcp::HostApi& host, const PlyModel& model, platform::OutputFile& ply) {
  std::int32_t n = 0;
  for (std::int32_t i = 0; i < model.face_count; ++i) {
    const Face face = ReadFace(host, model.object, i);
    if (face.is_exported()) {
      exportlib::WriteLine(ply, PolygonLine(face, n++));
    }
  }
}

}  // namespace

std::string NonFiniteVertexMessage(std::int32_t index) {
  return "Error: Vertex " + Decimal(index) +
         " is not a finite number after scaling, the export has stopped.";
}

Point MapCoordinates(const mcp::VertexRecord& vertex, double scale_factor) {
  const Point host = HostCoordinates(vertex);
  return {scale_factor * host[1], -scale_factor * host[2], scale_factor * host[0]};
}

Point FlatNormal(const Point& p0, const Point& p1, const Point& p2) {
  const Point u = {p1[0] - p0[0], p1[1] - p0[1], p1[2] - p0[2]};
  const Point w = {p2[0] - p0[0], p2[1] - p0[1], p2[2] - p0[2]};
  const Point n = {u[1] * w[2] - u[2] * w[1], u[2] * w[0] - u[0] * w[2], u[0] * w[1] - u[1] * w[0]};
  const double length = std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]);
  Point unit;
  for (std::size_t k = 0; k < 3; ++k) {
    const double component = n[k] / length;
    unit[k] = std::isnan(component) ? 0.0 : component;
  }
  return unit;
}

std::string PolygonLine(const Face& face, std::int32_t n) {
  std::string line;
  if (face.is_quad()) {
    line = "1 ";
    for (std::size_t corner : {3, 2, 0, 1}) {
      AppendDecimal(line, face.vertex[corner]);
      line += ' ';
    }
    line += ' ';
    for (int k = 0; k < 4; ++k) {
      AppendDecimal(line, n);
      if (k < 3) {
        line += ' ';
      }
    }
    return line;
  }
  line = "0   ";
  for (std::size_t corner : {2, 1, 0}) {
    AppendDecimal(line, face.vertex[corner]);
    line += ' ';
  }
  line += "0  ";
  for (int k = 0; k < 3; ++k) {
    AppendDecimal(line, n);
    line += ' ';
  }
  line += '0';
  return line;
}

void WritePlyHeader(platform::OutputFile& ply) {
  exportlib::WriteLine(ply, kCommentLine);
  exportlib::WriteLine(ply, "@PLY940102");
  exportlib::WriteLine(ply, "# Number of Items - verts, normals, polygons");
}

bool WritePlyBody(const mcp::HostApi& host, const PlyModel& model, platform::OutputFile& ply) {
  const std::string faces = Decimal(model.exported_faces);
  exportlib::WriteLine(ply, Decimal(model.vertex_count) + " " + faces + " " + faces);
  exportlib::WriteLine(ply, "#verts = " + Decimal(model.vertex_count));
  WriteVertices(host, model, ply);
  exportlib::WriteLine(ply, "# ");
  exportlib::WriteLine(ply, "#polygon normals = " + faces);
  exportlib::WriteLine(ply, "# ");
  const bool non_coplanar = WriteNormals(host, model, ply);
  exportlib::WriteLine(ply, "#");
  exportlib::WriteLine(ply, "#polygons=" + faces + "  0=tri 1=quad");
  exportlib::WriteLine(ply, "#");
  WritePolygons(host, model, ply);
  return non_coplanar;
}

}  // namespace exporter
