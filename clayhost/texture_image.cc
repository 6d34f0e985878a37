#include "clayhost/texture_image.h"

#include <stb/stb_image.h>

#include <cstdint>
#include <filesystem>
#include <memory>

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

}  // namespace

std::optional<std::string> CheckImageFile(const std::string& path) {
  // stb opens the file as it is: a named pipe would never answer.
  std::error_code error;
  const auto status = std::filesystem::status(path, error);
  if (std::filesystem::exists(status) && !std::filesystem::is_regular_file(status)) {
    return "cannot read the image " + path + ": it is not a regular file";
  }
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

std::optional<std::string> ReadImageFile(const std::string& path, RgbPicture* picture) {
  if (const auto problem = CheckImageFile(path)) {
    return problem;
  }
  int channels = 0;
  std::unique_ptr<unsigned char, StbFree> pixels(
      stbi_load(path.c_str(), &picture->width, &picture->height, &channels, kRgbChannels));
  if (!pixels) {
    return "cannot decode " + path + ": " + Reason();
  }
  const auto size = static_cast<std::size_t>(picture->width) * picture->height * kRgbChannels;
  picture->rgb.assign(pixels.get(), pixels.get() + size);
  return std::nullopt;
}

}  // namespace clayhost
