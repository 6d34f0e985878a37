// The pictures behind the scene's textures: checking an image file when the
// scene is read, and writing a texture as the 24-bit BMP file that
// SaveTexture promises.
#ifndef GANNET_CLAYHOST_TEXTURE_IMAGE_H_
#define GANNET_CLAYHOST_TEXTURE_IMAGE_H_

#include <optional>
#include <string>

#include "clayhost/scene.h"

namespace clayhost {

/// Why the image file at `path` cannot serve as a texture (unreadable, not
/// an image stb knows, or a side above kMaxTextureSide); nullopt when it can.
std::optional<std::string> CheckImageFile(const std::string& path);

/// Writes the texture's pixels (its image file, or its plain colour at its
/// size) as a 24-bit BMP file at `path`. On failure returns why.
std::optional<std::string> WriteTextureBmp(const Texture& texture, const std::string& path);

}  // namespace clayhost

#endif  // GANNET_CLAYHOST_TEXTURE_IMAGE_H_
