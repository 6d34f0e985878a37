#include <windows.h>

#include <stdexcept>

#include "testing/temp_folder.h"

namespace gannet_testing {

// CreateDirectoryA refuses a name that is taken, so the first name it
// accepts belongs to this folder alone.
TempFolder::TempFolder(const std::string& prefix, const std::filesystem::path& parent) {
  static unsigned counter = 0;
  const std::string stem = prefix + "-" + std::to_string(GetCurrentProcessId()) + "-";
  for (int attempt = 0; attempt < 1000; ++attempt) {
    const std::filesystem::path candidate = parent / (stem + std::to_string(++counter));
    if (CreateDirectoryA(candidate.string().c_str(), nullptr)) {
      path_ = candidate;
      return;
    }
  }
  throw std::runtime_error("cannot make a temporary folder in " + parent.string());
}

std::string TempFolder::windows() const {
  return path_.string();
}

}  // namespace gannet_testing
