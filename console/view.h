// The appended data as the program sees it: the block psxview wrote after
// the program's image, its parts found and checked for the magic words.
#ifndef GANNET_CONSOLE_VIEW_H_
#define GANNET_CONSOLE_VIEW_H_

#include <stdint.h>

#include "console/camera.h"

namespace view {

/// A little-endian word or half word at `at` bytes past `base` (aligned).
inline uint32_t Word(const uint8_t* base, uint32_t at) {
  return *reinterpret_cast<const uint32_t*>(base + at);
}
inline uint16_t Half(const uint8_t* base, uint32_t at) {
  return *reinterpret_cast<const uint16_t*>(base + at);
}

struct Part {
  const uint8_t* bytes = nullptr;
  uint32_t size = 0;
};

struct Data {
  Part tmd;
  uint32_t tim_count = 0;
  const uint8_t* tim_table = nullptr;  ///< (offset, size) pairs
  const uint8_t* block = nullptr;
  Part pack;  ///< size 0: none
  camera::View view = camera::View::kFront;
  bool spin = false;
  int32_t still_frame = -1;  ///< the one pack frame to show, -1: play them all
  camera::Sphere sphere{};
  uint8_t* free_memory = nullptr;  ///< the first byte after the block
};

/// The block at `block`; false when its magic words are missing.
bool Open(const uint8_t* block, Data& data);

/// TIM file `index` (below tim_count).
Part Tim(const Data& data, uint32_t index);

}  // namespace view

#endif  // GANNET_CONSOLE_VIEW_H_
