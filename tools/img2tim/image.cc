#include "tools/img2tim/image.h"

namespace img2tim {

bool CheckImageSize(std::int64_t width, std::int64_t height, std::string& error) {
  if (width < 1 || height < 1 || width > kMaxSide || height > kMaxSide) {
    error = "image size " + std::to_string(width) + "x" + std::to_string(height) +
            " out of range: each side must be 1 to " + std::to_string(kMaxSide) + " pixels";
    return false;
  }
  return true;
}

}  // namespace img2tim
