// The geometry passes of the OBJ writer. Every valid face gets its own
// vertices and texture coordinates, written as corners 0, 2, 1 (and 3 for a
// quad), so the face numbers follow from the count of earlier faces alone.
#include <array>
#include <cmath>
#include <optional>
#include <string>
#include <string_view>

#include "batchtool/obj_job.h"
#include "exporter/host_model.h"
#include "exporter/ply_writer.h"
#include "exportlib/number_format.h"
#include "exportlib/write_line.h"

namespace batchtool::obj {
namespace {

using exportlib::FormatPattern;
using exportlib::WriteLine;

// Corner order of the written vertices: the host's winding reversed.
constexpr std::array<int, 4> kWrittenCorners = {0, 2, 1, 3};

int WrittenCornerCount(const exporter::Face& face) {
  return face.is_quad() ? 4 : 3;
}

// Calls `visit` with every valid face in host order.
template <typename Visit>
void ForEachValidFace(const ObjJob& job, Visit visit) {
  for (std::int32_t i = 0; i < job.face_count; ++i) {
    const exporter::Face face = exporter::ReadFace(job.host, job.object, i);
    if (face.is_exported()) {
      visit(face);
    }
  }
}

// "v %f %f %f " of s·c1, s·c2, s·c0 of host vertex `index`; `line` is
// scratch space reused per line. Throws exportlib::ExportStop rather than write INF or NAN.
void WriteVertexLine(ObjJob& job, std::int32_t index, const mcp::VertexRecord& vertex,
                     std::string& line) {
  const auto c = exporter::HostCoordinates(vertex);
  const std::array<double, 3> scaled = {job.factor * c[1], job.factor * c[2], job.factor * c[0]};
  line = "v";
  for (const double coordinate : scaled) {
    if (!std::isfinite(coordinate)) {
      throw exportlib::ExportStop(exporter::NonFiniteVertexMessage(index));
    }
    line += ' ';
    exportlib::AppendFixed(line, coordinate, 2);
  }
  line += ' ';
  WriteLine(job.obj, line);
}

// The fixed "vt" lines of faces without host texture coordinates, formatted
// once per pass: (0, 0), (1, 1), (1, 0), (0, 1).
struct FixedTexCoords {
  std::array<std::string, 4> lines = {
      FormatPattern("vt %f %f", {0.0, 0.0}), FormatPattern("vt %f %f", {1.0, 1.0}),
      FormatPattern("vt %f %f", {1.0, 0.0}), FormatPattern("vt %f %f", {0.0, 1.0})};
};

void WriteZeroTexCoords(ObjJob& job, const FixedTexCoords& fixed, int count) {
  for (int k = 0; k < count; ++k) {
    WriteLine(job.obj, fixed.lines[0]);
  }
}

// "vt %.15f %.15f" of the host's u and v.
void WriteHostTexCoords(ObjJob& job, const exporter::Face& face, std::string& line) {
  for (int k = 0; k < WrittenCornerCount(face); ++k) {
    mcp::TexCoordRecord record{};
    record.size = sizeof(record);
    job.host.GetTexCoord(job.object, face.texcoord[kWrittenCorners[k]], &record);
    const double u = record.u == nullptr ? 0.0 : double{*record.u};
    const double v = record.v == nullptr ? 0.0 : double{*record.v};
    line = "vt ";
    exportlib::AppendFixed(line, u, 15);
    line += ' ';
    exportlib::AppendFixed(line, v, 15);
    WriteLine(job.obj, line);
  }
}

// The whole texture over the face.
void WriteWholeTexture(ObjJob& job, const FixedTexCoords& fixed, const exporter::Face& face) {
  for (int k = 0; k < WrittenCornerCount(face); ++k) {
    WriteLine(job.obj, fixed.lines[k]);
  }
}

bool HasHostTexCoords(const exporter::Face& face) {
  return face.texcoord[0] > 0 || face.texcoord[1] > 0 || face.texcoord[2] > 0;
}

// The "DiffuseMap" parameter of the face's material: nullopt when there is
// none, else its texture (0: none).
std::optional<mcp::Handle> DiffuseTexture(const ObjJob& job, const exporter::Face& face) {
  mcp::MaterialRecord material{};
  job.host.GetMaterialByRef(face.material, &material);
  mcp::ParamRecord param{};
  if (!job.host.FindMaterialParam(job.scene, &material, "DiffuseMap", &param)) {
    return std::nullopt;
  }
  return job.host.GetParamTexture(param.handle);
}

// "f  a/a/  b/b/  c/c/" and the given end, the face pass's fixed pattern.
void WriteFaceLine(ObjJob& job, std::int64_t a, std::int64_t b, std::int64_t c,
                   std::string_view end, std::string& line) {
  line = "f";
  for (const std::int64_t number : {a, b, c}) {
    const std::string text = std::to_string(number);
    line += "  ";
    line += text;
    line += '/';
    line += text;
    line += '/';
  }
  line += end;
  WriteLine(job.obj, line);
}

}  // namespace

void WriteVertices(ObjJob& job) {
  std::string line;
  ForEachValidFace(job, [&job, &line](const exporter::Face& face) {
    // Corners 0, 1 and 2 are fetched in the host's order, then written reversed.
    const std::array<mcp::VertexRecord, 3> corners = {
        exporter::ReadVertex(job.host, job.object, face.vertex[0]),
        exporter::ReadVertex(job.host, job.object, face.vertex[1]),
        exporter::ReadVertex(job.host, job.object, face.vertex[2])};
    for (int k = 0; k < 3; ++k) {
      const int corner = kWrittenCorners[k];
      WriteVertexLine(job, face.vertex[corner], corners[corner], line);
    }
    if (face.is_quad()) {
      WriteVertexLine(job, face.vertex[3],
                      exporter::ReadVertex(job.host, job.object, face.vertex[3]), line);
    }
  });
}

void WriteTexCoords(ObjJob& job) {
  const FixedTexCoords fixed;
  std::string line;
  ForEachValidFace(job, [&job, &fixed, &line](const exporter::Face& face) {
    const auto texture = DiffuseTexture(job, face);
    // Without any "DiffuseMap" the face still needs one line per vertex line,
    // or its texture-coordinate numbers would point past the end.
    if (!texture || *texture == 0) {
      WriteZeroTexCoords(job, fixed, WrittenCornerCount(face));
    } else if (HasHostTexCoords(face)) {
      WriteHostTexCoords(job, face, line);
    } else {
      WriteWholeTexture(job, fixed, face);
    }
  });
}

void WriteFaces(ObjJob& job) {
  std::string current_material = "0";
  std::int64_t base = 0;  // 3 per earlier valid face, 1 more per earlier quad
  std::string line;
  ForEachValidFace(job, [&](const exporter::Face& face) {
    mcp::MaterialRecord material{};
    job.host.GetMaterialByRef(face.material, &material);
    const std::string raw_name = MaterialName(material);
    if (raw_name != current_material) {
      current_material = EntryName(raw_name);
      WriteLine(job.obj, "usemtl " + current_material);
    }
    if (face.is_quad()) {
      WriteFaceLine(job, base + 1, base + 2, base + 3, " ", line);
      WriteFaceLine(job, base + 1, base + 4, base + 2, "  ", line);
      base += 4;
    } else {
      WriteFaceLine(job, base + 1, base + 2, base + 3, "  ", line);
      base += 3;
    }
  });
}

}  // namespace batchtool::obj
