#include "tools/rsd2tmd/convert.h"

#include <charconv>
#include <cmath>
#include <cstdio>

#include "tools/rsd2tmd/texture_words.h"
#include "tools/rsdformat/read_error.h"
#include "tools/rsdformat/texel_clamp.h"

namespace rsd2tmd {
namespace {

using rsdformat::MatLine;
using rsdformat::MatType;

constexpr double kNormalOne = 4096;
constexpr int kReservedRateBit = 0x04;  // of the 3-bit rate
constexpr std::uint8_t kReservedFlagBits = 0xC0;
constexpr std::uint8_t kNeutralColour = 128;

// Thrown inside the conversion, caught by Convert.
struct Refusal {
  std::string message;
};

std::string Where(const std::string& file, int line) {
  return file + ":" + std::to_string(line);
}

std::string Number(double value) {
  char text[32];
  const auto result = std::to_chars(text, text + sizeof text, value);
  return std::string(text, result.ptr);
}

std::string Hex(unsigned value) {
  char text[8];
  std::snprintf(text, sizeof text, "%x", value);
  return text;
}

class Converter {
 public:
  Converter(const SourceModel& source, double factor)
      : source_(source), mat_(source.mat), factor_(factor) {}

  TmdModel Run() {
    TmdModel model;
    ScaleVectors(source_.ply.vertices, source_.ply.vertex_lines, factor_, "vertex", model.vertices);
    ScaleVectors(source_.ply.normals, source_.ply.normal_lines, kNormalOne, "normal",
                 model.normals);
    const std::vector<std::int32_t> material = rsdformat::MaterialOfEachPolygon(
        mat_, static_cast<std::int32_t>(source_.ply.polygons.size()));
    rsdformat::CheckTextureNumbers(mat_, static_cast<std::int32_t>(source_.tims.size()));
    for (const MatLine& line : mat_.lines) {
      WarnAbout(line);
    }
    ClampTexels();
    for (std::size_t i = 0; i < source_.ply.polygons.size(); ++i) {
      const MatLine& line = mat_.lines[static_cast<std::size_t>(material[i])];
      model.polygons.push_back(MakePolygon(i, source_.ply.polygons[i], line));
    }
    return model;
  }

  std::vector<std::string> TakeWarnings() { return std::move(warnings_); }

 private:
  void ScaleVectors(const std::vector<rsdformat::Vector3>& from, const std::vector<int>& lines,
                    double factor, const char* what, std::vector<morphon::SVector>& to) const {
    for (std::size_t i = 0; i < from.size(); ++i) {
      const rsdformat::Vector3& v = from[i];
      const std::string where = Where(source_.ply.file, i < lines.size() ? lines[i] : 0);
      to.push_back({Scaled(where, i, v.x, factor, what), Scaled(where, i, v.y, factor, what),
                    Scaled(where, i, v.z, factor, what), 0});
    }
  }

  static std::int16_t Scaled(const std::string& where, std::size_t index, double value,
                             double factor, const char* what) {
    const double scaled = std::round(value * factor);
    if (!(scaled >= -32768 && scaled <= 32767)) {
      throw Refusal{where + ": " + what + " " + std::to_string(index) + " value " + Number(value) +
                    " times " + Number(factor) + " is " + Number(scaled) +
                    ", beyond the 16 bits of a TMD entry (-32768 to 32767)"};
    }
    return static_cast<std::int16_t>(scaled);
  }

  void ClampTexels() {
    std::vector<const rsdformat::TimFile*> images;
    for (const rsdformat::TimFile& tim : source_.tims) {
      images.push_back(&tim);
    }
    if (std::string warning = rsdformat::ClampTexelPositions(mat_, images); !warning.empty()) {
      warnings_.push_back(std::move(warning));
    }
  }

  void WarnAbout(const MatLine& line) {
    const std::string where = "Warning: " + Where(mat_.file, line.line) + ": ";
    const std::string flag = where + "flag " + Hex(line.flag);
    if ((line.rate() & kReservedRateBit) != 0) {
      warnings_.push_back(flag + " sets the reserved rate " + std::to_string(line.rate()) +
                          " (bits 3-5), rate " + std::to_string(line.rate() & 3) + " used");
    }
    if ((line.flag & kReservedFlagBits) != 0) {
      warnings_.push_back(flag + " sets reserved bits (" + Hex(line.flag & kReservedFlagBits) +
                          "), ignored");
    }
    if (line.lit() &&
        (line.type == MatType::kTextureColor || line.type == MatType::kTextureGradation)) {
      warnings_.push_back(where + static_cast<char>(line.type) +
                          " material with light calculation (flag bit 0 clear): light "
                          "calculation is kept, its RGB colour is ignored");
    }
  }

  TmdPolygon MakePolygon(std::size_t index, const rsdformat::PlyPolygon& from,
                         const MatLine& line) const {
    TmdPolygon p;
    p.corners = from.corners();
    p.lit = line.lit();
    p.smooth = p.lit && line.shading == rsdformat::Shading::kSmooth;
    p.double_sided = line.double_sided();
    p.semi_transparent = line.semi_transparent();
    p.textured = line.textured();
    SetColours(line, p);
    if (p.textured) {
      SetTexture(line, p);
    }
    const std::string where = Where(source_.ply.file, from.line);
    for (int i = 0; i < p.corners; ++i) {
      p.vertices[i] = Index(where, index, "vertex", from.vertex[i]);
    }
    const int normals = !p.lit ? 0 : p.smooth ? p.corners : 1;
    for (int i = 0; i < normals; ++i) {
      p.normals[i] = Index(where, index, "normal", from.normal[i]);
    }
    return p;
  }

  // The reader has checked the index against the counts; a TMD index has
  // 16 bits.
  static std::uint16_t Index(const std::string& where, std::size_t polygon, const char* what,
                             std::int32_t index) {
    if (index > 0xFFFF) {
      throw Refusal{where + ": polygon " + std::to_string(polygon) + " uses " + what + " " +
                    std::to_string(index) + ", beyond the 16 bits of a TMD index"};
    }
    return static_cast<std::uint16_t>(index);
  }

  static void SetColours(const MatLine& line, TmdPolygon& p) {
    if (p.lit && p.textured) {
      return;
    }
    if (line.type == MatType::kTexture) {
      p.colours[0] = {kNeutralColour, kNeutralColour, kNeutralColour};
      return;
    }
    p.vertex_colours = line.per_corner_color();
    for (int i = 0; i < (p.vertex_colours ? p.corners : 1); ++i) {
      p.colours[i] = line.colors[i];
    }
  }

  void SetTexture(const MatLine& line, TmdPolygon& p) const {
    const std::string where = Where(mat_.file, line.line);
    const rsdformat::TimFile& tim = source_.tims[static_cast<std::size_t>(line.texture)];
    if (tim.depth != 16 && tim.clut && tim.clut->x % 16 != 0) {
      throw Refusal{where + ": texture " + std::to_string(line.texture) + " (" + tim.file +
                    ") has its palette at column " + std::to_string(tim.clut->x) +
                    ", which is not a multiple of 16 and cannot be addressed"};
    }
    // ClampTexels has brought every position into its image's part of the page.
    for (int i = 0; i < p.corners; ++i) {
      const rsdformat::TexelPosition& given = line.texels[i];
      const PageTexel texel = TexelInPage(tim, given.u, given.v);
      p.uv[i] = {static_cast<std::uint8_t>(texel.u), static_cast<std::uint8_t>(texel.v)};
    }
    const TextureWords words = WordsOf(tim, line.rate() & 3);
    p.cba = words.cba;
    p.tsb = words.tsb;
  }

  const SourceModel& source_;
  rsdformat::MatFile mat_;  // the source's, its texel positions clamped
  double factor_;
  std::vector<std::string> warnings_;
};

}  // namespace

Conversion Convert(const SourceModel& source, double factor) {
  Conversion conversion;
  Converter converter(source, factor);
  try {
    conversion.model = converter.Run();
  } catch (const Refusal& refusal) {
    conversion.refusal = refusal.message;
  } catch (const rsdformat::ReadError& error) {
    conversion.refusal = error.what();
  }
  conversion.warnings = converter.TakeWarnings();
  return conversion;
}

}  // namespace rsd2tmd
