// The image files behind the scene's textures: checking one when the scene
// is read, and decoding one when SaveTexture writes it.
#ifndef GANNET_CLAYHOST_TEXTURE_IMAGE_H_
#define GANNET_CLAYHOST_TEXTURE_IMAGE_H_

#include <optional>
#include <string>

#include "clayhost/texture_bmp.h"

namespace clayhost {

/// Why the image file at `path` cannot serve as a texture (no regular file,
/// unreadable, not an image stb knows, or a side above kMaxTextureSide);
/// nullopt when it can.
std::optional<std::string> CheckImageFile(const std::string& path);

/// Checks the image file at `path` again and decodes it into `*picture`;
/// on failure answers why. The ImageFileReader of the program.
std::optional<std::string> ReadImageFile(const std::string& path, RgbPicture* picture);

}  // namespace clayhost

#endif  // GANNET_CLAYHOST_TEXTURE_IMAGE_H_
