// The operating-system services behind input_file.h and output_file.h, one
// implementation per platform (file_system-posix.cc, file_system-win32.cc).
// Not for the tools themselves: they use the two headers above it.
#ifndef GANNET_TOOLFILES_FILE_SYSTEM_H_
#define GANNET_TOOLFILES_FILE_SYSTEM_H_

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace toolfiles::system {

/// What a path names, symbolic links followed.
enum class Kind { kMissing, kRegular, kFolder, kPipe, kDevice, kOther };

/// How a refusal names a path of `kind` that is not a regular file: "a
/// folder", "a named pipe", ...
const char* KindName(Kind kind);

/// The kind of `path`; kMissing with `*problem` set (the system's reason)
/// when it does not exist or cannot be looked at.
Kind KindOf(const std::filesystem::path& path, std::string* problem);

/// True when `a` and `b` both exist and are one file (the same file system
/// and file number), whatever their spelling, links and hard links.
bool SameFile(const std::filesystem::path& a, const std::filesystem::path& b);

/// Why an input was not read: what it is, how large, or the system's reason.
struct ReadRefusal {
  Kind kind = Kind::kRegular;
  std::uint64_t size = 0;
  std::string reason;  ///< the system's words when it failed; empty otherwise
};

/// The bytes of `path` when it is a regular file of at most `limit` bytes,
/// opened so that a named pipe or a device cannot make it wait; nullopt with
/// `*refusal` filled otherwise.
std::optional<std::string> ReadRegularFile(const std::filesystem::path& path, std::uint64_t limit,
                                           ReadRefusal* refusal);

/// A file made new for writing, closed (and left where it is) when the
/// object goes.
class NewFile {
 public:
  /// Creates `path`, which must not exist yet; with `like` naming an existing
  /// file, the new one takes its permissions. nullopt with `*problem` set
  /// (the system's reason) when it cannot be made; `*exists` tells whether
  /// that was because the name is taken.
  static std::optional<NewFile> Create(const std::filesystem::path& path,
                                       const std::filesystem::path& like, bool* exists,
                                       std::string* problem);
  NewFile(NewFile&& other) noexcept;
  NewFile& operator=(NewFile&& other) noexcept;
  NewFile(const NewFile&) = delete;
  NewFile& operator=(const NewFile&) = delete;
  ~NewFile();

  /// Writes all of `bytes`; false with `*problem` set when the system took
  /// less (a full disk).
  bool Write(std::string_view bytes, std::string* problem);
  /// Puts everything written on the disk and closes; false with `*problem`
  /// set when that fails.
  bool Finish(std::string* problem);

 private:
  explicit NewFile(std::intptr_t handle) : handle_(handle) {}
  void Close();
  std::intptr_t handle_;
};

/// Renames `from` to `to`, replacing `to` when it exists; false with
/// `*problem` set.
bool Replace(const std::filesystem::path& from, const std::filesystem::path& to,
             std::string* problem);

/// A number that tells this process from others at the same moment.
unsigned long ProcessNumber();

}  // namespace toolfiles::system

#endif  // GANNET_TOOLFILES_FILE_SYSTEM_H_
