#include "tools/rsdview/png_file.h"

#include <stb/stb_image_write.h>

namespace rsdview {
namespace {

void Append(void* out, void* bytes, int count) {
  static_cast<std::string*>(out)->append(static_cast<const char*>(bytes),
                                         static_cast<std::size_t>(count));
}

}  // namespace

std::optional<std::string> PngBytes(const Canvas& canvas) {
  std::string bytes;
  if (canvas.width() == 0 || canvas.height() == 0 ||
      stbi_write_png_to_func(&Append, &bytes, canvas.width(), canvas.height(), 3,
                             canvas.bytes().data(), canvas.width() * 3) == 0) {
    return std::nullopt;
  }
  return bytes;
}

}  // namespace rsdview
