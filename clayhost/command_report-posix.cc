#include <stdlib.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "clayhost/command_report.h"

namespace clayhost {

std::optional<std::string> MakeReportFile(std::string* path) {
  std::error_code error;
  std::string pattern =
      (std::filesystem::temp_directory_path(error) / "clayhost-report-XXXXXX").string();
  const int fd = mkstemp(pattern.data());
  if (fd < 0) {
    return std::string(std::strerror(errno));
  }
  close(fd);
  *path = pattern;
  return std::nullopt;
}

std::optional<std::string> PutEnvironment(const std::string& name, const std::string& value) {
  if (setenv(name.c_str(), value.c_str(), 1) != 0) {
    return std::string(std::strerror(errno));
  }
  return std::nullopt;
}

}  // namespace clayhost
