// The data block: where each part lands and what the console program reads
// from its header, and every refusal, each with the file and the reason.
#include "tools/psxview/view_block.h"

#include <gtest/gtest.h>

#include "console/view_data.h"
#include "formats/pck_layout.h"
#include "packer/svector.h"

namespace psxview {
namespace {

constexpr std::uint32_t kSmallProgram = 16 * 1024;

std::uint32_t U32(const std::vector<std::uint8_t>& bytes, std::size_t at) {
  return morphon::LoadU32(bytes.data() + at);
}

void PutU16(std::vector<std::uint8_t>& bytes, int value) {
  bytes.push_back(static_cast<std::uint8_t>(value));
  bytes.push_back(static_cast<std::uint8_t>(value >> 8));
}

void PutU32(std::vector<std::uint8_t>& bytes, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) {
    bytes.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
  }
}

// A 4-bit TIM: a 16-colour palette at (palette_x, palette_y) and an image of
// `columns` x `rows` at (x, y).
InputFile Tim(const std::string& name, int x, int y, int columns, int rows, int palette_x,
              int palette_y) {
  std::vector<std::uint8_t> bytes;
  PutU32(bytes, 0x10);
  PutU32(bytes, 0x08);
  PutU32(bytes, 12 + 2 * 16);
  for (int value : {palette_x, palette_y, 16, 1}) {
    PutU16(bytes, value);
  }
  for (int i = 0; i < 16; ++i) {
    PutU16(bytes, i == 0 ? 0 : 0x7FFF);
  }
  PutU32(bytes, static_cast<std::uint32_t>(12 + 2 * columns * rows));
  for (int value : {x, y, columns, rows}) {
    PutU16(bytes, value);
  }
  bytes.resize(bytes.size() + 2 * static_cast<std::size_t>(columns * rows), 0x11);
  return {name, bytes};
}

// One unlit triangle over `vertex_count` vertices spread along x.
InputFile Model(int vertex_count = 3) {
  rsd2tmd::TmdModel model;
  rsd2tmd::TmdPolygon triangle;
  triangle.lit = false;
  triangle.colours[0] = {200, 10, 10};
  triangle.vertices = {0, 1, 2, 0};
  model.polygons.push_back(triangle);
  for (int i = 0; i < vertex_count; ++i) {
    model.vertices.push_back({static_cast<std::int16_t>(i * 10 - 100),
                              static_cast<std::int16_t>(i % 2 == 0 ? -50 : 70), 0, 0});
  }
  model.normals.push_back({0, 0, -4096, 0});
  return {"m.tmd", rsd2tmd::EncodeTmdFile(model)};
}

// A pack of `frames` frames of `vertices` vertices (and `normals` normals),
// frame f moving every vertex by f along z.
InputFile Pack(int frames, int vertices, int normals = 0) {
  std::vector<std::uint8_t> bytes;
  const auto vertex_size = static_cast<std::uint32_t>(8 * vertices);
  const auto normal_size = static_cast<std::uint32_t>(8 * normals);
  PutU32(bytes, static_cast<std::uint32_t>(frames));
  PutU32(bytes, vertex_size + normal_size);
  PutU32(bytes, vertex_size);
  PutU32(bytes, normal_size);
  bytes.resize(pcklayout::kHeaderSize, 0);
  bytes[pcklayout::kLoopByteAt] = 1;
  for (int f = 0; f < frames; ++f) {
    for (int v = 0; v < vertices + normals; ++v) {
      for (int value : {v < vertices ? v * 10 - 100 : 0, 0, v < vertices ? f : 4096, 0}) {
        PutU16(bytes, value);
      }
    }
  }
  return {"p.pck", bytes};
}

std::string RefusalOf(const ViewRequest& request, std::uint32_t program = kSmallProgram) {
  try {
    BuildViewBlock(request, program);
  } catch (const Refusal& refusal) {
    return refusal.what();
  }
  return "";
}

TEST(ViewBlockTest, PartsWhereTheHeaderSays) {
  ViewRequest request;
  request.tmd = Model();
  request.tims = {Tim("a.tim", 640, 0, 4, 8, 640, 480), Tim("b.tim", 704, 256, 3, 3, 0, 481)};
  request.pack = Pack(5, 3);
  request.view = camera::View::kTop;
  request.spin = true;
  request.frame = 4;
  const std::vector<std::uint8_t> block = BuildViewBlock(request, kSmallProgram);

  using namespace viewdata;
  EXPECT_EQ(std::string(block.begin(), block.begin() + 8), "GNTVIEW1");
  EXPECT_EQ(U32(block, kBlockSizeAt), block.size());
  EXPECT_EQ(block.size() % 16, 0u);
  const auto part = [&](std::uint32_t at, std::uint32_t size) {
    EXPECT_EQ(at % 4, 0u);
    return std::vector<std::uint8_t>(block.begin() + at, block.begin() + at + size);
  };
  EXPECT_EQ(part(U32(block, kTmdAt), U32(block, kTmdSizeAt)), request.tmd.bytes);
  ASSERT_EQ(U32(block, kTimCountAt), 2u);
  const std::uint32_t table = U32(block, kTimTableAt);
  for (std::uint32_t i = 0; i < 2; ++i) {
    EXPECT_EQ(part(U32(block, table + 8 * i), U32(block, table + 8 * i + 4)),
              request.tims[i].bytes);
  }
  EXPECT_EQ(part(U32(block, kPackAt), U32(block, kPackSizeAt)), request.pack->bytes);
  EXPECT_EQ(U32(block, kViewAt), 2u);
  EXPECT_EQ(U32(block, kFlagsAt), kFlagSpin);
  EXPECT_EQ(U32(block, kStillFrameAt), 4u);
  // The box spans x -100..-80, y -50..70 and, over the pack's frames, z 0..4.
  const camera::Sphere sphere = camera::SphereOf({{-100, -50, 0}, {-80, 70, 4}});
  EXPECT_EQ(static_cast<std::int32_t>(U32(block, kSphereAt)), sphere.centre[0]);
  EXPECT_EQ(static_cast<std::int32_t>(U32(block, kSphereAt + 4)), sphere.centre[1]);
  EXPECT_EQ(static_cast<std::int32_t>(U32(block, kSphereAt + 8)), sphere.centre[2]);
  EXPECT_EQ(static_cast<std::int32_t>(U32(block, kSphereAt + 12)), sphere.radius);
}

TEST(ViewBlockTest, WithoutPackEveryFrameIsPlayedAndThereIsNoPack) {
  ViewRequest request;
  request.tmd = Model();
  const std::vector<std::uint8_t> block = BuildViewBlock(request, kSmallProgram);
  EXPECT_EQ(U32(block, viewdata::kPackSizeAt), 0u);
  EXPECT_EQ(U32(block, viewdata::kStillFrameAt), viewdata::kPlayAll);
  EXPECT_EQ(U32(block, viewdata::kFlagsAt), 0u);
}

TEST(ViewBlockTest, TexturesMustKeepClearOfTheFrameBuffersAndOfEachOther) {
  const std::vector<std::pair<std::vector<InputFile>, std::string>> cases = {
      {{Tim("a.tim", 316, 0, 4, 8, 640, 480)},
       "a.tim: its image (316, 0, 4 x 8) overlaps the frame buffers (0, 0, 320 x 480)"},
      {{Tim("a.tim", 640, 0, 4, 8, 0, 479)},
       "a.tim: its palette (0, 479, 16 x 1) overlaps the frame buffers (0, 0, 320 x 480)"},
      {{Tim("a.tim", 640, 0, 4, 8, 640, 7)},
       "a.tim: its image (640, 0, 4 x 8) overlaps its own palette (640, 7, 16 x 1)"},
      {{Tim("a.tim", 640, 0, 4, 8, 0, 480)}, ""},
      {{Tim("a.tim", 640, 0, 4, 8, 320, 480), Tim("b.tim", 643, 7, 2, 2, 336, 480)},
       "b.tim: its image (643, 7, 2 x 2) overlaps the image of a.tim (640, 0, 4 x 8)"},
      {{Tim("a.tim", 640, 0, 4, 8, 320, 480), Tim("b.tim", 800, 0, 2, 2, 335, 480)},
       "b.tim: its palette (335, 480, 16 x 1) overlaps the palette of a.tim (320, 480, 16 x 1)"},
      {{Tim("a.tim", 1022, 0, 4, 8, 320, 480)},
       "a.tim: its image (1022, 0, 4 x 8) runs past video memory (1024 x 512)"},
  };
  for (const auto& [tims, message] : cases) {
    ViewRequest request;
    request.tmd = Model();
    request.tims = tims;
    EXPECT_EQ(RefusalOf(request), message);
  }
}

TEST(ViewBlockTest, PackMustFitTheModel) {
  ViewRequest request;
  request.tmd = Model(3);
  request.pack = Pack(2, 4);
  EXPECT_EQ(RefusalOf(request), "p.pck: its frames hold 4 vertices, m.tmd has 3");
  request.pack = Pack(2, 3, 2);
  EXPECT_EQ(RefusalOf(request), "p.pck: its frames hold 2 normals, m.tmd has 1");
  request.pack = Pack(0, 3);
  EXPECT_EQ(RefusalOf(request), "p.pck: holds no frame");
  request.pack = Pack(2, 3, 1);
  request.frame = 2;
  EXPECT_EQ(RefusalOf(request), "p.pck: has 2 frames, there is no frame 2");
  request.frame = 1;
  EXPECT_EQ(RefusalOf(request), "");
  request.pack->bytes.pop_back();
  EXPECT_EQ(RefusalOf(request).rfind("p.pck: byte 0: 2 frames of 32 bytes", 0), 0u);
}

TEST(ViewBlockTest, ModelMustBeSound) {
  ViewRequest request;
  request.tmd = Model();
  request.tmd.bytes[0] = 0x42;
  EXPECT_EQ(RefusalOf(request), "m.tmd: not a TMD file: its id is 0x00000042, not 0x00000041");
}

TEST(ViewBlockTest, EverythingMustFitTheConsolesMemory) {
  ViewRequest request;
  request.tmd = Model(1000);
  request.pack = Pack(250, 1000);  // 2 MB of frames
  const std::string refusal = RefusalOf(request);
  EXPECT_EQ(refusal.rfind("m.tmd: with its textures and pack it needs ", 0), 0u) << refusal;
  EXPECT_NE(refusal.find(" bytes of the console's memory, 1998592 are free"), std::string::npos)
      << refusal;
  request.pack = Pack(100, 1000);
  EXPECT_EQ(RefusalOf(request), "");
  // The program's own image counts too.
  EXPECT_NE(RefusalOf(request, 1200 * 1024), "");
}

}  // namespace
}  // namespace psxview
