#include "console/view.h"

#include "console/view_data.h"

namespace view {

bool Open(const uint8_t* block, Data& data) {
  using namespace viewdata;
  if (Word(block, kMagic0At) != kMagic0 || Word(block, kMagic1At) != kMagic1) {
    return false;
  }
  data.block = block;
  data.tmd = {block + Word(block, kTmdAt), Word(block, kTmdSizeAt)};
  data.tim_count = Word(block, kTimCountAt);
  data.tim_table = block + Word(block, kTimTableAt);
  const uint32_t pack_size = Word(block, kPackSizeAt);
  data.pack = {pack_size != 0 ? block + Word(block, kPackAt) : nullptr, pack_size};
  data.view = static_cast<camera::View>(Word(block, kViewAt) & 3);
  const uint32_t flags = Word(block, kFlagsAt);
  data.spin = (flags & kFlagSpin) != 0;
  data.still_frame = static_cast<int32_t>(Word(block, kStillFrameAt));
  for (int axis = 0; axis < 3; ++axis) {
    data.sphere.centre[axis] = static_cast<int32_t>(Word(block, kSphereAt + 4 * axis));
  }
  data.sphere.radius = static_cast<int32_t>(Word(block, kSphereAt + 12));
  const uint32_t size = Word(block, kBlockSizeAt);
  data.free_memory = const_cast<uint8_t*>(block) + ((size + 15) & ~15u);
  return true;
}

Part Tim(const Data& data, uint32_t index) {
  const uint32_t offset = Word(data.tim_table, 8 * index);
  return {data.block + offset, Word(data.tim_table, 8 * index + 4)};
}

}  // namespace view
