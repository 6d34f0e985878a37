#include "exporter/texture_list.h"

#include "exportlib/text_rules.h"

namespace exporter {

std::optional<int> TextureList::Find(const std::string& name) const {
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    if (exportlib::EqualsIgnoringAsciiCase(entries_[i].name, name)) {
      return static_cast<int>(i);
    }
  }
  return std::nullopt;
}

int TextureList::Add(const std::string& name) {
  entries_.push_back({name, std::nullopt});
  return count() - 1;
}

void TextureList::SetSize(int number, const TexelSize& size) {
  entries_.at(static_cast<std::size_t>(number)).size = size;
}

std::optional<TexelSize> TextureList::Size(int number) const {
  return entries_.at(static_cast<std::size_t>(number)).size;
}

}  // namespace exporter
