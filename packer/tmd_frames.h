// Reading the frames of an animation out of TMD files: the layout derived
// from the first file, and the vertex (and normal) block of every file.
#ifndef PACKER_TMD_FRAMES_H_
#define PACKER_TMD_FRAMES_H_

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "formats/tmd_layout.h"
#include "packer/file_handle.h"

namespace morphon {

/// Bytes of the TMD file header (id, flag, noobj) and of one object entry.
inline constexpr std::size_t kTmdHeaderSize = tmdlayout::kHeaderSize;
inline constexpr std::size_t kTmdObjectSize = tmdlayout::kObjectSize;

/// The first entry of a TMD object table. Block offsets count from the start
/// of the object table, file offset 12.
struct TmdObject {
  std::uint32_t vert_top = 0;
  std::uint32_t n_vert = 0;
  std::uint32_t normal_top = 0;
  std::uint32_t n_normal = 0;
  std::uint32_t primitive_top = 0;
  std::uint32_t n_primitive = 0;
  std::int32_t scale = 0;
};

/// The frame layout, derived once from the first file and used for all.
struct FrameLayout {
  std::uint32_t total_size = 0;          ///< size of the first file
  std::uint32_t vert_start = 0;          ///< file offset of its vertex block
  std::uint32_t vert_size = 0;           ///< normal_top - vert_top
  std::uint32_t norm_size = 0;           ///< n_normal * 8, 0 without normals
  std::uint32_t n_vertandnorm_size = 0;  ///< bytes per frame
  std::uint32_t n_vert = 0;              ///< vertices per frame
  std::uint32_t n_normal = 0;            ///< normals per frame, 0 without normals
};

/// The SVECTOR entries at the start of every frame that tweens walk: the
/// vertices, then the normals when they are stored.
inline std::uint32_t SvectorCount(const FrameLayout& layout) {
  return layout.n_vert + layout.n_normal;
}

/// An owned frame buffer of n_vertandnorm_size bytes.
using FrameBuffer = std::unique_ptr<std::uint8_t[]>;

/// Allocates a frame buffer of `size` bytes; a failed allocation takes the
/// error exit naming `file`.
FrameBuffer AllocateFrameBuffer(std::size_t size, const std::string& file);

/// The first TMD file from its opening to the reading of its block.
class FirstTmd {
 public:
  /// Opens `name`, reads its header and object entry, derives the layout
  /// under g_normals and prints the verbose dump. Refuses, through the error
  /// exit, a file that cannot be opened (or is a folder), lacks the normals
  /// that are wanted, is shorter than its 40-byte header, puts its vertex
  /// block (or its frame) beyond its end or its normal block before its
  /// vertex block, or whose frame is smaller than the entries that tweens and
  /// boxes walk. All before any frame buffer is sized.
  explicit FirstTmd(const std::string& name);

  const FrameLayout& layout() const { return layout_; }
  const TmdObject& object() const { return object_; }

  /// Reads the frame block into `buffer` (n_vertandnorm_size bytes) and
  /// closes the file; a short read takes the error exit.
  void ReadBlock(std::uint8_t* buffer);

 private:
  void ReadHeaderAndObject();
  void DeriveLayout();
  void PrintLayoutReport() const;
  void CheckLayout() const;

  std::string name_;
  FileHandle file_;
  std::uint32_t id_ = 0;
  std::uint32_t flag_ = 0;
  std::uint32_t noobj_ = 0;
  TmdObject object_;
  FrameLayout layout_;
};

/// Opens g_tmd_names[index], checks its vertex count against `layout` and
/// reads its block, from its own vertex offset, into `buffer`; every failure
/// takes the error exit. `output_position` is shown in the debug lines.
void ReadLaterFrame(std::uint32_t index, const FrameLayout& layout, std::uint64_t output_position,
                    std::uint8_t* buffer);

}  // namespace morphon

#endif  // PACKER_TMD_FRAMES_H_
