// A writer of synthetic TMD files in the layout the packer relies on:
// header, one object entry, primitive block, vertex block, normal block,
// then any trailing bytes. For tests, the benchmark and tools/tmdgen.
#ifndef PACKER_TMD_WRITER_H_
#define PACKER_TMD_WRITER_H_

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "packer/svector.h"

namespace morphon {

/// File offsets of the object entry's fields, for tests that bend them.
inline constexpr std::size_t kVertTopOffset = 12;
inline constexpr std::size_t kNVertOffset = 16;
inline constexpr std::size_t kNormalTopOffset = 20;
inline constexpr std::size_t kNNormalOffset = 24;
inline constexpr std::size_t kPrimitiveTopOffset = 28;
inline constexpr std::size_t kNPrimitiveOffset = 32;

/// The content of one synthetic TMD file with a single object.
struct SyntheticTmd {
  std::uint32_t id = 0x41;
  std::uint32_t flag = 0;
  std::vector<std::uint8_t> primitives;  ///< the primitive block, as stored
  std::uint32_t n_primitive = 0;
  std::vector<SVector> vertices;
  std::vector<SVector> normals;
  std::vector<std::uint8_t> trailing;  ///< bytes after the normal block
  std::int32_t scale = 0;
};

/// The bytes of `tmd` as a file.
std::vector<std::uint8_t> EncodeTmd(const SyntheticTmd& tmd);

/// Writes `bytes` to the file `path`; false on failure.
bool WriteBytes(const std::string& path, const std::vector<std::uint8_t>& bytes);

}  // namespace morphon

#endif  // PACKER_TMD_WRITER_H_
