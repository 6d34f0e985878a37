// Reading a user's input file whole, safely: only a regular file (never a
// folder, a device or a named pipe, which could hang or never end), and
// only up to a size the caller names, checked before anything is read.
#ifndef GANNET_TOOLFILES_INPUT_FILE_H_
#define GANNET_TOOLFILES_INPUT_FILE_H_

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

namespace toolfiles {

/// One mebibyte, the unit the limits are given in.
inline constexpr std::uint64_t kMebibyte = std::uint64_t{1} << 20;

/// The content of `path` when it is a regular file of at most `limit` bytes.
/// Otherwise nullopt and `*problem` says why, without the file's name:
/// "cannot read (No such file or directory)", "cannot read (a named pipe,
/// not a regular file)", "cannot read (3221225472 bytes, beyond the limit of
/// 268435456 bytes)".
std::optional<std::string> ReadInputFile(const std::filesystem::path& path, std::uint64_t limit,
                                         std::string* problem);

/// nullopt when `path` names an existing regular file; otherwise why it
/// cannot be read, in the words of ReadInputFile.
std::optional<std::string> RegularFileProblem(const std::filesystem::path& path);

}  // namespace toolfiles

#endif  // GANNET_TOOLFILES_INPUT_FILE_H_
