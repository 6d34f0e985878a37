#include "batchtool/testing/assimp_info.h"

#include <sstream>
#include <string>

#include "testing/program_run.h"

namespace batchtool::testing {
namespace {

// The number after the first line that starts with `label`, or -1.
long CountAfter(const std::string& output, const std::string& label) {
  std::istringstream lines(output);
  std::string line;
  while (std::getline(lines, line)) {
    if (line.rfind(label, 0) == 0) {
      return std::strtol(line.c_str() + label.size(), nullptr, 10);
    }
  }
  return -1;
}

// The names quoted at the start of the lines after "Named Materials:".
std::vector<std::string> MaterialNames(const std::string& output) {
  std::vector<std::string> names;
  const auto start = output.find("Named Materials:");
  if (start == std::string::npos) {
    return names;
  }
  std::istringstream lines(output.substr(start));
  std::string line;
  while (std::getline(lines, line)) {
    if (line.rfind("    '", 0) == 0) {
      const auto end = line.find('\'', 5);
      names.push_back(line.substr(5, end == std::string::npos ? std::string::npos : end - 5));
    }
  }
  return names;
}

}  // namespace

bool AssimpAvailable() {
  return gannet_testing::RunShell("command -v assimp").exit_code == 0;
}

std::optional<ModelCounts> ImportWithAssimp(const std::filesystem::path& file) {
  // A raw import: the reader neither joins vertices nor changes faces.
  const std::string output =
      gannet_testing::RunProgram({"assimp", "info", file.string(), "--raw"}).output;
  if (output.find("Importing file ...                   OK") == std::string::npos) {
    return std::nullopt;
  }
  return ModelCounts{.vertices = CountAfter(output, "Vertices:"),
                     .faces = CountAfter(output, "Faces:"),
                     .materials = CountAfter(output, "Materials:"),
                     .material_names = MaterialNames(output)};
}

}  // namespace batchtool::testing
