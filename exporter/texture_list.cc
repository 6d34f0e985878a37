#include "exporter/texture_list.h"

namespace exporter {
namespace {

char LowerAscii(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
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
