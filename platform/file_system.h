// File and folder services of the plug-ins. Paths are Windows paths as the
// plug-ins build them ("C:\\models\\ship.rsd"); the POSIX build maps them to
// POSIX paths (see windows_path.h), the Win32 build uses them as they are.
#ifndef GANNET_PLATFORM_FILE_SYSTEM_H_
#define GANNET_PLATFORM_FILE_SYSTEM_H_

#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

/// True when `path` names an existing file (not a folder).
bool FileExists(const std::string& path);
/// True when `path` names an existing folder.
bool FolderExists(const std::string& path);
/// Creates one folder level; its parent must exist. True when the folder
/// exists afterwards (also when it existed before).
bool CreateFolder(const std::string& path);
/// The whole content of a file, bytes as stored; nullopt when it cannot be
/// opened or read (a folder included).
std::optional<std::string> ReadFile(const std::string& path);

/// A file open for writing, created or truncated. Closed by its destructor;
/// the plug-ins never delete a file. Create is per platform (it maps the
/// path, file_system-<platform>.cc); the rest is stdio (output_file.cc).
class OutputFile {
 public:
  /// Creates or truncates `path`; nullopt when that fails.
  static std::optional<OutputFile> Create(const std::string& path);

  OutputFile(OutputFile&& other) noexcept;
  OutputFile& operator=(OutputFile&& other) noexcept;
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;
  ~OutputFile();

  /// Appends bytes; false when the file did not take all of them.
  bool Write(std::string_view bytes);
  /// Flushes and closes; false when a write or the close failed. Safe to call
  /// more than once.
  bool Close();
  /// True while open and no write has failed.
  bool ok() const { return file_ != nullptr && !failed_; }

 private:
  explicit OutputFile(std::FILE* file) : file_(file) {}
  std::FILE* file_ = nullptr;
  bool failed_ = false;
};

}  // namespace platform

#endif  // GANNET_PLATFORM_FILE_SYSTEM_H_
