#include "packer/pck_writer.h"

#include "formats/pck_layout.h"
#include "packer/run_settings.h"
#include "packer/svector.h"

namespace morphon {

std::array<std::uint8_t, kPckHeaderSize> EncodePckHeader(const PckHeader& header) {
  std::array<std::uint8_t, kPckHeaderSize> bytes{};
  StoreU32(&bytes[pcklayout::kFrameCountAt], header.total_frames);
  StoreU32(&bytes[pcklayout::kFrameSizeAt], header.n_vertandnorm_size);
  StoreU32(&bytes[pcklayout::kVertexSizeAt], header.vert_size);
  StoreU32(&bytes[pcklayout::kNormalSizeAt], header.norm_size);
  bytes[pcklayout::kLoopByteAt] = header.include_loopback;
  return bytes;
}

bool PckWriter::Create(const char* path) {
  std::remove(path);
  return Open(path);
}

bool PckWriter::Open(const char* path) {
  file_ = OpenUnbuffered(path, "w+b");
  position_ = 0;
  return file_ != nullptr;
}

std::size_t PckWriter::Write(const std::uint8_t* data, std::size_t size) {
  const std::size_t written = size == 0 ? 0 : std::fwrite(data, 1, size, file_.get());
  position_ += written;
  return written;
}

std::size_t WriteFrame(PckWriter& writer, const std::uint8_t* frame, std::size_t size) {
  const std::size_t written = writer.Write(frame, size);
  if (written == size) {
    ++g_frames_stored;
  }
  return written;
}

}  // namespace morphon
