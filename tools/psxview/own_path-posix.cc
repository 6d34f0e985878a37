#include <system_error>

#include "tools/psxview/own_path.h"

namespace psxview {

std::filesystem::path OwnPath(const std::filesystem::path& fallback) {
  std::error_code error;
  std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
  return error ? fallback : program;
}

}  // namespace psxview
