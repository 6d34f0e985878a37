// Writing a texture as the 24-bit BMP file that SaveTexture promises. The
// host generates plain pictures itself; pictures from image files come
// through a reader that the program installs, so the host's core needs no
// image decoder.
#ifndef GANNET_CLAYHOST_TEXTURE_BMP_H_
#define GANNET_CLAYHOST_TEXTURE_BMP_H_

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "clayhost/scene.h"

namespace clayhost {

/// A picture: `width` x `height` pixels of three bytes (red, green, blue),
/// row by row from the top.
struct RgbPicture {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> rgb;
};

/// Reads the image file at `path` into `*picture`; on failure answers why.
using ImageFileReader =
    std::function<std::optional<std::string>(const std::string& path, RgbPicture* picture)>;

/// Writes `picture` at `path` as a 24-bit BMP file: the 54-byte header with
/// no resolution, rows from the bottom, blue first, each padded to four
/// bytes. The file appears whole or not at all (toolfiles/output_file.h);
/// nullopt when written, otherwise why not ("cannot write PATH: REASON").
std::optional<std::string> WriteBmpFile(const std::string& path, const RgbPicture& picture);

/// Writes the texture's pixels at `path`: its plain colour at its size, or,
/// for a texture with an image file, what `read_image` reads from the file
/// (without a reader such a texture cannot be written). On failure answers
/// why.
std::optional<std::string> WriteTextureBmp(const Texture& texture, const std::string& path,
                                           const ImageFileReader& read_image);

}  // namespace clayhost

#endif  // GANNET_CLAYHOST_TEXTURE_BMP_H_
