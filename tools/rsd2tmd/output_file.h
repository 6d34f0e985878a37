// Writing a whole output file so that it appears complete or not at all.
#ifndef GANNET_TOOLS_RSD2TMD_OUTPUT_FILE_H_
#define GANNET_TOOLS_RSD2TMD_OUTPUT_FILE_H_

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace rsd2tmd {

/// Writes `bytes` to `path` + ".part" beside it, then renames that over
/// `path`. On failure removes the partial file, leaves `path` as it was and
/// returns a message naming the file; an empty string on success.
std::string WriteWholeFile(const std::filesystem::path& path,
                           const std::vector<std::uint8_t>& bytes);

}  // namespace rsd2tmd

#endif  // GANNET_TOOLS_RSD2TMD_OUTPUT_FILE_H_
