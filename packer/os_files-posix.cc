#include "packer/os_files.h"

#include <dirent.h>
#include <sys/stat.h>
#include <sys/types.h>

#include <limits>
#include <memory>

namespace morphon {
namespace {

struct FolderCloser {
  void operator()(DIR* folder) const { closedir(folder); }
};

}  // namespace

std::optional<std::vector<std::string>> ListFolder(const char* path) {
  std::unique_ptr<DIR, FolderCloser> folder(opendir(path));
  if (!folder) {
    return std::nullopt;
  }
  std::vector<std::string> names;
  while (const dirent* entry = readdir(folder.get())) {
    names.emplace_back(entry->d_name);
  }
  return names;
}

bool IsFolder(const char* name) {
  struct stat info;
  return stat(name, &info) == 0 && S_ISDIR(info.st_mode);
}

std::optional<std::uint64_t> FileSize(std::FILE* file) {
  struct stat info;
  if (fstat(fileno(file), &info) != 0 || info.st_size < 0) {
    return std::nullopt;
  }
  return static_cast<std::uint64_t>(info.st_size);
}

bool SeekTo(std::FILE* file, std::uint64_t offset) {
  if (offset > static_cast<std::uint64_t>(std::numeric_limits<off_t>::max())) {
    return false;
  }
  return fseeko(file, static_cast<off_t>(offset), SEEK_SET) == 0;
}

}  // namespace morphon
