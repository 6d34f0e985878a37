// A whole TMD file of one object, written and read back.
//
// Written as header (id 0x41, flags 0, one object), object table (block
// offsets from the start of the table, scale 0), primitives, vertices,
// normals, nothing between them: the normal block last, where the packer
// expects it.
#ifndef GANNET_TOOLS_RSD2TMD_TMD_FILE_H_
#define GANNET_TOOLS_RSD2TMD_TMD_FILE_H_

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "packer/svector.h"
#include "tools/rsd2tmd/tmd_packet.h"

namespace rsd2tmd {

/// One TMD object: its polygons in order, every vertex and every normal.
struct TmdModel {
  std::vector<TmdPolygon> polygons;
  std::vector<morphon::SVector> vertices;
  std::vector<morphon::SVector> normals;  ///< fixed point, 4096 = 1.0
};

/// The largest TMD file tmdinfo and rsdview read: the 65536 vertices and
/// normals a TMD can index and some four million polygons.
inline constexpr std::uint64_t kTmdFileLimit = std::uint64_t{256} << 20;

/// The file's bytes.
std::vector<std::uint8_t> EncodeTmdFile(const TmdModel& model);

/// What reading a TMD file found: the decoded text so far, the first fault
/// (empty for a sound file), and the objects read in full before it, for
/// tools that draw them (primitives that are not polygons left out).
struct TmdDescription {
  std::string text;
  std::string fault;
  std::vector<TmdModel> objects;
};

/// Decodes every object and primitive of `file` into text and checks every
/// length and index against the file and the object's counts. Never reads
/// outside `file`; stops at the first fault. A primitive that is not one of
/// the polygon kinds is listed with its header and skipped by its ilen.
TmdDescription DescribeTmdFile(std::span<const std::uint8_t> file);

}  // namespace rsd2tmd

#endif  // GANNET_TOOLS_RSD2TMD_TMD_FILE_H_
