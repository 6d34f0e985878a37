#include "testing/host_transcript.h"

#include <nlohmann/json.hpp>
#include <sstream>

#include "testing/file_bytes.h"

namespace gannet_testing {

std::vector<ShownBox> ReadTranscript(const std::filesystem::path& file) {
  std::vector<ShownBox> boxes;
  std::istringstream lines(ReadBytes(file));
  for (std::string line; std::getline(lines, line);) {
    const nlohmann::json box = nlohmann::json::parse(line);
    boxes.push_back({box.at("caption"), box.at("text"), box.at("buttons"), box.at("answer"),
                     box.value("error", false)});
  }
  return boxes;
}

}  // namespace gannet_testing
