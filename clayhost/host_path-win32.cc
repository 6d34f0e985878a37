#include "clayhost/host_path.h"

#include <filesystem>

namespace clayhost {

std::string PluginPathForHostPath(const std::string& path) {
  return std::filesystem::absolute(path).lexically_normal().string();
}

std::optional<std::string> HostPathForPluginPath(const std::string& plugin_path) {
  return plugin_path;
}

bool MapDrive(char letter, const std::string&, std::string* error) {
  *error =
      std::string("drive ") + letter + ": belongs to the system on Windows; --drive is for POSIX";
  return false;
}

}  // namespace clayhost
