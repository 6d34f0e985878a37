// The readers of exported files: RSD, PLY, MAT and TIM, over any bytes.
//
// Input: byte 0 picks the reader (bits 0-1: RSD, PLY, MAT, TIM) and, for
// MAT, the polygon and texture counts its lines are checked against (bits
// 2-7); the rest is the file. A reader either returns what its contract
// promises or throws ReadError; anything else aborts.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "tools/rsdformat/mat_file.h"
#include "tools/rsdformat/ply_file.h"
#include "tools/rsdformat/read_error.h"
#include "tools/rsdformat/rsd_file.h"
#include "tools/rsdformat/tim_file.h"

namespace {

void Require(bool ok, const char* what) {
  if (!ok) {
    std::fprintf(stderr, "reader broke its contract: %s\n", what);
    std::abort();
  }
}

void CheckRsd(std::string_view text) {
  const rsdformat::RsdFile rsd = rsdformat::ParseRsd(text, "f.rsd");
  Require(!rsd.ply.empty() && !rsd.mat.empty(), "an RSD without PLY or MAT");
  for (const std::string& name : rsd.textures) {
    Require(!name.empty(), "an empty texture name");
  }
}

void CheckPly(std::string_view text) {
  const rsdformat::PlyFile ply = rsdformat::ParsePly(text, "f.ply");
  for (const rsdformat::PlyPolygon& polygon : ply.polygons) {
    for (int k = 0; k < polygon.corners(); ++k) {
      Require(polygon.vertex[k] >= 0 &&
                  static_cast<std::size_t>(polygon.vertex[k]) < ply.vertices.size(),
              "a vertex index out of range");
      Require(polygon.normal[k] >= 0 &&
                  static_cast<std::size_t>(polygon.normal[k]) < ply.normals.size(),
              "a normal index out of range");
    }
  }
}

void CheckMat(std::string_view text, int counts) {
  const rsdformat::MatFile mat = rsdformat::ParseMat(text, "f.mat");
  for (const rsdformat::MatLine& line : mat.lines) {
    Require(!line.polygons.empty(), "a line without polygons");
    for (const rsdformat::PolygonRange& range : line.polygons) {
      Require(range.first >= 0 && range.first <= range.last, "a bad polygon range");
    }
    Require(line.textured() == (line.texture >= 0), "a texture number on an untextured line");
  }
  const int polygons = counts & 7;
  rsdformat::CheckTextureNumbers(mat, counts >> 3);
  const std::vector<std::int32_t> material = rsdformat::MaterialOfEachPolygon(mat, polygons);
  Require(material.size() == static_cast<std::size_t>(polygons), "a material list too short");
  for (std::int32_t index : material) {
    Require(index >= 0 && static_cast<std::size_t>(index) < mat.lines.size(),
            "a material index out of range");
  }
}

void CheckTim(std::string_view bytes) {
  const rsdformat::TimFile tim = rsdformat::ParseTim(bytes, "f.tim");
  Require(tim.depth == 4 || tim.depth == 8 || tim.depth == 16, "a depth not 4, 8 or 16");
  Require(tim.columns > 0 && tim.rows > 0, "an empty image");
  Require(tim.data.size() == static_cast<std::size_t>(tim.columns) * tim.rows,
          "image data of the wrong size");
  Require(!tim.clut || tim.clut->colors.size() ==
                           static_cast<std::size_t>(tim.clut->colors_per_row) * tim.clut->rows,
          "palette data of the wrong size");
  // One step past every edge too: outside is 0 or no colour, never a read.
  for (int v = -1; v <= tim.rows; ++v) {
    for (int u = -1; u <= tim.texel_width(); ++u) {
      const bool inside = u >= 0 && v >= 0 && u < tim.texel_width() && v < tim.rows;
      const std::optional<std::uint16_t> color = tim.Color(u, v);
      Require(inside || (tim.Texel(u, v) == 0 && !color), "a texel outside the image");
      Require(tim.depth < 16 || !inside || color == tim.Texel(u, v), "a 16-bit colour changed");
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) {
    return 0;
  }
  const std::string_view input(reinterpret_cast<const char*>(data) + 1, size - 1);
  try {
    switch (data[0] & 3) {
      case 0:
        CheckRsd(input);
        break;
      case 1:
        CheckPly(input);
        break;
      case 2:
        CheckMat(input, data[0] >> 2);
        break;
      default:
        CheckTim(input);
        break;
    }
  } catch (const rsdformat::ReadError& error) {
    Require(std::string_view(error.what()).substr(0, 2) == "f.", "an error that names no file");
  }
  return 0;
}
