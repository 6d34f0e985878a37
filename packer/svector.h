// Little-endian field access for the TMD and PCK formats, and the SVECTOR
// entry that vertices, normals and box corners share.
#ifndef PACKER_SVECTOR_H_
#define PACKER_SVECTOR_H_

#include <cstddef>
#include <cstdint>

#include "formats/tmd_layout.h"

namespace morphon {

/// Size in bytes of one SVECTOR entry: vx, vy, vz and a pad, 16 bits each.
inline constexpr std::size_t kSvectorSize = tmdlayout::kSvectorSize;

/// One SVECTOR entry: three signed 16-bit components and a 16-bit pad.
struct SVector {
  std::int16_t vx = 0;
  std::int16_t vy = 0;
  std::int16_t vz = 0;
  std::int16_t pad = 0;
};

/// Reads the little-endian unsigned 32-bit number at `bytes`.
inline std::uint32_t LoadU32(const std::uint8_t* bytes) {
  return static_cast<std::uint32_t>(bytes[0]) | static_cast<std::uint32_t>(bytes[1]) << 8 |
         static_cast<std::uint32_t>(bytes[2]) << 16 | static_cast<std::uint32_t>(bytes[3]) << 24;
}

/// Writes `value` as a little-endian 32-bit number at `bytes`.
inline void StoreU32(std::uint8_t* bytes, std::uint32_t value) {
  bytes[0] = static_cast<std::uint8_t>(value);
  bytes[1] = static_cast<std::uint8_t>(value >> 8);
  bytes[2] = static_cast<std::uint8_t>(value >> 16);
  bytes[3] = static_cast<std::uint8_t>(value >> 24);
}

/// Reads the little-endian signed 16-bit number at `bytes`.
inline std::int16_t LoadI16(const std::uint8_t* bytes) {
  return static_cast<std::int16_t>(static_cast<std::uint16_t>(bytes[0] | bytes[1] << 8));
}

/// Writes the low 16 bits of `value` little-endian at `bytes` (wrapping).
inline void StoreI16(std::uint8_t* bytes, std::int32_t value) {
  bytes[0] = static_cast<std::uint8_t>(value);
  bytes[1] = static_cast<std::uint8_t>(value >> 8);
}

/// Reads the SVECTOR entry at `bytes` (8 bytes must be readable).
inline SVector LoadSVector(const std::uint8_t* bytes) {
  return SVector{LoadI16(bytes), LoadI16(bytes + 2), LoadI16(bytes + 4), LoadI16(bytes + 6)};
}

/// Writes `v` as an SVECTOR entry at `bytes`.
inline void StoreSVector(std::uint8_t* bytes, const SVector& v) {
  StoreI16(bytes, v.vx);
  StoreI16(bytes + 2, v.vy);
  StoreI16(bytes + 4, v.vz);
  StoreI16(bytes + 6, v.pad);
}

/// The first entry of a frame block of `size` bytes, or all zeros when the
/// block is too short to hold one (the debug lines show it for every frame).
inline SVector FirstSVector(const std::uint8_t* block, std::size_t size) {
  return size >= kSvectorSize ? LoadSVector(block) : SVector{};
}

}  // namespace morphon

#endif  // PACKER_SVECTOR_H_
