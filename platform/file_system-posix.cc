#include <sys/stat.h>
#include <sys/types.h>

#include <cerrno>
#include <memory>

#include "platform/file_system.h"
#include "platform/windows_path.h"

namespace platform {
namespace {

std::optional<struct stat> Stat(const std::string& windows_path) {
  const std::optional<std::string> path = ToPosixPath(windows_path);
  struct stat info;
  if (!path || stat(path->c_str(), &info) != 0) {
    return std::nullopt;
  }
  return info;
}

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

}  // namespace

bool FileExists(const std::string& path) {
  const auto info = Stat(path);
  return info && S_ISREG(info->st_mode);
}

bool FolderExists(const std::string& path) {
  const auto info = Stat(path);
  return info && S_ISDIR(info->st_mode);
}

bool CreateFolder(const std::string& path) {
  const std::optional<std::string> posix = ToPosixPath(path);
  if (!posix) {
    return false;
  }
  if (mkdir(posix->c_str(), 0777) != 0 && errno != EEXIST) {
    return false;
  }
  return FolderExists(path);
}

std::optional<std::string> ReadFile(const std::string& path) {
  if (!FileExists(path)) {
    return std::nullopt;
  }
  const std::optional<std::string> posix = ToPosixPath(path);
  std::unique_ptr<std::FILE, FileCloser> file(std::fopen(posix->c_str(), "rb"));
  if (!file) {
    return std::nullopt;
  }
  std::string content;
  char buffer[65536];
  std::size_t count = 0;
  while ((count = std::fread(buffer, 1, sizeof buffer, file.get())) > 0) {
    content.append(buffer, count);
  }
  if (std::ferror(file.get())) {
    return std::nullopt;
  }
  return content;
}

std::optional<OutputFile> OutputFile::Create(const std::string& path) {
  const std::optional<std::string> posix = ToPosixPath(path);
  if (!posix) {
    return std::nullopt;
  }
  std::FILE* file = std::fopen(posix->c_str(), "wb");
  if (file == nullptr) {
    return std::nullopt;
  }
  return OutputFile(file);
}

}  // namespace platform
