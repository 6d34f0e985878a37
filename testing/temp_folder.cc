#include "testing/temp_folder.h"

#include <system_error>

namespace gannet_testing {

TempFolder::~TempFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

std::filesystem::path FastScratchParent() {
  std::error_code unknown;
  return std::filesystem::is_directory("/dev/shm", unknown)
             ? std::filesystem::path("/dev/shm")
             : std::filesystem::temp_directory_path();
}

}  // namespace gannet_testing
