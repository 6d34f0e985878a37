#include "exportlib/path_parts.h"

namespace exportlib {

std::string BasePath(std::string_view output_path) {
  return std::string(output_path.substr(0, output_path.size() < 4 ? 0 : output_path.size() - 4));
}

std::size_t LastComponentStart(std::string_view path) {
  const std::size_t separator = path.find_last_of("\\:");
  return separator == std::string_view::npos ? 0 : separator + 1;
}

std::string LastComponent(std::string_view path) {
  return std::string(path.substr(LastComponentStart(path)));
}

}  // namespace exportlib
