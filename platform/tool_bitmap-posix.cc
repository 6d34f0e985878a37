#include "platform/tool_bitmap.h"

// The BMP file plugins/skerry_tool.bmp, embedded at build time.
extern const unsigned char kSkerryToolBitmap[];

namespace platform {

std::uintptr_t LoadToolBitmap() {
  return reinterpret_cast<std::uintptr_t>(kSkerryToolBitmap);
}

}  // namespace platform
