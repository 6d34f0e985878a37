// The tool plug-in's bitmap "Skerry_tool": 22 by 26 pixels, 24 bits per pixel.
#ifndef GANNET_PLATFORM_TOOL_BITMAP_H_
#define GANNET_PLATFORM_TOOL_BITMAP_H_

#include <cstdint>

namespace platform {

inline constexpr int kToolBitmapWidth = 22;
inline constexpr int kToolBitmapHeight = 26;

/// The bitmap's handle. Win32: LoadImageA of the BITMAP resource
/// "Skerry_tool" from the plug-in's own module at its own size, on every call.
/// POSIX: the address of the embedded BMP file (its 14-byte file header
/// first, 1822 bytes in all), the same on every call. Never freed by the
/// plug-in.
std::uintptr_t LoadToolBitmap();

}  // namespace platform

#endif  // GANNET_PLATFORM_TOOL_BITMAP_H_
