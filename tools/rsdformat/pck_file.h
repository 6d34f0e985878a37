// Reading the frames of a MORPHON.PCK file: a 32-byte header (frame count,
// frame size, vertex block size, normal block size, zeros, the loop byte)
// and the frames, each the vertex SVECTORs, then the normal SVECTORs when
// the pack keeps them, then whatever else the first TMD held after them.
#ifndef GANNET_TOOLS_RSDFORMAT_PCK_FILE_H_
#define GANNET_TOOLS_RSDFORMAT_PCK_FILE_H_

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

#include "packer/svector.h"

namespace rsdformat {

/// One stored frame.
struct PackFrame {
  std::vector<morphon::SVector> vertices;
  std::vector<morphon::SVector> normals;  ///< empty in a pack without normals
};

struct PackFile {
  bool loops = false;  ///< tweens lead back to the first frame
  std::vector<PackFrame> frames;
};

/// Parses a pack's bytes; `file` names it in messages. Throws
/// ReadError "FILE: byte OFFSET: ..." for a header shorter than
/// 32 bytes, frames of 0 bytes, blocks that are not whole SVECTORs or do not
/// fit in the frame size, or a file whose length is not the header and exactly the frames.
PackFile ParsePack(std::span<const std::uint8_t> bytes, const std::string& file);

/// The largest pack the tools read: a thousand frames of 65536 vertices
/// and normals, more than any contact sheet can show.
inline constexpr std::uint64_t kPackFileLimit = std::uint64_t{1} << 30;

/// Reads and parses `path` (at most kPackFileLimit bytes). Throws ReadError.
PackFile ReadPack(const std::filesystem::path& path);

}  // namespace rsdformat

#endif  // GANNET_TOOLS_RSDFORMAT_PCK_FILE_H_
