// The textures one export has numbered, with the sizes their material names
// gave them.
#ifndef GANNET_EXPORTER_TEXTURE_LIST_H_
#define GANNET_EXPORTER_TEXTURE_LIST_H_

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "exporter/size_suffix.h"

namespace exporter {

/// Texture names in numbering order (a texture's number is its position),
/// and for each number the size its suffix was converted at, kept by number
/// so that a texture without a suffix cannot shift the others.
class TextureList {
 public:
  /// The number of the texture called `name` (ASCII case ignored).
  std::optional<int> Find(const std::string& name) const;
  /// Appends `name`; answers its number.
  int Add(const std::string& name);
  /// Records the size texture `number` was converted at.
  void SetSize(int number, const TexelSize& size);
  /// Texture `number`'s size; nullopt when it was not converted.
  std::optional<TexelSize> Size(int number) const;

  int count() const { return static_cast<int>(entries_.size()); }

 private:
  struct Entry {
    std::string name;
    std::optional<TexelSize> size;
  };
  std::vector<Entry> entries_;
};

}  // namespace exporter

#endif  // GANNET_EXPORTER_TEXTURE_LIST_H_
