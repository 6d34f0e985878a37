// A scratch folder for tests that write files through the plug-ins' Windows
// paths.
#ifndef GANNET_BATCHTOOL_TESTING_TEMP_FOLDER_H_
#define GANNET_BATCHTOOL_TESTING_TEMP_FOLDER_H_

#include <filesystem>
#include <string>

namespace batchtool::testing {

/// A fresh folder under the system's temporary folder, removed with
/// everything in it when the object goes.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::filesystem::path& path() const { return path_; }
  /// The folder's Windows spelling through drive Z:, without a trailing
  /// backslash.
  std::string windows() const;

 private:
  std::filesystem::path path_;
};

/// The bytes of a file; empty when it cannot be read.
std::string ReadBytes(const std::filesystem::path& file);
/// Writes `bytes` to `file`, creating its folders.
void WriteBytes(const std::filesystem::path& file, const std::string& bytes);

}  // namespace batchtool::testing

#endif  // GANNET_BATCHTOOL_TESTING_TEMP_FOLDER_H_
