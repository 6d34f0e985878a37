// A scratch folder that lives as long as one test (or one fuzz run) needs it.
#ifndef GANNET_TESTING_TEMP_FOLDER_H_
#define GANNET_TESTING_TEMP_FOLDER_H_

#include <filesystem>
#include <string>

namespace gannet_testing {

/// A fresh, empty folder under the system's temporary folder, named
/// `<prefix>-XXXXXX`, removed with everything in it when the object goes.
/// The constructor throws std::runtime_error when the folder cannot be made.
class TempFolder {
 public:
  explicit TempFolder(const std::string& prefix = "gannet-test");
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  /// The folder's absolute POSIX path.
  const std::filesystem::path& path() const { return path_; }
  /// `relative` inside the folder.
  std::filesystem::path operator/(const std::filesystem::path& relative) const {
    return path_ / relative;
  }
  /// The folder's Windows spelling through drive Z:, without a trailing
  /// backslash ("Z:\\tmp\\gannet-test-ab12cd"), as the plug-ins see it.
  std::string windows() const;

 private:
  std::filesystem::path path_;
};

}  // namespace gannet_testing

#endif  // GANNET_TESTING_TEMP_FOLDER_H_
