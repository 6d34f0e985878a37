#include "tools/rsdview/png_file.h"

#include <stb/stb_image_write.h>

namespace rsdview {

bool WritePng(const Canvas& canvas, const std::filesystem::path& path) {
  if (canvas.width() == 0 || canvas.height() == 0) {
    return false;
  }
  return stbi_write_png(path.c_str(), canvas.width(), canvas.height(), 3, canvas.bytes().data(),
                        canvas.width() * 3) != 0;
}

}  // namespace rsdview
