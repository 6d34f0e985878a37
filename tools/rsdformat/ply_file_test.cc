#include "tools/rsdformat/ply_file.h"

#include <gtest/gtest.h>

#include "tools/rsdformat/read_error.h"

namespace rsdformat {
namespace {

// The exporter's own example, with its comment lines and CR LF ends.
constexpr const char* kExample =
    "#created with Gannet v2 May 2023 for MarbleClay.\r\n@PLY940102\r\n"
    "# Number of Items - verts, normals, polygons\r\n3 1 1\r\n#verts = 3\r\n"
    "0.0000 0.0000 0.0000\r\n0.0000 0.0000 10.0000\r\n10.0000 0.0000 0.0000\r\n# \r\n"
    "#polygon normals = 1\r\n# \r\n0.0000 1.0000 0.0000\r\n#\r\n#polygons=1  0=tri 1=quad\r\n"
    "#\r\n0   2 1 0 0  0 0 0 0\r\n";

std::string ErrorOf(std::string_view text) {
  try {
    ParsePly(text, "m.ply");
  } catch (const ReadError& error) {
    return error.what();
  }
  return "no error";
}

TEST(PlyFile, ReadsTheExportersExample) {
  const PlyFile ply = ParsePly(kExample, "ship.ply");
  ASSERT_EQ(ply.vertices.size(), 3u);
  EXPECT_DOUBLE_EQ(ply.vertices[1].z, 10.0);
  EXPECT_DOUBLE_EQ(ply.vertices[2].x, 10.0);
  ASSERT_EQ(ply.normals.size(), 1u);
  EXPECT_DOUBLE_EQ(ply.normals[0].y, 1.0);
  ASSERT_EQ(ply.polygons.size(), 1u);
  const PlyPolygon& triangle = ply.polygons[0];
  EXPECT_FALSE(triangle.quad);
  EXPECT_EQ(triangle.corners(), 3);
  EXPECT_EQ(triangle.vertex, (std::array<std::int32_t, 4>{2, 1, 0, 0}));
  EXPECT_EQ(triangle.line, 16);
  EXPECT_EQ(ply.vertex_lines, (std::vector<int>{6, 7, 8}));
  EXPECT_EQ(ply.normal_lines, (std::vector<int>{12}));
}

TEST(PlyFile, ReadsQuadsInTheOrderWritten) {
  const PlyFile ply = ParsePly(
      "@PLY940102\n4 2 1\n0 0 0\n1 0 0\n0 1 0\n1 1 -1.5e0\n0 0 -1\n0 0 1\n1 3 2 0 1  1 0 1 0\n",
      "q.ply");
  ASSERT_EQ(ply.polygons.size(), 1u);
  EXPECT_TRUE(ply.polygons[0].quad);
  EXPECT_EQ(ply.polygons[0].vertex, (std::array<std::int32_t, 4>{3, 2, 0, 1}));
  EXPECT_EQ(ply.polygons[0].normal, (std::array<std::int32_t, 4>{1, 0, 1, 0}));
  EXPECT_DOUBLE_EQ(ply.vertices[3].z, -1.5);
}

TEST(PlyFile, ATrianglesFourthIndicesAreNotChecked) {
  EXPECT_EQ(ParsePly("@PLY940102\n3 1 1\n0 0 0\n1 0 0\n0 1 0\n0 0 1\n0 0 1 2 77 0 0 0 -1\n", "t")
                .polygons[0]
                .vertex[3],
            77);
}

TEST(PlyFile, ErrorsNameTheLineAndTheValue) {
  const std::string head = "@PLY940102\n3 1 1\n0 0 0\n1 0 0\n0 1 0\n0 0 1\n";
  EXPECT_EQ(ErrorOf(head + "0 0 1 3 0 0 0 0 0\n"),
            "m.ply:7: vertex index v2 3 is out of range 0..2");
  EXPECT_EQ(ErrorOf(head + "1 0 1 2 3 0 0 0 0\n"),
            "m.ply:7: vertex index v3 3 is out of range 0..2");
  EXPECT_EQ(ErrorOf(head + "0 0 1 2 0 0 1 0 0\n"),
            "m.ply:7: normal index n1 1 is out of range 0..0");
  EXPECT_EQ(ErrorOf(head + "2 0 1 2 0 0 0 0 0\n"),
            "m.ply:7: polygon type (0 triangle, 1 quad) 2 is out of range 0..1");
  EXPECT_EQ(ErrorOf(head + "0 0 1 2 0 0 0 0\n"),
            "m.ply:7: expected 9 fields (type, four vertices, four normals), found 8: "
            "'0 0 1 2 0 0 0 0'");
  EXPECT_EQ(ErrorOf(head), "m.ply:6: the file ends where a polygon line was expected");
  EXPECT_EQ(ErrorOf(head + "0 0 1 2 0 0 0 0 0\n0 0 1 2 0 0 0 0 0\n"),
            "m.ply:8: unexpected line after the last polygon: '0 0 1 2 0 0 0 0 0'");
  EXPECT_EQ(
      ErrorOf("@PLY940102\n3 1\n"),
      "m.ply:2: expected 3 fields (counts of vertices, normals and polygons), found 2: '3 1'");
  EXPECT_EQ(ErrorOf("@PLY940102\n1 0 0\n0,5 0 0\n"), "m.ply:3: x is not a number: '0,5'");
  EXPECT_EQ(ErrorOf("@PLY940102\n1 0 0\n0 0\n"),
            "m.ply:3: expected 3 fields (x y z), found 2: '0 0'");
  EXPECT_EQ(ErrorOf("@PLY940102\n-1 0 0\n"),
            "m.ply:2: vertex count -1 is out of range 0..2147483647");
  EXPECT_EQ(ErrorOf("@MAT940801\n"), "m.ply:1: expected @PLY940102, found '@MAT940801'");
}

TEST(PlyFile, AHugeCountInAShortFileIsAnErrorNotAnAllocation) {
  EXPECT_EQ(ErrorOf("@PLY940102\n2000000000 0 0\n0 0 0\n"),
            "m.ply:3: the file ends where a vertex line was expected");
}

}  // namespace
}  // namespace rsdformat
