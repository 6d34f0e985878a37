#include <stdlib.h>

#include <stdexcept>

#include "platform/windows_path.h"
#include "testing/temp_folder.h"

namespace gannet_testing {

TempFolder::TempFolder(const std::string& prefix, const std::filesystem::path& parent) {
  std::string pattern = (parent / (prefix + "-XXXXXX")).string();
  if (mkdtemp(pattern.data()) == nullptr) {
    throw std::runtime_error("cannot make a temporary folder " + pattern);
  }
  path_ = pattern;
}

std::string TempFolder::windows() const {
  return platform::ToWindowsPath(path_.string());
}

}  // namespace gannet_testing
