// A scratch folder that lives as long as one test (or one fuzz run) needs it.
#ifndef GANNET_TESTING_TEMP_FOLDER_H_
#define GANNET_TESTING_TEMP_FOLDER_H_

#include <filesystem>
#include <string>
#include <string_view>

namespace gannet_testing {

/// A fresh, empty folder in `parent` (the system's temporary folder unless
/// given), named after `prefix` and made unique, removed with everything in
/// it when the object goes. The constructor throws std::runtime_error when
/// the folder cannot be made.
class TempFolder {
 public:
  explicit TempFolder(const std::string& prefix = "gannet-test",
                      const std::filesystem::path& parent = std::filesystem::temp_directory_path());
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  /// The folder's absolute native path.
  const std::filesystem::path& path() const { return path_; }
  /// `relative` inside the folder.
  std::filesystem::path operator/(const std::filesystem::path& relative) const {
    return path_ / relative;
  }
  /// The folder as the plug-ins spell it, without a trailing backslash: on
  /// POSIX through drive Z: ("Z:\\tmp\\gannet-test-ab12cd"), on Windows the
  /// native path.
  std::string windows() const;
  /// `relative` (backslash-separated) inside the folder, spelt as windows().
  std::string windows(std::string_view relative) const {
    return windows() + "\\" + std::string(relative);
  }

 private:
  std::filesystem::path path_;
};

/// Where to make a scratch folder that a fuzz run rewrites many thousand
/// times: memory-backed (/dev/shm) where the system has such a folder, the
/// temporary folder otherwise.
std::filesystem::path FastScratchParent();

}  // namespace gannet_testing

#endif  // GANNET_TESTING_TEMP_FOLDER_H_
