#include "batchtool/script_lines.h"

namespace batchtool {

std::vector<std::string_view> SplitScriptLines(std::string_view script) {
  constexpr char kEndOfFile = 26;
  script = script.substr(0, script.find(kEndOfFile));

  std::vector<std::string_view> lines;
  std::size_t start = 0;
  while (start < script.size()) {
    const auto line_feed = script.find('\n', start);
    std::string_view line = script.substr(
        start, line_feed == std::string_view::npos ? std::string_view::npos : line_feed - start);
    lines.push_back(line.substr(0, line.find('\r')));
    if (line_feed == std::string_view::npos) {
      break;
    }
    start = line_feed + 1;
  }
  return lines;
}

}  // namespace batchtool
