// Whole TMD files: the layout written, the text the decoder gives, and every
// fault it must find without reading outside the file.
#include "tools/rsd2tmd/tmd_file.h"

#include <gtest/gtest.h>

#include <string>

#include "packer/svector.h"

namespace rsd2tmd {
namespace {

// An unlit triangle and a lit, double-sided, textured quad on four vertices
// with one normal.
TmdModel SmallModel() {
  TmdModel model;
  TmdPolygon tri;
  tri.lit = false;
  tri.colours[0] = {255, 0, 0};
  tri.vertices = {0, 1, 2, 0};
  TmdPolygon quad;
  quad.corners = 4;
  quad.textured = true;
  quad.double_sided = true;
  quad.uv = {Uv{0, 0}, Uv{63, 0}, Uv{0, 63}, Uv{63, 63}};
  quad.cba = 0x7868;
  quad.tsb = 0x00A7;
  quad.vertices = {0, 1, 3, 2};
  model.polygons = {tri, quad};
  model.vertices = {{0, 0, 0, 0}, {100, 0, 0, 0}, {0, -100, 0, 0}, {100, -100, 0, 0}};
  model.normals = {{0, 0, -4096, 0}};
  return model;
}

std::vector<std::uint8_t> Bytes(std::initializer_list<int> values) {
  std::vector<std::uint8_t> bytes;
  for (int v : values) {
    bytes.push_back(static_cast<std::uint8_t>(v));
  }
  return bytes;
}

TEST(TmdFileTest, LaysOutHeaderTablePrimitivesVerticesNormals) {
  const std::vector<std::uint8_t> file = EncodeTmdFile(SmallModel());
  // 12 header + 28 table + 16 + 32 primitives + 32 vertices + 8 normals.
  ASSERT_EQ(file.size(), 128u);
  EXPECT_EQ(std::vector<std::uint8_t>(file.begin(), file.begin() + 40),
            Bytes({0x41, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0,  // id, flags, one object
                   76,   0, 0, 0, 4, 0, 0, 0,              // vertices at 12 + 76
                   108,  0, 0, 0, 1, 0, 0, 0,              // normals right after them
                   28,   0, 0, 0, 2, 0, 0, 0,              // primitives after the table
                   0,    0, 0, 0}));
  EXPECT_EQ(std::vector<std::uint8_t>(file.begin() + 40, file.begin() + 44),
            Bytes({0x04, 0x03, 0x01, 0x21}));
  EXPECT_EQ(std::vector<std::uint8_t>(file.begin() + 56, file.begin() + 60),
            Bytes({0x09, 0x07, 0x02, 0x2C}));
  EXPECT_EQ(std::vector<std::uint8_t>(file.begin() + 112, file.begin() + 120),
            Bytes({100, 0, 0x9C, 0xFF, 0, 0, 0, 0}));
  EXPECT_EQ(std::vector<std::uint8_t>(file.begin() + 120, file.end()),
            Bytes({0, 0, 0, 0, 0x00, 0xF0, 0, 0}));
}

TEST(TmdFileTest, DescribesEveryPrimitiveVertexAndNormal) {
  const TmdDescription description = DescribeTmdFile(EncodeTmdFile(SmallModel()));
  EXPECT_EQ(description.fault, "");
  EXPECT_EQ(description.text,
            "TMD id 0x00000041, flags 0x00000000, 1 object\n"
            "object 0: 2 primitives at 40, 4 vertices at 88, 1 normals at 120, scale 0\n"
            "primitive 0 at 40: mode 0x21 flag 0x01 ilen 3 olen 4, unlit triangle\n"
            "  colour 255,0,0\n"
            "  vertices 0 1 2\n"
            "primitive 1 at 56: mode 0x2c flag 0x02 ilen 7 olen 9, lit flat textured quad, "
            "double-sided\n"
            "  cba 0x7868 (palette 640,481) tsb 0x00a7 (page 448,0, 8-bit, rate 1)\n"
            "  uv 0,0 63,0 0,63 63,63\n"
            "  normals 0\n"
            "  vertices 0 1 3 2\n"
            "vertex 0: 0 0 0\n"
            "vertex 1: 100 0 0\n"
            "vertex 2: 0 -100 0\n"
            "vertex 3: 100 -100 0\n"
            "normal 0: 0 0 -4096\n");
}

// The decoder on a copy of `file` with `bytes` written at `offset`.
std::string FaultWith(std::vector<std::uint8_t> file, std::size_t offset,
                      std::initializer_list<int> bytes) {
  for (int b : bytes) {
    file[offset++] = static_cast<std::uint8_t>(b);
  }
  return DescribeTmdFile(file).fault;
}

TEST(TmdFileTest, FindsEveryBrokenLengthAndIndex) {
  const std::vector<std::uint8_t> file = EncodeTmdFile(SmallModel());
  EXPECT_EQ(FaultWith(file, 0, {0x42}), "not a TMD file: its id is 0x00000042, not 0x00000041");
  EXPECT_EQ(FaultWith(file, 4, {1}),
            "flags 0x00000001: FIXP set, the offsets are memory addresses");
  EXPECT_EQ(FaultWith(file, 4, {2}), "flags 0x00000002: reserved bits set");
  EXPECT_EQ(FaultWith(file, 8, {5}),
            "the object table of 5 entries runs past the end of the file (128 bytes)");
  EXPECT_EQ(FaultWith(file, 16, {6}),
            "object 0: vertex block of 6 entries at 88 runs past the end of the file (128 bytes)");
  EXPECT_EQ(FaultWith(file, 20, {112}),
            "object 0: normal block of 1 entries at 124 runs past the end of the file (128 bytes)");
  EXPECT_EQ(FaultWith(file, 28, {114}),
            "object 0: primitive 0 at 126 runs past the end of the file");
  EXPECT_EQ(FaultWith(file, 57, {0x30}),
            "object 0: primitive 1 at 56: its 48 words run past the end of the file");
  EXPECT_EQ(FaultWith(file, 40, {0x05}),
            "object 0: primitive 0 at 40: ilen 3 olen 5, this kind has ilen 3 olen 4");
  EXPECT_EQ(FaultWith(file, 52, {4}),
            "object 0: primitive 0 at 40: vertex index 4 beyond the object's 4 vertex entries");
  EXPECT_EQ(FaultWith(file, 76, {1}),
            "object 0: primitive 1 at 56: normal index 1 beyond the object's 1 normal entries");
  EXPECT_EQ(FaultWith(file, 84, {4}),
            "object 0: primitive 1 at 56: vertex index 4 beyond the object's 4 vertex entries");
  EXPECT_EQ(FaultWith(file, 66, {0x87, 0x01}),
            "object 0: primitive 1 at 56: texture page word 0x0187 names the reserved depth 3");
}

// Nothing outside video memory's 1024 columns can be drawn from; rsd2tmd
// once wrote such words for a TIM it should have refused.
TEST(TmdFileTest, APaletteOrTexelPastVideoMemoryIsAFault) {
  const std::vector<std::uint8_t> file = EncodeTmdFile(SmallModel());
  EXPECT_EQ(FaultWith(file, 62, {0x3F, 0x78}),
            "object 0: primitive 1 at 56: palette at 1008,480 of 256 colours runs past video "
            "memory (columns 1008-1263; it has columns 0-1023)");
  // A 16-bit page at column 960 holds texels 0 to 63 across.
  EXPECT_EQ(FaultWith(file, 64, {63, 0, 0x0F, 0x01}), "");
  EXPECT_EQ(FaultWith(file, 64, {64, 0, 0x0F, 0x01}),
            "object 0: primitive 1 at 56: corner 1 texel 64,0 lies in column 1024 of video "
            "memory, beyond its last column 1023");
}

// A packet shorter than its kind at the very end of the file: found by its
// length, never decoded beyond the file.
TEST(TmdFileTest, AShortPacketAtTheEndIsAFault) {
  std::vector<std::uint8_t> file = EncodeTmdFile(SmallModel());
  file.resize(64);  // up to the quad's header and one word
  file[57] = 1;     // its ilen
  for (const std::size_t top : {12, 20}) {
    file[top] = 0;  // the vertex and normal blocks move inside the 64 bytes
  }
  EXPECT_EQ(DescribeTmdFile(file).fault,
            "object 0: primitive 1 at 56: ilen 1 olen 9, this kind has ilen 7 olen 9");
}

TEST(TmdFileTest, HandsBackTheObjectItRead) {
  const TmdModel model = SmallModel();
  std::vector<std::uint8_t> file = EncodeTmdFile(model);
  TmdDescription description = DescribeTmdFile(file);
  ASSERT_EQ(description.objects.size(), 1u);
  const TmdModel& read = description.objects[0];
  EXPECT_EQ(read.polygons, model.polygons);
  ASSERT_EQ(read.vertices.size(), 4u);
  EXPECT_EQ(read.vertices[3].vx, 100);
  EXPECT_EQ(read.vertices[3].vy, -100);
  ASSERT_EQ(read.normals.size(), 1u);
  EXPECT_EQ(read.normals[0].vz, -4096);
  file[43] = 0x40;  // not a polygon: left out of the object
  description = DescribeTmdFile(file);
  ASSERT_EQ(description.objects.size(), 1u);
  EXPECT_EQ(description.objects[0].polygons, std::vector<TmdPolygon>{model.polygons[1]});
  file.pop_back();  // a fault: no object read in full
  EXPECT_TRUE(DescribeTmdFile(file).objects.empty());
}

TEST(TmdFileTest, EveryTruncationIsAFault) {
  const std::vector<std::uint8_t> file = EncodeTmdFile(SmallModel());
  for (std::size_t size = 0; size < file.size(); ++size) {
    const std::vector<std::uint8_t> part(file.begin(), file.begin() + size);
    EXPECT_NE(DescribeTmdFile(part).fault, "") << size << " bytes";
  }
}

TEST(TmdFileTest, SkipsAPrimitiveThatIsNoPolygon) {
  std::vector<std::uint8_t> file = EncodeTmdFile(SmallModel());
  file[43] = 0x40;  // the triangle's mode becomes a line's
  const TmdDescription description = DescribeTmdFile(file);
  EXPECT_EQ(description.fault, "");
  EXPECT_NE(description.text.find("primitive 0 at 40: mode 0x40 flag 0x01 ilen 3 olen 4, not a "
                                  "polygon kind, skipped\nprimitive 1 at 56:"),
            std::string::npos)
      << description.text;
}

}  // namespace
}  // namespace rsd2tmd
