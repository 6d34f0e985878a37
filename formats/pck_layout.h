// Where everything lies in a MORPHON.PCK pack: a 32-byte header, then every
// frame back to back, each the vertex SVECTORs, the normal SVECTORs when the
// pack keeps them, then whatever else the first TMD held after them. The one
// definition for the packer, its readers and the console program: plain C++
// on <stdint.h> alone. All numbers are little-endian.
#ifndef GANNET_FORMATS_PCK_LAYOUT_H_
#define GANNET_FORMATS_PCK_LAYOUT_H_

#include <stdint.h>

namespace pcklayout {

inline constexpr uint32_t kHeaderSize = 32;
inline constexpr uint32_t kFrameCountAt = 0;   ///< u32: frames that follow the header
inline constexpr uint32_t kFrameSizeAt = 4;    ///< u32: bytes per frame
inline constexpr uint32_t kVertexSizeAt = 8;   ///< u32: bytes of the vertex block
inline constexpr uint32_t kNormalSizeAt = 12;  ///< u32: bytes of the normal block, 0 without
inline constexpr uint32_t kLoopByteAt = 28;    ///< u8: 1 when tweens lead back to frame 0
// Bytes 16 to 27 and 29 to 31 are zero.

}  // namespace pcklayout

#endif  // GANNET_FORMATS_PCK_LAYOUT_H_
