// Win32 tests only: a fresh folder under the user's temporary folder, removed
// with everything in it when the test ends.
#ifndef GANNET_WINDOWS_TESTING_TEMP_FOLDER_H_
#define GANNET_WINDOWS_TESTING_TEMP_FOLDER_H_

#include <windows.h>

#include <filesystem>
#include <string>

namespace windows::testing {

class TempFolder {
 public:
  TempFolder() {
    char temp[MAX_PATH + 1] = {};
    GetTempPathA(sizeof(temp), temp);
    static int counter = 0;
    path_ = std::string(temp) + "gannet-" + std::to_string(GetCurrentProcessId()) + "-" +
            std::to_string(++counter);
    std::filesystem::remove_all(path_);
    std::filesystem::create_directory(path_);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  ~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }

  /// The folder, without a trailing backslash ("C:\\users\\...\\gannet-1-1").
  const std::string& path() const { return path_; }
  /// `name` inside the folder.
  std::string Child(const std::string& name) const { return path_ + "\\" + name; }

 private:
  std::string path_;
};

}  // namespace windows::testing

#endif  // GANNET_WINDOWS_TESTING_TEMP_FOLDER_H_
