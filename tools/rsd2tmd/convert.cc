#include "tools/rsd2tmd/convert.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>

namespace rsd2tmd {
namespace {

constexpr double kNormalOne = 4096;
constexpr unsigned long kFlagFixedColour = 0x01;
constexpr unsigned long kFlagDoubleSided = 0x02;
constexpr unsigned long kFlagSemiTransparent = 0x04;
constexpr unsigned long kReservedRate = 0x20;
constexpr unsigned long kReservedHigh = ~0x3FUL;
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

std::string Hex(unsigned long value) {
  char text[24];
  std::snprintf(text, sizeof text, "%lx", value);
  return text;
}

class Converter {
 public:
  Converter(const SourceModel& source, double factor) : source_(source), factor_(factor) {}

  TmdModel Run() {
    TmdModel model;
    ScaleVectors(source_.vertices, factor_, "vertex", model.vertices);
    ScaleVectors(source_.normals, kNormalOne, "normal", model.normals);
    const std::vector<const SourceMaterial*> materials = MaterialOfEachPolygon();
    for (const SourceMaterial& material : source_.materials) {
      WarnAbout(material);
    }
    for (std::size_t i = 0; i < source_.polygons.size(); ++i) {
      model.polygons.push_back(MakePolygon(i, source_.polygons[i], *materials[i]));
    }
    return model;
  }

  std::vector<std::string> TakeWarnings() { return std::move(warnings_); }

 private:
  void ScaleVectors(const std::vector<SourceVector>& from, double factor, const char* what,
                    std::vector<morphon::SVector>& to) const {
    for (std::size_t i = 0; i < from.size(); ++i) {
      const SourceVector& v = from[i];
      to.push_back({Scaled(v, i, v.x, factor, what), Scaled(v, i, v.y, factor, what),
                    Scaled(v, i, v.z, factor, what), 0});
    }
  }

  std::int16_t Scaled(const SourceVector& v, std::size_t index, double value, double factor,
                      const char* what) const {
    const double scaled = std::round(value * factor);
    if (!(scaled >= -32768 && scaled <= 32767)) {
      throw Refusal{Where(source_.ply_name, v.line) + ": " + what + " " + std::to_string(index) +
                    " value " + Number(value) + " times " + Number(factor) + " is " +
                    Number(scaled) + ", beyond the 16 bits of a TMD entry (-32768 to 32767)"};
    }
    return static_cast<std::int16_t>(scaled);
  }

  std::vector<const SourceMaterial*> MaterialOfEachPolygon() const {
    std::vector<const SourceMaterial*> of(source_.polygons.size(), nullptr);
    for (const SourceMaterial& material : source_.materials) {
      for (const long polygon : material.polygons) {
        const std::string where = Where(source_.mat_name, material.line);
        if (polygon < 0 || static_cast<std::size_t>(polygon) >= of.size()) {
          throw Refusal{where + ": polygon " + std::to_string(polygon) + " beyond the " +
                        std::to_string(of.size()) + " polygons of " + source_.ply_name};
        }
        const SourceMaterial*& slot = of[static_cast<std::size_t>(polygon)];
        if (slot != nullptr) {
          throw Refusal{where + ": polygon " + std::to_string(polygon) +
                        " has a material already, on line " + std::to_string(slot->line)};
        }
        slot = &material;
      }
    }
    for (std::size_t i = 0; i < of.size(); ++i) {
      if (of[i] == nullptr) {
        throw Refusal{Where(source_.ply_name, source_.polygons[i].line) + ": polygon " +
                      std::to_string(i) + " has no line in " + source_.mat_name};
      }
    }
    return of;
  }

  TmdPolygon MakePolygon(std::size_t index, const SourcePolygon& from,
                         const SourceMaterial& material) const {
    TmdPolygon p;
    p.corners = from.corners;
    p.lit = (material.flag & kFlagFixedColour) == 0;
    p.smooth = p.lit && material.smooth;
    p.double_sided = (material.flag & kFlagDoubleSided) != 0;
    p.semi_transparent = (material.flag & kFlagSemiTransparent) != 0;
    p.textured = Textured(material);
    SetColours(material, p);
    if (p.textured) {
      SetTexture(index, material, p);
    }
    const std::string where = Where(source_.ply_name, from.line);
    const std::string name = "polygon " + std::to_string(index);
    for (int i = 0; i < p.corners; ++i) {
      p.vertices[i] =
          Index(where, name, "vertex", "vertices", from.vertices[i], source_.vertices.size());
    }
    const int normals = !p.lit ? 0 : p.smooth ? p.corners : 1;
    for (int i = 0; i < normals; ++i) {
      p.normals[i] =
          Index(where, name, "normal", "normals", from.normals[i], source_.normals.size());
    }
    return p;
  }

  static std::uint16_t Index(const std::string& where, const std::string& polygon, const char* what,
                             const char* plural, long index, std::size_t count) {
    if (index < 0 || static_cast<std::size_t>(index) >= count || index > 0xFFFF) {
      throw Refusal{where + ": " + polygon + " uses " + what + " " + std::to_string(index) +
                    ", beyond the " + std::to_string(count) + " " + (count == 1 ? what : plural) +
                    (index > 0xFFFF ? " (or 16 bits)" : "")};
    }
    return static_cast<std::uint16_t>(index);
  }

  static bool Textured(const SourceMaterial& material) {
    return material.type == 'T' || material.type == 'D' || material.type == 'H';
  }

  void WarnAbout(const SourceMaterial& material) {
    const std::string where = "Warning: " + Where(source_.mat_name, material.line) + ": ";
    const std::string flag = where + "flag " + Hex(material.flag);
    if ((material.flag & kReservedRate) != 0) {
      warnings_.push_back(flag + " sets the reserved rate " +
                          std::to_string((material.flag >> 3) & 7) + " (bits 3-5), rate " +
                          std::to_string((material.flag >> 3) & 3) + " used");
    }
    if ((material.flag & kReservedHigh) != 0) {
      warnings_.push_back(flag + " sets reserved bits (" + Hex(material.flag & kReservedHigh) +
                          "), ignored");
    }
    const bool lit = (material.flag & kFlagFixedColour) == 0;
    if (lit && (material.type == 'D' || material.type == 'H')) {
      warnings_.push_back(where + material.type +
                          " material with light calculation (flag bit 0 clear): light "
                          "calculation is kept, its RGB colour is ignored");
    }
  }

  void SetColours(const SourceMaterial& material, TmdPolygon& p) const {
    const bool per_corner = material.type == 'G' || material.type == 'H';
    const bool has_colour = material.type != 'T';
    if (p.lit && p.textured) {
      return;
    }
    if (!has_colour) {
      p.colours[0] = {kNeutralColour, kNeutralColour, kNeutralColour};
      return;
    }
    p.vertex_colours = per_corner;
    for (int i = 0; i < (per_corner ? p.corners : 1); ++i) {
      p.colours[i] = {Channel(material, material.colours[i][0]),
                      Channel(material, material.colours[i][1]),
                      Channel(material, material.colours[i][2])};
    }
  }

  std::uint8_t Channel(const SourceMaterial& material, long value) const {
    if (value < 0 || value > 255) {
      throw Refusal{Where(source_.mat_name, material.line) + ": colour value " +
                    std::to_string(value) + " beyond 0 to 255"};
    }
    return static_cast<std::uint8_t>(value);
  }

  void SetTexture(std::size_t index, const SourceMaterial& material, TmdPolygon& p) const {
    const std::string where = Where(source_.mat_name, material.line);
    const long number = material.texture;
    if (number < 0 || static_cast<std::size_t>(number) >= source_.textures.size() ||
        !source_.textures[static_cast<std::size_t>(number)]) {
      throw Refusal{where + ": texture " + std::to_string(number) + " has no TIM (" +
                    source_.rsd_name + " lists " + std::to_string(source_.textures.size()) + ")"};
    }
    const TexturePlace& place = *source_.textures[static_cast<std::size_t>(number)];
    if (place.depth != 16 && place.palette_x % 16 != 0) {
      throw Refusal{where + ": texture " + std::to_string(number) + " (" +
                    source_.texture_names[static_cast<std::size_t>(number)] +
                    ") has its palette at column " + std::to_string(place.palette_x) +
                    ", which is not a multiple of 16 and cannot be addressed"};
    }
    for (int i = 0; i < p.corners; ++i) {
      const long u = material.uv[i][0], v = material.uv[i][1];
      const PageTexel texel = TexelInPage(place, static_cast<int>(std::min(u, 0x10000L)),
                                          static_cast<int>(std::min(v, 0x10000L)));
      CheckTexel(where, index, i, "U", u, texel.u);
      CheckTexel(where, index, i, "V", v, texel.v);
      p.uv[i] = {static_cast<std::uint8_t>(texel.u), static_cast<std::uint8_t>(texel.v)};
    }
    p.cba = PaletteWord(place);
    p.tsb = PageWord(place, static_cast<int>((material.flag >> 3) & 3));
  }

  static void CheckTexel(const std::string& where, std::size_t polygon, int corner,
                         const char* axis, long given, int in_page) {
    if (given < 0 || in_page > kLargestTexel) {
      throw Refusal{where + ": polygon " + std::to_string(polygon) + " corner " +
                    std::to_string(corner) + " " + axis + " " + std::to_string(given) + " is " +
                    std::to_string(in_page) + " in its texture page, beyond 0 to 255"};
    }
  }

  const SourceModel& source_;
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
  }
  conversion.warnings = converter.TakeWarnings();
  return conversion;
}

}  // namespace rsd2tmd
