#include "testing/temp_folder.h"

#include <stdlib.h>

#include <stdexcept>
#include <system_error>

#include "platform/windows_path.h"

namespace gannet_testing {

TempFolder::TempFolder(const std::string& prefix) {
  std::string pattern = (std::filesystem::temp_directory_path() / (prefix + "-XXXXXX")).string();
  if (mkdtemp(pattern.data()) == nullptr) {
    throw std::runtime_error("cannot make a temporary folder " + pattern);
  }
  path_ = pattern;
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

std::string TempFolder::windows() const {
  return platform::ToWindowsPath(path_.string());
}

}  // namespace gannet_testing
