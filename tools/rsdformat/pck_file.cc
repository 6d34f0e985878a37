#include "tools/rsdformat/pck_file.h"

#include "formats/pck_layout.h"
#include "tools/rsdformat/read_error.h"

namespace rsdformat {
namespace {

constexpr std::size_t kHeaderSize = pcklayout::kHeaderSize;

std::vector<morphon::SVector> Vectors(const std::uint8_t* at, std::uint32_t bytes) {
  std::vector<morphon::SVector> vectors;
  for (std::uint32_t offset = 0; offset < bytes; offset += morphon::kSvectorSize) {
    vectors.push_back(morphon::LoadSVector(at + offset));
  }
  return vectors;
}

}  // namespace

PackFile ParsePack(std::span<const std::uint8_t> bytes, const std::string& file) {
  if (bytes.size() < kHeaderSize) {
    throw ByteError(file, bytes.size(),
                    "ends inside the 32-byte header (" + std::to_string(bytes.size()) + " bytes)");
  }
  const std::uint32_t total = morphon::LoadU32(bytes.data() + pcklayout::kFrameCountAt);
  const std::uint32_t frame_size = morphon::LoadU32(bytes.data() + pcklayout::kFrameSizeAt);
  const std::uint32_t vert_size = morphon::LoadU32(bytes.data() + pcklayout::kVertexSizeAt);
  const std::uint32_t norm_size = morphon::LoadU32(bytes.data() + pcklayout::kNormalSizeAt);
  if (vert_size % morphon::kSvectorSize != 0 || norm_size % morphon::kSvectorSize != 0) {
    throw ByteError(file, 8,
                    "vertex block " + std::to_string(vert_size) + " or normal block " +
                        std::to_string(norm_size) + " bytes is not whole SVECTORs");
  }
  // Frames of no bytes would let a header announce billions of frames that
  // the file's length cannot bound.
  if (total != 0 && frame_size == 0) {
    throw ByteError(file, 4, std::to_string(total) + " frames of 0 bytes hold no vertices");
  }
  if (std::uint64_t{vert_size} + norm_size > frame_size) {
    throw ByteError(file, 4,
                    "frame size " + std::to_string(frame_size) +
                        " is smaller than its vertex and normal blocks (" +
                        std::to_string(vert_size) + " + " + std::to_string(norm_size) + ")");
  }
  const std::uint64_t expected = kHeaderSize + std::uint64_t{total} * frame_size;
  if (bytes.size() != expected) {
    throw ByteError(file, 0,
                    std::to_string(total) + " frames of " + std::to_string(frame_size) +
                        " bytes make " + std::to_string(expected) +
                        " bytes with the header, the file has " + std::to_string(bytes.size()));
  }
  PackFile pack;
  pack.loops = bytes[pcklayout::kLoopByteAt] != 0;
  for (std::uint32_t i = 0; i < total; ++i) {
    const std::uint8_t* frame = bytes.data() + kHeaderSize + std::uint64_t{i} * frame_size;
    pack.frames.push_back({Vectors(frame, vert_size), Vectors(frame + vert_size, norm_size)});
  }
  return pack;
}

PackFile ReadPack(const std::filesystem::path& path) {
  const std::string bytes = ReadWholeFile(path, kPackFileLimit);
  return ParsePack({reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()},
                   path.string());
}

}  // namespace rsdformat
