#include "console/textures.h"

#include "console/gpu.h"
#include "console/view.h"

namespace textures {
namespace {

constexpr uint32_t kFlagsAt = 4;
constexpr uint32_t kFirstBlockAt = 8;
constexpr uint32_t kHasPalette = 1u << 3;

// A block: its length (header included), x, y, width, height, the pixels.
// Returns the byte after it. A palette of an odd number of colours leaves
// the image block at an odd half word: every field is read in halves.
const uint8_t* UploadBlock(const uint8_t* block) {
  const uint32_t length = view::Half(block, 0) | static_cast<uint32_t>(view::Half(block, 2)) << 16;
  gpu::Upload(view::Half(block, 4), view::Half(block, 6), view::Half(block, 8),
              view::Half(block, 10), block + 12);
  return block + length;
}

}  // namespace

void UploadTim(const uint8_t* tim) {
  const uint8_t* block = tim + kFirstBlockAt;
  if ((view::Word(tim, kFlagsAt) & kHasPalette) != 0) {
    block = UploadBlock(block);
  }
  UploadBlock(block);
}

}  // namespace textures
