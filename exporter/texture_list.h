// The textures one export has numbered, with the sizes their material names
// gave them.
#ifndef GANNET_EXPORTER_TEXTURE_LIST_H_
#define GANNET_EXPORTER_TEXTURE_LIST_H_

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace exporter {

/// Texel width and height of a texture, as whole numbers.
struct TexelSize {
  std::int32_t width = 0;
  std::int32_t height = 0;
};

/// Texture names in numbering order (a texture's number is its position),
/// and for each number the width and height texts of its size suffix, kept
/// by number so that a texture without a suffix cannot shift the others.
class TextureList {
 public:
  /// The number of the texture called `name` (ASCII case ignored).
  std::optional<int> Find(const std::string& name) const;
  /// Appends `name`; answers its number.
  int Add(const std::string& name);
  /// Records the size texts of texture `number`.
  void SetSizeTexts(int number, const std::string& width_text, const std::string& height_text);
  /// Texture `number`'s size; nullopt when its material name gave none.
  /// Throws ExportStop when a size text is not a whole number, naming
  /// `material_name` (the material being written).
  std::optional<TexelSize> Size(int number, const std::string& material_name) const;

  int count() const { return static_cast<int>(entries_.size()); }

 private:
  struct Entry {
    std::string name;
    bool has_size = false;
    std::string width_text, height_text;
  };
  std::vector<Entry> entries_;
};

/// True when `a` and `b` are equal but for the case of ASCII letters.
bool EqualsIgnoringCase(const std::string& a, const std::string& b);

}  // namespace exporter

#endif  // GANNET_EXPORTER_TEXTURE_LIST_H_
