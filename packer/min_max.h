// Min/max boxes: per source frame, the axis-aligned box around its vertices
// (and the origin), as a 16-byte binary file with a DOS 8.3 name and as a
// short text file.
#ifndef PACKER_MIN_MAX_H_
#define PACKER_MIN_MAX_H_

#include <array>
#include <cstddef>
#include <cstdint>

#include "packer/svector.h"

namespace morphon {

/// Size in bytes of a stored MinMaxBox.
inline constexpr std::size_t kMinMaxBoxSize = 16;

/// A box: the minimum and the maximum corner, pads 0.
struct MinMaxBox {
  SVector min;
  SVector max;
};

/// The box of the first `count` SVECTOR entries at `vertices`, started at
/// the origin so that it always contains it.
MinMaxBox ComputeMinMaxBox(const std::uint8_t* vertices, std::uint32_t count);

/// The 16 stored bytes of `box`: the minimum SVECTOR, then the maximum.
std::array<std::uint8_t, kMinMaxBoxSize> EncodeMinMaxBox(const MinMaxBox& box);

/// Writes the box of `count` vertices as "f%d.mm" and "frame%d_minmax.txt"
/// for source frame `frame`, replacing earlier files. A file that cannot be
/// created or written in full takes the error exit.
void write_min_max(const std::uint8_t* vertices, std::uint32_t count, std::uint32_t frame);

}  // namespace morphon

#endif  // PACKER_MIN_MAX_H_
