#include "tools/rsdformat/ply_file.h"

#include "tools/rsdformat/read_error.h"
#include "tools/rsdformat/text_lines.h"

namespace rsdformat {
namespace {

constexpr std::string_view kMagic = "@PLY940102";

struct Counts {
  std::int64_t vertices = 0, normals = 0, polygons = 0;
};

Counts ReadCounts(TextCursor& cursor) {
  const Fields fields(cursor.Expect("the counts of vertices, normals and polygons"), cursor.file());
  fields.ExpectCount(3, "counts of vertices, normals and polygons");
  return {fields.Integer(0, "vertex count", 0, INT32_MAX),
          fields.Integer(1, "normal count", 0, INT32_MAX),
          fields.Integer(2, "polygon count", 0, INT32_MAX)};
}

std::vector<Vector3> ReadPoints(TextCursor& cursor, std::int64_t count, const char* what,
                                std::vector<int>& lines) {
  std::vector<Vector3> points;
  for (std::int64_t i = 0; i < count; ++i) {
    const Fields fields(cursor.Expect(what), cursor.file());
    fields.ExpectCount(3, "x y z");
    points.push_back({fields.Real(0, "x"), fields.Real(1, "y"), fields.Real(2, "z")});
    lines.push_back(fields.line());
  }
  return points;
}

PlyPolygon ReadPolygon(TextCursor& cursor, const Counts& counts) {
  const Fields fields(cursor.Expect("a polygon line"), cursor.file());
  fields.ExpectCount(9, "type, four vertices, four normals");
  PlyPolygon polygon;
  polygon.line = fields.line();
  polygon.quad = fields.Integer(0, "polygon type (0 triangle, 1 quad)", 0, 1) == 1;
  static const char* const kVertexNames[] = {"vertex index v0", "vertex index v1",
                                             "vertex index v2", "vertex index v3"};
  static const char* const kNormalNames[] = {"normal index n0", "normal index n1",
                                             "normal index n2", "normal index n3"};
  for (int k = 0; k < 4; ++k) {
    // A triangle's fourth fields are only checked for being numbers.
    const bool used = k < polygon.corners();
    polygon.vertex[k] = static_cast<std::int32_t>(fields.Integer(
        1 + k, kVertexNames[k], used ? 0 : INT32_MIN, used ? counts.vertices - 1 : INT32_MAX));
    polygon.normal[k] = static_cast<std::int32_t>(fields.Integer(
        5 + k, kNormalNames[k], used ? 0 : INT32_MIN, used ? counts.normals - 1 : INT32_MAX));
  }
  return polygon;
}

}  // namespace

PlyFile ParsePly(std::string_view text, const std::string& file) {
  TextCursor cursor(text, file);
  const TextLine magic = cursor.Expect("the line " + std::string(kMagic));
  if (Trimmed(magic.text) != kMagic) {
    throw LineError(file, magic.number,
                    "expected " + std::string(kMagic) + ", found " + Quoted(magic.text));
  }
  PlyFile ply;
  ply.file = file;
  const Counts counts = ReadCounts(cursor);
  ply.vertices = ReadPoints(cursor, counts.vertices, "a vertex line", ply.vertex_lines);
  ply.normals = ReadPoints(cursor, counts.normals, "a normal line", ply.normal_lines);
  for (std::int64_t i = 0; i < counts.polygons; ++i) {
    ply.polygons.push_back(ReadPolygon(cursor, counts));
  }
  cursor.ExpectEnd("the last polygon");
  return ply;
}

PlyFile ReadPly(const std::filesystem::path& path) {
  return ParsePly(ReadWholeFile(path, kTextFileLimit), path.string());
}

}  // namespace rsdformat
