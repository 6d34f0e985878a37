// tmdgen: writes the frames of a small synthetic animation as TMD files, a
// ring of vertices whose height waves once around per animation cycle, for
// trying out and measuring morphon.
//
//   tmdgen FOLDER [FRAMES] [VERTICES]
//
// FOLDER must exist. Writes frame000.tmd, frame001.tmd, ... with VERTICES
// vertices, as many normals and one flat triangle per vertex (defaults: 8
// frames of 64 vertices), and prints what it wrote.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <numbers>
#include <string>

#include "packer/tmd_writer.h"

namespace {

constexpr double kRadius = 1000.0;
constexpr double kWaveHeight = 300.0;
constexpr double kNormalLength = 4096.0;  // fixed-point 1.0 of the console's math
constexpr std::uint8_t kFlatTriangleMode = 0x20;

std::int16_t Round16(double value) {
  return static_cast<std::int16_t>(std::lround(value));
}

// A fan of flat triangles (0, i, i + 1) around the ring, each lit through the
// normal of its first vertex: olen 4, ilen 3, flag 0, mode, then the colour
// and the normal and vertex indices.
std::vector<std::uint8_t> FlatTriangles(std::uint32_t vertices) {
  std::vector<std::uint8_t> bytes;
  for (std::uint32_t i = 0; i < vertices; ++i) {
    const std::uint16_t corners[3] = {0, static_cast<std::uint16_t>(i),
                                      static_cast<std::uint16_t>((i + 1) % vertices)};
    const std::uint8_t packet[16] = {4,
                                     3,
                                     0,
                                     kFlatTriangleMode,
                                     0xC0,
                                     0x80,
                                     0x40,
                                     kFlatTriangleMode,
                                     static_cast<std::uint8_t>(corners[0]),
                                     static_cast<std::uint8_t>(corners[0] >> 8),
                                     static_cast<std::uint8_t>(corners[0]),
                                     static_cast<std::uint8_t>(corners[0] >> 8),
                                     static_cast<std::uint8_t>(corners[1]),
                                     static_cast<std::uint8_t>(corners[1] >> 8),
                                     static_cast<std::uint8_t>(corners[2]),
                                     static_cast<std::uint8_t>(corners[2] >> 8)};
    bytes.insert(bytes.end(), std::begin(packet), std::end(packet));
  }
  return bytes;
}

morphon::SyntheticTmd Frame(std::uint32_t frame, std::uint32_t frames, std::uint32_t vertices) {
  morphon::SyntheticTmd tmd;
  tmd.primitives = FlatTriangles(vertices);
  tmd.n_primitive = vertices;
  const double phase = 2 * std::numbers::pi * frame / frames;
  for (std::uint32_t i = 0; i < vertices; ++i) {
    const double angle = 2 * std::numbers::pi * i / vertices;
    tmd.vertices.push_back(morphon::SVector{Round16(kRadius * std::cos(angle)),
                                            Round16(kWaveHeight * std::sin(phase + 3 * angle)),
                                            Round16(kRadius * std::sin(angle)), 0});
    tmd.normals.push_back(morphon::SVector{Round16(kNormalLength * std::cos(angle)), 0,
                                           Round16(kNormalLength * std::sin(angle)), 0});
  }
  return tmd;
}

bool ReadCount(const char* text, unsigned long low, unsigned long high, std::uint32_t& count) {
  char* end = nullptr;
  const unsigned long value = std::strtoul(text, &end, 10);
  if (*text == '\0' || *end != '\0' || value < low || value > high) {
    return false;
  }
  count = static_cast<std::uint32_t>(value);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  std::uint32_t frames = 8;
  std::uint32_t vertices = 64;
  if (argc < 2 || argc > 4 || (argc > 2 && !ReadCount(argv[2], 1, 9999, frames)) ||
      (argc > 3 && !ReadCount(argv[3], 3, 65535, vertices))) {
    std::fprintf(stderr,
                 "usage: tmdgen FOLDER [FRAMES 1-9999] [VERTICES 3-65535]\n"
                 "writes FRAMES synthetic TMD frames (default 8 of 64 vertices) into FOLDER\n");
    return 2;
  }
  const std::string folder = argv[1];
  std::size_t frame_bytes = 0;
  for (std::uint32_t f = 0; f < frames; ++f) {
    char name[32];
    std::snprintf(name, sizeof name, "frame%03u.tmd", static_cast<unsigned>(f));
    const std::vector<std::uint8_t> bytes = morphon::EncodeTmd(Frame(f, frames, vertices));
    if (!morphon::WriteBytes(folder + "/" + name, bytes)) {
      std::fprintf(stderr, "tmdgen: cannot write %s/%s\n", folder.c_str(), name);
      return 1;
    }
    frame_bytes = bytes.size();
  }
  std::printf(
      "tmdgen: wrote %u frames (frame000.tmd to frame%03u.tmd) to %s: %u vertices, %u "
      "normals, %u triangles, %zu bytes each\n",
      static_cast<unsigned>(frames), static_cast<unsigned>(frames - 1), folder.c_str(),
      static_cast<unsigned>(vertices), static_cast<unsigned>(vertices),
      static_cast<unsigned>(vertices), frame_bytes);
  return 0;
}
