// The few file services the packer needs from the operating system beyond
// the C library: listing a folder, opening only regular files, and 64-bit
// seeking and sizing of open files.
#ifndef PACKER_OS_FILES_H_
#define PACKER_OS_FILES_H_

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace morphon {

/// The names of all entries of folder `path` ("." and ".." included where
/// the system lists them), in the order the system returns them; nullopt
/// when the folder cannot be listed.
std::optional<std::vector<std::string>> ListFolder(const char* path);

/// Opens `name` for reading when it is a regular file, opened so that a
/// named pipe or a device cannot make the packer wait; null for a folder, a
/// pipe, a device or a file that cannot be opened.
std::FILE* OpenRegularFile(const char* name);

/// Size in bytes of the open file `file`; nullopt when it cannot be told.
std::optional<std::uint64_t> FileSize(std::FILE* file);

/// Moves the read position of `file` to byte `offset` from its start;
/// false on failure.
bool SeekTo(std::FILE* file, std::uint64_t offset);

}  // namespace morphon

#endif  // PACKER_OS_FILES_H_
