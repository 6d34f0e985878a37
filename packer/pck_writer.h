// MORPHON.PCK: a 32-byte header and then every frame, back to back.
#ifndef PACKER_PCK_WRITER_H_
#define PACKER_PCK_WRITER_H_

#include <array>
#include <cstddef>
#include <cstdint>

#include "formats/pck_layout.h"
#include "packer/file_handle.h"

namespace morphon {

/// Size in bytes of PckHeader as stored.
inline constexpr std::size_t kPckHeaderSize = pcklayout::kHeaderSize;

/// The header of MORPHON.PCK.
struct PckHeader {
  std::uint32_t total_frames = 0;        ///< frames that follow the header
  std::uint32_t n_vertandnorm_size = 0;  ///< bytes per frame
  std::uint32_t vert_size = 0;           ///< bytes of the vertex block
  std::uint32_t norm_size = 0;           ///< bytes of the normal block, 0 without normals
  std::uint8_t include_loopback = 0;     ///< 1 when a loop-back segment was made
};

/// The 32 stored bytes of `header`: four little-endian 32-bit fields, 12 zero
/// bytes, the loop-back byte at offset 28 and three zero bytes.
std::array<std::uint8_t, kPckHeaderSize> EncodePckHeader(const PckHeader& header);

/// The open output file and how far it has been written.
class PckWriter {
 public:
  /// Removes any file `path` and creates it anew for binary reading and
  /// writing; false when it cannot be created.
  bool Create(const char* path);

  /// Opens `path` for writing as it is, without removing it first (used to
  /// write to a device such as a full disk's stand-in); false on failure.
  bool Open(const char* path);

  /// Writes `size` bytes and returns how many reached the file (fewer on a
  /// failed or short write).
  std::size_t Write(const std::uint8_t* data, std::size_t size);

  /// Bytes written so far: the position of the next write.
  std::uint64_t position() const { return position_; }

  /// Closes the file; false when the system reports a failure.
  bool Close() { return CloseChecked(file_); }

 private:
  FileHandle file_;
  std::uint64_t position_ = 0;
};

/// Writes one frame of `size` bytes and adds one to g_frames_stored when it
/// was written in full. Returns the bytes written.
std::size_t WriteFrame(PckWriter& writer, const std::uint8_t* frame, std::size_t size);

}  // namespace morphon

#endif  // PACKER_PCK_WRITER_H_
