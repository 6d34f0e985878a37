// The geometry passes of the OBJ writer. Every valid face gets its own
// vertices and texture coordinates, written as corners 0, 2, 1 (and 3 for a
// quad), so the face numbers follow from the count of earlier faces alone.
#include <array>
#include <optional>
#include <string>

#include "batchtool/obj_job.h"
#include "exporter/host_model.h"
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

void WriteVertexLine(ObjJob& job, const mcp::VertexRecord& vertex) {
  const auto c = exporter::HostCoordinates(vertex);
  WriteLine(job.obj, FormatPattern("v %f %f %f ",
                                   {job.factor * c[1], job.factor * c[2], job.factor * c[0]}));
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

void WriteHostTexCoords(ObjJob& job, const exporter::Face& face) {
  for (int k = 0; k < WrittenCornerCount(face); ++k) {
    mcp::TexCoordRecord record{};
    record.size = sizeof(record);
    job.host.GetTexCoord(job.object, face.texcoord[kWrittenCorners[k]], &record);
    const double u = record.u == nullptr ? 0.0 : double{*record.u};
    const double v = record.v == nullptr ? 0.0 : double{*record.v};
    WriteLine(job.obj, FormatPattern("vt %.15f %.15f", {u, v}));
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

std::string FaceLine(const char* pattern, std::int64_t a, std::int64_t b, std::int64_t c) {
  return FormatPattern(pattern, {a, a, b, b, c, c});
}

}  // namespace

void WriteVertices(ObjJob& job) {
  ForEachValidFace(job, [&job](const exporter::Face& face) {
    const std::array<mcp::VertexRecord, 3> corners = {
        exporter::ReadVertex(job.host, job.object, face.vertex[0]),
        exporter::ReadVertex(job.host, job.object, face.vertex[1]),
        exporter::ReadVertex(job.host, job.object, face.vertex[2])};
    WriteVertexLine(job, corners[0]);
    WriteVertexLine(job, corners[2]);
    WriteVertexLine(job, corners[1]);
    if (face.is_quad()) {
      WriteVertexLine(job, exporter::ReadVertex(job.host, job.object, face.vertex[3]));
    }
  });
}

void WriteTexCoords(ObjJob& job) {
  const FixedTexCoords fixed;
  ForEachValidFace(job, [&job, &fixed](const exporter::Face& face) {
    const auto texture = DiffuseTexture(job, face);
    // Without any "DiffuseMap" the face still needs one line per vertex line,
    // or its texture-coordinate numbers would point past the end.
    if (!texture || *texture == 0) {
      WriteZeroTexCoords(job, fixed, WrittenCornerCount(face));
    } else if (HasHostTexCoords(face)) {
      WriteHostTexCoords(job, face);
    } else {
      WriteWholeTexture(job, fixed, face);
    }
  });
}

void WriteFaces(ObjJob& job) {
  std::string current_material = "0";
  std::int64_t base = 0;  // 3 per earlier valid face, 1 more per earlier quad
  ForEachValidFace(job, [&](const exporter::Face& face) {
    mcp::MaterialRecord material{};
    job.host.GetMaterialByRef(face.material, &material);
    const std::string raw_name = MaterialName(material);
    if (raw_name != current_material) {
      current_material = EntryName(raw_name);
      WriteLine(job.obj, "usemtl " + current_material);
    }
    if (face.is_quad()) {
      WriteLine(job.obj, FaceLine("f  %d/%d/  %d/%d/  %d/%d/ ", base + 1, base + 2, base + 3));
      WriteLine(job.obj, FaceLine("f  %d/%d/  %d/%d/  %d/%d/  ", base + 1, base + 4, base + 2));
      base += 4;
    } else {
      WriteLine(job.obj, FaceLine("f  %d/%d/  %d/%d/  %d/%d/  ", base + 1, base + 2, base + 3));
      base += 3;
    }
  });
}

}  // namespace batchtool::obj
