#include "clayhost/texture_image.h"

#include <stb/stb_image.h>
#include <stb/stb_image_write.h>

#include <cstdint>
#include <memory>
#include <vector>

namespace clayhost {
namespace {

constexpr int kRgbChannels = 3;

struct StbFree {
  void operator()(unsigned char* pixels) const { stbi_image_free(pixels); }
};

std::string Reason() {
  const char* reason = stbi_failure_reason();
  return reason != nullptr ? reason : "unknown reason";
}

bool WriteBmp(const std::string& path, int width, int height, const unsigned char* pixels) {
  return stbi_write_bmp(path.c_str(), width, height, kRgbChannels, pixels) != 0;
}

std::optional<std::string> WriteImageFile(const Texture& texture, const std::string& path) {
  if (const auto problem = CheckImageFile(texture.file)) {
    return problem;
  }
  int width = 0;
  int height = 0;
  int channels = 0;
  std::unique_ptr<unsigned char, StbFree> pixels(
      stbi_load(texture.file.c_str(), &width, &height, &channels, kRgbChannels));
  if (!pixels) {
    return "cannot decode " + texture.file + ": " + Reason();
  }
  if (!WriteBmp(path, width, height, pixels.get())) {
    return "cannot write " + path;
  }
  return std::nullopt;
}

std::optional<std::string> WritePlainColor(const Texture& texture, const std::string& path) {
  const auto pixel_count = static_cast<std::size_t>(texture.width) * texture.height;
  std::vector<unsigned char> pixels(pixel_count * kRgbChannels);
  for (std::size_t i = 0; i < pixels.size(); ++i) {
    pixels[i] = texture.rgb[i % kRgbChannels];
  }
  if (!WriteBmp(path, texture.width, texture.height, pixels.data())) {
    return "cannot write " + path;
  }
  return std::nullopt;
}

}  // namespace

std::optional<std::string> CheckImageFile(const std::string& path) {
  int width = 0;
  int height = 0;
  int channels = 0;
  if (stbi_info(path.c_str(), &width, &height, &channels) == 0) {
    return "cannot read the image " + path + ": " + Reason();
  }
  if (width > kMaxTextureSide || height > kMaxTextureSide) {
    return "the image " + path + " is " + std::to_string(width) + "x" + std::to_string(height) +
           ", more than the limit of " + std::to_string(kMaxTextureSide) + " on a side";
  }
  return std::nullopt;
}

std::optional<std::string> WriteTextureBmp(const Texture& texture, const std::string& path) {
  return texture.file.empty() ? WritePlainColor(texture, path) : WriteImageFile(texture, path);
}

}  // namespace clayhost
