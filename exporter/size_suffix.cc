#include "exporter/size_suffix.h"

#include <array>

#include "exportlib/number_format.h"
#include "exportlib/scan_formatted.h"
#include "exportlib/text_rules.h"

namespace exporter {
namespace {

void ScanSizes(SizeSuffix& suffix) {
  const std::array<exportlib::ScanTarget, 3> targets = {&suffix.width, &suffix.height,
                                                        &suffix.depth};
  exportlib::ScanFormatted(suffix.text, "%dx%dx%d", targets);
}

}  // namespace

std::optional<VramOrigin> ReadVramOrigin(const SizeSuffix& suffix) {
  const std::size_t tilde = suffix.text.find('~');
  if (tilde == std::string::npos) {
    return std::nullopt;
  }
  VramOrigin origin;
  const std::array<exportlib::ScanTarget, 4> targets = {&origin.image_x, &origin.image_y,
                                                        &origin.palette_x, &origin.palette_y};
  exportlib::ScanFormatted(exportlib::TrimControl(std::string_view(suffix.text).substr(tilde + 1)),
                           "%dx%dx%dx%d", targets);
  return origin;
}

std::optional<std::int32_t> SizeNumber(const std::string& text) {
  return exportlib::ParseInteger32(exportlib::TrimControl(text));
}

SuffixStatus ParseSizeSuffix(const std::string& material_name, SizeSuffix& suffix) {
  suffix = SizeSuffix{};
  const std::size_t tilde = material_name.find('~');
  if (tilde == std::string::npos) {
    return SuffixStatus::kNoTilde;
  }
  std::size_t start = tilde + 1;
  if (start < material_name.size() &&
      (material_name[start] == 'g' || material_name[start] == 'G')) {
    suffix.grey_option = " -colorspace gray ";
    ++start;
  } else {
    suffix.grey_option = " ";
  }
  suffix.text = material_name.substr(start);
  ScanSizes(suffix);

  const std::size_t first_x = suffix.text.find('x');
  if (first_x == std::string::npos || first_x == 0) {
    return SuffixStatus::kNoWidthSeparator;
  }
  suffix.width_text = suffix.text.substr(0, first_x);
  const std::string rest = suffix.text.substr(first_x + 1);
  const std::size_t second_x = rest.find('x');
  suffix.has_height_separator = second_x != std::string::npos && second_x != 0;
  if (suffix.has_height_separator) {
    suffix.height_text = rest.substr(0, second_x);
  }
  return SuffixStatus::kParsed;
}

}  // namespace exporter
