// Loads a written model in an independent OBJ reader (the assimp command-line
// tool) and reports what it found.
#ifndef GANNET_BATCHTOOL_TESTING_ASSIMP_INFO_H_
#define GANNET_BATCHTOOL_TESTING_ASSIMP_INFO_H_

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace batchtool::testing {

/// The counts the reader reports for a whole file.
struct ModelCounts {
  long vertices = -1;
  long faces = -1;
  /// Includes the reader's own default material.
  long materials = -1;
  /// The names the reader lists under "Named Materials", in its order.
  std::vector<std::string> material_names;
};

/// True when the reader's command-line tool is on the PATH.
bool AssimpAvailable();
/// The counts of `file`; nullopt when the reader could not import it.
std::optional<ModelCounts> ImportWithAssimp(const std::filesystem::path& file);

}  // namespace batchtool::testing

#endif  // GANNET_BATCHTOOL_TESTING_ASSIMP_INFO_H_
