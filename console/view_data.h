// The data that psxview appends to the console program, right after the
// program's image in memory, and the memory both must fit in. psxview writes
// it and the console program reads it: both compilers take this header, so
// it is plain C++ on <stdint.h> alone.
//
// The block: a header of kHeaderSize bytes, all little-endian 32-bit words,
// then the parts it points to, each at a multiple of 4 bytes from the block's
// start: the TMD file, a table of (offset, size) word pairs for the TIM
// files, the TIM files and the pack. Offsets count from the block's start.
#ifndef GANNET_CONSOLE_VIEW_DATA_H_
#define GANNET_CONSOLE_VIEW_DATA_H_

#include <stdint.h>

namespace viewdata {

/// "GNTVIEW1" as the block's first two words.
inline constexpr uint32_t kMagic0 = 0x56544E47;
inline constexpr uint32_t kMagic1 = 0x31574549;

inline constexpr uint32_t kMagic0At = 0;
inline constexpr uint32_t kMagic1At = 4;
inline constexpr uint32_t kBlockSizeAt = 8;  ///< the whole block, header included
inline constexpr uint32_t kTmdAt = 12;
inline constexpr uint32_t kTmdSizeAt = 16;
inline constexpr uint32_t kTimCountAt = 20;
inline constexpr uint32_t kTimTableAt = 24;
inline constexpr uint32_t kPackAt = 28;
inline constexpr uint32_t kPackSizeAt = 32;  ///< 0: no pack
inline constexpr uint32_t kViewAt = 36;      ///< camera::View
inline constexpr uint32_t kFlagsAt = 40;
inline constexpr uint32_t kSphereAt = 44;      ///< centre x, y, z and radius, signed
inline constexpr uint32_t kStillFrameAt = 60;  ///< the one pack frame shown, or all (kPlayAll)
inline constexpr uint32_t kHeaderSize = 64;

inline constexpr uint32_t kPlayAll = 0xFFFFFFFF;

inline constexpr uint32_t kFlagSpin = 1;

/// Where the program is loaded and where its stack starts; the block must
/// leave the stack kStackReserve bytes and the drawing its working memory.
inline constexpr uint32_t kLoadAddress = 0x80010000;
inline constexpr uint32_t kStackTop = 0x801FFF00;
inline constexpr uint32_t kStackReserve = 0x8000;
inline constexpr uint32_t kWorkingEnd = kStackTop - kStackReserve;

/// Working memory: the projected position and depth of every vertex, and
/// the drawing packets of one frame.
inline constexpr uint32_t kBytesPerVertex = 8;
/// Words a primitive of `olen` may need: its drawing packet and tag, and a
/// draw-mode packet before it.
constexpr uint32_t PacketWordsOf(uint32_t olen) {
  return olen + 1 + 2;
}
/// Words every frame needs besides the model's: the screen's clearing and
/// the line of text that reports the frame's cost.
inline constexpr uint32_t kFixedPacketWords = 4096;

/// The frame buffers: two 320 x 240 screens one above the other at the top
/// left of video memory. No texture or palette may touch them.
inline constexpr uint32_t kFrameBuffersWidth = 320;
inline constexpr uint32_t kFrameBuffersHeight = 480;

/// The ordering table's length: the model's depth range is spread over it.
inline constexpr uint32_t kOrderingTableLength = 2048;

}  // namespace viewdata

#endif  // GANNET_CONSOLE_VIEW_DATA_H_
