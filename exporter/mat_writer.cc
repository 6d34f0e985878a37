#include "exporter/mat_writer.h"

#include <optional>
#include <vector>

#include "exporter/export_stop.h"
#include "exporter/line_text.h"
#include "exportlib/number_format.h"
#include "exportlib/write_line.h"
#include "platform/message_box.h"

namespace exporter {
namespace {

constexpr const char* kColorPattern = " %.0f %.0f %.0f ";
// Four texel positions; quads end in three spaces, triangles in two.
constexpr const char* kQuadTexels = " %.0f %.0f    %.0f %.0f    %.0f %.0f    %.0f %.0f   ";
constexpr const char* kTriangleTexels = " %.0f %.0f    %.0f %.0f    %.0f %.0f    %.0f %.0f  ";

bool IsFloat(std::uint16_t type) {
  return type == mcp::kParamFloat || type == mcp::kParamFloat2;
}
bool IsColor(std::uint16_t type) {
  return type == mcp::kParamColor || type == mcp::kParamColor2;
}

struct Color {
  float red = 0, green = 0, blue = 0, fourth = 0;
};

// The parameters of one material, looked up by name.
class MaterialParams {
 public:
  MaterialParams(const mcp::HostApi& host, mcp::Handle scene, mcp::MaterialRecord& material)
      : host_(host), scene_(scene), material_(material) {}

  /// The parameter's handle when it exists (with any type code).
  std::optional<mcp::Handle> Any(const char* name) {
    mcp::ParamRecord param{};
    if (!host_.FindMaterialParam(scene_, &material_, name, &param)) {
      return std::nullopt;
    }
    last_type_ = param.type == nullptr ? 0 : *param.type;
    return param.handle;
  }

  std::optional<float> Float(const char* name) {
    const std::optional<mcp::Handle> handle = Any(name);
    if (!handle || !IsFloat(last_type_)) {
      return std::nullopt;
    }
    float value = 0;
    host_.GetParamFloat(*handle, &value);
    return value;
  }

  std::optional<Color> ColorValue(const char* name) {
    const std::optional<mcp::Handle> handle = Any(name);
    if (!handle || !IsColor(last_type_)) {
      return std::nullopt;
    }
    Color color;
    host_.GetParamColor(*handle, &color.red, &color.green, &color.blue, &color.fourth);
    return color;
  }

 private:
  const mcp::HostApi& host_;
  mcp::Handle scene_;
  mcp::MaterialRecord& material_;
  std::uint16_t last_type_ = 0;
};

// A transparent colour adds 4, and 16, 32 or 64 for the first of red,
// green and blue that is above 0.
int TransparencyBits(const Color& color) {
  int bits = 4;
  if (color.red > 0) {
    bits += 16;
  } else if (color.green > 0) {
    bits += 32;
  } else if (color.blue > 0) {
    bits += 64;
  }
  return bits;
}

// A MAT colour component holds 0 to 255: a brighter host colour (a factor
// above 1, a component above 1) is written as full.
double ColorComponent(double value) {
  return value > 255.0 ? 255.0 : value > 0.0 ? value : 0.0;
}

std::string ColorText(double red, double green, double blue) {
  return exportlib::FormatPattern(
      kColorPattern, {ColorComponent(red), ColorComponent(green), ColorComponent(blue)});
}

// The flag field of a MAT line is hexadecimal: the transparency bits
// (16, 32, 64) read as decimal would land on other bits.
std::string FlagText(int flag) {
  static const char kDigits[] = "0123456789ABCDEF";
  std::string text;
  do {
    text.insert(text.begin(), kDigits[flag % 16]);
    flag /= 16;
  } while (flag > 0);
  return text;
}

}  // namespace

void WriteMatHeader(platform::OutputFile& mat, std::int32_t faces) {
  exportlib::WriteLine(mat, kCommentLine);
  exportlib::WriteLine(mat, "@MAT940801");
  exportlib::WriteLine(mat, "# Number of Items");
  exportlib::WriteLine(mat, Decimal(faces));
  exportlib::WriteLine(mat, "# Materials");
}

const MatLineBuilder::MaterialLook& MatLineBuilder::Look(mcp::MaterialRef ref) {
  const auto found = looks_.find(ref);
  if (found != looks_.end()) {
    return found->second;
  }
  return looks_.emplace(ref, ReadLook(ref)).first->second;
}

MatLineBuilder::MaterialLook MatLineBuilder::ReadLook(mcp::MaterialRef ref) {
  mcp::MaterialRecord material{};
  host_.GetMaterialByRef(ref, &material);
  MaterialLook look;
  look.name = material.name == nullptr ? "" : material.name;
  MaterialParams params(host_, scene_, material);

  float factor = 0.5f;
  look.color = ColorText(63.75, 63.75, 255.0);
  if (const std::optional<float> refraction = params.Float("Refraction")) {
    factor = *refraction;
  }
  if (std::optional<Color> diffuse = params.ColorValue("Diffuse")) {
    if (factor > 0) {
      diffuse->red *= factor;
      diffuse->green *= factor;
      diffuse->blue *= factor;
    }
    look.color = ColorText(255.0 * diffuse->red, 255.0 * diffuse->green, 255.0 * diffuse->blue);
  }
  if (const std::optional<float> specular = params.Float("Specular"); specular && *specular > 0) {
    look.light_flag = 0;
  }
  if (options_.transparency_light_flag) {
    if (const std::optional<Color> transparency = params.ColorValue("Transparency")) {
      look.light_flag += TransparencyBits(*transparency);
    }
  }
  const std::optional<mcp::Handle> map = params.Any("DiffuseMap");
  const mcp::Handle handle = map ? host_.GetParamTexture(*map) : 0;
  if (handle == 0) {
    return look;
  }
  const std::int32_t size = host_.GetTextureName(handle, nullptr, 0);
  if (size <= 0) {
    throw ExportStop("Error: Texture needs manual exporting first, click material (" + look.name +
                     ") > DiffuseMap > Import > right click > 3rd option.");
  }
  std::vector<char> buffer(static_cast<std::size_t>(size), '\0');
  if (host_.GetTextureName(handle, buffer.data(), size) < 1) {
    return look;
  }
  buffer.back() = '\0';
  const std::optional<int> found = textures_.Find(buffer.data());
  if (!found) {
    look.unknown_texture = true;
    return look;
  }
  look.texture = *found;
  if (const std::optional<float> value = params.Float("Shininess")) {
    look.shininess = *value;
    if (look.shininess > 0) {
      look.kind = " D ";
      if (look.light_flag == 0) {
        look.conflict = "\r\n* Material (" + look.name +
                        ") can not use both light caculations (Specular) and RGB colour on "
                        "texture (Shininess)\r\n   light caculation is defaulted, RGB colour is "
                        "ignored.";
      }
    } else {
      look.color = " ";
      look.kind = " T ";
    }
  }
  return look;
}

std::string MatLineBuilder::Line(const Face& face, std::int32_t n) {
  const MaterialLook& look = Look(face.material);
  if (look.unknown_texture) {
    platform::ShowMessage("Warning: 2 No TIM created because material name (" + look.name +
                          ")does not end with ~256x256x8 (~widthxhieghtxbitwidth)");
  }
  if (!look.conflict.empty()) {
    conflict_ = look.conflict;
  }
  std::string line = Decimal(n) + " " + FlagText(look.light_flag);
  if (look.texture < 0) {
    return line + " " + " F C " + " " + look.color;
  }
  if (face.is_quad()) {
    line += " F ";
  } else {
    line += look.shininess > 0 ? "  F " : " F  ";
  }
  return line + look.kind + "  " + Decimal(look.texture) + " " + TexelText(face, look.texture) +
         " " + look.color;
}

MatLineBuilder::Texel MatLineBuilder::TexelOf(std::int32_t texcoord, const TexelSize& size) {
  if (texcoord < 0) {
    return {};
  }
  mcp::TexCoordRecord record{};
  record.size = sizeof(record);
  host_.GetTexCoord(object_, texcoord, &record);
  const double u = record.u == nullptr ? 0.0 : *record.u;
  const double v = record.v == nullptr ? 0.0 : *record.v;
  return {size.width * u, (1.0 - v) * size.height};
}

std::string MatLineBuilder::TexelText(const Face& face, int texture) {
  // A texture whose material name gave no size maps to texel positions 0.
  const TexelSize size = textures_.Size(texture).value_or(TexelSize{});
  const auto& t = face.texcoord;
  if (t[0] > 0 || t[1] > 0 || t[2] > 0) {
    const Texel c0 = TexelOf(t[0], size);
    const Texel c1 = TexelOf(t[1], size);
    const Texel c2 = TexelOf(t[2], size);
    if (t[3] > 0) {
      const Texel c3 = TexelOf(t[3], size);
      return exportlib::FormatPattern(kQuadTexels,
                                      {c3.x, c3.y, c2.x, c2.y, c0.x, c0.y, c1.x, c1.y});
    }
    return exportlib::FormatPattern(kTriangleTexels,
                                    {c2.x, c2.y, c1.x, c1.y, c0.x, c0.y, 0.0, 0.0});
  }
  const double w = size.width;
  const double h = size.height;
  if (face.is_quad()) {
    return exportlib::FormatPattern(kQuadTexels, {0.0, 0.0, w, 0.0, 0.0, h, w, h});
  }
  return exportlib::FormatPattern(kTriangleTexels, {w, 0.0, w, h, 0.0, h, 0.0, 0.0});
}

std::string WriteMatLines(const mcp::HostApi& host, MatLineBuilder& builder, mcp::Handle object,
                          std::int32_t face_count, platform::OutputFile& mat) {
  std::int32_t n = 0;
  for (std::int32_t i = 0; i < face_count; ++i) {
    const Face face = ReadFace(host, object, i);
    if (face.is_exported()) {
      exportlib::WriteLine(mat, builder.Line(face, n++));
    }
  }
  return builder.conflict();
}

}  // namespace exporter
