#include "tools/rsdview/export_files.h"

#include <optional>

#include "tools/rsdformat/read_error.h"
#include "tools/rsdformat/texel_clamp.h"
#include "tools/rsdformat/text_lines.h"
#include "tools/rsdformat/texture_page.h"

namespace rsdview {

using rsdformat::LineError;

std::vector<Texture> ReadTextures(const rsdformat::RsdFile& rsd,
                                  const std::filesystem::path& rsd_path) {
  std::vector<Texture> textures;
  for (std::size_t i = 0; i < rsd.textures.size(); ++i) {
    textures.push_back({static_cast<int>(i), rsd.textures[i],
                        rsdformat::ReadTim(rsdformat::ResolveName(rsd_path, rsd.textures[i]))});
  }
  return textures;
}

std::vector<std::filesystem::path> ExportFilePaths(const std::filesystem::path& rsd_path,
                                                   const rsdformat::RsdFile& rsd) {
  std::filesystem::path project = rsd_path;
  project.replace_extension(".PSX");
  std::vector<std::filesystem::path> files = {rsd_path, project,
                                              rsdformat::ResolveName(rsd_path, rsd.ply),
                                              rsdformat::ResolveName(rsd_path, rsd.mat)};
  for (const std::string& tim : rsd.textures) {
    files.push_back(rsdformat::ResolveName(rsd_path, tim));
  }
  return files;
}

Model ReadModel(const std::filesystem::path& rsd_path) {
  Model model;
  model.rsd = rsdformat::ReadRsd(rsd_path);
  model.ply = rsdformat::ReadPly(rsdformat::ResolveName(rsd_path, model.rsd.ply));
  model.mat = rsdformat::ReadMat(rsdformat::ResolveName(rsd_path, model.rsd.mat));
  model.material = rsdformat::MaterialOfEachPolygon(
      model.mat, static_cast<std::int32_t>(model.ply.polygons.size()));
  rsdformat::CheckTextureNumbers(model.mat, static_cast<std::int32_t>(model.rsd.textures.size()));
  model.textures = ReadTextures(model.rsd, rsd_path);
  std::vector<const rsdformat::TimFile*> images;
  for (const Texture& texture : model.textures) {
    images.push_back(&texture.tim);
  }
  if (std::string warning = rsdformat::ClampTexelPositions(model.mat, images); !warning.empty()) {
    model.warnings.push_back(std::move(warning));
  }
  return model;
}

Area ProjectDisplayArea(const std::filesystem::path& rsd_path) {
  std::filesystem::path project = rsd_path;
  project.replace_extension(".PSX");
  std::error_code error;
  if (!std::filesystem::exists(project, error)) {
    return {0, 0, 640, 240};
  }
  const std::string text = rsdformat::ReadWholeFile(project, rsdformat::kTextFileLimit);
  const std::string file = project.string();
  rsdformat::TextCursor cursor(text, file);
  bool in_mode = false;
  std::optional<std::int64_t> width, height;
  int last_line = 0;
  while (const std::optional<rsdformat::TextLine> line = cursor.Next()) {
    last_line = line->number;
    const std::string_view entry = rsdformat::Trimmed(line->text);
    if (entry.front() == '[') {
      in_mode = entry == "[Graphics Mode]";
      continue;
    }
    const std::size_t equals = entry.find('=');
    if (!in_mode || equals == std::string_view::npos) {
      continue;
    }
    const std::string_view key = rsdformat::Trimmed(entry.substr(0, equals));
    const std::string_view value = rsdformat::Trimmed(entry.substr(equals + 1));
    const bool is_width = key == "Width";
    if (is_width || key == "Height") {
      const std::int64_t most = is_width ? rsdformat::kVramColumns : rsdformat::kVramRows;
      const std::optional<std::int64_t> number = rsdformat::ParseInteger(value, 1, most);
      if (!number) {
        throw LineError(file, line->number,
                        std::string(key) + " is not a size 1.." + std::to_string(most) + ": " +
                            rsdformat::Quoted(value));
      }
      (is_width ? width : height) = number;
    }
  }
  if (!width || !height) {
    throw LineError(file, std::max(last_line, 1), "no Width= and Height= under [Graphics Mode]");
  }
  return {0, 0, static_cast<int>(*width), static_cast<int>(*height)};
}

}  // namespace rsdview
