// The RSD file, which names a model's PLY, MAT and optional GRP files and
// its TIM textures:
//
//   @RSD940102
//   PLY=ship.ply
//   MAT=ship.mat
//   GRP=ship.grp          (optional)
//   NTEX=2
//   TEX[0]=ship0.tim
//   TEX[1]=ship1.tim
//
// Every key at most once; NTEX before any TEX line is not required, but
// TEX[0] .. TEX[NTEX-1] must each be there exactly once. A missing NTEX
// means no textures. Spaces around a value are not part of it.
#ifndef GANNET_TOOLS_RSDFORMAT_RSD_FILE_H_
#define GANNET_TOOLS_RSDFORMAT_RSD_FILE_H_

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace rsdformat {

/// What an RSD file names, as written (relative to the RSD file's folder).
struct RsdFile {
  std::string file;  // the RSD file as named to the reader, for messages
  std::string ply;
  std::string mat;
  std::string grp;                    // empty when there is no GRP line
  std::vector<std::string> textures;  // TEX[0] .. TEX[NTEX-1]
};

/// Parses an RSD text; `file` names it in messages. Throws ReadError.
RsdFile ParseRsd(std::string_view text, const std::string& file);

/// Reads and parses `path`. Throws ReadError.
RsdFile ReadRsd(const std::filesystem::path& path);

/// Where a name from the RSD file at `rsd_path` lies: in the RSD file's
/// folder (an absolute name stays as it is).
std::filesystem::path ResolveName(const std::filesystem::path& rsd_path, const std::string& name);

}  // namespace rsdformat

#endif  // GANNET_TOOLS_RSDFORMAT_RSD_FILE_H_
