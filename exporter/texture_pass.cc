#include "exporter/texture_pass.h"

#include <algorithm>
#include <limits>
#include <optional>
#include <vector>

#include "exporter/export_stop.h"
#include "exporter/line_text.h"
#include "exporter/size_suffix.h"
#include "exportlib/conversion_error.h"
#include "exportlib/raise_power.h"
#include "exportlib/write_line.h"

namespace exporter {
namespace {

// The outside tools find their files by full path, so they all start in the
// root of drive C:.
constexpr const char* kToolFolder = "C:\\";

constexpr const char* kFormatHint = "~256x256x8 (~widthxhieghtxbitwidth)";

constexpr std::int64_t kColumnsPerPage = 64;
constexpr std::int64_t kTexelsPerPage = 256;

// identify's output starts with the file's name, so its "BMP" counts only
// after the first character.
bool ContainsAfterFirst(const std::string& output, const char* word) {
  return output.find(word, 1) != std::string::npos;
}

// The texture's name through the two-call protocol: nullopt when the host
// reports no name (size 0 or less); throws when the name cannot be read.
std::optional<std::string> ReadTextureName(const mcp::HostApi& host, mcp::Handle texture,
                                           const std::string& material_name) {
  const std::int32_t size = host.GetTextureName(texture, nullptr, 0);
  if (size <= 0) {
    return std::nullopt;
  }
  std::vector<char> buffer(static_cast<std::size_t>(size), '\0');
  if (host.GetTextureName(texture, buffer.data(), size) < 1) {
    throw ExportStop("Error: bad material name?? (" + material_name + ")");
  }
  buffer.back() = '\0';
  return std::string(buffer.data());
}

mcp::Handle DiffuseTexture(const mcp::HostApi& host, mcp::Handle scene,
                           mcp::MaterialRecord& material) {
  mcp::ParamRecord param{};
  if (!host.FindMaterialParam(scene, &material, "DiffuseMap", &param)) {
    return 0;
  }
  return host.GetParamTexture(param.handle);
}

bool HasColorParam(const mcp::HostApi& host, mcp::Handle scene, mcp::MaterialRecord& material,
                   const char* name) {
  mcp::ParamRecord param{};
  if (!host.FindMaterialParam(scene, &material, name, &param) || param.type == nullptr) {
    return false;
  }
  return *param.type == mcp::kParamColor || *param.type == mcp::kParamColor2;
}

void CheckLimits(const std::string& material_name, const SizeSuffix& suffix,
                 const exportlib::UserChannel& channel) {
  const std::string texture = "Warning: Material texture (" + material_name;
  if (suffix.height > 256) {
    channel.show_message(texture + ") has hieght greater then 256!");
  }
  const double width = suffix.width;
  switch (suffix.depth) {
    case 4:
      if (width / 4 > 128) {
        channel.show_message(texture + ") has width greater then 512 4bit!");
      }
      break;
    case 8:
      if (width / 8 > 32) {
        channel.show_message(texture + ") has width greater then 258 8bit!");
      }
      break;
    case 16:
      if (width / 16 > 8) {
        channel.show_message(texture + ") has width greater then 128 16bit!");
      }
      break;
    default:
      throw ExportStop("ERROR: Material texture (" + material_name +
                       ") has an incorrect bit depth, only 4,8,16 should be used!");
  }
}

// A number of the suffix that is not a number at all ("1-2") names the
// material, so the user knows which name to mend.
template <typename Read>
auto ReadNamingMaterial(const std::string& material_name, Read read) {
  try {
    return read();
  } catch (const exportlib::ConversionError& error) {
    throw ExportStop(std::string("Error: ") + error.what() + " on Material name: " + material_name +
                     ", the export has stopped.");
  }
}

std::int32_t JudgedSize(const std::string& text, const std::string& material_name) {
  const std::optional<std::int32_t> value = SizeNumber(text);
  if (!value) {
    throw ExportStop("Error: Image size '" + text +
                     "' is not a whole number on Material name: " + material_name);
  }
  return *value;
}

std::string ConvertCommand(const SizeSuffix& suffix, const TexelSize& size,
                           const std::string& file_base) {
  const auto colors = static_cast<std::int64_t>(exportlib::RaisePower(suffix.depth, 2));
  return "convert -verbose " + suffix.grey_option + "  -auto-level -resize " + Decimal(size.width) +
         "!x" + Decimal(size.height) + "! -type palette -depth " + Decimal(suffix.depth) +
         " -colors " + Decimal(colors) + " \"" + file_base + ".bmp\"" + " \"" + file_base +
         "-resized.bmp\"";
}

std::string TimCommand(const SizeSuffix& suffix, const VramOrigin& origin,
                       const std::string& file_base, bool semi_transparent) {
  const std::string program = semi_transparent ? "img2tim  -t  -bpp " : "img2tim  -bpp ";
  return program + Decimal(suffix.depth) + " -tcol 0 0 0 -org " + Decimal(origin.image_x) + "  " +
         Decimal(origin.image_y) + "  -plt " + Decimal(origin.palette_x) + " " +
         Decimal(origin.palette_y) + "  -o \"" + file_base + ".tim\"   \"" + file_base +
         "-resized.bmp\"";
}

// One material's texture; T and X live across the materials.
class TexturePass {
 public:
  TexturePass(const mcp::HostApi& host, const TexturePassInput& input, platform::OutputFile& mat,
              TextureList& textures, const exportlib::UserChannel& channel)
      : host_(host), input_(input), mat_(mat), textures_(textures), channel_(channel) {}

  void Visit(std::int32_t index) {
    mcp::MaterialRecord material{};
    host_.GetMaterial(input_.scene, index, &material);
    const std::string material_name = material.name == nullptr ? "" : material.name;
    const mcp::Handle texture = DiffuseTexture(host_, input_.scene, material);
    if (texture == 0) {
      return;
    }
    const std::optional<std::string> name = ReadTextureName(host_, texture, material_name);
    if (!name || textures_.Find(*name)) {
      return;
    }
    const int k = textures_.Add(*name);
    const std::string file_base = input_.base_path + Decimal(k);
    host_.SaveTexture(texture, (file_base + ".bmp").c_str(), mcp::kTextureFormatBmp);
    Convert(k, material, material_name, file_base);
  }

 private:
  void Convert(int k, mcp::MaterialRecord& material, const std::string& material_name,
               const std::string& file_base) {
    SizeSuffix suffix;
    const SuffixStatus status =
        ReadNamingMaterial(material_name, [&] { return ParseSizeSuffix(material_name, suffix); });
    switch (status) {
      case SuffixStatus::kNoTilde:
        channel_.show_message("Warning: 1 No TIM created because material name (" + material_name +
                              ")does not end with " + kFormatHint);
        return;
      case SuffixStatus::kNoWidthSeparator:
        throw ExportStop(std::string("ERROR: Image format must be: ") + kFormatHint +
                         " on Material name: " + suffix.text);
      case SuffixStatus::kParsed:
        break;
    }
    if (!suffix.has_height_separator) {
      channel_.show_message(std::string("Warning: Image format must be: ") + kFormatHint +
                            " Error: " + suffix.text);
    }
    CheckLimits(material_name, suffix, channel_);
    // Judged here, before anything is converted, so that the TIM file and the
    // MAT lines cannot disagree about the size.
    const TexelSize size{JudgedSize(suffix.width_text, material_name),
                         JudgedSize(suffix.height_text, material_name)};
    const std::optional<VramOrigin> block =
        ReadNamingMaterial(material_name, [&] { return ReadVramOrigin(suffix); });
    // A texture with its own origin takes its columns too: giving one texture
    // a place by hand leaves the default places of the others as they were.
    const std::int32_t column = cursor_.Place(size.width, suffix.depth);
    const VramOrigin origin =
        block.value_or(VramOrigin{column, 0, kDefaultImageColumn, kDefaultPaletteRow + k});

    const std::string identified =
        channel_.run_command("identify \"" + file_base + ".bmp\"", kToolFolder);
    if (!ContainsAfterFirst(identified, "BMP")) {
      throw ExportStop(
          "Error: BMP not found, Texture needs manual exporting first, click material (" +
          material_name + ") > DiffuseMap > Import > right click > last option.");
    }
    RunLogged(ConvertCommand(suffix, size, file_base), input_.options.write_convert_comment);
    const bool semi_transparent = input_.options.transparency_tim_option &&
                                  HasColorParam(host_, input_.scene, material, "Transparency");
    const std::string output =
        RunLogged(TimCommand(suffix, origin, file_base, semi_transparent), true);
    // img2tim puts its complaint at the very start of its output.
    if (output.find("ERROR") != std::string::npos || output.find("Invalid") != std::string::npos) {
      throw ExportStop(output + " -ERROR-");
    }
    textures_.SetSize(k, size);
  }

  std::string RunLogged(const std::string& command, bool log) {
    if (log) {
      exportlib::WriteLine(mat_, "# " + command);
    }
    return channel_.run_command(command, kToolFolder);
  }

  const mcp::HostApi& host_;
  const TexturePassInput& input_;
  platform::OutputFile& mat_;
  TextureList& textures_;
  const exportlib::UserChannel& channel_;
  VramCursor cursor_;
};

}  // namespace

std::int64_t VramColumns(std::int32_t width, std::int32_t depth) {
  if (width < 1) {
    return 0;
  }
  return (static_cast<std::int64_t>(width) * depth + 15) / 16;
}

std::int32_t VramCursor::Place(std::int32_t width, std::int32_t depth) {
  const std::int64_t page_start = next_column_ - next_column_ % kColumnsPerPage;
  const std::int64_t texels_before = (next_column_ - page_start) * 16 / depth;
  if (next_column_ != page_start && texels_before + std::max(width, 0) > kTexelsPerPage) {
    next_column_ = page_start + kColumnsPerPage;
  }
  const std::int64_t column = next_column_;
  next_column_ += VramColumns(width, depth);
  // Past the 1024 columns img2tim refuses the place; the number only has to
  // stay a number.
  return static_cast<std::int32_t>(
      std::min<std::int64_t>(column, std::numeric_limits<std::int32_t>::max()));
}

void RunTexturePass(const mcp::HostApi& host, const TexturePassInput& input,
                    platform::OutputFile& mat, TextureList& textures,
                    const exportlib::UserChannel& channel) {
  TexturePass pass(host, input, mat, textures, channel);
  const std::int32_t count = host.GetMaterialCount(input.scene);
  for (std::int32_t m = 0; m < count; ++m) {
    pass.Visit(m);
  }
}

}  // namespace exporter
