#include "exporter/ply_writer.h"

#include <gtest/gtest.h>

#include "clayhost/served_scene.h"
#include "exporter/testing/export_sandbox.h"

namespace exporter {
namespace {

using testing::CaptureFile;
using HostFace = clayhost::Face;
using clayhost::Scene;

HostFace Triangle(int a, int b, int c, std::uint64_t flags = 0) {
  HostFace face;
  face.vertex = {a, b, c, 0};
  face.flags = flags;
  return face;
}

HostFace Quad(int a, int b, int c, int d) {
  HostFace face;
  face.vertex = {a, b, c, d};
  face.corner_count = 4;
  return face;
}

struct Written {
  std::string text;
  bool non_coplanar;
};

Written WriteBody(Scene& scene, double scale_factor = 10) {
  clayhost::ServedScene host(scene);
  const clayhost::SceneObject& object = scene.objects[0];
  std::int32_t exported = 0;
  for (const HostFace& face : object.faces) {
    exported += (face.flags & 0xE0) == 0 ? 1 : 0;
  }
  const PlyModel model{host.object(0), static_cast<std::int32_t>(object.vertices.size()),
                       static_cast<std::int32_t>(object.faces.size()), exported, scale_factor};
  bool non_coplanar = false;
  const std::string text = CaptureFile(
      [&](platform::OutputFile& ply) { non_coplanar = WritePlyBody(host.api(), model, ply); });
  EXPECT_EQ(host.diagnostics(), "");
  return {text, non_coplanar};
}

TEST(PlyWriter, OneTriangleBodyIsExact) {
  Scene scene;
  scene.objects.push_back({});
  scene.objects[0].vertices = {{{0, 0, 0}}, {{1, 0, 0}}, {{0, 1, 0}}};
  scene.objects[0].faces = {Triangle(0, 1, 2)};
  const Written written = WriteBody(scene);
  EXPECT_EQ(written.text,
            "3 1 1\r\n"
            "#verts = 3\r\n"
            "0.0000 0.0000 0.0000\r\n"
            "0.0000 0.0000 10.0000\r\n"
            "10.0000 0.0000 0.0000\r\n"
            "# \r\n"
            "#polygon normals = 1\r\n"
            "# \r\n"
            "0.0000 1.0000 0.0000\r\n"
            "#\r\n"
            "#polygons=1  0=tri 1=quad\r\n"
            "#\r\n"
            "0   2 1 0 0  0 0 0 0\r\n");
  EXPECT_FALSE(written.non_coplanar);
}

TEST(PlyWriter, HeaderLines) {
  EXPECT_EQ(CaptureFile([](platform::OutputFile& ply) { WritePlyHeader(ply); }),
            "#created with Gannet v2 May 2023 for MarbleClay.\r\n@PLY940102\r\n"
            "# Number of Items - verts, normals, polygons\r\n");
}

TEST(PlyWriter, CoordinatesAreSwappedNegatedAndScaled) {
  const float a[3] = {1, 2, 3}, b[3] = {1, 2, 0};
  mcp::VertexRecord record{};
  record.c0 = &a[0];
  record.c1 = &a[1];
  record.c2 = &a[2];
  const auto mapped = MapCoordinates(record, 10);
  EXPECT_DOUBLE_EQ(mapped[0], 20);
  EXPECT_DOUBLE_EQ(mapped[1], -30);
  EXPECT_DOUBLE_EQ(mapped[2], 10);
  record.c0 = &b[0];
  record.c1 = &b[1];
  record.c2 = &b[2];
  EXPECT_DOUBLE_EQ(MapCoordinates(record, 1)[0], 2);
}

TEST(PlyWriter, VertexLinesAtScaleOneHaveNoNegativeZero) {
  Scene scene;
  scene.objects.push_back({});
  // The third vertex repeats the first: the face has no area.
  scene.objects[0].vertices = {{{1, 2, 3}}, {{1, 2, 0}}, {{1, 2, 3}}};
  scene.objects[0].faces = {Triangle(0, 1, 2)};
  const std::string text = WriteBody(scene).text;
  EXPECT_NE(text.find("\r\n20.0000 -30.0000 10.0000\r\n20.0000 0.0000 10.0000\r\n"),
            std::string::npos)
      << text;
  // A face of zero area has 0/0 components, written as 0.
  EXPECT_NE(text.find("# \r\n0.0000 0.0000 0.0000\r\n#\r\n"), std::string::npos) << text;
}

TEST(PlyWriter, CoincidentVerticesGiveZeroNormal) {
  const std::array<double, 3> p = {1.5, -2, 7};
  const auto normal = FlatNormal(p, p, p);
  EXPECT_EQ(normal[0], 0.0);
  EXPECT_EQ(normal[1], 0.0);
  EXPECT_EQ(normal[2], 0.0);
}

TEST(PlyWriter, PolygonLinesReorderCorners) {
  Face triangle;
  triangle.vertex = {10, 11, 12, 0};
  EXPECT_EQ(PolygonLine(triangle, 5), "0   12 11 10 0  5 5 5 0");
  Face quad;
  quad.vertex = {1, 2, 3, 4};
  quad.corner_count = 4;
  EXPECT_EQ(PolygonLine(quad, 0), "1 4 3 1 2  0 0 0 0");
  // Only 4 makes a quad; corner 3 is ignored otherwise.
  Face odd = quad;
  odd.corner_count = 5;
  EXPECT_EQ(PolygonLine(odd, 2), "0   3 2 1 0  2 2 2 0");
}

TEST(PlyWriter, QuadInACoordinatePlaneIsCoplanarAndLiftingACornerWarns) {
  Scene scene;
  scene.objects.push_back({});
  scene.objects[0].vertices = {{{0, 0, 5}}, {{1, 0, 5}}, {{1, 1, 5}}, {{0, 1, 5}}};
  scene.objects[0].faces = {Quad(0, 1, 2, 3)};
  Written flat = WriteBody(scene);
  EXPECT_FALSE(flat.non_coplanar);
  // Normal from corners 0, 1 and 3; written as a quad line.
  EXPECT_NE(flat.text.find("\r\n0.0000 1.0000 0.0000\r\n"), std::string::npos) << flat.text;
  EXPECT_NE(flat.text.find("1 3 2 0 1  0 0 0 0\r\n"), std::string::npos);

  scene.objects[0].vertices[0].c[2] = 6;  // lift corner 0
  EXPECT_TRUE(WriteBody(scene).non_coplanar);
}

TEST(PlyWriter, HiddenFacesTakeNoNumberButTheirVerticesStay) {
  Scene scene;
  scene.objects.push_back({});
  scene.objects[0].vertices = {{{0, 0, 0}}, {{1, 0, 0}}, {{0, 1, 0}}, {{0, 0, 1}, 0x40}};
  scene.objects[0].faces = {Triangle(0, 1, 2, 0x20), Triangle(0, 1, 3), Triangle(1, 2, 3, 0x80),
                            Triangle(0, 2, 3)};
  const std::string text = WriteBody(scene).text;
  EXPECT_EQ(text.substr(0, 7), "4 2 2\r\n");
  EXPECT_NE(text.find("#polygons=2  0=tri 1=quad\r\n#\r\n"
                      "0   3 1 0 0  0 0 0 0\r\n"
                      "0   3 2 0 0  1 1 1 0\r\n"),
            std::string::npos)
      << text;
  EXPECT_NE(text.find("#polygon normals = 2\r\n# \r\n"), std::string::npos);
}

}  // namespace
}  // namespace exporter
