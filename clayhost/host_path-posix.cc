#include "clayhost/host_path.h"

#include <stdlib.h>

#include <filesystem>

#include "platform/windows_path.h"

namespace clayhost {

std::string PluginPathForHostPath(const std::string& path) {
  return platform::ToWindowsPath(std::filesystem::absolute(path).lexically_normal().string());
}

std::optional<std::string> HostPathForPluginPath(const std::string& plugin_path) {
  return platform::ToPosixPath(plugin_path);
}

bool MapDrive(char letter, const std::string& folder, std::string* error) {
  const std::string name = std::string("GANNET_DRIVE_") + letter;
  const std::string value = std::filesystem::absolute(folder).lexically_normal().string();
  std::error_code ignored;
  if (!std::filesystem::is_directory(value, ignored)) {
    *error = std::string("drive ") + letter + ": cannot be " + folder + ": there is no such folder";
    return false;
  }
  if (setenv(name.c_str(), value.c_str(), 1) != 0) {
    *error = "cannot set " + name;
    return false;
  }
  return true;
}

}  // namespace clayhost
