#include "exporter/texture_list.h"

#include <limits>

#include "exporter/export_stop.h"
#include "exportlib/number_format.h"

namespace exporter {
namespace {

char LowerAscii(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

std::int32_t SizeValue(const std::string& text, const std::string& material_name) {
  const std::optional<std::int64_t> value = exportlib::ParseInteger(text);
  if (!value || *value < std::numeric_limits<std::int32_t>::min() ||
      *value > std::numeric_limits<std::int32_t>::max()) {
    throw ExportStop("Error: Image size '" + text +
                     "' is not a whole number on Material name: " + material_name);
  }
  return static_cast<std::int32_t>(*value);
}

}  // namespace

bool EqualsIgnoringCase(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) {
    return false;
  }
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (LowerAscii(a[i]) != LowerAscii(b[i])) {
      return false;
    }
  }
  return true;
}

std::optional<int> TextureList::Find(const std::string& name) const {
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    if (EqualsIgnoringCase(entries_[i].name, name)) {
      return static_cast<int>(i);
    }
  }
  return std::nullopt;
}

int TextureList::Add(const std::string& name) {
  entries_.push_back({name, false, {}, {}});
  return count() - 1;
}

void TextureList::SetSizeTexts(int number, const std::string& width_text,
                               const std::string& height_text) {
  Entry& entry = entries_.at(static_cast<std::size_t>(number));
  entry.has_size = true;
  entry.width_text = width_text;
  entry.height_text = height_text;
}

std::optional<TexelSize> TextureList::Size(int number, const std::string& material_name) const {
  const Entry& entry = entries_.at(static_cast<std::size_t>(number));
  if (!entry.has_size) {
    return std::nullopt;
  }
  return TexelSize{SizeValue(entry.width_text, material_name),
                   SizeValue(entry.height_text, material_name)};
}

}  // namespace exporter
