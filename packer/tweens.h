// Tween and loop-back frames: instead of the source frames, N frames per
// pair of neighbouring source frames that move linearly from the earlier one
// towards the later one, and optionally N from the last back to the first.
#ifndef PACKER_TWEENS_H_
#define PACKER_TWEENS_H_

#include <cstdint>
#include <string>

#include "packer/pck_writer.h"
#include "packer/tmd_frames.h"

namespace morphon {

/// Writes into `out` the first `count` SVECTOR entries moved from `start`
/// towards `end` by `t`: for vx, vy and vz, start + trunc(float(d * t)) with
/// the difference d formed at full width, stored as 16 bits (wrapping). Pads
/// and everything after the entries in `out` are left as they are.
void InterpolateEntries(const std::uint8_t* start, const std::uint8_t* end, std::uint8_t* out,
                        std::uint32_t count, float t);

/// The four buffers of a tweened run and the frames made from them.
class TweenFrames {
 public:
  /// Takes the first source block in `first` and allocates the second
  /// key-frame buffer, the tween buffer and the first-frame copy (a failed
  /// allocation takes the error exit naming `first_name`).
  TweenFrames(FrameBuffer first, const FrameLayout& layout, const std::string& first_name);

  /// The buffer that the next source block is to be read into.
  std::uint8_t* next_read_buffer() { return cur_; }

  /// Writes the g_tweens frames from the previous source block towards the
  /// one just read into next_read_buffer() (source file `index`), then swaps
  /// the two key-frame buffers. A short write takes the error exit.
  void WriteSegment(std::uint32_t index, PckWriter& writer);

  /// Writes the g_tweens frames from the last source block back towards the
  /// first. A short write takes the error exit.
  void WriteLoopBack(PckWriter& writer);

 private:
  void Interpolate(const std::uint8_t* start, const std::uint8_t* end, float t);

  FrameLayout layout_;
  FrameBuffer first_;
  FrameBuffer second_;
  FrameBuffer tween_;
  FrameBuffer first_copy_;
  std::uint8_t* prev_;
  std::uint8_t* cur_;
};

}  // namespace morphon

#endif  // PACKER_TWEENS_H_
