#include "packer/os_files.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>

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

std::FILE* OpenRegularFile(const char* name) {
  const int fd = open(name, O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) {
    return nullptr;
  }
  struct stat info;
  std::FILE* file = nullptr;
  if (fstat(fd, &info) == 0 && S_ISREG(info.st_mode) &&
      fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK) == 0) {
    file = fdopen(fd, "rb");
  }
  if (file == nullptr) {
    close(fd);
  }
  return file;
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
