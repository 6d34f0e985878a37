// Packs laid out byte by byte as the packer writes them, and the ways a
// file can fail to be one.
#include "tools/rsdformat/pck_file.h"

#include <gtest/gtest.h>

#include "tools/rsdformat/read_error.h"

namespace rsdformat {
namespace {

void PutU32(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) {
    bytes[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value >> (8 * i));
  }
}

void PutSVector(std::vector<std::uint8_t>& bytes, std::size_t at, std::int16_t x, std::int16_t y,
                std::int16_t z) {
  for (const std::int16_t value : {x, y, z, std::int16_t{0}}) {
    bytes[at++] = static_cast<std::uint8_t>(value & 0xFF);
    bytes[at++] = static_cast<std::uint8_t>((value >> 8) & 0xFF);
  }
}

// Two frames of two vertices and one normal, and 8 further bytes a frame.
std::vector<std::uint8_t> TwoFramePack() {
  std::vector<std::uint8_t> bytes(32 + 2 * 32, 0);
  PutU32(bytes, 0, 2);
  PutU32(bytes, 4, 32);
  PutU32(bytes, 8, 16);
  PutU32(bytes, 12, 8);
  bytes[28] = 1;
  PutSVector(bytes, 32, 1, -2, 3);
  PutSVector(bytes, 40, 300, 0, -300);
  PutSVector(bytes, 48, 0, 0, -4096);
  PutSVector(bytes, 56, 99, 99, 99);  // after the blocks: not a vertex
  PutSVector(bytes, 64, -1, -32768, 32767);
  PutSVector(bytes, 80, 4096, 0, 0);
  return bytes;
}

std::string Refusal(const std::vector<std::uint8_t>& bytes) {
  try {
    ParsePack(bytes, "M.PCK");
  } catch (const ReadError& error) {
    return error.what();
  }
  return "no refusal";
}

TEST(ParsePack, ReadsEachFramesVerticesAndNormals) {
  const PackFile pack = ParsePack(TwoFramePack(), "M.PCK");
  EXPECT_TRUE(pack.loops);
  ASSERT_EQ(pack.frames.size(), 2u);
  ASSERT_EQ(pack.frames[0].vertices.size(), 2u);
  ASSERT_EQ(pack.frames[0].normals.size(), 1u);
  EXPECT_EQ(pack.frames[0].vertices[0].vy, -2);
  EXPECT_EQ(pack.frames[0].vertices[1].vz, -300);
  EXPECT_EQ(pack.frames[0].normals[0].vz, -4096);
  EXPECT_EQ(pack.frames[1].vertices[0].vy, -32768);
  EXPECT_EQ(pack.frames[1].vertices[0].vz, 32767);
  EXPECT_EQ(pack.frames[1].normals[0].vx, 4096);
}

TEST(ParsePack, APackWithoutNormalsOrFramesIsAPack) {
  std::vector<std::uint8_t> bytes(32, 0);
  EXPECT_TRUE(ParsePack(bytes, "M.PCK").frames.empty());
  bytes.resize(32 + 8);
  PutU32(bytes, 0, 1);
  PutU32(bytes, 4, 8);
  PutU32(bytes, 8, 8);
  PutSVector(bytes, 32, 7, 8, 9);
  const PackFile pack = ParsePack(bytes, "M.PCK");
  EXPECT_FALSE(pack.loops);
  ASSERT_EQ(pack.frames.size(), 1u);
  EXPECT_TRUE(pack.frames[0].normals.empty());
  EXPECT_EQ(pack.frames[0].vertices[0].vz, 9);
}

TEST(ParsePack, RefusesWhatIsNotAPack) {
  std::vector<std::uint8_t> bytes = TwoFramePack();
  EXPECT_EQ(Refusal({bytes.begin(), bytes.begin() + 20}),
            "M.PCK: byte 20: ends inside the 32-byte header (20 bytes)");
  bytes.pop_back();
  EXPECT_EQ(Refusal(bytes),
            "M.PCK: byte 0: 2 frames of 32 bytes make 96 bytes with the header, the file has 95");
  bytes = TwoFramePack();
  PutU32(bytes, 12, 20);
  EXPECT_EQ(Refusal(bytes),
            "M.PCK: byte 8: vertex block 16 or normal block 20 bytes is not whole SVECTORs");
  PutU32(bytes, 12, 24);
  EXPECT_EQ(Refusal(bytes),
            "M.PCK: byte 4: frame size 32 is smaller than its vertex and normal blocks (16 + 24)");
  bytes = TwoFramePack();
  PutU32(bytes, 0, 0xFFFFFFFF);
  PutU32(bytes, 4, 0xFFFFFFFF);
  EXPECT_EQ(Refusal(bytes),
            "M.PCK: byte 0: 4294967295 frames of 4294967295 bytes make "
            "18446744065119617057 bytes with the header, the file has 96");
  // Found by fuzzing: empty frames bounded by nothing but the header.
  std::vector<std::uint8_t> header(32, 0);
  PutU32(header, 0, 0x20008fbe);
  EXPECT_EQ(Refusal(header), "M.PCK: byte 4: 536907710 frames of 0 bytes hold no vertices");
}

}  // namespace
}  // namespace rsdformat
